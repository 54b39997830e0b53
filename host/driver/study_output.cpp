#include "host/driver/study_output.h"

#include <cmath>
#include <string>
#include <vector>

#include "host/driver/grid_output.h"
#include "host/driver/manufactured_solution.h"

namespace {

std::string ResidualText(double r) {
    if (std::isnan(r)) return "nan";
    char text[32];
    std::snprintf(text, sizeof text, "%.3e", r);
    return text;
}

// The observed order from one spacing to the next, as a person reads it; "rounding" when
// the finer residual is at the level of rounding errors, where a ratio means nothing.
std::string OrderText(double coarse, double fine, double roundingFloor) {
    if (std::isnan(coarse) || std::isnan(fine)) return "nan";
    if (fine == 0.0) return "exact";
    if (fine <= roundingFloor) return "rounding";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ObservedOrder(coarse, fine));
    return text;
}

// The sub-blocks shown: in one direction all three, else those with equations at some spacing.
std::vector<std::size_t> ShownBlocks(const DistributionKind& kind,
                                     const std::vector<StudyLevel>& levels) {
    std::vector<std::size_t> shown;
    for (std::size_t b = 0; b < kind.subBlocks.size(); ++b) {
        bool any = kind.dims == 1;
        for (const StudyLevel& level : levels)
            any = any || level.residuals.equations[b] > 0;
        if (any) shown.push_back(b);
    }
    return shown;
}

// "16" in one direction, "17x33" (node counts) in more.
std::string GridText(const std::vector<int>& endNodes) {
    if (endNodes.size() == 1) return std::to_string(endNodes[0]);
    std::string text;
    for (std::size_t d = 0; d < endNodes.size(); ++d)
        text += (d ? "x" : "") + std::to_string(endNodes[d] + 1LL);
    return text;
}

void PrintSolution(std::FILE* out, const DistributionKind& kind) {
    if (kind.dims == 1) {
        std::fprintf(out,
                     "\nmanufactured solution %s: VALUE, DDX, D2DX2 exact at the nodes,\n"
                     "IDX(i) the exact integral over the interval that ends at node i\n",
                     SolutionText(1).c_str());
        return;
    }
    std::fprintf(out,
                 "\nmanufactured solution %s:\nVALUE and the derivatives exact at the nodes, each "
                 "integral the exact integral over the\ninterval or cell that ends at the node "
                 "(0 at node 0 of a direction it spans)\n",
                 SolutionText(kind.dims).c_str());
}

} // namespace

void PrintResidualStudy(std::FILE* out, const DistributionKind& kind, const ResidualStudy& study) {
    const std::vector<StudyLevel>& levels = study.levels;
    PrintSolution(out, kind);
    if (levels.empty()) {
        std::fprintf(out, "not measured: %s\n", study.skipped.c_str());
        return;
    }
    const std::vector<std::size_t> shown = ShownBlocks(kind, levels);
    std::fputs(kind.dims == 1 ? "largest |residual| per sub-block:\n"
                              : "largest |residual| per sub-block (the array each equation "
                                "defines):\n",
               out);
    std::fprintf(out, "  %-18s", "spacing");
    for (const StudyLevel& level : levels)
        std::fprintf(out, " %11s", SpacingText(level.spacings).c_str());
    std::fprintf(out, "\n  %-18s", kind.dims == 1 ? "ENDNODE" : "nodes");
    bool doubled = true;
    for (std::size_t k = 0; k < levels.size(); ++k) {
        std::fprintf(out, " %11s", GridText(levels[k].endNodes).c_str());
        for (std::size_t d = 0; k > 0 && d < levels[k].endNodes.size(); ++d)
            if (levels[k].endNodes[d] != 2LL * levels[k - 1].endNodes[d]) doubled = false;
    }
    std::fputc('\n', out);
    for (const std::size_t b : shown) {
        std::fprintf(out, "  %-18s", kind.subBlocks[b].label.c_str());
        for (const StudyLevel& level : levels)
            std::fprintf(out, " %11s",
                         level.residuals.equations[b]
                             ? ResidualText(level.residuals.largest[b]).c_str()
                             : "none");
        std::fputc('\n', out);
    }
    int malformed = 0;
    for (const StudyLevel& level : levels)
        malformed += level.residuals.malformed;
    if (malformed) std::fprintf(out, "  (%d equations could not be evaluated)\n", malformed);
    if (!study.skipped.empty()) std::fprintf(out, "refinement stopped %s\n", study.skipped.c_str());
    if (levels.size() < 2) return;

    std::fputs("observed order, log2 of the ratio of residuals as the spacing halves:\n", out);
    std::fprintf(out, "  %-18s", "");
    for (std::size_t k = 1; k < levels.size(); ++k)
        std::fprintf(
            out, " %22s",
            (SpacingText(levels[k - 1].spacings) + " -> " + SpacingText(levels[k].spacings))
                .c_str());
    std::fputc('\n', out);
    for (const std::size_t b : shown) {
        std::fprintf(out, "  %-18s", kind.subBlocks[b].label.c_str());
        for (std::size_t k = 1; k < levels.size(); ++k) {
            const SubBlockResiduals& coarse = levels[k - 1].residuals;
            const SubBlockResiduals& fine = levels[k].residuals;
            const bool both = coarse.equations[b] && fine.equations[b];
            std::fprintf(
                out, " %22s",
                both ? OrderText(coarse.largest[b], fine.largest[b], fine.roundingFloor[b]).c_str()
                     : "none");
        }
        std::fputc('\n', out);
    }
    std::fputs("  (residuals of the equations as written, most of them scaled by h or h^2: an\n"
               "  order is the accuracy of the formula plus that power of h; \"rounding\": the\n"
               "  finer residual is no larger than rounding errors make it)\n",
               out);
    if (!doubled)
        std::fputs("  note: the node count did not double with each halving of the spacing (the\n"
                   "  sections round it to whole elements), so these orders are approximate\n",
                   out);
}
