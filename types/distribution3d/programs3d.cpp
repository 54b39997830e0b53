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
    {"BFD1", X, 8, R"(
        first { for z 0..E { for y 0..E { for s {
            if s=1 { at B { 13: 2 } } for n B+1..L { 14: 3 } } } } }
        second { for s {
            for z closed { for y closed { for n B+1..L-1 { 15: 4 } } }
            if s>1 { for z 0..E { for y 0..E { at B { 16: 5 } } } } } }
        integral idx,idxdy,idxdz,idxdydz {
            for z 0..E { for y 0..E { for s { for n B..L-1 { 17: 6 } } } } })"},
    {"BFD1", Y, 9, R"(
        first { for z 0..E { for x 0..E { for s {
            if s=1 { at B { 18: 2 } } for n B+1..L { 19: 3 } } } } }
        second { for s {
            for x closed { for z closed { for n B+1..L-1 { 20: 4 } } }
            if s>1 { for x closed { for z 0..E { at B { 21: 5 } } } } } }
        integral idy,idydz { for z 0..E { for x 0..E { for s { for n B..L-1 { 22: 6 } } } } }
        integral idxdy,idxdydz {
            for z 0..E { for x 1..E { for s { for n B..L-1 { 23: 6 xy } } } } })"},
    {"BFD1", Z, 10, R"(
        first { for y 0..E { for x 0..E { for s {
            if s=1 { at B { 24: 2 } } for n B+1..L { 25: 3 } } } } }
        second { for s {
            for x closed { for y closed { for n B+1..L-1 { 26: 4 } } }
            if s>1 { for x closed { for y closed { at B { 27: 5 } } } } } }
        integral idz { for y 0..E { for x 0..E { for s { for n B..L-1 { 28: 6 } } } } }
        integral idxdz { for y 0..E { for x 1..E { for s { for n B..L-1 { 29: 6 xz } } } } }
        integral idydz { for y 1..E { for x 0..E { for s { for n B..L-1 { 30: 6 yz } } } } }
        integral idxdydz { for y 1..E { for x 1..E { for s { for n B..L-1 { 31: 6 xyz } } } } })"},

    // BFD2
    {"BFD2", X, 11, R"(
        first { for z 0..E { for y 0..E { for s {
            if s=1 { at B { 32: 7 } } at B { 33: 8 } for n B+2..L { 34: 9 } } } } }
        second { for s {
            for y closed { for z closed { for n B+1..L-1 { 35: 10 } } }
            if s>1 { for y 0..E { for z 0..E { at B { 36: 11 } } } } } }
        integral idx,idxdy,idxdz,idxdydz {
            for z 0..E { for y 0..E { for s { for e { 37: 12 38: 13 } } } } })"},
    {"BFD2", Y, 12, R"(
        first { for z 0..E { for x 0..E { for s {
            if s=1 { at B { 39: 7 } } at B { 40: 8 } for n B+2..L { 41: 9 } } } } }
        second { for s {
            for x closed { for z closed { for n B+1..L-1 { 42: 10 } } }
            if s>1 { for x closed { for z 0..E { at B { 43: 11 } } } } } }
        integral idy,idydz { for z 0..E { for x 0..E { for s { for e { 44: 12 45: 13 } } } } }
        integral idxdy,idxdydz {
            for z 0..E { for x 1..E { for s { for e { 46: 12 xy 47: 13 xy } } } } })"},
    {"BFD2", Z, 13, R"(
        first { for y 0..E { for x 0..E { for s {
            if s=1 { at B { 48: 7 } } at B { 49: 8 } for n B+2..L { 50: 9 } } } } }
        second { for s {
            for x closed { for y closed { for n B+1..L-1 { 51: 10 } } }
            if s>1 { for x closed { for y closed { at B { 52: 11 } } } } } }
        integral idz { for y 0..E { for x 0..E { for s { for e { 53: 12 54: 13 } } } } }
        integral idxdz { for y 0..E { for x 1..E { for s { for e { 55: 12 xz 56: 13 xz } } } } }
        integral idydz { for y 1..E { for x 0..E { for s { for e { 57: 12 yz 58: 13 yz } } } } }
        integral idxdydz {
            for y 1..E { for x 1..E { for s { for e { 59: 12 xyz 60: 13 xyz } } } } })"},

    // FFD1
    {"FFD1", X, 14, R"(
        first { for z 0..E { for y 0..E { for s {
            if s=1 { at B { 61: 14 } } for n B+1..L-1 { 62: 15 } at L { 63: 16 } } } } }
        second { for s {
            for z closed { for y closed { for n B+1..L-1 { 64: 17 } } }
            if s>1 { for z 0..E { for y 0..E { at B { 65: 18 } } } } } }
        integral idx,idxdy,idxdz,idxdydz {
            for z 0..E { for y 0..E { for s { for n B..L-1 { 66: 19 } } } } })"},
    {"FFD1", Y, 15, R"(
        first { for z 0..E { for x 0..E { for s {
            if s=1 { at B { 67: 14 } } for n B+1..L-1 { 68: 15 } at L { 69: 16 } } } } }
        second { for s {
            for x closed { for z closed { for n B+1..L-1 { 70: 17 } } }
            if s>1 { for x closed { for z 0..E { at B { 71: 18 } } } } } }
        integral idy,idydz { for z 0..E { for x 0..E { for s { for n B..L-1 { 72: 19 } } } } }
        integral idxdy,idxdydz {
            for z 0..E { for x 1..E { for s { for n B..L-1 { 73: 19 xy } } } } })"},
    {"FFD1", Z, 16, R"(
        first { for y 0..E { for x 0..E { for s {
            if s=1 { at B { 74: 14 } } for n B+1..L-1 { 75: 15 } at L { 76: 16 } } } } }
        second { for s {
            for x closed { for y closed { for n B+1..L-1 { 77: 17 } } }
            if s>1 { for x closed { for y closed { at B { 78: 18 } } } } } }
        integral idz { for y 0..E { for x 0..E { for s { for n B..L-1 { 79: 19 } } } } }
        integral idxdz { for y 0..E { for x 1..E { for s { for n B..L-1 { 80: 19 xz } } } } }
        integral idydz { for y 1..E { for x 0..E { for s { for n B..L-1 { 81: 19 yz } } } } }
        integral idxdydz { for y 1..E { for x 1..E { for s { for n B..L-1 { 82: 19 xyz } } } } })"},

    // FFD2
    {"FFD2", X, 17, R"(
        first { for z 0..E { for y 0..E { for s {
            if s=1 { at B { 83: 20 } } for n B+1..L-2 { 84: 21 } at L-1 { 85: 22 } at L { 86: 23 }
        } } } }
        second { for s {
            for y closed { for z closed { for n B+1..L-1 { 87: 24 } } }
            if s>1 { for y 0..E { for z 0..E { at B { 88: 25 } } } } } }
        integral idx,idxdy,idxdz,idxdydz {
            for z 0..E { for y 0..E { for s { for e { 89: 26 90: 27 } } } } })"},
    {"FFD2", Y, 18, R"(
        first { for z 0..E { for x 0..E { for s {
            if s=1 { at B { 91: 20 } } for n B+1..L-2 { 92: 21 } at L-1 { 93: 22 } at L { 94: 23 }
        } } } }
        second { for s {
            for x closed { for z closed { for n B+1..L-1 { 95: 24 } } }
            if s>1 { for x closed { for z 0..E { at B { 96: 25 } } } } } }
        integral idy,idydz { for z 0..E { for x 0..E { for s { for e { 97: 26 98: 27 } } } } }
        integral idxdy,idxdydz {
            for z 0..E { for x 1..E { for s { for e { 99: 26 xy 100: 27 xy } } } } })"},
    {"FFD2", Z, 19, R"(
        first { for y 0..E { for x 0..E { for s {
            if s=1 { at B { 101: 20 } } for n B+1..L-2 { 102: 21 } at L-1 { 103: 22 }
            at L { 104: 23 } } } } }
        second { for s {
            for x closed { for y closed { for n B+1..L-1 { 105: 24 } } }
            if s>1 { for x closed { for y closed { at B { 106: 25 } } } } } }
        integral idz { for y 0..E { for x 0..E { for s { for e { 107: 26 108: 27 } } } } }
        integral idxdz {
            for y 0..E { for x 1..E { for s { for e { 109: 26 xz 110: 27 xz } } } } }
        integral idydz {
            for y 1..E { for x 0..E { for s { for e { 111: 26 yz 112: 27 yz } } } } }
        integral idxdydz {
            for y 1..E { for x 1..E { for s { for e { 113: 26 xyz 114: 27 xyz } } } } })"},

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
