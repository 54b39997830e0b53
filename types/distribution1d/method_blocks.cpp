// Placement of every method's equation sites within a section; site numbers are those of
// stencils.cpp. "Base" is the section's first node B, "Last" its last node B+N.
#include "types/distribution1d/method_blocks.h"

namespace norvane {
namespace {

constexpr SectionNode Base{0, false};
constexpr SectionNode Last{0, true};

constexpr SubBlock First = SubBlock::FirstDerivative;
constexpr SubBlock Second = SubBlock::SecondDerivative;
constexpr SubBlock Integral = SubBlock::Integrals;

// The domain-start site, at the head of the first-derivative sub-block.
constexpr PlacementStep Start(int site) {
    return {First, Placement::Start, site, Base, Base, 1};
}
// The finite-difference join, at the end of a section's second-derivative pass.
constexpr PlacementStep Join(int site) {
    return {Second, Placement::Join, site, Base, Base, 1};
}
constexpr PlacementStep Nodes(SubBlock subBlock, int site, SectionNode from, SectionNode to) {
    return {subBlock, Placement::Nodes, site, from, to, 1};
}
constexpr PlacementStep Node(SubBlock subBlock, int site, SectionNode at) {
    return Nodes(subBlock, site, at, at);
}
constexpr PlacementStep Elements(SubBlock subBlock, int firstSite, int count) {
    return {subBlock, Placement::Elements, firstSite, Base, Base, count};
}
constexpr PlacementStep JoinedElements(int joinSite, int count) {
    return {Second, Placement::JoinedElements, joinSite, Base, Base, count};
}

// clang-format off
constexpr PlacementStep kBfd1[] = {
    Start(2),
    Nodes(First, 3, Base + 1, Last),
    Nodes(Second, 4, Base + 1, Last - 1),
    Join(5),
    Nodes(Integral, 6, Base, Last - 1),
};

constexpr PlacementStep kBfd2[] = {
    Start(7),
    Node(First, 8, Base), // written in B, for node B+1
    Nodes(First, 9, Base + 2, Last),
    Nodes(Second, 10, Base + 1, Last - 1),
    Join(11),
    Elements(Integral, 12, 2),
};

constexpr PlacementStep kFfd1[] = {
    Start(14),
    Nodes(First, 15, Base + 1, Last - 1),
    Node(First, 16, Last),
    Nodes(Second, 17, Base + 1, Last - 1),
    Join(18),
    Nodes(Integral, 19, Base, Last - 1),
};

constexpr PlacementStep kFfd2[] = {
    Start(20),
    Nodes(First, 21, Base + 1, Last - 2),
    Node(First, 22, Last - 1),
    Node(First, 23, Last),
    Nodes(Second, 24, Base + 1, Last - 1),
    Join(25),
    Elements(Integral, 26, 2),
};

constexpr PlacementStep kCfd2[] = {
    Start(28),
    Nodes(First, 29, Base + 1, Last - 1),
    Node(First, 30, Last),
    Nodes(Second, 31, Base + 1, Last - 1),
    Join(32),
    Elements(Integral, 33, 2),
};

constexpr PlacementStep kCfd4[] = {
    Start(35),
    Node(First, 36, Base + 1),
    Nodes(First, 37, Base + 2, Last - 2),
    Node(First, 38, Last - 1),
    Node(First, 39, Last),
    Node(Second, 40, Base + 1),
    Nodes(Second, 41, Base + 2, Last - 2),
    Node(Second, 42, Last - 1),
    Join(43),
    Elements(Integral, 44, 4),
};

constexpr PlacementStep kUbfd4[] = {
    Start(48),
    Node(First, 49, Base + 1),
    Node(First, 50, Base + 2),
    Nodes(First, 51, Base + 3, Last - 1),
    Node(First, 52, Last),
    Node(Second, 53, Base + 1),
    Node(Second, 54, Base + 2),
    Nodes(Second, 55, Base + 3, Last - 1),
    Join(56),
    Elements(Integral, 57, 4),
};

constexpr PlacementStep kOcfe2[] = {
    Start(61),
    Elements(First, 62, 2),
    JoinedElements(64, 2),
    Elements(Integral, 66, 2),
};

constexpr PlacementStep kOcfe3[] = {
    Start(68),
    Elements(First, 69, 3),
    JoinedElements(72, 3),
    Elements(Integral, 75, 3),
};

constexpr PlacementStep kOcfe4[] = {
    Start(78),
    Elements(First, 79, 4),
    JoinedElements(83, 4),
    Elements(Integral, 87, 4),
};
// clang-format on

template <int N>
constexpr MethodBlock Block(const char* method, BlockLayout layout,
                            const PlacementStep (&steps)[N]) {
    return {method, layout, steps, N};
}

constexpr MethodBlock kBlocks[] = {
    Block("BFD1", BlockLayout::FiniteDifference, kBfd1),
    Block("BFD2", BlockLayout::FiniteDifference, kBfd2),
    Block("FFD1", BlockLayout::FiniteDifference, kFfd1),
    Block("FFD2", BlockLayout::FiniteDifference, kFfd2),
    Block("CFD2", BlockLayout::FiniteDifference, kCfd2),
    Block("CFD4", BlockLayout::FiniteDifference, kCfd4),
    Block("UBFD4", BlockLayout::FiniteDifference, kUbfd4),
    Block("OCFE2", BlockLayout::Collocation, kOcfe2),
    Block("OCFE3", BlockLayout::Collocation, kOcfe3),
    Block("OCFE4", BlockLayout::Collocation, kOcfe4),
};

} // namespace

const MethodBlock* MethodBlocks() {
    return kBlocks;
}

int MethodBlockCount() {
    return static_cast<int>(sizeof kBlocks / sizeof kBlocks[0]);
}

} // namespace norvane
