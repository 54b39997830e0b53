#include "host/driver/distribution_kind.h"

#include <algorithm>
#include <cctype>

namespace {

const char* const Directions[MaxDims] = {"x", "y", "z"};

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The directions of a span as the arrays name them: "X", "XDY", "XDYDZ".
std::string SpanLetters(unsigned span) {
    std::string letters;
    for (int d = 0; d < MaxDims; ++d)
        if (span >> d & 1u) letters += (letters.empty() ? "" : "D") + Upper(Directions[d]);
    return letters;
}

// "x", "x and y", "x, y and z".
std::string SpanWords(unsigned span) {
    std::vector<std::string> names;
    for (int d = 0; d < MaxDims; ++d)
        if (span >> d & 1u) names.emplace_back(Directions[d]);
    return WordList(names, "and");
}

// The integral a member of INTEGRALS asks for, as a span; 0 when the kind offers none such.
// The integral sub-blocks follow the 2 * dims derivative ones, in the order of the members.
unsigned SpanOf(const DistributionKind& kind, const std::string& member) {
    for (std::size_t k = 0; k < kind.integrals.size(); ++k)
        if (kind.integrals[k] == member) return kind.subBlocks[2 * kind.dims + k].span;
    return 0;
}

int Bits(unsigned span) {
    int bits = 0;
    for (; span; span &= span - 1)
        ++bits;
    return bits;
}

DistributionKind Make(int dims) {
    DistributionKind kind;
    kind.dims = dims;
    kind.type = "DISTRIBUTION" + std::to_string(dims) + "D";
    const char* const orderWords[] = {"", "first derivative", "second derivative"};
    for (int d = 0; d < dims; ++d)
        kind.references.push_back(Upper(Directions[d]) + "DOMAIN");
    for (int order = 1; order <= 2; ++order)
        for (int d = 0; d < dims; ++d) {
            SubBlockKind block;
            const std::string letter = Upper(Directions[d]);
            block.array = order == 1 ? "DD" + letter : "D2D" + letter + "2";
            block.order = order;
            block.direction = d;
            block.description = std::string(orderWords[order]) + " along " + Directions[d];
            block.label = dims == 1 ? orderWords[order] : block.array;
            kind.subBlocks.push_back(block);
        }
    // Integrals over one direction first, then two, then three; within a count by their
    // directions in order: idx, idy, idz, idxdy, idxdz, idydz, idxdydz.
    std::vector<unsigned> spans;
    for (unsigned span = 1; span < (1u << dims); ++span)
        spans.push_back(span);
    std::stable_sort(spans.begin(), spans.end(), [](unsigned a, unsigned b) {
        return Bits(a) != Bits(b) ? Bits(a) < Bits(b) : SpanLetters(a) < SpanLetters(b);
    });
    for (const unsigned span : spans) {
        SubBlockKind block;
        block.array = "ID" + SpanLetters(span);
        block.span = span;
        block.description = "integral over " + SpanWords(span);
        block.label = dims == 1 ? "integral" : block.array;
        kind.subBlocks.push_back(block);
        std::string member = block.array;
        for (char& c : member)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        kind.integrals.push_back(member);
    }
    return kind;
}

} // namespace

std::string WordList(const std::vector<std::string>& words, const std::string& conjunction) {
    std::string text;
    for (std::size_t k = 0; k < words.size(); ++k)
        text += (k == 0 ? "" : k + 1 == words.size() ? " " + conjunction + " " : ", ") + words[k];
    return text;
}

const DistributionKind& KindOf(int dims) {
    static const DistributionKind kinds[MaxDims] = {Make(1), Make(2), Make(3)};
    return kinds[std::clamp(dims, 1, MaxDims) - 1];
}

const char* DirectionName(int d) {
    return Directions[std::clamp(d, 0, MaxDims - 1)];
}

std::vector<unsigned> WrittenIntegrals(const DistributionKind& kind,
                                       const std::vector<std::string>& members) {
    std::vector<unsigned> written;
    for (const std::string& member : members) {
        const unsigned span = SpanOf(kind, member);
        // The leading parts of the span: its first direction, its first two, all of it.
        unsigned part = 0;
        for (int d = 0; d < kind.dims; ++d) {
            if ((span >> d & 1u) == 0) continue;
            part |= 1u << d;
            if (std::find(written.begin(), written.end(), part) == written.end())
                written.push_back(part);
        }
    }
    return written;
}
