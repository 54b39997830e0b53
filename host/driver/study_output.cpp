#include "host/driver/study_output.h"

#include <cmath>
#include <string>
#include <vector>

#include "host/driver/grid_output.h"

namespace {

constexpr SubBlock NamedBlocks[] = {SubBlock::FirstDerivative, SubBlock::SecondDerivative,
                                    SubBlock::Integral};

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

} // namespace

void PrintResidualStudy(std::FILE* out, const ResidualStudy& study) {
    const std::vector<StudyLevel>& levels = study.levels;
    std::fputs("\nmanufactured solution f(x) = sin(3x) + x^2: VALUE, DDX, D2DX2 exact at the "
               "nodes,\nIDX(i) the exact integral over the interval that ends at node i\n",
               out);
    if (levels.empty()) {
        std::fprintf(out, "not measured: %s\n", study.skipped.c_str());
        return;
    }
    std::fputs("largest |residual| per sub-block:\n", out);
    std::fprintf(out, "  %-18s", "spacing");
    for (const StudyLevel& level : levels)
        std::fprintf(out, " %11s", ShortestText(level.spacing).c_str());
    std::fprintf(out, "\n  %-18s", "ENDNODE");
    bool doubled = true;
    for (std::size_t k = 0; k < levels.size(); ++k) {
        std::fprintf(out, " %11d", levels[k].endNode);
        if (k > 0 && levels[k].endNode != 2LL * levels[k - 1].endNode) doubled = false;
    }
    std::fputc('\n', out);
    for (const SubBlock block : NamedBlocks) {
        const int b = static_cast<int>(block);
        std::fprintf(out, "  %-18s", SubBlockName(block));
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
            (ShortestText(levels[k - 1].spacing) + " -> " + ShortestText(levels[k].spacing))
                .c_str());
    std::fputc('\n', out);
    for (const SubBlock block : NamedBlocks) {
        const int b = static_cast<int>(block);
        std::fprintf(out, "  %-18s", SubBlockName(block));
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
