#include "types/scheme/block_program.h"

#include "types/scheme/prefix_text.h"

#include <cstring>

namespace norvane {
namespace {

constexpr const char* kIntegralNames[] = {"idx",   "idy",   "idz",    "idxdy",
                                          "idxdz", "idydz", "idxdydz"};

bool IsBlank(char c) {
    return c == ' ' || c == '\n' || c == '\t';
}

// Reads a program word by word; a quoted stencil is one word, quotes excluded.
class Reader {
public:
    explicit Reader(const char* text) : m_text(text), m_next(text) {}

    bool Next() {
        while (IsBlank(*m_next))
            ++m_next;
        m_begin = m_next;
        m_end = m_next;
        if (*m_next == '\0') return false;
        if (*m_next == '"') {
            const char* close = std::strchr(m_next + 1, '"');
            m_end = close != nullptr ? close + 1 : m_next + std::strlen(m_next);
        } else {
            while (*m_end != '\0' && !IsBlank(*m_end))
                ++m_end;
        }
        m_next = m_end;
        return true;
    }

    bool Is(const char* word) const {
        const std::size_t length = std::strlen(word);
        return Length() == length && std::memcmp(m_begin, word, length) == 0;
    }
    std::size_t Length() const { return static_cast<std::size_t>(m_end - m_begin); }
    const char* Begin() const { return m_begin; }
    const char* End() const { return m_end; }
    int Position() const { return static_cast<int>(m_begin - m_text); }

private:
    const char* m_text;
    const char* m_next;
    const char* m_begin = nullptr;
    const char* m_end = nullptr;
};

// B, L, B+k, L-k or 0.
bool ReadPosition(const char* begin, const char* end, ProgramNode::Position& position) {
    if (end - begin == 1 && *begin == '0') {
        position = {ProgramNode::Origin::Zero, 0};
        return true;
    }
    if (begin == end || (*begin != 'B' && *begin != 'L')) return false;
    position = {*begin == 'B' ? ProgramNode::Origin::Base : ProgramNode::Origin::Last, 0};
    if (end - begin == 1) return true;
    const char sign = begin[1];
    if (sign != '+' && sign != '-') return false;
    if (!ReadDigits(begin + 2, end, position.offset)) return false;
    if (sign == '-') position.offset = -position.offset;
    return true;
}

bool ReadDirection(const Reader& word, Direction& direction) {
    if (word.Length() != 1 || std::strchr("xyz", *word.Begin()) == nullptr) return false;
    direction = static_cast<Direction>(*word.Begin() - 'x');
    return true;
}

// "idx,idxdy": names in the order given.
bool ReadIntegralNames(const Reader& word, ProgramNode& node) {
    const char* c = word.Begin();
    node.nameCount = 0;
    while (c < word.End()) {
        const char* comma = c;
        while (comma != word.End() && *comma != ',')
            ++comma;
        bool known = false;
        for (int k = 0; k < 7 && !known; ++k) {
            const std::size_t length = std::strlen(kIntegralNames[k]);
            if (static_cast<std::size_t>(comma - c) == length &&
                std::memcmp(c, kIntegralNames[k], length) == 0) {
                if (node.nameCount == 7) return false;
                node.names[node.nameCount++] = static_cast<IntegralName>(k);
                known = true;
            }
        }
        if (!known) return false;
        c = comma + 1;
    }
    return node.nameCount > 0 && word.End()[-1] != ',';
}

// xy, xz, yz, xyz.
bool ReadTarget(const Reader& word, unsigned char& target) {
    target = 0;
    char last = 'w';
    for (const char* c = word.Begin(); c != word.End(); ++c) {
        if (*c < 'x' || *c > 'z' || *c <= last) return false;
        target |= static_cast<unsigned char>(1u << (*c - 'x'));
        last = *c;
    }
    return word.Length() >= 2;
}

class Parser {
public:
    Parser(const char* text, ProgramNode* nodes, int nodeCapacity, Token*& tokens, int& tokenRoom,
           Stencil*& stencils, int& stencilRoom)
        : m_word(text), m_nodes(nodes), m_nodeCapacity(nodeCapacity), m_tokens(tokens),
          m_tokenRoom(tokenRoom), m_stencils(stencils), m_stencilRoom(stencilRoom) {}

    // The statements of the whole text; false with error and position set on a fault.
    bool Run() {
        m_word.Next();
        return Statements(false);
    }

    int NodeCount() const { return m_count; }
    const char* Error() const { return m_error; }
    int Position() const { return m_word.Position(); }

private:
    bool Fail(const char* error) {
        m_error = error;
        return false;
    }

    // Statements up to a closing brace (inBlock) or the end of the text. The reader stands on
    // the first word of the next statement.
    bool Statements(bool inBlock) {
        for (;;) {
            if (m_word.Length() == 0) return inBlock ? Fail("missing }") : true;
            if (m_word.Is("}")) {
                if (!inBlock) return Fail("unmatched }");
                m_word.Next();
                return true;
            }
            if (!Statement()) return false;
        }
    }

    ProgramNode* NewNode(ProgramNode::Kind kind) {
        if (m_count == m_nodeCapacity) return nullptr;
        ProgramNode& node = m_nodes[m_count++];
        node = ProgramNode{};
        node.kind = kind;
        return &node;
    }

    // A statement with a block: its head has been read into `node`; reads "{ ... }".
    bool Block(int index) {
        if (!m_word.Next() || !m_word.Is("{")) return Fail("expected {");
        m_word.Next();
        if (!Statements(true)) return false;
        m_nodes[index].end = m_count;
        return true;
    }

    bool Head(ProgramNode::Kind kind) {
        const int index = m_count;
        if (NewNode(kind) == nullptr) return Fail("more statements than room");
        return Block(index);
    }

    bool Statement() {
        using Kind = ProgramNode::Kind;
        if (m_word.Is("first")) return Head(Kind::First);
        if (m_word.Is("second")) return Head(Kind::Second);
        if (m_word.Is("integral")) return Integral();
        if (m_word.Is("for")) return Loop();
        if (m_word.Is("at")) return At();
        if (m_word.Is("if")) return Test();
        return Emit();
    }

    bool Integral() {
        const int index = m_count;
        ProgramNode* node = NewNode(ProgramNode::Kind::Integral);
        if (node == nullptr) return Fail("more statements than room");
        if (!m_word.Next() || !ReadIntegralNames(m_word, *node)) return Fail("bad integral names");
        return Block(index);
    }

    // Section positions, elements and section tests need an enclosing section loop.
    bool InSection(ProgramNode::Position position) const {
        return m_sectionLoops > 0 || position.origin == ProgramNode::Origin::Zero;
    }

    bool Loop() {
        using Kind = ProgramNode::Kind;
        if (!m_word.Next()) return Fail("expected a loop");
        if (m_word.Is("s")) {
            if (m_sectionLoops > 0) return Fail("section loop inside a section loop");
            ++m_sectionLoops;
            const bool parsed = Head(Kind::Sections);
            --m_sectionLoops;
            return parsed;
        }
        if (m_word.Is("e")) return m_sectionLoops > 0 ? Head(Kind::Elements) : Fail("no section");
        const int index = m_count;
        if (m_word.Is("n")) {
            ProgramNode* node = NewNode(Kind::Nodes);
            if (node == nullptr) return Fail("more statements than room");
            if (!m_word.Next()) return Fail("expected a node range");
            const char* dots = std::strstr(m_word.Begin(), "..");
            if (dots == nullptr || dots >= m_word.End() ||
                !ReadPosition(m_word.Begin(), dots, node->from) ||
                !ReadPosition(dots + 2, m_word.End(), node->to))
                return Fail("bad node range");
            if (!InSection(node->from) || !InSection(node->to)) return Fail("no section");
            return Block(index);
        }
        ProgramNode* node = NewNode(Kind::Cross);
        if (node == nullptr) return Fail("more statements than room");
        if (!ReadDirection(m_word, node->cross)) return Fail("unknown loop");
        if (!m_word.Next()) return Fail("expected a node set");
        if (m_word.Is("0..E")) {
            node->set = ProgramNode::CrossSet::All;
        } else if (m_word.Is("1..E")) {
            node->set = ProgramNode::CrossSet::FromOne;
        } else if (m_word.Is("closed")) {
            node->set = ProgramNode::CrossSet::Closed;
        } else {
            return Fail("bad node set");
        }
        return Block(index);
    }

    bool At() {
        const int index = m_count;
        ProgramNode* node = NewNode(ProgramNode::Kind::At);
        if (node == nullptr) return Fail("more statements than room");
        if (!m_word.Next() || !ReadPosition(m_word.Begin(), m_word.End(), node->from))
            return Fail("bad node");
        if (!InSection(node->from)) return Fail("no section");
        node->to = node->from;
        return Block(index);
    }

    bool Test() {
        using Kind = ProgramNode::Kind;
        if (!m_word.Next()) return Fail("expected a test");
        const bool sectionTest = m_word.Is("s=1") || m_word.Is("s>1");
        if (sectionTest && m_sectionLoops == 0) return Fail("no section");
        if (m_word.Is("s=1")) return Head(Kind::IfFirstSection);
        if (m_word.Is("s>1")) return Head(Kind::IfLaterSection);
        if (m_word.Is("join")) return Head(Kind::IfJoin);
        return Fail("unknown test");
    }

    // "N:" then a site number or a quoted prefix text, then an optional target.
    bool Emit() {
        ProgramNode* node = NewNode(ProgramNode::Kind::Emit);
        if (node == nullptr) return Fail("more statements than room");
        node->end = m_count;
        if (m_word.Length() < 2 || m_word.End()[-1] != ':' ||
            !ReadDigits(m_word.Begin(), m_word.End() - 1, node->family) ||
            FamilyName(node->family) == nullptr)
            return Fail("unknown statement");
        if (!m_word.Next()) return Fail("expected a stencil");
        if (*m_word.Begin() == '"') {
            if (!InlineStencil(*node)) return false;
        } else {
            int site = 0;
            if (!ReadDigits(m_word.Begin(), m_word.End(), site) || site < 1 ||
                site > StencilCount())
                return Fail("unknown site");
            node->stencil = &StencilByNumber(site);
        }
        m_word.Next();
        if (m_word.Length() > 0 && *m_word.Begin() >= 'x' && *m_word.Begin() <= 'z') {
            if (!ReadTarget(m_word, node->target)) return Fail("bad integral target");
            m_word.Next();
        }
        return true;
    }

    bool InlineStencil(ProgramNode& node) {
        if (m_word.Length() < 2 || m_word.End()[-1] != '"') return Fail("unterminated stencil");
        if (m_stencilRoom == 0) return Fail("more stencils than room");
        char text[512];
        const std::size_t length = m_word.Length() - 2;
        if (length >= sizeof text) return Fail("stencil too long");
        std::memcpy(text, m_word.Begin() + 1, length);
        text[length] = '\0';
        const PrefixParse parse = ParsePrefixText(text, m_tokens, m_tokenRoom);
        if (parse.error != nullptr) return Fail(parse.error);
        *m_stencils = MakeStencil(m_tokens, parse.count);
        node.stencil = m_stencils;
        ++m_stencils;
        --m_stencilRoom;
        m_tokens += parse.count;
        m_tokenRoom -= parse.count;
        return true;
    }

    Reader m_word;
    ProgramNode* m_nodes;
    int m_nodeCapacity;
    int m_count = 0;
    int m_sectionLoops = 0;
    Token*& m_tokens;
    int& m_tokenRoom;
    Stencil*& m_stencils;
    int& m_stencilRoom;
    const char* m_error = nullptr;
};

// "QV_Eqn1" .. "QV_Eqn999", made at compile time.
struct FamilyNames {
    static constexpr int kCount = 999;
    char text[kCount][10];

    constexpr FamilyNames() : text{} {
        for (int k = 1; k <= kCount; ++k) {
            char* name = text[k - 1];
            const char prefix[] = "QV_Eqn";
            int used = 0;
            for (int c = 0; c < 6; ++c)
                name[used++] = prefix[c];
            if (k >= 100) name[used++] = static_cast<char>('0' + k / 100);
            if (k >= 10) name[used++] = static_cast<char>('0' + k / 10 % 10);
            name[used++] = static_cast<char>('0' + k % 10);
            name[used] = '\0';
        }
    }
};
constexpr FamilyNames kFamilyNames;

} // namespace

const char* IntegralNameText(IntegralName name) {
    return kIntegralNames[name];
}

const char* FamilyName(int k) {
    return k >= 1 && k <= FamilyNames::kCount ? kFamilyNames.text[k - 1] : nullptr;
}

void ProgramSet::Parse(const BlockProgramText* texts, int count, const Storage& storage) {
    m_programs = storage.programs;
    m_count = count;
    ProgramNode* nodes = storage.nodes;
    int nodeRoom = storage.nodeCapacity;
    Token* tokens = storage.tokens;
    int tokenRoom = storage.tokenCapacity;
    Stencil* stencils = storage.stencils;
    int stencilRoom = storage.stencilCapacity;
    for (int p = 0; p < count; ++p) {
        Parser parser(texts[p].text, nodes, nodeRoom, tokens, tokenRoom, stencils, stencilRoom);
        const bool parsed = parser.Run();
        if (!parsed && m_fault.program < 0) m_fault = {p, parser.Error(), parser.Position()};
        const int used = parsed ? parser.NodeCount() : 0;
        storage.programs[p] = Program{&texts[p], nodes, used};
        nodes += used;
        nodeRoom -= used;
    }
}

} // namespace norvane
