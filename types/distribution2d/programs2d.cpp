// The two-dimensional scheme: the start groups, then for each method its X block and its Y
// block. A family k of this type names the one-dimensional site whose stencil it applies, or
// writes its own stencil where the two-dimensional residual differs.
#include "types/distribution2d/programs2d.h"

#include <iterator>

namespace norvane {
namespace {

constexpr Direction X = Direction::X;
constexpr Direction Y = Direction::Y;

// clang-format off
constexpr BlockProgramText kPrograms[] = {
    // Start groups: each integral is zero on the line where its integration starts.
    {nullptr, X, 1, "integral idx,idxdy { for y 0..E { at 0 { 1: 1 } } }"},
    {nullptr, Y, 2, "integral idy { for x 0..E { at 0 { 2: 1 } } }"},
    {nullptr, X, 3, "integral idxdy { for y 0..E { at 0 { 3: 1 xy } } }"},
    {nullptr, Y, 3, "integral idxdy { for x 1..E { at 0 { 4: 1 xy } } }"},

    // BFD1
    // (BFD1 programs)

    // BFD2
    // (BFD2 programs)

    // FFD1
    // (FFD1 programs)

    // FFD2
    // (FFD2 programs)

    // CFD2
    // (CFD2 programs)

    // CFD4
    // (CFD4 programs)

    // UBFD4
    // (UBFD4 programs)

    // OCFE2
    // (OCFE2 programs)

    // OCFE3
    // (OCFE3 programs)

    // OCFE4
    // (OCFE4 programs)
};
// clang-format on

} // namespace

const ProgramSet& Programs2D() {
    static const StaticProgramSet<static_cast<int>(std::size(kPrograms)), CountWords(kPrograms)>
        programs(kPrograms);
    return programs;
}

} // namespace norvane
