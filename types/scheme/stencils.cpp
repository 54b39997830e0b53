// The 90 equation sites of the one-dimensional distribution, in site order, each residual in
// prefix form with its nodes named after the instance's anchor (i, j or B). The texts are read
// into tokens once, on first use; a test checks that every text reads.
#include <algorithm>
#include <climits>

#include "types/scheme/prefix_text.h"
#include "types/scheme/stencil.h"

namespace norvane {
namespace {

constexpr const char* kSites[] = {
    // Start group
    "op1 IDX(0)",
    // BFD1
    "+ * DDX(B) h - V(B) V(B+1)",
    "+ * DDX(i) h - V(i-1) V(i)",
    "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)",
    "+ * DDX(B) h - V(B) V(B+1)",
    "- IDX(i+1) * h + * 0.5 V(i) * 0.5 V(i+1)",
    // BFD2
    "+ * 2 * DDX(B) h - V(B+2) + * -3 V(B) * 4 V(B+1)",
    "+ * 2 * DDX(B+1) h - V(B) V(B+2)",
    "- * 2 * DDX(i) h + - V(i-2) * 4 V(i-1) * 3 V(i)",
    "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)",
    "+ * 2 * DDX(B) h - V(B+2) + * -3 V(B) * 4 V(B+1)",
    "+ / IDX(j+1) * 0.08333333333333333 h - V(j+2) + * 5 V(j) * 8 V(j+1)",
    "- / IDX(j+2) * 0.08333333333333333 h + - * 8 V(j+1) V(j) * 5 V(j+2)",
    // FFD1
    "+ * DDX(i) h - V(i) V(i+1)",
    "+ * DDX(i) h - V(i) V(i+1)",
    "+ * DDX(i) h - V(i-1) V(i)",
    "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)",
    "+ * DDX(i) h - V(i) V(i+1)",
    "- IDX(i+1) * h + * 0.5 V(i) * 0.5 V(i+1)",
    // FFD2
    "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)",
    "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)",
    "+ * 2 * DDX(i) h - V(i-1) V(i+1)",
    "- * 2 * DDX(i) h + - V(i-2) * 4 V(i-1) * 3 V(i)",
    "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)",
    "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)",
    "+ / IDX(j+1) * 0.08333333333333333 h - V(j+2) + * 5 V(j) * 8 V(j+1)",
    "- / IDX(j+2) * 0.08333333333333333 h + - * 8 V(j+1) V(j) * 5 V(j+2)",
    // CFD2
    "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)",
    "+ * 2 * DDX(i) h - V(i-1) V(i+1)",
    "- * 2 * DDX(i) h + - V(i-2) * 4 V(i-1) * 3 V(i)",
    "- * D2DX2(i) sq h + - V(i-1) * 2 V(i) V(i+1)",
    "+ * 2 * DDX(i) h - V(i+2) + * -3 V(i) * 4 V(i+1)",
    "+ / IDX(j+1) * 0.08333333333333333 h - V(j+2) + * 5 V(j) * 8 V(j+1)",
    "- / IDX(j+2) * 0.08333333333333333 h + - * 8 V(j+1) V(j) * 5 V(j+2)",
    // CFD4
    "+ * 24 * DDX(i) h - * 6 V(i+4) + - + * -50 V(i) * 96 V(i+1) * 72 V(i+2) "
    "* 32 V(i+3)",
    "- * 24 * DDX(i) h + - + - * -6 V(i-1) * 20 V(i) * 36 V(i+1) * 12 V(i+2) "
    "* 2 V(i+3)",
    "+ * 24 * DDX(i) h - * 2 V(i+2) + - * 2 V(i-2) * 16 V(i-1) * 16 V(i+1)",
    "- * 24 * DDX(i) h + + - + * -2 V(i-3) * 12 V(i-2) * 36 V(i-1) * 20 V(i) "
    "* 6 V(i+1)",
    "- * 24 * DDX(i) h + - + - * 6 V(i-4) * 32 V(i-3) * 72 V(i-2) * 96 V(i-1) "
    "* 50 V(i)",
    "+ * 12 * D2DX2(i) sq h - V(i+3) + + - * 11 V(i-1) * 20 V(i) * 6 V(i+1) "
    "* 4 V(i+2)",
    "+ * 12 * D2DX2(i) sq h - V(i+2) + - - * 16 V(i-1) V(i-2) * 30 V(i) * 16 V(i+1)",
    "- * 12 * D2DX2(i) sq h + - + - * 4 V(i-2) V(i-3) * 6 V(i-1) * 20 V(i) "
    "* 11 V(i+1)",
    "+ * 24 * DDX(i) h - * 6 V(i+4) + - + * -50 V(i) * 96 V(i+1) * 72 V(i+2) "
    "* 32 V(i+3)",
    "- IDX(j+1) * 0.001388888888888889 * h - + - + * 251 V(j) * 646 V(j+1) * 264 V(j+2) "
    "* 106 V(j+3) * 19 V(j+4)",
    "- IDX(j+2) * 0.001388888888888889 * h + - + + * -19 V(j) * 346 V(j+1) * 456 V(j+2) "
    "* 74 V(j+3) * 11 V(j+4)",
    "- IDX(j+3) * 0.001388888888888889 * h - + + - * 11 V(j) * 74 V(j+1) * 456 V(j+2) "
    "* 346 V(j+3) * 19 V(j+4)",
    "- IDX(j+4) * 0.001388888888888889 * h + + - + * -19 V(j) * 106 V(j+1) * 264 V(j+2) "
    "* 646 V(j+3) * 251 V(j+4)",
    // UBFD4
    "+ * 24 * DDX(i) h - * 6 V(i+4) + - + * -50 V(i) * 96 V(i+1) * 72 V(i+2) "
    "* 32 V(i+3)",
    "- * 24 * DDX(i) h + - + - * -6 V(i-1) * 20 V(i) * 36 V(i+1) * 12 V(i+2) "
    "* 2 V(i+3)",
    "+ * 24 * DDX(i) h - * 2 V(i+2) + - * 2 V(i-2) * 16 V(i-1) * 16 V(i+1)",
    "- * 24 * DDX(i) h + + - + * -2 V(i-3) * 12 V(i-2) * 36 V(i-1) * 20 V(i) "
    "* 6 V(i+1)",
    "- * 24 * DDX(i) h + - + - * 6 V(i-4) * 32 V(i-3) * 72 V(i-2) * 96 V(i-1) "
    "* 50 V(i)",
    "+ * 12 * D2DX2(i) sq h - V(i+3) + + - * 11 V(i-1) * 20 V(i) * 6 V(i+1) "
    "* 4 V(i+2)",
    "+ * 12 * D2DX2(i) sq h - V(i+2) + - - * 16 V(i-1) V(i-2) * 30 V(i) * 16 V(i+1)",
    "- * 12 * D2DX2(i) sq h + - + - * 4 V(i-2) V(i-3) * 6 V(i-1) * 20 V(i) "
    "* 11 V(i+1)",
    "+ * 24 * DDX(i) h - * 6 V(i+4) + - + * -50 V(i) * 96 V(i+1) * 72 V(i+2) "
    "* 32 V(i+3)",
    "- IDX(j+1) * 0.001388888888888889 * h - + - + * 251 V(j) * 646 V(j+1) * 264 V(j+2) "
    "* 106 V(j+3) * 19 V(j+4)",
    "- IDX(j+2) * 0.001388888888888889 * h + - + + * -19 V(j) * 346 V(j+1) * 456 V(j+2) "
    "* 74 V(j+3) * 11 V(j+4)",
    "- IDX(j+3) * 0.001388888888888889 * h - + + - * 11 V(j) * 74 V(j+1) * 456 V(j+2) "
    "* 346 V(j+3) * 19 V(j+4)",
    "- IDX(j+4) * 0.001388888888888889 * h + + - + * -19 V(j) * 106 V(j+1) * 264 V(j+2) "
    "* 646 V(j+3) * 251 V(j+4)",
    // OCFE2
    "+ * DDX(B) h - V(B+2) + * -3.0 V(B) * 4.0 V(B+1)",
    "+ * DDX(j+1) h - V(j) V(j+2)",
    "- * DDX(j+2) h + - V(j) * 4.0 V(j+1) * 3.0 V(j+2)",
    "+ * DDX(j) h - V(j+2) + * -3.0 V(j) * 4.0 V(j+1)",
    "- * D2DX2(j+1) sq h + - * 4.0 V(j) * 8.0 V(j+1) * 4.0 V(j+2)",
    "- IDX(j+1) * h - + * 0.20833 V(j) * 0.33333 V(j+1) * 0.04166 V(j+2)",
    "- IDX(j+2) * h + + * -0.04166 V(j) * 0.33333 V(j+1) * 0.20833 V(j+2)",
    // OCFE3
    "- * DDX(B) h + - + * -7.0 V(B) * 8.19615 V(B+1) * 2.19615 V(B+2) V(B+3)",
    "+ * DDX(j+1) h - * 0.73205 V(j+3) + + * -2.73205 V(j) * 1.73205 V(j+1) "
    "* 1.73205 V(j+2)",
    "- * DDX(j+2) h + - - * 0.73205 V(j) * 1.73205 V(j+1) * 1.73205 V(j+2) "
    "* 2.73205 V(j+3)",
    "- * DDX(j+3) h + - - * 2.19615 V(j+1) V(j) * 8.19615 V(j+2) * 7.0 V(j+3)",
    "- * DDX(j) h + - + * -7.0 V(j) * 8.19615 V(j+1) * 2.19615 V(j+2) V(j+3)",
    "+ * D2DX2(j+1) sq h - * 4.3923 V(j+3) + - * 16.3923 V(j) * 24.0 V(j+1) "
    "* 12.0 V(j+2)",
    "- * D2DX2(j+2) sq h + - + * -4.3923 V(j) * 12.0 V(j+1) * 24.0 V(j+2) "
    "* 16.3923 V(j+3)",
    "- IDX(j+1) * h + - + * 0.08978 V(j) * 0.12972 V(j+1) * 0.01462 V(j+2) "
    "* 0.00645 V(j+3)",
    "- IDX(j+2) * h - + + * -0.09623 V(j) * 0.3849 V(j+1) * 0.3849 V(j+2) "
    "* 0.09623 V(j+3)",
    "- IDX(j+3) * h + + - * 0.00645 V(j) * 0.01462 V(j+1) * 0.12972 V(j+2) "
    "* 0.08978 V(j+3)",
    // OCFE4
    "+ * DDX(B) h - V(B+4) + - + * -13.0 V(B) * 14.78831 V(B+1) * 2.66667 V(B+2) "
    "* 1.87836 V(B+3)",
    "- * DDX(j+1) h + - + + * -5.32379 V(j) * 3.87298 V(j+1) * 2.06559 V(j+2) * 1.29099 V(j+3) "
    "* 0.67621 V(j+4)",
    "+ * DDX(j+2) h - * 1.5 V(j+4) + - * 1.5 V(j) * 3.22749 V(j+1) * 3.22749 V(j+3)",
    "- * DDX(j+3) h + - - + * -0.67621 V(j) * 1.29099 V(j+1) * 2.06559 V(j+2) * 3.87298 V(j+3) "
    "* 5.32379 V(j+4)",
    "- * DDX(j+4) h + - + - V(j) * 1.87836 V(j+1) * 2.66667 V(j+2) * 14.78831 V(j+3) "
    "* 13.0 V(j+4)",
    "+ * DDX(j) h - V(j+4) + - + * -13.0 V(j) * 14.78831 V(j+1) * 2.66667 V(j+2) "
    "* 1.87836 V(j+3)",
    "- * D2DX2(j+1) sq h + - + - * 53.2379 V(j) * 73.33333 V(j+1) * 26.66666 V(j+2) "
    "* 13.33333 V(j+3) * 6.7621 V(j+4)",
    "+ * D2DX2(j+2) sq h - * 6.0 V(j+4) + - + * -6.0 V(j) * 16.66667 V(j+1) * 21.33334 V(j+2) "
    "* 16.66667 V(j+3)",
    "- * D2DX2(j+3) sq h + - + - * 6.7621 V(j) * 13.33333 V(j+1) * 26.66666 V(j+2) "
    "* 73.33333 V(j+3) * 53.2379 V(j+4)",
    "- IDX(j+1) * h - + - + * 0.04824 V(j) * 0.06788 V(j+1) * 0.00499 V(j+2) * 0.00333 V(j+3) "
    "* 0.00176 V(j+4)",
    "- IDX(j+2) * h + - + + * -0.07949 V(j) * 0.27272 V(j+1) * 0.22722 V(j+2) * 0.06616 V(j+3) "
    "* 0.03301 V(j+4)",
    "- IDX(j+3) * h - + + - * 0.03301 V(j) * 0.06616 V(j+1) * 0.22722 V(j+2) * 0.27272 V(j+3) "
    "* 0.07949 V(j+4)",
    "- IDX(j+4) * h + + - + * -0.00176 V(j) * 0.00333 V(j+1) * 0.00499 V(j+2) * 0.06788 V(j+3) "
    "* 0.04824 V(j+4)",
};

constexpr int kSiteCount = static_cast<int>(sizeof kSites / sizeof kSites[0]);

constexpr int TotalTokenCount() {
    int count = 0;
    for (const char* site : kSites)
        count += CountPrefixTokens(site);
    return count;
}

// All tokens in one static pool, so no equation instance ever allocates.
struct StencilTable {
    Token tokens[TotalTokenCount()];
    Stencil sites[kSiteCount];

    StencilTable() {
        int used = 0;
        for (int k = 0; k < kSiteCount; ++k) {
            const PrefixParse parse =
                ParsePrefixText(kSites[k], tokens + used, TotalTokenCount() - used);
            const int count = parse.error == nullptr ? parse.count : 0;
            sites[k] = MakeStencil(tokens + used, count);
            used += count;
        }
    }
};

const StencilTable& Table() {
    static const StencilTable table;
    return table;
}

} // namespace

Stencil MakeStencil(const Token* tokens, int count) {
    const Stencil empty{tokens, 0, INT_MAX, INT_MIN, 0, {}};
    Stencil stencil = empty;
    stencil.tokenCount = count;
    for (int t = 0; t < count; ++t) {
        if (tokens[t].kind != Token::Kind::Variable) continue;
        if (stencil.termCount == MaxStencilTerms || t > USHRT_MAX) return empty;
        stencil.terms[stencil.termCount++] = static_cast<unsigned short>(t);
        if (tokens[t].field == Field::Step) continue;
        stencil.lowest = std::min(stencil.lowest, tokens[t].offset);
        stencil.highest = std::max(stencil.highest, tokens[t].offset);
    }
    return stencil;
}

const Stencil& StencilByNumber(int k) {
    return Table().sites[k - 1];
}

int StencilCount() {
    return kSiteCount;
}

} // namespace norvane
