// The one-dimensional scheme. Family k uses site k of the catalogue. The finite-difference
// blocks run each sub-block over all sections in turn; the collocation blocks run the three
// sub-blocks within each section.
#include "types/distribution1d/programs1d.h"

#include <iterator>

namespace norvane {
namespace {

constexpr Direction X = Direction::X;

// clang-format off
constexpr BlockProgramText kPrograms[] = {
    {nullptr, X, 1, "integral idx { at 0 { 1: 1 } }"},
    {"BFD1", X, 2, R"(
        first { for s { if s=1 { at B { 2: 2 } } for n B+1..L { 3: 3 } } }
        second { for s { for n B+1..L-1 { 4: 4 } if s>1 { at B { 5: 5 } } } }
        integral idx { for s { for n B..L-1 { 6: 6 } } })"},
    {"BFD2", X, 3, R"(
        first { for s { if s=1 { at B { 7: 7 } } at B { 8: 8 } for n B+2..L { 9: 9 } } }
        second { for s { for n B+1..L-1 { 10: 10 } if s>1 { at B { 11: 11 } } } }
        integral idx { for s { for e { 12: 12 13: 13 } } })"},
    {"FFD1", X, 4, R"(
        first { for s { if s=1 { at B { 14: 14 } } for n B+1..L-1 { 15: 15 } at L { 16: 16 } } }
        second { for s { for n B+1..L-1 { 17: 17 } if s>1 { at B { 18: 18 } } } }
        integral idx { for s { for n B..L-1 { 19: 19 } } })"},
    {"FFD2", X, 5, R"(
        first { for s { if s=1 { at B { 20: 20 } } for n B+1..L-2 { 21: 21 }
                        at L-1 { 22: 22 } at L { 23: 23 } } }
        second { for s { for n B+1..L-1 { 24: 24 } if s>1 { at B { 25: 25 } } } }
        integral idx { for s { for e { 26: 26 27: 27 } } })"},
    {"CFD2", X, 6, R"(
        first { for s { if s=1 { at B { 28: 28 } } for n B+1..L-1 { 29: 29 } at L { 30: 30 } } }
        second { for s { for n B+1..L-1 { 31: 31 } if s>1 { at B { 32: 32 } } } }
        integral idx { for s { for e { 33: 33 34: 34 } } })"},
    {"CFD4", X, 7, R"(
        first { for s { if s=1 { at B { 35: 35 } } at B+1 { 36: 36 } for n B+2..L-2 { 37: 37 }
                        at L-1 { 38: 38 } at L { 39: 39 } } }
        second { for s { at B+1 { 40: 40 } for n B+2..L-2 { 41: 41 } at L-1 { 42: 42 }
                         if s>1 { at B { 43: 43 } } } }
        integral idx { for s { for e { 44: 44 45: 45 46: 46 47: 47 } } })"},
    {"UBFD4", X, 8, R"(
        first { for s { if s=1 { at B { 48: 48 } } at B+1 { 49: 49 } at B+2 { 50: 50 }
                        for n B+3..L-1 { 51: 51 } at L { 52: 52 } } }
        second { for s { at B+1 { 53: 53 } at B+2 { 54: 54 } for n B+3..L-1 { 55: 55 }
                         if s>1 { at B { 56: 56 } } } }
        integral idx { for s { for e { 57: 57 58: 58 59: 59 60: 60 } } })"},
    {"OCFE2", X, 9, R"(
        for s {
            first { if s=1 { at B { 61: 61 } } for e { 62: 62 63: 63 } }
            second { for e { if join { 64: 64 } 65: 65 } }
            integral idx { for e { 66: 66 67: 67 } } })"},
    {"OCFE3", X, 10, R"(
        for s {
            first { if s=1 { at B { 68: 68 } } for e { 69: 69 70: 70 71: 71 } }
            second { for e { if join { 72: 72 } 73: 73 74: 74 } }
            integral idx { for e { 75: 75 76: 76 77: 77 } } })"},
    {"OCFE4", X, 11, R"(
        for s {
            first { if s=1 { at B { 78: 78 } } for e { 79: 79 80: 80 81: 81 82: 82 } }
            second { for e { if join { 83: 83 } 84: 84 85: 85 86: 86 } }
            integral idx { for e { 87: 87 88: 88 89: 89 90: 90 } } })"},
};
// clang-format on

} // namespace

const ProgramSet& Programs1D() {
    static const StaticProgramSet<static_cast<int>(std::size(kPrograms)), CountWords(kPrograms)>
        programs(kPrograms);
    return programs;
}

} // namespace norvane
