// The 90 equation sites of the one-dimensional distribution, in site order, each residual in
// prefix form with its nodes named after the instance's anchor (i, j or B). The texts are read
// into tokens once, on first use.
#include "types/distribution1d/prefix_text.h"
#include "types/distribution1d/stencil.h"

#include <cstdio>
#include <cstdlib>

namespace norvane {
namespace {

struct SiteText {
    const char* name;
    int group;
    const char* prefix;
};

constexpr SiteText kSites[] = {
    // Start group
    {"QV_Eqn1", 1, "op1 IDX(0)"},
    // BFD1
    {"QV_Eqn2", 2, "+ * DDX(B) h - V(B) V(B+1)"},
    {"QV_Eqn3", 2, "+ * DDX(i) h - V(i-1) V(i)"},
    {"QV_Eqn4", 2, "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)"},
    {"QV_Eqn5", 2, "+ * DDX(B) h - V(B) V(B+1)"},
    {"QV_Eqn6", 2, "- IDX(i+1) * h + * 0.5 V(i) * 0.5 V(i+1)"},
    // BFD2
    {"QV_Eqn7", 3, "+ * 2 * DDX(B) h - V(B+2) + * -3 V(B) * 4 V(B+1)"},
    {"QV_Eqn8", 3, "+ * 2 * DDX(B+1) h - V(B) V(B+2)"},
    {"QV_Eqn9", 3, "- * 2 * DDX(i) h + - V(i-2) * 4 V(i-1) * 3 V(i)"},
    {"QV_Eqn10", 3, "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)"},
    {"QV_Eqn11", 3, "+ * 2 * DDX(B) h - V(B+2) + * -3 V(B) * 4 V(B+1)"},
    {"QV_Eqn12", 3, "+ / IDX(j+1) * 0.08333333333333333 h - V(j+2) + * 5 V(j) * 8 V(j+1)"},
    {"QV_Eqn13", 3, "- / IDX(j+2) * 0.08333333333333333 h + - * 8 V(j+1) V(j) * 5 V(j+2)"},
    // FFD1
    {"QV_Eqn14", 4, "+ * DDX(i) h - V(i) V(i+1)"},
    {"QV_Eqn15", 4, "+ * DDX(i) h - V(i) V(i+1)"},
    {"QV_Eqn16", 4, "+ * DDX(i) h - V(i-1) V(i)"},
    {"QV_Eqn17", 4, "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)"},
    {"QV_Eqn18", 4, "+ * DDX(i) h - V(i) V(i+1)"},
    {"QV_Eqn19", 4, "- IDX(i+1) * h + * 0.5 V(i) * 0.5 V(i+1)"},
    // FFD2
    {"QV_Eqn20", 5, "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)"},
    {"QV_Eqn21", 5, "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)"},
    {"QV_Eqn22", 5, "+ * 2 * DDX(i) h - V(i-1) V(i+1)"},
    {"QV_Eqn23", 5, "- * 2 * DDX(i) h + - V(i-2) * 4 V(i-1) * 3 V(i)"},
    {"QV_Eqn24", 5, "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)"},
    {"QV_Eqn25", 5, "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)"},
    {"QV_Eqn26", 5, "+ / IDX(j+1) * 0.08333333333333333 h - V(j+2) + * 5 V(j) * 8 V(j+1)"},
    {"QV_Eqn27", 5, "- / IDX(j+2) * 0.08333333333333333 h + - * 8 V(j+1) V(j) * 5 V(j+2)"},
    // CFD2
    {"QV_Eqn28", 6, "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)"},
    {"QV_Eqn29", 6, "+ * 2 * DDX(i) h - V(i-1) V(i+1)"},
    {"QV_Eqn30", 6, "- * 2 * DDX(i) h + - V(i-2) * 4 V(i-1) * 3 V(i)"},
    {"QV_Eqn31", 6, "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)"},
    {"QV_Eqn32", 6, "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)"},
    {"QV_Eqn33", 6, "+ / IDX(j+1) * 0.08333333333333333 h - V(j+2) + * 5 V(j) * 8 V(j+1)"},
    {"QV_Eqn34", 6, "- / IDX(j+2) * 0.08333333333333333 h + - * 8 V(j+1) V(j) * 5 V(j+2)"},
    // CFD4
    {"QV_Eqn35", 7,
     "+ * 24 * DDX(i) h - * 6 V(i+4) + - + * -50 V(i) * 96 V(i+1) * 72 V(i+2) "
     "* 32 V(i+3)"},
    {"QV_Eqn36", 7,
     "- * 24 * DDX(i) h + - + - * -6 V(i-1) * 20 V(i) * 36 V(i+1) * 12 V(i+2) "
     "* 2 V(i+3)"},
    {"QV_Eqn37", 7, "+ * 24 * DDX(i) h - * 2 V(i+2) + - * 2 V(i-2) * 16 V(i-1) * 16 V(i+1)"},
    {"QV_Eqn38", 7,
     "- * 24 * DDX(i) h + + - + * -2 V(i-3) * 12 V(i-2) * 36 V(i-1) * 20 V(i) "
     "* 6 V(i+1)"},
    {"QV_Eqn39", 7,
     "- * 24 * DDX(i) h + - + - * 6 V(i-4) * 32 V(i-3) * 72 V(i-2) * 96 V(i-1) "
     "* 50 V(i)"},
    {"QV_Eqn40", 7,
     "+ * 12 * D2DX2(i) sq h - V(i+3) + + - * 11 V(i-1) * 20 V(i) * 6 V(i+1) "
     "* 4 V(i+2)"},
    {"QV_Eqn41", 7,
     "+ * 12 * D2DX2(i) sq h - V(i+2) + - - * 16 V(i-1) V(i-2) * 30 V(i) * 16 V(i+1)"},
    {"QV_Eqn42", 7,
     "- * 12 * D2DX2(i) sq h + - + - * 4 V(i-2) V(i-3) * 6 V(i-1) * 20 V(i) "
     "* 11 V(i+1)"},
    {"QV_Eqn43", 7,
     "+ * 24 * DDX(i) h - * 6 V(i+4) + - + * -50 V(i) * 96 V(i+1) * 72 V(i+2) "
     "* 32 V(i+3)"},
    {"QV_Eqn44", 7,
     "- IDX(j+1) * 0.001388888888888889 * h - + - + * 251 V(j) * 646 V(j+1) * 264 V(j+2) "
     "* 106 V(j+3) * 19 V(j+4)"},
    {"QV_Eqn45", 7,
     "- IDX(j+2) * 0.001388888888888889 * h + - + + * -19 V(j) * 346 V(j+1) * 456 V(j+2) "
     "* 74 V(j+3) * 11 V(j+4)"},
    {"QV_Eqn46", 7,
     "- IDX(j+3) * 0.001388888888888889 * h - + + - * 11 V(j) * 74 V(j+1) * 456 V(j+2) "
     "* 346 V(j+3) * 19 V(j+4)"},
    {"QV_Eqn47", 7,
     "- IDX(j+4) * 0.001388888888888889 * h + + - + * -19 V(j) * 106 V(j+1) * 264 V(j+2) "
     "* 646 V(j+3) * 251 V(j+4)"},
    // UBFD4
    {"QV_Eqn48", 8,
     "+ * 24 * DDX(i) h - * 6 V(i+4) + - + * -50 V(i) * 96 V(i+1) * 72 V(i+2) "
     "* 32 V(i+3)"},
    {"QV_Eqn49", 8,
     "- * 24 * DDX(i) h + - + - * -6 V(i-1) * 20 V(i) * 36 V(i+1) * 12 V(i+2) "
     "* 2 V(i+3)"},
    {"QV_Eqn50", 8, "+ * 24 * DDX(i) h - * 2 V(i+2) + - * 2 V(i-2) * 16 V(i-1) * 16 V(i+1)"},
    {"QV_Eqn51", 8,
     "- * 24 * DDX(i) h + + - + * -2 V(i-3) * 12 V(i-2) * 36 V(i-1) * 20 V(i) "
     "* 6 V(i+1)"},
    {"QV_Eqn52", 8,
     "- * 24 * DDX(i) h + - + - * 6 V(i-4) * 32 V(i-3) * 72 V(i-2) * 96 V(i-1) "
     "* 50 V(i)"},
    {"QV_Eqn53", 8,
     "+ * 12 * D2DX2(i) sq h - V(i+3) + + - * 11 V(i-1) * 20 V(i) * 6 V(i+1) "
     "* 4 V(i+2)"},
    {"QV_Eqn54", 8,
     "+ * 12 * D2DX2(i) sq h - V(i+2) + - - * 16 V(i-1) V(i-2) * 30 V(i) * 16 V(i+1)"},
    {"QV_Eqn55", 8,
     "- * 12 * D2DX2(i) sq h + - + - * 4 V(i-2) V(i-3) * 6 V(i-1) * 20 V(i) "
     "* 11 V(i+1)"},
    {"QV_Eqn56", 8,
     "+ * 24 * DDX(i) h - * 6 V(i+4) + - + * -50 V(i) * 96 V(i+1) * 72 V(i+2) "
     "* 32 V(i+3)"},
    {"QV_Eqn57", 8,
     "- IDX(j+1) * 0.001388888888888889 * h - + - + * 251 V(j) * 646 V(j+1) * 264 V(j+2) "
     "* 106 V(j+3) * 19 V(j+4)"},
    {"QV_Eqn58", 8,
     "- IDX(j+2) * 0.001388888888888889 * h + - + + * -19 V(j) * 346 V(j+1) * 456 V(j+2) "
     "* 74 V(j+3) * 11 V(j+4)"},
    {"QV_Eqn59", 8,
     "- IDX(j+3) * 0.001388888888888889 * h - + + - * 11 V(j) * 74 V(j+1) * 456 V(j+2) "
     "* 346 V(j+3) * 19 V(j+4)"},
    {"QV_Eqn60", 8,
     "- IDX(j+4) * 0.001388888888888889 * h + + - + * -19 V(j) * 106 V(j+1) * 264 V(j+2) "
     "* 646 V(j+3) * 251 V(j+4)"},
    // OCFE2
    {"QV_Eqn61", 9, "+ * DDX(B) h - V(B+2) + * -3.0 V(B) * 4.0 V(B+1)"},
    {"QV_Eqn62", 9, "+ * DDX(j+1) h - V(j) V(j+2)"},
    {"QV_Eqn63", 9, "- * DDX(j+2) h + - V(j) * 4.0 V(j+1) * 3.0 V(j+2)"},
    {"QV_Eqn64", 9, "+ * DDX(j) h - V(j+2) + * -3.0 V(j) * 4.0 V(j+1)"},
    {"QV_Eqn65", 9, "- * D2DX2(j+1) sq h + - * 4.0 V(j) * 8.0 V(j+1) * 4.0 V(j+2)"},
    {"QV_Eqn66", 9, "- IDX(j+1) * h - + * 0.20833 V(j) * 0.33333 V(j+1) * 0.04166 V(j+2)"},
    {"QV_Eqn67", 9, "- IDX(j+2) * h + + * -0.04166 V(j) * 0.33333 V(j+1) * 0.20833 V(j+2)"},
    // OCFE3
    {"QV_Eqn68", 10, "- * DDX(B) h + - + * -7.0 V(B) * 8.19615 V(B+1) * 2.19615 V(B+2) V(B+3)"},
    {"QV_Eqn69", 10,
     "+ * DDX(j+1) h - * 0.73205 V(j+3) + + * -2.73205 V(j) * 1.73205 V(j+1) "
     "* 1.73205 V(j+2)"},
    {"QV_Eqn70", 10,
     "- * DDX(j+2) h + - - * 0.73205 V(j) * 1.73205 V(j+1) * 1.73205 V(j+2) "
     "* 2.73205 V(j+3)"},
    {"QV_Eqn71", 10, "- * DDX(j+3) h + - - * 2.19615 V(j+1) V(j) * 8.19615 V(j+2) * 7.0 V(j+3)"},
    {"QV_Eqn72", 10, "- * DDX(j) h + - + * -7.0 V(j) * 8.19615 V(j+1) * 2.19615 V(j+2) V(j+3)"},
    {"QV_Eqn73", 10,
     "+ * D2DX2(j+1) sq h - * 4.3923 V(j+3) + - * 16.3923 V(j) * 24.0 V(j+1) "
     "* 12.0 V(j+2)"},
    {"QV_Eqn74", 10,
     "- * D2DX2(j+2) sq h + - + * -4.3923 V(j) * 12.0 V(j+1) * 24.0 V(j+2) "
     "* 16.3923 V(j+3)"},
    {"QV_Eqn75", 10,
     "- IDX(j+1) * h + - + * 0.08978 V(j) * 0.12972 V(j+1) * 0.01462 V(j+2) "
     "* 0.00645 V(j+3)"},
    {"QV_Eqn76", 10,
     "- IDX(j+2) * h - + + * -0.09623 V(j) * 0.3849 V(j+1) * 0.3849 V(j+2) "
     "* 0.09623 V(j+3)"},
    {"QV_Eqn77", 10,
     "- IDX(j+3) * h + + - * 0.00645 V(j) * 0.01462 V(j+1) * 0.12972 V(j+2) "
     "* 0.08978 V(j+3)"},
    // OCFE4
    {"QV_Eqn78", 11,
     "+ * DDX(B) h - V(B+4) + - + * -13.0 V(B) * 14.78831 V(B+1) * 2.66667 V(B+2) "
     "* 1.87836 V(B+3)"},
    {"QV_Eqn79", 11,
     "- * DDX(j+1) h + - + + * -5.32379 V(j) * 3.87298 V(j+1) * 2.06559 V(j+2) * 1.29099 V(j+3) "
     "* 0.67621 V(j+4)"},
    {"QV_Eqn80", 11,
     "+ * DDX(j+2) h - * 1.5 V(j+4) + - * 1.5 V(j) * 3.22749 V(j+1) * 3.22749 V(j+3)"},
    {"QV_Eqn81", 11,
     "- * DDX(j+3) h + - - + * -0.67621 V(j) * 1.29099 V(j+1) * 2.06559 V(j+2) * 3.87298 V(j+3) "
     "* 5.32379 V(j+4)"},
    {"QV_Eqn82", 11,
     "- * DDX(j+4) h + - + - V(j) * 1.87836 V(j+1) * 2.66667 V(j+2) * 14.78831 V(j+3) "
     "* 13.0 V(j+4)"},
    {"QV_Eqn83", 11,
     "+ * DDX(j) h - V(j+4) + - + * -13.0 V(j) * 14.78831 V(j+1) * 2.66667 V(j+2) "
     "* 1.87836 V(j+3)"},
    {"QV_Eqn84", 11,
     "- * D2DX2(j+1) sq h + - + - * 53.2379 V(j) * 73.33333 V(j+1) * 26.66666 V(j+2) "
     "* 13.33333 V(j+3) * 6.7621 V(j+4)"},
    {"QV_Eqn85", 11,
     "+ * D2DX2(j+2) sq h - * 6.0 V(j+4) + - + * -6.0 V(j) * 16.66667 V(j+1) * 21.33334 V(j+2) "
     "* 16.66667 V(j+3)"},
    {"QV_Eqn86", 11,
     "- * D2DX2(j+3) sq h + - + - * 6.7621 V(j) * 13.33333 V(j+1) * 26.66666 V(j+2) "
     "* 73.33333 V(j+3) * 53.2379 V(j+4)"},
    {"QV_Eqn87", 11,
     "- IDX(j+1) * h - + - + * 0.04824 V(j) * 0.06788 V(j+1) * 0.00499 V(j+2) * 0.00333 V(j+3) "
     "* 0.00176 V(j+4)"},
    {"QV_Eqn88", 11,
     "- IDX(j+2) * h + - + + * -0.07949 V(j) * 0.27272 V(j+1) * 0.22722 V(j+2) * 0.06616 V(j+3) "
     "* 0.03301 V(j+4)"},
    {"QV_Eqn89", 11,
     "- IDX(j+3) * h - + + - * 0.03301 V(j) * 0.06616 V(j+1) * 0.22722 V(j+2) * 0.27272 V(j+3) "
     "* 0.07949 V(j+4)"},
    {"QV_Eqn90", 11,
     "- IDX(j+4) * h + + - + * -0.00176 V(j) * 0.00333 V(j+1) * 0.00499 V(j+2) * 0.06788 V(j+3) "
     "* 0.04824 V(j+4)"},
};

constexpr int kSiteCount = static_cast<int>(sizeof kSites / sizeof kSites[0]);

constexpr int TotalTokenCount() {
    int count = 0;
    for (const SiteText& site : kSites)
        count += CountPrefixTokens(site.prefix);
    return count;
}

// All tokens in one static pool, so no equation instance ever allocates.
struct StencilTable {
    Token tokens[TotalTokenCount()];
    Stencil sites[kSiteCount];

    StencilTable() {
        int used = 0;
        for (int k = 0; k < kSiteCount; ++k) {
            const SiteText& text = kSites[k];
            const PrefixParse parse =
                ParsePrefixText(text.prefix, tokens + used, TotalTokenCount() - used);
            if (parse.error != nullptr) {
                std::fprintf(stderr, "norvane: %s: %s at offset %d\n", text.name, parse.error,
                             parse.position);
                std::abort();
            }
            sites[k] = Stencil{text.name, text.group, tokens + used, parse.count};
            used += parse.count;
        }
    }
};

const StencilTable& Table() {
    static const StencilTable table;
    return table;
}

} // namespace

const Stencil& StencilByNumber(int k) {
    if (k < 1 || k > kSiteCount) {
        std::fprintf(stderr, "norvane: no equation site %d\n", k);
        std::abort();
    }
    return Table().sites[k - 1];
}

int StencilCount() {
    return kSiteCount;
}

} // namespace norvane
