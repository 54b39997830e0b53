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
    {"CFD2", X, 20, R"(
        first { for z 0..E { for y 0..E { for s {
            if s=1 { at B { 115: 28 } } for n B+1..L-1 { 116: 29 } at L { 117: 30 } } } } }
        second { for s {
            for y closed { for z closed { for n B+1..L-1 { 118: 31 } } }
            if s>1 { for y 0..E { for z 0..E { at B { 119: 32 } } } } } }
        integral idx,idxdy,idxdz,idxdydz {
            for z 0..E { for y 0..E { for s { for e { 120: 33 121: 34 } } } } })"},
    {"CFD2", Y, 21, R"(
        first { for z 0..E { for x 0..E { for s {
            if s=1 { at B { 122: 28 } } for n B+1..L-1 { 123: 29 } at L { 124: 30 } } } } }
        second { for s {
            for x closed { for z closed { for n B+1..L-1 { 125: 31 } } }
            if s>1 { for x closed { for z 0..E { at B { 126: 32 } } } } } }
        integral idy,idydz {
            for z 0..E { for x 0..E { for s { for e { 127: 33 128: 34 } } } } }
        integral idxdy,idxdydz {
            for z 0..E { for x 1..E { for s { for e { 129: 33 xy 130: 34 xy } } } } })"},
    {"CFD2", Z, 22, R"(
        first { for y 0..E { for x 0..E { for s {
            if s=1 { at B { 131: 28 } } for n B+1..L-1 { 132: 29 } at L { 133: 30 } } } } }
        second { for s {
            for x closed { for y closed { for n B+1..L-1 { 134: 31 } } }
            if s>1 { for x closed { for y closed { at B { 135: 32 } } } } } }
        integral idz {
            for y 0..E { for x 0..E { for s { for e { 136: 33 137: 34 } } } } }
        integral idxdz {
            for y 0..E { for x 1..E { for s { for e { 138: 33 xz 139: 34 xz } } } } }
        integral idydz {
            for y 1..E { for x 0..E { for s { for e { 140: 33 yz 141: 34 yz } } } } }
        integral idxdydz {
            for y 1..E { for x 1..E { for s { for e { 142: 33 xyz 143: 34 xyz } } } } })"},

    // CFD4
    {"CFD4", X, 23, R"(
        first { for z 0..E { for y 0..E { for s {
            if s=1 { at B { 144: 35 } } at B+1 { 145: 36 } for n B+2..L-2 { 146: 37 }
            at L-1 { 147: 38 } at L { 148: 39 } } } } }
        second { for s {
            for y closed { for z closed {
                at B+1 { 149: 40 } for n B+2..L-2 { 150: 41 } at L-1 { 151: 42 } } }
            if s>1 { for y 0..E { for z 0..E { at B { 152: 43 } } } } } }
        integral idx,idxdy,idxdz,idxdydz { for z 0..E { for y 0..E { for s { for e {
            153: 44 154: 45 155: 46 156: 47 } } } } })"},
    {"CFD4", Y, 24, R"(
        first { for z 0..E { for x 0..E { for s {
            if s=1 { at B { 157: 35 } } at B+1 { 158: 36 } for n B+2..L-2 { 159: 37 }
            at L-1 { 160: 38 } at L { 161: 39 } } } } }
        second { for s {
            for x closed { for z closed {
                at B+1 { 162: 40 } for n B+2..L-2 { 163: 41 } at L-1 { 164: 42 } } }
            if s>1 { for x closed { for z 0..E { at B { 165: 43 } } } } } }
        integral idy,idydz { for z 0..E { for x 0..E { for s { for e {
            166: 44 167: 45 168: 46 169: 47 } } } } }
        integral idxdy,idxdydz { for z 0..E { for x 1..E { for s { for e {
            170: 44 xy 171: 45 xy 172: 46 xy 173: 47 xy } } } } })"},
    {"CFD4", Z, 25, R"(
        first { for y 0..E { for x 0..E { for s {
            if s=1 { at B { 174: 35 } } at B+1 { 175: 36 } for n B+2..L-2 { 176: 37 }
            at L-1 { 177: 38 } at L { 178: 39 } } } } }
        second { for s {
            for x closed { for y closed {
                at B+1 { 179: 40 } for n B+2..L-2 { 180: 41 } at L-1 { 181: 42 } } }
            if s>1 { for x closed { for y closed { at B { 182: 43 } } } } } }
        integral idz { for y 0..E { for x 0..E { for s { for e {
            183: 44 184: 45 185: 46 186: 47 } } } } }
        integral idxdz { for y 0..E { for x 1..E { for s { for e {
            187: 44 xz 188: 45 xz 189: 46 xz 190: 47 xz } } } } }
        integral idydz { for y 1..E { for x 0..E { for s { for e {
            191: 44 yz 192: 45 yz 193: 46 yz 194: 47 yz } } } } }
        integral idxdydz { for y 1..E { for x 1..E { for s { for e {
            195: 44 xyz 196: 45 xyz 197: 46 xyz 198: 47 xyz } } } } })"},

    // UBFD4
    {"UBFD4", X, 26, R"(
        first { for y 0..E { for z 0..E { for s {
            if s=1 { at B { 199: 48 } } at B+1 { 200: 49 } at B+2 { 201: 50 }
            for n B+3..L-1 { 202: 51 } at L { 203: 52 } } } } }
        second { for s {
            for y closed { for z closed {
                at B+1 { 204: 53 } at B+2 { 205: 54 } for n B+3..L-1 { 206: 55 } } }
            if s>1 { for y 0..E { for z 0..E { at B { 207: 56 } } } } } }
        integral idx,idxdy,idxdz,idxdydz { for z 0..E { for y 0..E { for s { for e {
            208: 57 209: 58 210: 59 211: 60 } } } } })"},
    {"UBFD4", Y, 27, R"(
        first { for x 0..E { for z 0..E { for s {
            if s=1 { at B { 212: 48 } } at B+1 { 213: 49 } at B+2 { 214: 50 }
            for n B+3..L-1 { 215: 51 } at L { 216: 52 } } } } }
        second { for s {
            for x closed { for z closed {
                at B+1 { 217: 53 } at B+2 { 218: 54 } for n B+3..L-1 { 219: 55 } } }
            if s>1 { for x closed { for z 0..E { at B { 220: 56 } } } } } }
        integral idy,idydz { for z 0..E { for x 0..E { for s { for e {
            221: 57 222: 58 223: 59 224: 60 } } } } }
        integral idxdy,idxdydz { for z 0..E { for x 1..E { for s { for e {
            225: 57 xy 226: 58 xy 227: 59 xy 228: 60 xy } } } } })"},
    {"UBFD4", Z, 28, R"(
        first { for y 0..E { for x 0..E { for s {
            if s=1 { at B { 229: 48 } } at B+1 { 230: 49 } at B+2 { 231: 50 }
            for n B+3..L-1 { 232: 51 } at L { 233: 52 } } } } }
        second { for s {
            for x closed { for y closed {
                at B+1 { 234: 53 } at B+2 { 235: 54 } for n B+3..L-1 { 236: 55 } } }
            if s>1 { for x closed { for y closed { at B { 237: 56 } } } } } }
        integral idz { for y 0..E { for x 0..E { for s { for e {
            238: 57 239: 58 240: 59 241: 60 } } } } }
        integral idxdz { for y 0..E { for x 1..E { for s { for e {
            242: 57 xz 243: 58 xz 244: 59 xz 245: 60 xz } } } } }
        integral idydz { for y 1..E { for x 0..E { for s { for e {
            246: 57 yz 247: 58 yz 248: 59 yz 249: 60 yz } } } } }
        integral idxdydz { for y 1..E { for x 1..E { for s { for e {
            250: 57 xyz 251: 58 xyz 252: 59 xyz 253: 60 xyz } } } } })"},

    // OCFE2
    // Collocation: each element's join rows follow its second-derivative rows as a nest of
    // their own, over every node of the directions after the own one and over the closed
    // interior of those before it, which leaves their element starts to their own joins.
    // The X first-derivative rows walk z outermost here and y outermost in OCFE3 and OCFE4.
    {"OCFE2", X, 29, R"(
        first { for z 0..E { for y 0..E { for s {
            if s=1 { at B { 254: 61 } } for e { 255: 62 256: 63 } } } } }
        second { for s { for e {
            for y closed { for z closed { 257: 65 } }
            if join { for y 0..E { for z 0..E { 258: 64 } } } } } }
        integral idx,idxdy,idxdz,idxdydz { for z 0..E { for y 0..E { for s { for e {
            259: 66 260: 67 } } } } })"},
    {"OCFE2", Y, 30, R"(
        first { for x 0..E { for z 0..E { for s {
            if s=1 { at B { 261: 61 } } for e { 262: 62 263: 63 } } } } }
        second { for s { for e {
            for x closed { for z closed { 264: 65 } }
            if join { for x closed { for z 0..E { 265: 64 } } } } } }
        integral idy,idydz { for z 0..E { for x 0..E { for s { for e {
            266: 66 267: 67 } } } } }
        integral idxdy,idxdydz { for z 0..E { for x 1..E { for s { for e {
            268: 66 xy 269: 67 xy } } } } })"},
    {"OCFE2", Z, 31, R"(
        first { for x 0..E { for y 0..E { for s {
            if s=1 { at B { 270: 61 } } for e { 271: 62 272: 63 } } } } }
        second { for s { for e {
            for x closed { for y closed { 273: 65 } }
            if join { for x closed { for y closed { 274: 64 } } } } } }
        integral idz { for y 0..E { for x 0..E { for s { for e {
            275: 66 276: 67 } } } } }
        integral idxdz { for y 0..E { for x 1..E { for s { for e {
            277: 66 xz 278: 67 xz } } } } }
        integral idydz { for y 1..E { for x 0..E { for s { for e {
            279: 66 yz 280: 67 yz } } } } }
        integral idxdydz { for y 1..E { for x 1..E { for s { for e {
            281: 66 xyz 282: 67 xyz } } } } })"},

    // OCFE3
    {"OCFE3", X, 32, R"(
        first { for y 0..E { for z 0..E { for s {
            if s=1 { at B { 283: 68 } } for e { 284: 69 285: 70 286: 71 } } } } }
        second { for s { for e {
            for y closed { for z closed { 287: 73 288: 74 } }
            if join { for y 0..E { for z 0..E { 289: 72 } } } } } }
        integral idx,idxdy,idxdz,idxdydz { for z 0..E { for y 0..E { for s { for e {
            290: 75 291: 76 292: 77 } } } } })"},
    {"OCFE3", Y, 33, R"(
        first { for x 0..E { for z 0..E { for s {
            if s=1 { at B { 293: 68 } } for e { 294: 69 295: 70 296: 71 } } } } }
        second { for s { for e {
            for x closed { for z closed { 297: 73 298: 74 } }
            if join { for x closed { for z 0..E { 299: 72 } } } } } }
        integral idy,idydz { for z 0..E { for x 0..E { for s { for e {
            300: 75 301: 76 302: 77 } } } } }
        integral idxdy,idxdydz { for z 0..E { for x 1..E { for s { for e {
            303: 75 xy 304: 76 xy 305: 77 xy } } } } })"},
    {"OCFE3", Z, 34, R"(
        first { for x 0..E { for y 0..E { for s {
            if s=1 { at B { 306: 68 } } for e { 307: 69 308: 70 309: 71 } } } } }
        second { for s { for e {
            for x closed { for y closed { 310: 73 311: 74 } }
            if join { for x closed { for y closed { 312: 72 } } } } } }
        integral idz { for y 0..E { for x 0..E { for s { for e {
            313: 75 314: 76 315: 77 } } } } }
        integral idxdz { for y 0..E { for x 1..E { for s { for e {
            316: 75 xz 317: 76 xz 318: 77 xz } } } } }
        integral idydz { for y 1..E { for x 0..E { for s { for e {
            319: 75 yz 320: 76 yz 321: 77 yz } } } } }
        integral idxdydz { for y 1..E { for x 1..E { for s { for e {
            322: 75 xyz 323: 76 xyz 324: 77 xyz } } } } })"},

    // OCFE4
    {"OCFE4", X, 35, R"(
        first { for y 0..E { for z 0..E { for s {
            if s=1 { at B { 325: 78 } } for e { 326: 79 327: 80 328: 81 329: 82 } } } } }
        second { for s { for e {
            for y closed { for z closed { 330: 84 331: 85 332: 86 } }
            if join { for y 0..E { for z 0..E { 333: 83 } } } } } }
        integral idx,idxdy,idxdz,idxdydz { for z 0..E { for y 0..E { for s { for e {
            334: 87 335: 88 336: 89 337: 90 } } } } })"},
    {"OCFE4", Y, 36, R"(
        first { for x 0..E { for z 0..E { for s {
            if s=1 { at B { 338: 78 } } for e { 339: 79 340: 80 341: 81 342: 82 } } } } }
        second { for s { for e {
            for x closed { for z closed { 343: 84 344: 85 345: 86 } }
            if join { for x closed { for z 0..E { 346: 83 } } } } } }
        integral idy,idydz { for z 0..E { for x 0..E { for s { for e {
            347: 87 348: 88 349: 89 350: 90 } } } } }
        integral idxdy,idxdydz { for z 0..E { for x 1..E { for s { for e {
            351: 87 xy 352: 88 xy 353: 89 xy 354: 90 xy } } } } })"},
    {"OCFE4", Z, 37, R"(
        first { for x 0..E { for y 0..E { for s {
            if s=1 { at B { 355: 78 } } for e { 356: 79 357: 80 358: 81 359: 82 } } } } }
        second { for s { for e {
            for x closed { for y closed { 360: 84 361: 85 362: 86 } }
            if join { for x closed { for y closed { 363: 83 } } } } } }
        integral idz { for y 0..E { for x 0..E { for s { for e {
            364: 87 365: 88 366: 89 367: 90 } } } } }
        integral idxdz { for y 0..E { for x 1..E { for s { for e {
            368: 87 xz 369: 88 xz 370: 89 xz 371: 90 xz } } } } }
        integral idydz { for y 1..E { for x 0..E { for s { for e {
            372: 87 yz 373: 88 yz 374: 89 yz 375: 90 yz } } } } }
        integral idxdydz { for y 1..E { for x 1..E { for s { for e {
            376: 87 xyz 377: 88 xyz 378: 89 xyz 379: 90 xyz } } } } })"},
};
// clang-format on

} // namespace

const ProgramSet& Programs3D() {
    static const StaticProgramSet<static_cast<int>(std::size(kPrograms)), CountWords(kPrograms)>
        programs(kPrograms);
    return programs;
}

} // namespace norvane
