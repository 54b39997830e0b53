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
