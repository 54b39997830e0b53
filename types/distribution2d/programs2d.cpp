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
    {"CFD4", X, 14, R"(
        first { for y 0..E { for s {
            if s=1 { at B { 79: 35 } } at B+1 { 80: 36 } for n B+2..L-2 { 81: 37 }
            at L-1 { 82: 38 } at L { 83: 39 } } } }
        second { for s {
            for y closed { at B+1 { 84: 40 } for n B+2..L-2 { 85: 41 } at L-1 { 86: 42 } }
            for y 0..E { if s>1 { at B { 87: 43 } } } } }
        integral idx,idxdy { for y 0..E { for s { for e { 88: 44 89: 45 90: 46 91: 47 } } } })"},
    {"CFD4", Y, 15, R"(
        first { for x 0..E { for s {
            if s=1 { at B { 92: 35 } } at B+1 { 93: 36 } for n B+2..L-2 { 94: 37 }
            at L-1 { 95: 38 } at L { 96: 39 } } } }
        second { for s {
            for x closed { at B+1 { 97: 40 } for n B+2..L-2 { 98: 41 } at L-1 { 99: 42 } }
            if s>1 { for x closed { at B { 100: 43 } } } } }
        integral idy { for x 0..E { for s { for e { 101: 44 102: 45 103: 46 104: 47 } } } }
        integral idxdy { for x 1..E { for s { for e {
            105: 44 xy 106: 45 xy 107: 46 xy 108: 47 xy } } } })"},

    // UBFD4
    {"UBFD4", X, 16, R"(
        first { for y 0..E { for s {
            if s=1 { at B { 109: 48 } } at B+1 { 110: 49 } at B+2 { 111: 50 }
            for n B+3..L-1 { 112: 51 } at L { 113: 52 } } } }
        second { for s {
            for y closed { at B+1 { 114: 53 } at B+2 { 115: 54 } for n B+3..L-1 { 116: 55 } }
            for y 0..E { if s>1 { at B { 117: 56 } } } } }
        integral idx,idxdy { for y 0..E { for s { for e {
            118: 57 119: 58 120: 59 121: 60 } } } })"},
    {"UBFD4", Y, 17, R"(
        first { for x 0..E { for s {
            if s=1 { at B { 122: 48 } } at B+1 { 123: 49 } at B+2 { 124: 50 }
            for n B+3..L-1 { 125: 51 } at L { 126: 52 } } } }
        second { for s {
            for x closed { at B+1 { 127: 53 } at B+2 { 128: 54 } for n B+3..L-1 { 129: 55 } }
            if s>1 { for x closed { at B { 130: 56 } } } } }
        integral idy { for x 0..E { for s { for e { 131: 57 132: 58 133: 59 134: 60 } } } }
        integral idxdy { for x 1..E { for s { for e {
            135: 57 xy 136: 58 xy 137: 59 xy 138: 60 xy } } } })"},

    // OCFE2
    {"OCFE2", X, 18, R"(
        first { for y 0..E { for s { if s=1 { at B { 139: 61 } } for e { 140: 62 141: 63 } } } }
        second { for s { for e { for y closed { 142: 65 } for y 0..E { if join { 143: 64 } } } } }
        integral idx,idxdy { for y 0..E { for s { for e { 144: 66 145: 67 } } } })"},
    {"OCFE2", Y, 19, R"(
        first { for x 0..E { for s { if s=1 { at B { 146: 61 } } for e { 147: 62 148: 63 } } } }
        second { for s { for e { if join { for x closed { 149: 64 } } for x closed { 150: 65 } } } }
        integral idy { for x 0..E { for s { for e { 151: 66 152: 67 } } } }
        integral idxdy { for x 1..E { for s { for e { 153: 66 xy 154: 67 xy } } } })"},

    // OCFE3
    {"OCFE3", X, 20, R"(
        first { for y 0..E { for s {
            if s=1 { at B { 155: 68 } } for e { 156: 69 157: 70 158: 71 } } } }
        second { for s { for e {
            if join { for y 0..E { 159: 72 } } for y closed { 160: 73 161: 74 } } } }
        integral idx,idxdy { for y 0..E { for s { for e { 162: 75 163: 76 164: 77 } } } })"},
    {"OCFE3", Y, 21, R"(
        first { for x 0..E { for s {
            if s=1 { at B { 165: 68 } } for e { 166: 69 167: 70 168: 71 } } } }
        second { for s { for e {
            for x closed { 169: 73 170: 74 } if join { for x closed { 171: 72 } } } } }
        integral idy { for x 0..E { for s { for e { 172: 75 173: 76 174: 77 } } } }
        integral idxdy { for x 1..E { for s { for e { 175: 75 xy 176: 76 xy 177: 77 xy } } } })"},

    // OCFE4
    {"OCFE4", X, 22, R"(
        first { for y 0..E { for s {
            if s=1 { at B { 178: 78 } } for e { 179: 79 180: 80 181: 81 182: 82 } } } }
        second { for s { for e {
            if join { for y 0..E { 183: 83 } } for y closed { 184: 84 185: 85 186: 86 } } } }
        integral idx,idxdy { for y 0..E { for s { for e {
            187: 87 188: 88 189: 89 190: 90 } } } })"},
    {"OCFE4", Y, 23, R"(
        first { for x 0..E { for s {
            if s=1 { at B { 191: 78 } } for e { 192: 79 193: 80 194: 81 195: 82 } } } }
        second { for s { for e {
            for x closed { 196: 84 197: 85 198: 86 } if join { for x closed { 199: 83 } } } } }
        integral idy { for x 0..E { for s { for e { 200: 87 201: 88 202: 89 203: 90 } } } }
        integral idxdy { for x 1..E { for s { for e {
            204: 87 xy 205: 88 xy 206: 89 xy 207: 90 xy } } } })"},
};
// clang-format on

} // namespace

const ProgramSet& Programs2D() {
    static const StaticProgramSet<static_cast<int>(std::size(kPrograms)), CountWords(kPrograms)>
        programs(kPrograms);
    return programs;
}

} // namespace norvane
