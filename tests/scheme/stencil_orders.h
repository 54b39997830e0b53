// The order in h of each one-dimensional site's residual as written, by which the tests of
// every distribution judge how fast a family's residuals must shrink.
#pragma once

namespace norvane::test {

// Order in h of each residual as written: its formula's accuracy plus the power of h that
// multiplies it (h for DDX and for IDX - h(...), h² for D2DX2, none for IDX / (h/12)). One
// digit per site, by block: start, BFD1, BFD2, FFD1, FFD2, CFD2, CFD4, UBFD4, OCFE2/3/4.
// clang-format off
inline constexpr char kOrder[] = "0" "22423" "3334333" "222423" "33334333" "3334333" "5555556556666"
                          "5555556556666" "3333444" "4444444555" "5555555556666";
// clang-format on
static_assert(sizeof kOrder == 91, "one digit per site");

inline int SiteOrder(int site) {
    return kOrder[site - 1] - '0';
}

} // namespace norvane::test
