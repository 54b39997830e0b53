// The loops of the equation scheme: one interpreter for the finite-difference layout and one
// for the collocation layout, both placing the steps of method_blocks.cpp.
#include "types/distribution1d/scheme1d.h"

#include "types/distribution1d/method_blocks.h"

namespace norvane {
namespace {

constexpr SubBlock kSubBlocks[] = {SubBlock::FirstDerivative, SubBlock::SecondDerivative,
                                   SubBlock::Integrals};

// Node numbers are formed in 64 bits: a grid near the 32-bit limit must not overflow here.
long long NodeOf(SchemeInputs& in, int s, SectionNode node) {
    return static_cast<long long>(in.base(s)) + node.offset + (node.fromLast ? in.nodeCount(s) : 0);
}

void Emit(SchemeSink& out, int site, long long anchor, int s) {
    out.instance(StencilByNumber(site), anchor, s);
}

void PlaceElements(SchemeInputs& in, SchemeSink& out, const PlacementStep& step, int s) {
    const int count = in.elements(s);
    for (int e = 1; e <= count; ++e) {
        const long long j = in.base(s) + (e - 1) * (static_cast<long long>(in.polyPoints()) + 1);
        int site = step.site;
        if (step.placement == Placement::JoinedElements) {
            if (j != 0 && in.highestOrder() == 2) Emit(out, site, j, s);
            ++site;
        }
        for (; site < step.site + step.siteCount; ++site)
            Emit(out, site, j, s);
    }
}

void Place(SchemeInputs& in, SchemeSink& out, const PlacementStep& step, int s) {
    switch (step.placement) {
    case Placement::Start:
        if (s == 1) Emit(out, step.site, in.base(s), s);
        break;
    case Placement::Join:
        if (s != 1) Emit(out, step.site, in.base(s), s);
        break;
    case Placement::Nodes: {
        const long long from = NodeOf(in, s, step.from);
        const long long to = NodeOf(in, s, step.to);
        for (long long i = from; i <= to; ++i)
            Emit(out, step.site, i, s);
        break;
    }
    case Placement::Elements:
    case Placement::JoinedElements:
        PlaceElements(in, out, step, s);
        break;
    }
}

void PlaceSubBlock(SchemeInputs& in, SchemeSink& out, const MethodBlock& block, SubBlock subBlock,
                   int s) {
    for (int k = 0; k < block.stepCount; ++k) {
        if (block.steps[k].subBlock == subBlock) Place(in, out, block.steps[k], s);
    }
}

// Each sub-block under its condition runs its own loop over the sections, so all instances of
// one sub-block precede those of the next.
void WalkFiniteDifference(SchemeInputs& in, SchemeSink& out, const MethodBlock& block) {
    for (SubBlock subBlock : kSubBlocks) {
        if (!SubBlockRuns(in, subBlock)) continue;
        const int sections = in.sections();
        for (int s = 1; s <= sections; ++s)
            PlaceSubBlock(in, out, block, subBlock, s);
    }
}

// One loop over the sections; within each section the sub-blocks run in turn, their
// conditions tested anew for every section.
void WalkCollocation(SchemeInputs& in, SchemeSink& out, const MethodBlock& block) {
    const int sections = in.sections();
    for (int s = 1; s <= sections; ++s) {
        for (SubBlock subBlock : kSubBlocks) {
            if (SubBlockRuns(in, subBlock)) PlaceSubBlock(in, out, block, subBlock, s);
        }
    }
}

} // namespace

bool SubBlockRuns(SchemeInputs& in, SubBlock subBlock) {
    switch (subBlock) {
    case SubBlock::FirstDerivative:
        return in.highestOrderUsed() > 0;
    case SubBlock::SecondDerivative:
        return in.highestOrderUsed() > 1;
    case SubBlock::Integrals:
        return in.integrals();
    }
    return false;
}

void WalkScheme1D(SchemeInputs& in, SchemeSink& out) {
    if (in.integrals()) Emit(out, 1, 0, 0);
    // Every block's test is made: the method names differ, so at most one block runs.
    const MethodBlock* blocks = MethodBlocks();
    for (int m = 0; m < MethodBlockCount(); ++m) {
        if (!in.methodIs(blocks[m].method)) continue;
        if (blocks[m].layout == BlockLayout::FiniteDifference) {
            WalkFiniteDifference(in, out, blocks[m]);
        } else {
            WalkCollocation(in, out, blocks[m]);
        }
    }
}

} // namespace norvane
