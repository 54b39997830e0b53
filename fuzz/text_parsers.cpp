// The readers of the library's own scheme texts, on texts of any bytes: a residual in prefix
// text, and a block program, each with storage of exactly the room it is given. What they
// accept fits that room and is well formed (a residual has no more terms than a pass has room
// for); what they refuse names its place in the text.
#include "fuzz/fault.h"
#include "fuzz/text_fuzz.h"
#include "types/scheme/block_program.h"
#include "types/scheme/prefix_text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace norvane::fuzz {
namespace {

// Words of both languages, so that most inputs get past the first word; '|' parts them.
const char kWordList[] =
    "first|second|integral|idx|idx,idxdy|idy,idz,|for|s|e|n|B..L|B+1..L-1|0..0|"
    "L-2..L|at|B|L+2147483647|0|x|y|z|0..E|1..E|closed|if|s=1|s>1|join|{|}|1:|999:|"
    "1000:|3|90|91|xy|xyz|yx|+|-|*|/|sq|op1|2|-3|0.5|1e-3|1e999|h|V(i)|DDX(i-1)|"
    "D2DX2(j+2)|IDX(n)|V(0)|V(p+2147483647)|IDX(B)|V(i|\"|"
    "\"+ * DDX(i) h - V(i-1) V(i)\"|\"op1 IDX(0)\"";

// Word k of the list.
std::string Word(int k) {
    const char* word = kWordList;
    for (; k > 0; --k)
        word = std::strchr(word, '|') + 1;
    return std::string(word, std::strcspn(word, "|"));
}

// Words of the list or raw texts, separated by blanks.
std::string NextText(ByteReader& in) {
    static const int words =
        1 + static_cast<int>(std::count(kWordList, kWordList + sizeof kWordList, '|'));
    std::string text;
    for (int k = in.Choice(32); k > 0; --k) {
        const int code = in.Byte();
        text += code < 224 ? Word(code % words) : in.Text();
        text += " \n\t"[in.Choice(3)];
    }
    return text;
}

// Room as the tables size it, or less.
int Room(ByteReader& in, int needed) {
    return in.Flag() ? needed : in.Choice(needed + 1);
}

void ExpectPosition(const char* what, int position, const std::string& text) {
    if (position < 0 || position > static_cast<int>(text.size()))
        Fault("%s at %d of a text of %zu", what, position, text.size());
}

void FuzzPrefixText(ByteReader& in) {
    const std::string text = NextText(in);
    const int room = Room(in, CountPrefixTokens(text.c_str()));
    std::vector<Token> tokens(static_cast<std::size_t>(room));
    const PrefixParse parse = ParsePrefixText(text.c_str(), tokens.data(), room);
    if (parse.error) {
        ExpectPosition(parse.error, parse.position, text);
        return;
    }
    if (parse.count < 1 || parse.count > room)
        Fault("%d tokens in a room of %d", parse.count, room);
    const auto terms =
        std::count_if(tokens.begin(), tokens.begin() + parse.count,
                      [](const Token& t) { return t.kind == Token::Kind::Variable; });
    if (terms > MaxStencilTerms) Fault("%ld terms in one residual", static_cast<long>(terms));
}

// A program set with storage of a size known only now.
class ProgramSetOfText final : public ProgramSet {
public:
    ProgramSetOfText(const BlockProgramText& text, int nodes, int tokens, int stencils)
        : m_nodes(static_cast<std::size_t>(nodes)), m_tokens(static_cast<std::size_t>(tokens)),
          m_stencils(static_cast<std::size_t>(stencils)) {
        Parse(&text, 1,
              {&m_program, m_nodes.data(), nodes, m_tokens.data(), tokens, m_stencils.data(),
               stencils});
    }

private:
    Program m_program{};
    std::vector<ProgramNode> m_nodes;
    std::vector<Token> m_tokens;
    std::vector<Stencil> m_stencils;
};

// Every statement ends after itself and within the one that encloses it; every equation names
// a family and a stencil.
void ExpectWellFormed(const Program& program, int begin, int end) {
    for (int i = begin; i < end; i = program.nodes[i].end) {
        const ProgramNode& node = program.nodes[i];
        if (node.end <= i || node.end > end) Fault("statement %d ends at %d", i, node.end);
        if (node.kind == ProgramNode::Kind::Emit &&
            (!node.stencil || !FamilyName(node.family) || node.stencil->tokenCount < 1))
            Fault("statement %d names no family or stencil", i);
        ExpectWellFormed(program, i + 1, node.end);
    }
}

void FuzzBlockProgram(ByteReader& in) {
    const std::string text = NextText(in);
    const int words = CountWords(text.c_str());
    const BlockProgramText program{nullptr, static_cast<Direction>(in.Choice(3)), in.Choice(8),
                                   text.c_str()};
    const int nodes = Room(in, words), tokens = Room(in, words), stencils = Room(in, words);
    const ProgramSetOfText set(program, nodes, tokens, stencils);
    if (set.size() != 1) Fault("%d programs of one text", set.size());
    const ProgramFault& fault = set.fault();
    if (fault.program >= 0) {
        if (fault.program != 0 || !fault.error || set[0].nodeCount != 0)
            Fault("a refused program keeps %d statements", set[0].nodeCount);
        ExpectPosition(fault.error, fault.position, text);
        return;
    }
    if (set[0].nodeCount > nodes) Fault("%d statements in a room of %d", set[0].nodeCount, nodes);
    ExpectWellFormed(set[0], 0, set[0].nodeCount);
}

} // namespace

void FuzzSchemeTexts(ByteReader& in) {
    if (in.Flag())
        FuzzPrefixText(in);
    else
        FuzzBlockProgram(in);
}

} // namespace norvane::fuzz
