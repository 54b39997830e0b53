// The three-dimensional scheme: the start planes, then for each method its X, Y and Z blocks.
// A family k of this type names the one-dimensional site whose stencil it applies, or writes
// its own stencil where the three-dimensional residual differs.
#include "types/distribution3d/programs3d.h"

#include <iterator>

namespace norvane {
namespace {

constexpr Direction X = Direction::X;
constexpr Direction Y = Direction::Y;
constexpr Direction Z = Direction::Z;

// clang-format off
constexpr BlockProgramText kPrograms[] = {
    // Start planes: each integral is zero on the planes where its integration starts.
    {nullptr, X, 1, "integral idx,idxdy,idxdz,idxdydz { for y 0..E { for z 0..E { at 0 { 1: 1 } } } }"},
    {nullptr, Y, 2, "integral idy,idydz { for x 0..E { for z 0..E { at 0 { 2: 1 } } } }"},
    {nullptr, Z, 3, "integral idz { for x 0..E { for y 0..E { at 0 { 3: 1 } } } }"},
    {nullptr, X, 4, "integral idxdy,idxdydz { for y 0..E { for z 0..E { at 0 { 4: 1 xy } } } }"},
    {nullptr, Y, 4, "integral idxdy,idxdydz { for x 1..E { for z 0..E { at 0 { 5: 1 xy } } } }"},
    {nullptr, X, 5, "integral idxdz { for y 0..E { for z 0..E { at 0 { 6: 1 xz } } } }"},
    {nullptr, Z, 5, "integral idxdz { for x 1..E { for y 0..E { at 0 { 7: 1 xz } } } }"},
    {nullptr, Y, 6, "integral idydz { for x 0..E { for z 0..E { at 0 { 8: 1 yz } } } }"},
    {nullptr, Z, 6, "integral idydz { for x 0..E { for y 1..E { at 0 { 9: 1 yz } } } }"},
    {nullptr, X, 7, "integral idxdydz { for y 0..E { for z 0..E { at 0 { 10: 1 xyz } } } }"},
    {nullptr, Y, 7, "integral idxdydz { for x 1..E { for z 0..E { at 0 { 11: 1 xyz } } } }"},
    {nullptr, Z, 7, "integral idxdydz { for x 1..E { for y 1..E { at 0 { 12: 1 xyz } } } }"},

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

const ProgramSet& Programs3D() {
    static const StaticProgramSet<static_cast<int>(std::size(kPrograms)), CountWords(kPrograms)>
        programs(kPrograms);
    return programs;
}

} // namespace norvane
