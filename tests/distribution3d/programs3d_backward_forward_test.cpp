// The three-dimensional start planes and the BFD1, BFD2, FFD1 and FFD2 blocks walked over
// host-free grids: which families each block registers, where each instance stands along its own
// direction, in which loop order and over which sets of the other two directions, and that every
// residual vanishes on a variable its stencils are exact for.
#include "tests/scheme/fake_scheme.h"
#include "tests/scheme/stencil_residual.h"
#include "types/distribution1d/grid_check.h"
#include "types/distribution3d/programs3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace norvane::test {
namespace {

constexpr Direction X = Direction::X, Y = Direction::Y, Z = Direction::Z;
const std::vector<IntegralName> kAllIntegrals = {Idx, Idy, Idz, Idxdy, Idxdz, Idydz, Idxdydz};

int Axis(char letter) {
    return letter - 'x';
}

// "xz" as the bits of the directions it names.
unsigned char SpanBits(const std::string& span) {
    unsigned char bits = 0;
    for (char c : span)
        bits = static_cast<unsigned char>(bits | 1u << Axis(c));
    return bits;
}

// The INTEGRALS name of the integral over the directions of span: "xz" is "idxdz".
IntegralName NameOf(const std::string& span) {
    std::string name = "i";
    for (char c : span)
        name += std::string("d") + c;
    for (IntegralName n : kAllIntegrals)
        if (name == IntegralNameText(n)) return n;
    ADD_FAILURE() << span;
    return Idx;
}

// A method block: its families by sub-block, in registration order, and the loop order of the
// other two directions (outermost first) around its node and its second-derivative equations.
struct Block {
    const char* method;
    Direction d;
    int group, terms;
    std::vector<int> first;
    int second, join;
    std::vector<std::pair<int, std::string>> integrals; // family, directions it integrates over
    const char* cross;                                  // first-derivative and integral loops
    const char* closed;                                 // second-derivative and join loops

    std::vector<int> Families() const {
        std::vector<int> all = first;
        all.push_back(second);
        all.push_back(join);
        for (const auto& integral : integrals)
            all.push_back(integral.first);
        return all;
    }
};

// clang-format off
const std::vector<Block> kBlocks = {
    {"BFD1", X, 8, 21, {13, 14}, 15, 16, {{17, "x"}}, "zy", "zy"},
    {"BFD1", Y, 9, 25, {18, 19}, 20, 21, {{22, "y"}, {23, "xy"}}, "zx", "xz"},
    {"BFD1", Z, 10, 33, {24, 25}, 26, 27, {{28, "z"}, {29, "xz"}, {30, "yz"}, {31, "xyz"}},
     "yx", "xy"},
    {"BFD2", X, 11, 34, {32, 33, 34}, 35, 36, {{37, "x"}, {38, "x"}}, "zy", "yz"},
    {"BFD2", Y, 12, 44, {39, 40, 41}, 42, 43, {{44, "y"}, {45, "y"}, {46, "xy"}, {47, "xy"}},
     "zx", "xz"},
    {"BFD2", Z, 13, 64, {48, 49, 50}, 51, 52, {{53, "z"}, {54, "z"}, {55, "xz"}, {56, "xz"},
                                               {57, "yz"}, {58, "yz"}, {59, "xyz"}, {60, "xyz"}},
     "yx", "xy"},
    {"FFD1", X, 14, 25, {61, 62, 63}, 64, 65, {{66, "x"}}, "zy", "zy"},
    {"FFD1", Y, 15, 29, {67, 68, 69}, 70, 71, {{72, "y"}, {73, "xy"}}, "zx", "xz"},
    {"FFD1", Z, 16, 37, {74, 75, 76}, 77, 78, {{79, "z"}, {80, "xz"}, {81, "yz"}, {82, "xyz"}},
     "yx", "xy"},
    {"FFD2", X, 17, 39, {83, 84, 85, 86}, 87, 88, {{89, "x"}, {90, "x"}}, "zy", "yz"},
    {"FFD2", Y, 18, 49, {91, 92, 93, 94}, 95, 96, {{97, "y"}, {98, "y"}, {99, "xy"}, {100, "xy"}},
     "zx", "xz"},
    {"FFD2", Z, 19, 69, {101, 102, 103, 104}, 105, 106,
     {{107, "z"}, {108, "z"}, {109, "xz"}, {110, "xz"}, {111, "yz"}, {112, "yz"}, {113, "xyz"},
      {114, "xyz"}},
     "yx", "xy"},
};
// clang-format on

// A start plane: its own direction, group, the directions its integral spans, and the two other
// directions, outermost first, each over all its nodes (A) or from node 1 (F).
struct Plane {
    int family;
    Direction d;
    int group;
    std::string span, cross, sets;
};

const std::vector<Plane> kPlanes = {
    {1, X, 1, "x", "yz", "AA"},    {2, Y, 2, "y", "xz", "AA"},    {3, Z, 3, "z", "xy", "AA"},
    {4, X, 4, "xy", "yz", "AA"},   {5, Y, 4, "xy", "xz", "FA"},   {6, X, 5, "xz", "yz", "AA"},
    {7, Z, 5, "xz", "xy", "FA"},   {8, Y, 6, "yz", "xz", "AA"},   {9, Z, 6, "yz", "xy", "AF"},
    {10, X, 7, "xyz", "yz", "AA"}, {11, Y, 7, "xyz", "xz", "FA"}, {12, Z, 7, "xyz", "xy", "FF"},
};

struct Emitted {
    int family, group, terms;
    unsigned char target;
};

// The families of the programs of one method (null: the start planes) in program order.
std::vector<Emitted> EmittedBy(const char* method, Direction d) {
    std::vector<Emitted> out;
    const ProgramSet& programs = Programs3D();
    for (int p = 0; p < programs.size(); ++p) {
        const Program& program = programs[p];
        const char* own = program.text->method;
        const bool same =
            own == nullptr || method == nullptr ? own == method : std::strcmp(own, method) == 0;
        if (!same || program.text->direction != d) continue;
        for (int i = 0; i < program.nodeCount; ++i) {
            const ProgramNode& node = program.nodes[i];
            if (node.kind != ProgramNode::Kind::Emit) continue;
            int terms = 0;
            for (int t = 0; t < node.stencil->tokenCount; ++t)
                terms += node.stencil->tokens[t].kind == Token::Kind::Variable;
            out.push_back({node.family, program.text->group, terms, node.target});
        }
    }
    return out;
}

// A direction that no block of these methods runs along: nodes 0 and 1, one section.
FakeDirection Trivial() {
    return MakeDirection("NONE", 0, {1.0}, {1});
}

FakeScheme Scheme(std::vector<FakeDirection> directions,
                  const std::vector<IntegralName>& integrals = kAllIntegrals) {
    FakeScheme scheme;
    scheme.directions = std::move(directions);
    scheme.integrals.insert(integrals.begin(), integrals.end());
    return scheme;
}

// The own-direction node of the variable that an instance defines: its first term.
long long DefinedNode(const Instance& at) {
    for (int t = 0; t < at.stencil->tokenCount; ++t)
        if (at.stencil->tokens[t].kind == Token::Kind::Variable)
            return at.anchor + at.stencil->tokens[t].offset;
    return -1;
}

// The loop variables of an instance named by a key: x, y, z the other directions' nodes, s its
// section, n its own node, f its family.
std::vector<long long> KeyOf(const Instance& at, const std::string& key) {
    std::vector<long long> values;
    for (char c : key)
        values.push_back(c == 's'   ? at.section
                         : c == 'n' ? at.anchor
                         : c == 'f' ? at.family
                                    : at.node[Axis(c)]);
    return values;
}

struct Segment {
    std::vector<int> families;
    std::string key; // the loop variables, outermost first, that its instances ascend in
};

// A block's runs of instances in registration order: the first derivative, the second derivative
// with its join, then each integral family.
std::vector<Segment> Segments(const Block& b) {
    const std::string nodes = std::string(b.cross) + "snf";
    std::vector<Segment> segments = {{b.first, nodes},
                                     {{b.second, b.join}, "sf" + std::string(b.closed) + "n"}};
    std::string span;
    for (const auto& [family, integralSpan] : b.integrals) {
        if (segments.size() > 2 && integralSpan == span)
            segments.back().families.push_back(family);
        else
            segments.push_back({{family}, nodes});
        span = integralSpan;
    }
    return segments;
}

bool Contains(const std::vector<int>& families, int family) {
    return std::find(families.begin(), families.end(), family) != families.end();
}

TEST(Programs3DBackwardForward, TableParsesAndEachBlockRegistersItsFamilies) {
    ASSERT_EQ(Programs3D().fault().program, -1) << Programs3D().fault().error;
    for (const Block& b : kBlocks) {
        SCOPED_TRACE(std::string(b.method) + " " + "XYZ"[static_cast<int>(b.d)]);
        const std::vector<Emitted> emitted = EmittedBy(b.method, b.d);
        std::vector<int> families;
        int terms = 0;
        for (const Emitted& e : emitted) {
            families.push_back(e.family);
            terms += e.terms;
            EXPECT_EQ(e.group, b.group);
        }
        const int m = std::string("BFD1 BFD2 FFD1 FFD2").find(b.method) / 5 + 1;
        EXPECT_EQ(b.group, 3 * m + 5 + static_cast<int>(b.d));
        EXPECT_EQ(families, b.Families());
        EXPECT_EQ(terms, b.terms);
        for (std::size_t k = 0; k < emitted.size(); ++k) {
            std::string span(1, "xyz"[static_cast<int>(b.d)]);
            for (const auto& integral : b.integrals)
                if (integral.first == emitted[k].family) span = integral.second;
            EXPECT_EQ(emitted[k].target, span.size() == 1 ? 0 : SpanBits(span)) << families[k];
        }
    }
}

TEST(Programs3DBackwardForward, StartPlanesHoldEachIntegralAtZeroOnItsPlanes) {
    for (const Plane& p : kPlanes) {
        const std::vector<Emitted> emitted = EmittedBy(nullptr, p.d);
        bool found = false;
        for (const Emitted& e : emitted) {
            if (e.family != p.family) continue;
            found = true;
            EXPECT_EQ(e.group, p.group) << p.family;
            EXPECT_EQ(e.target, p.span.size() == 1 ? 0 : SpanBits(p.span)) << p.family;
        }
        EXPECT_TRUE(found) << p.family;
    }
    // Each name opens the planes of every integral it needs; with no X extent the planes that
    // start x at 1 vanish, the others keep one instance per pair of the other two nodes.
    const std::map<IntegralName, std::vector<int>> opened = {{Idx, {1}},
                                                             {Idy, {2}},
                                                             {Idz, {3}},
                                                             {Idxdy, {1, 4, 5}},
                                                             {Idxdz, {1, 6, 7}},
                                                             {Idydz, {2, 8, 9}},
                                                             {Idxdydz, {1, 4, 5, 10, 11, 12}}};
    for (const FakeDirection& x :
         {MakeDirection("BFD1", 0, {1.0, 2.0}, {2, 1}), MakeDirection("BFD1", 0, {}, {})}) {
        for (const auto& [name, families] : opened) {
            FakeScheme scheme = Scheme(
                {x, MakeDirection("FFD2", 1, {1.0}, {2}), MakeDirection("NONE", 0, {1.0}, {3})},
                {name});
            std::map<int, long long> counts;
            for (const Instance& at : scheme.Walk(Programs3D()))
                if (at.family <= 12) {
                    ++counts[at.family];
                    EXPECT_EQ(at.anchor, 0);
                    EXPECT_EQ(at.section, 0);
                }
            std::map<int, long long> expected;
            for (const Plane& p : kPlanes) {
                if (!Contains(families, p.family)) continue;
                long long count = 1;
                for (std::size_t c = 0; c < 2; ++c) {
                    const int end = scheme.directions[Axis(p.cross[c])].endNode();
                    count *= p.sets[c] == 'A' ? end + 1 : end;
                }
                if (count > 0) expected[p.family] = count;
            }
            EXPECT_EQ(counts, expected)
                << IntegralNameText(name) << " E_X " << scheme.directions[0].endNode();
        }
    }
    // Every family's planes in turn, each plane in the order of its two loops.
    FakeScheme scheme =
        Scheme({MakeDirection("NONE", 0, {1.0}, {2}), MakeDirection("NONE", 0, {1.0}, {3}),
                MakeDirection("NONE", 0, {1.0}, {4})});
    const std::vector<Instance> walk = scheme.Walk(Programs3D());
    for (std::size_t k = 1; k < walk.size(); ++k) {
        const Instance &a = walk[k - 1], &b = walk[k];
        ASSERT_LE(a.family, b.family);
        if (a.family == b.family) {
            const std::string& key = kPlanes[a.family - 1].cross;
            EXPECT_LT(KeyOf(a, key), KeyOf(b, key)) << a.family;
        }
    }
    EXPECT_EQ(walk.back().family, 12);
}

// Each method's X block along two sections, as "family@defined node:section", on one line of the
// other two directions; its Y and Z blocks place their families of the same kind at the same
// nodes.
struct Placement {
    const char* method;
    int p;
    std::vector<double> lengths;
    std::vector<int> elements;
    const char* sequence;
};

// clang-format off
const std::vector<Placement> kPlacements = {
    // One node step in the first section: no second derivative there.
    {"BFD1", 0, {0.4, 0.9}, {1, 3},
     "13@0:1 14@1:1 14@2:2 14@3:2 14@4:2 15@2:2 15@3:2 16@1:2 17@1:1 17@2:2 17@3:2 17@4:2"},
    // Central at each section's second node; a two-step section has no backward inner node.
    {"BFD2", 1, {0.8, 0.3}, {2, 1},
     "32@0:1 33@1:1 34@2:1 34@3:1 34@4:1 33@5:2 34@6:2 35@1:1 35@2:1 35@3:1 35@5:2 36@4:2 "
     "37@1:1 38@2:1 37@3:1 38@4:1 37@5:2 38@6:2"},
    // Backward at each section's last node only.
    {"FFD1", 0, {0.4, 0.6}, {4, 3},
     "61@0:1 62@1:1 62@2:1 62@3:1 63@4:1 62@5:2 62@6:2 63@7:2 64@1:1 64@2:1 64@3:1 64@5:2 "
     "64@6:2 65@4:2 66@1:1 66@2:1 66@3:1 66@4:1 66@5:2 66@6:2 66@7:2"},
    // Central at the last node but one; a two-step section has no forward inner node.
    {"FFD2", 1, {0.6, 0.2}, {3, 1},
     "83@0:1 84@1:1 84@2:1 84@3:1 84@4:1 85@5:1 86@6:1 85@7:2 86@8:2 87@1:1 87@2:1 87@3:1 "
     "87@4:1 87@5:1 87@7:2 88@6:2 89@1:1 90@2:1 89@3:1 90@4:1 89@5:1 90@6:1 89@7:2 90@8:2"},
};
// clang-format on

const Block& XBlockOf(const char* method) {
    for (const Block& b : kBlocks)
        if (b.d == X && std::strcmp(b.method, method) == 0) return b;
    return kBlocks.front();
}

// The X family of the same kind and place in its sub-block.
int XFamilyOf(const Block& b, int family) {
    const Block& x = XBlockOf(b.method);
    for (std::size_t k = 0; k < b.first.size(); ++k)
        if (b.first[k] == family) return x.first[k];
    if (family == b.second) return x.second;
    if (family == b.join) return x.join;
    for (std::size_t k = 0; k < b.integrals.size(); ++k)
        if (b.integrals[k].first == family) return x.integrals[k % x.integrals.size()].first;
    return 0;
}

TEST(Programs3DBackwardForward, EachBlockPlacesItsFamiliesAlongItsOwnDirection) {
    for (const Block& b : kBlocks) {
        const Placement& place =
            *std::find_if(kPlacements.begin(), kPlacements.end(),
                          [&](const Placement& p) { return std::strcmp(p.method, b.method) == 0; });
        const Block& x = XBlockOf(b.method);
        const int d = static_cast<int>(b.d);
        std::set<std::string> spans;
        for (const auto& integral : b.integrals)
            spans.insert(integral.second);
        for (const std::string& span : spans) {
            for (int used : {0, 1, 2}) {
                SCOPED_TRACE(std::string(b.method) + " " + "XYZ"[d] + " " + span + " order " +
                             std::to_string(used));
                std::vector<FakeDirection> directions(3, Trivial());
                // A lower-case method text enters the block too.
                std::string method = b.method;
                std::transform(method.begin(), method.end(), method.begin(), ::tolower);
                directions[d] = MakeDirection(method, place.p, place.lengths, place.elements);
                directions[d].orderUsed = used;
                FakeScheme scheme = Scheme(directions, {NameOf(span)});
                std::string got;
                for (const Instance& at : scheme.Walk(Programs3D())) {
                    const bool onLine = at.node[(d + 1) % 3] == 1 && at.node[(d + 2) % 3] == 1;
                    if (!onLine || !Contains(b.Families(), at.family)) continue;
                    got += (got.empty() ? "" : " ") + std::to_string(XFamilyOf(b, at.family)) +
                           '@' + std::to_string(DefinedNode(at)) + ':' + std::to_string(at.section);
                }
                std::vector<int> kept = {x.integrals.front().first, x.integrals.back().first};
                if (used > 0) kept.insert(kept.end(), x.first.begin(), x.first.end());
                if (used > 1) kept.insert(kept.end(), {x.second, x.join});
                std::string expected;
                const std::string all = place.sequence;
                for (std::size_t at = 0; at < all.size();) {
                    const std::size_t next = std::min(all.find(' ', at), all.size());
                    const std::string item = all.substr(at, next - at);
                    if (Contains(kept, std::stoi(item)))
                        expected += (expected.empty() ? "" : " ") + item;
                    at = next + 1;
                }
                EXPECT_EQ(got, expected);
            }
        }
    }
}

// An integral family along d is registered for every requested integral that spans the same
// directions up to d: IDX along x for all four names with x, IDY along y for "idy" and "idydz".
TEST(Programs3DBackwardForward, EachIntegralFamilyFollowsTheNamesThatNeedIt) {
    for (const char* method : {"BFD1", "BFD2", "FFD1", "FFD2"}) {
        for (IntegralName name : kAllIntegrals) {
            std::vector<FakeDirection> grids(
                3, MakeDirection(method, PolyPointsOf(method), {1.0}, {2}));
            for (FakeDirection& g : grids)
                g.orderUsed = 0;
            FakeScheme scheme = Scheme(grids, {name});
            std::set<int> got, expected;
            for (const Instance& at : scheme.Walk(Programs3D()))
                if (at.family > 12) got.insert(at.family);
            const std::string spans = std::string(IntegralNameText(name)).substr(1);
            for (const Block& b : kBlocks) {
                if (std::strcmp(b.method, method) != 0) continue;
                std::string upToOwn;
                for (char c : spans)
                    if (c != 'd' && Axis(c) <= static_cast<int>(b.d)) upToOwn += c;
                for (const auto& integral : b.integrals)
                    if (integral.second == upToOwn) expected.insert(integral.first);
            }
            EXPECT_EQ(got, expected) << method << ' ' << IntegralNameText(name);
        }
    }
}

// Grids of several sections, different in each direction, whose joins the closed interiors
// leave out.
std::vector<FakeDirection> Grids(const char* method) {
    const int p = PolyPointsOf(method);
    const std::vector<std::vector<int>> elements =
        p == 0 ? std::vector<std::vector<int>>{{1, 2}, {1, 1, 2}, {2, 3}}
               : std::vector<std::vector<int>>{{2, 1}, {1, 1, 2}, {3, 2}};
    const std::vector<std::vector<double>> lengths = {{0.2, 0.5}, {0.1, 0.4, 0.3}, {0.6, 0.5}};
    std::vector<FakeDirection> grids;
    for (int d = 0; d < 3; ++d)
        grids.push_back(MakeDirection(method, p, lengths[d], elements[d]));
    return grids;
}

TEST(Programs3DBackwardForward, LoopsNestAndRangeOverTheOtherDirectionsAsEachBlockSays) {
    for (const char* method : {"BFD1", "BFD2", "FFD1", "FFD2"}) {
        FakeScheme scheme = Scheme(Grids(method));
        ASSERT_EQ(CheckGrid(Programs3D(), scheme), GridAccepted) << method;
        const std::vector<Instance>& walk = scheme.Walk(Programs3D());
        for (const Block& b : kBlocks) {
            if (std::strcmp(b.method, method) != 0) continue;
            const int d = static_cast<int>(b.d);
            SCOPED_TRACE(std::string(method) + " " + "XYZ"[d]);
            // Runs in order, each ascending in its loop variables.
            const std::vector<Segment> segments = Segments(b);
            std::size_t run = 0;
            const Instance* last = nullptr;
            std::map<int, long long> counts, line;
            for (const Instance& at : walk) {
                if (!Contains(b.Families(), at.family)) continue;
                while (run < segments.size() && !Contains(segments[run].families, at.family)) {
                    ++run;
                    last = nullptr;
                }
                ASSERT_LT(run, segments.size()) << "family " << at.family << " out of order";
                if (last != nullptr) {
                    EXPECT_LT(KeyOf(*last, segments[run].key), KeyOf(at, segments[run].key))
                        << at.family;
                }
                last = &at;
                ++counts[at.family];
                const int a = (d + 1) % 3, c = (d + 2) % 3;
                if (at.node[a] == scheme.directions[a].endNode() &&
                    at.node[c] == scheme.directions[c].endNode())
                    ++line[at.family];
            }
            EXPECT_EQ(run, segments.size() - 1);
            // Each family over its sets of the other directions: all nodes (E+1), from node 1
            // (E) or the closed interior (O).
            for (int family : b.Families()) {
                long long expected = line[family];
                EXPECT_GT(expected, 0) << family;
                for (int other = 0; other < 3; ++other) {
                    if (other == d) continue;
                    FakeDirection& g = scheme.directions[other];
                    const char letter = "xyz"[other];
                    long long size = g.endNode() + 1;
                    if (family == b.second || (family == b.join && other < d))
                        size = g.closedCount();
                    for (const auto& integral : b.integrals)
                        if (integral.first == family &&
                            integral.second.find(letter) != std::string::npos)
                            size = g.endNode();
                    expected *= size;
                }
                EXPECT_EQ(counts[family], expected) << family;
            }
        }
    }
}

TEST(Programs3DBackwardForward, EveryTermLiesInTheGridAndInItsOwnSection) {
    for (const char* method : {"BFD1", "BFD2", "FFD1", "FFD2"}) {
        FakeScheme scheme = Scheme(Grids(method));
        for (const Instance& at : scheme.Walk(Programs3D())) {
            const int d = static_cast<int>(at.direction);
            FakeDirection& own = scheme.directions[d];
            long long low = 0, high = own.endNode();
            if (at.section > 0) {
                low = own.base(at.section);
                high = low + own.nodeCount(at.section);
            }
            for (int t = 0; t < at.stencil->tokenCount; ++t) {
                const Token& token = at.stencil->tokens[t];
                if (token.kind != Token::Kind::Variable || token.field == Field::Step) continue;
                EXPECT_GE(at.anchor + token.offset, low) << at.family;
                EXPECT_LE(at.anchor + token.offset, high) << at.family;
            }
            for (int other = 0; other < 3; ++other) {
                EXPECT_GE(at.node[other], 0) << at.family;
                EXPECT_LE(at.node[other], scheme.directions[other].endNode()) << at.family;
            }
        }
    }
}

// Each method once in each direction beside two others; the variable is linear along the
// one-step methods and quadratic along the two-step ones, for which their stencils are exact.
TEST(Programs3DBackwardForward, ResidualsVanishOnVariablesTheStencilsAreExactFor) {
    const char* const mixes[][3] = {{"BFD1", "BFD2", "FFD1"},
                                    {"FFD2", "BFD1", "BFD2"},
                                    {"FFD1", "FFD2", "BFD1"},
                                    {"BFD2", "FFD1", "FFD2"}};
    std::map<int, int> checked;
    for (const auto& mix : mixes) {
        std::vector<FakeDirection> grids;
        Term p; // VALUE = px(x) py(y) pz(z)
        for (int d = 0; d < 3; ++d) {
            grids.push_back(Grids(mix[d])[d]);
            p.push_back(Polynomial(PolyPointsOf(mix[d]) == 0
                                       ? std::vector<double>{0.7 + d, -1.3}
                                       : std::vector<double>{0.7 + d, -1.3, 2.1 - d}));
        }
        FakeScheme scheme = Scheme(grids);
        const Manufactured exact = OnGrids({p}, scheme);
        for (const Instance& at : scheme.Walk(Programs3D())) {
            if (at.family <= 12) continue; // op1 of an integral on its start plane
            const Residual residual = ResidualOf(exact, scheme, at);
            EXPECT_LE(std::fabs(residual.value), 1e-12 * residual.size)
                << mix[0] << ' ' << mix[1] << ' ' << mix[2] << " family " << at.family;
            ++checked[at.family];
        }
    }
    EXPECT_EQ(checked.size(), 102u); // every family of the four methods
}

// Sections that the domain never lays out for these methods but user-fixed counts can make:
// refused before an equation could reach outside its section or leave a node without one.
TEST(Programs3DBackwardForward, LayoutsTheStencilsDoNotFitAreRefused) {
    struct Case {
        const char* method;
        int p;
        std::vector<FakeSection> parts;
        bool integrals;
        GridRefusal expected;
    };
    const std::vector<Case> cases = {
        {"FFD1", 0, {{0, 2, 2, 0.5}, {2, 0, 0, 0.5}}, false, RefusedOutsideSection},
        {"BFD2", 1, {{0, 2, 1, 0.5}, {2, 1, 1, 0.5}}, false, RefusedOutsideSection},
        {"FFD2", 1, {{0, 2, 1, 0.5}, {2, 1, 1, 0.5}}, false, RefusedOutsideSection},
        {"FFD2", 1, {{0, 3, 1, 0.5}}, true, RefusedUntiled},
        {"FFD2", 1, {{0, 3, 1, 0.5}}, false, GridAccepted},
        {"BFD1", 0, {{0, 1, 1, 0.5}, {1, 2, 2, 0.5}}, true, GridAccepted},
    };
    for (const Case& c : cases) {
        for (int d = 0; d < 3; ++d) {
            std::vector<FakeDirection> directions(3, Trivial());
            FakeDirection& own = directions[d];
            own.method = c.method;
            own.p = c.p;
            own.parts = c.parts;
            own.x.assign(c.parts.back().base + c.parts.back().nodeCount + 1, 0.0);
            // Every node but the joins of the sections, as the domain's INTERIOR leaves them.
            own.closed.clear();
            for (int k = 0; k <= own.endNode(); ++k)
                own.closed.push_back(k);
            for (std::size_t s = 1; s < c.parts.size(); ++s)
                own.closed.erase(std::remove(own.closed.begin(), own.closed.end(), c.parts[s].base),
                                 own.closed.end());
            FakeScheme scheme =
                Scheme(directions, c.integrals ? kAllIntegrals : std::vector<IntegralName>{});
            EXPECT_EQ(CheckGrid(Programs3D(), scheme), c.expected) << c.method << " along " << d;
        }
    }
}

} // namespace
} // namespace norvane::test
