// The ten method blocks of the equation scheme as data: for each discretisation method, where
// along one direction its equation sites are placed within a section. The loops that run these
// placements are in scheme1d.cpp.
#pragma once

namespace norvane {

// The sub-blocks of a method block, in the order they run. Each has its own condition: the
// first derivative when HIGHESTORDERXDERIVATIVEUSED > 0, the second derivative (with the joins)
// when it is > 1, the integrals when INTEGRALS holds "idx".
enum class SubBlock : unsigned char { FirstDerivative, SecondDerivative, Integrals };

// A node of section s: its base B plus offset, or, fromLast, its last node B+N plus offset.
struct SectionNode {
    int offset;
    bool fromLast;
};
constexpr SectionNode operator+(SectionNode node, int k) {
    return {node.offset + k, node.fromLast};
}
constexpr SectionNode operator-(SectionNode node, int k) {
    return {node.offset - k, node.fromLast};
}

enum class Placement : unsigned char {
    Start,          // one instance at B of the first section only
    Nodes,          // one instance at each node from .. to of the section, ascending
    Join,           // one instance at B of every section but the first
    Elements,       // for each element e of the section, j = B + (e-1)(P+1): sites site ..
                    // site+siteCount-1 at j, in order
    JoinedElements, // as Elements, but the first site is the element join, placed only
                    // when j != 0 and HIGHESTORDERXDERIVATIVE == 2
};

struct PlacementStep {
    SubBlock subBlock;
    Placement placement;
    int site; // equation site number (first site of an element group)
    SectionNode from;
    SectionNode to;
    int siteCount; // element placements: sites per element
};

// How the loop over the sections encloses the sub-blocks.
enum class BlockLayout : unsigned char {
    FiniteDifference, // each sub-block runs its own loop over the sections
    Collocation,      // one loop over the sections runs the three sub-blocks in turn
};

struct MethodBlock {
    const char* method; // DISCRETIZATIONMETHOD that selects the block
    BlockLayout layout;
    const PlacementStep* steps; // in the order the block places them within a section
    int stepCount;
};

// The ten blocks in the fixed order BFD1, BFD2, FFD1, FFD2, CFD2, CFD4, UBFD4, OCFE2, OCFE3,
// OCFE4.
const MethodBlock* MethodBlocks();
int MethodBlockCount();

} // namespace norvane
