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
    {"BFD1", X, 4, R"(
        first { for y 0..E { for s { if s=1 { at B { 5: 2 } } for n B+1..L { 6: 3 } } } }
        second { for s { for y closed { for n B+1..L-1 { 7: 4 } }
                         for y 0..E { if s>1 { at B { 8: 5 } } } } }
        integral idx,idxdy { for y 0..E { for s { for n B..L-1 { 9: 6 } } } })"},
    {"BFD1", Y, 5, R"(
        first { for x 0..E { for s { if s=1 { at B { 10: 2 } } for n B+1..L { 11: 3 } } } }
        second { for s { for x closed { for n B+1..L-1 { 12: 4 } }
                         if s>1 { for x closed { at B { 13: 5 } } } } }
        integral idy { for x 0..E { for s { for n B..L-1 { 14: 6 } } } }
        integral idxdy { for x 1..E { for s { for n B..L-1 { 15: 6 xy } } } })"},

    // BFD2
    {"BFD2", X, 6, R"(
        first { for y 0..E { for s { if s=1 { at B { 16: 7 } } at B { 17: 8 }
                                     for n B+2..L { 18: 9 } } } }
        second { for s { for y closed { for n B+1..L-1 { 19: 10 } }
                         for y 0..E { if s>1 { at B { 20: 11 } } } } }
        integral idx,idxdy { for y 0..E { for s { for e { 21: 12 22: 13 } } } })"},
    {"BFD2", Y, 7, R"(
        first { for x 0..E { for s { if s=1 { at B { 23: 7 } } at B { 24: 8 }
                                     for n B+2..L { 25: 9 } } } }
        second { for s { for x closed { for n B+1..L-1 { 26: 10 } }
                         if s>1 { for x closed { at B { 27: 11 } } } } }
        integral idy { for x 0..E { for s { for e { 28: 12 29: 13 } } } }
        integral idxdy { for x 1..E { for s { for e { 30: 12 xy 31: 13 xy } } } })"},

    // FFD1
    {"FFD1", X, 8, R"(
        first { for y 0..E { for s { if s=1 { at B { 32: 14 } } for n B+1..L-1 { 33: 15 }
                                     at L { 34: 16 } } } }
        second { for s { for y closed { for n B+1..L-1 { 35: 17 } }
                         for y 0..E { if s>1 { at B { 36: 18 } } } } }
        integral idx,idxdy { for y 0..E { for s { for n B..L-1 { 37: 19 } } } })"},
    {"FFD1", Y, 9, R"(
        first { for x 0..E { for s { if s=1 { at B { 38: 14 } } for n B+1..L-1 { 39: 15 }
                                     at L { 40: 16 } } } }
        second { for s { for x closed { for n B+1..L-1 { 41: 17 } }
                         if s>1 { for x closed { at B { 42: 18 } } } } }
        integral idy { for x 0..E { for s { for n B..L-1 { 43: 19 } } } }
        integral idxdy { for x 1..E { for s { for n B..L-1 { 44: 19 xy } } } })"},

    // FFD2
    {"FFD2", X, 10, R"(
        first { for y 0..E { for s { if s=1 { at B { 45: 20 } } for n B+1..L-2 { 46: 21 }
                                     at L-1 { 47: 22 } at L { 48: 23 } } } }
        second { for s { for y closed { for n B+1..L-1 { 49: 24 } }
                         for y 0..E { if s>1 { at B { 50: 25 } } } } }
        integral idx,idxdy { for y 0..E { for s { for e { 51: 26 52: 27 } } } })"},
    {"FFD2", Y, 11, R"(
        first { for x 0..E { for s { if s=1 { at B { 53: 20 } } for n B+1..L-2 { 54: 21 }
                                     at L-1 { 55: 22 } at L { 56: 23 } } } }
        second { for s { for x closed { for n B+1..L-1 { 57: 24 } }
                         if s>1 { for x closed { at B { 58: 25 } } } } }
        integral idy { for x 0..E { for s { for e { 59: 26 60: 27 } } } }
        integral idxdy { for x 1..E { for s { for e { 61: 26 xy 62: 27 xy } } } })"},

    // CFD2
    {"CFD2", X, 12, R"(
        first { for y 0..E { for s { if s=1 { at B { 63: 28 } } for n B+1..L-1 { 64: 29 }
                                     at L { 65: 30 } } } }
        second { for s { for y closed { for n B+1..L-1 { 66: 31 } }
                         for y 0..E { if s>1 { at B { 67: 32 } } } } }
        integral idx,idxdy { for y 0..E { for s { for e { 68: 33 69: 34 } } } })"},
    {"CFD2", Y, 13, R"(
        first { for x 0..E { for s { if s=1 { at B { 70: 28 } } for n B+1..L-1 { 71: 29 }
                                     at L { 72: 30 } } } }
        second { for s { for x closed { for n B+1..L-1 { 73: 31 } }
                         if s>1 { for x closed { at B { 74: 32 } } } } }
        integral idy { for x 0..E { for s { for e { 75: 33 76: 34 } } } }
        integral idxdy { for x 1..E { for s { for e { 77: 33 xy 78: 34 xy } } } })"},

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
