#include "host/driver/grid_output.h"

#include <cmath>
#include <cstdlib>

namespace {

// A listing longer than a screen shows its first and its last rows.
constexpr std::size_t ScreenRows = 40;
constexpr std::size_t ShownRows = 10; // at each end

// Calls row(k) for each k below count, or for the first and last ShownRows with a line in
// between that says how many `what` are not shown.
template <class Row> void PrintRows(std::FILE* out, std::size_t count, const char* what, Row row) {
    for (std::size_t k = 0; k < count; ++k) {
        if (count > ScreenRows && k == ShownRows) {
            std::fprintf(out, "%7s (%lld %s not shown; --dump FILE writes them all)\n", "...",
                         static_cast<long long>(count - 2 * ShownRows), what);
            k = count - ShownRows;
        }
        row(k);
    }
}

// Sets of node numbers as runs: "1..7, 9..15", or "none". Of more than 16 runs, the first 8
// and the last 2 are shown, with the count of all.
std::string Runs(const std::vector<int>& members) {
    if (members.empty()) return "none";
    std::vector<std::string> runs;
    for (std::size_t k = 0; k < members.size();) {
        std::size_t last = k;
        while (last + 1 < members.size() &&
               static_cast<long long>(members[last]) + 1 == members[last + 1])
            ++last;
        runs.push_back(std::to_string(members[k]));
        if (last > k) runs.back() += ".." + std::to_string(members[last]);
        k = last + 1;
    }
    const bool whole = runs.size() <= 16;
    std::string text;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        if (!whole && k == 8) {
            text += ", ...";
            k = runs.size() - 2;
        }
        text += (k ? ", " : "") + runs[k];
    }
    if (!whole) text += " (" + std::to_string(runs.size()) + " runs)";
    return text;
}

std::string JsonList(const std::vector<int>& members) {
    std::string text = "[";
    for (std::size_t k = 0; k < members.size(); ++k)
        text += (k ? ", " : "") + std::to_string(members[k]);
    return text + "]";
}

// One line on what the library made of inputs that ask for no ordinary grid: no section,
// sections whose length over the spacing is no positive count of nodes (a spacing of 0 or
// below, a length of 0 or below, a subnormal spacing), a length of 0 or below. Empty for any
// other grid.
std::string Remark(const DomainOptions& o, const DomainGrid& grid) {
    if (o.sections <= 0) return std::to_string(o.sections) + " sections: the grid is node 0 alone";
    std::string remark;
    const double sectionLength = o.length / o.sections;
    const double asked = sectionLength / o.spacing;
    if (!(asked > 0 && std::isfinite(asked)) && !grid.sections.empty())
        remark = "sections of length " + ShortestText(sectionLength) + " at spacing " +
                 ShortestText(o.spacing) + ": " +
                 (std::isinf(asked) ? "more nodes than a count holds" : "no positive node count") +
                 ", so each section has its fewest nodes (" +
                 std::to_string(grid.sections.front().nodeCount) + ")";
    if (o.length > 0 || grid.nodes.size() < 2 || !grid.nodes.front() || !grid.nodes.back())
        return remark;
    remark += remark.empty() ? "length " + ShortestText(o.length) + ": " : "; ";
    const std::string first = ShortestText(*grid.nodes.front());
    return remark + (o.length == 0 ? "every node lies at " + first
                                   : "the nodes run from " + first + " down to " +
                                         ShortestText(*grid.nodes.back()));
}

} // namespace

std::string ShortestText(double x, NumberForm form) {
    if (!std::isfinite(x)) {
        if (form == NumberForm::Plain) return "null";
        return std::isnan(x) ? "nan" : x > 0 ? "inf" : "-inf";
    }
    char text[32];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(text, sizeof text, "%.*g", precision, x);
        if (std::strtod(text, nullptr) == x) break;
    }
    std::string shortest = text;
    // "2" reads as an integer; "2.0" and "1e-05" read as reals.
    if (form == NumberForm::Real && shortest.find_first_of(".e") == std::string::npos)
        shortest += ".0";
    return shortest;
}

std::string SpacingText(const std::vector<double>& spacings) {
    std::string all;
    bool agree = true;
    for (std::size_t d = 0; d < spacings.size(); ++d) {
        const std::string text = ShortestText(spacings[d]);
        agree = agree && text == ShortestText(spacings[0]);
        all += (d ? "," : "") + text;
    }
    return agree && !spacings.empty() ? ShortestText(spacings[0]) : all;
}

std::string SpacingText(const DriverOptions& options) {
    std::vector<double> spacings;
    for (int d = 0; d < options.dims; ++d)
        spacings.push_back(options.axes[d].spacing);
    return SpacingText(spacings);
}

void PrintGrid(std::FILE* out, const std::string& title, const DomainOptions& options,
               const DomainGrid& grid) {
    std::fprintf(out, "%s: method %s, %d sections, length %s, spacing %s, order %d", title.c_str(),
                 options.method.c_str(), options.sections, ShortestText(options.length).c_str(),
                 ShortestText(options.spacing).c_str(), options.order);
    if (options.holdMinNodes) std::fprintf(out, ", MINNODECOUNT %d", options.minNodes);
    std::fputc('\n', out);
    const std::string remark = Remark(options, grid);
    if (!remark.empty()) std::fprintf(out, "%s\n", remark.c_str());
    std::fprintf(out, "%7s %-14s %-14s %9s %9s %11s %-14s %s\n", "section", "location", "length",
                 "nodecount", "base", "numelements", "elementlength", "interior");
    PrintRows(out, grid.sections.size(), "sections", [&](std::size_t k) {
        const SectionRow& s = grid.sections[k];
        std::fprintf(out, "%7lld %-14s %-14s %9d %9d %11d %-14s %s\n",
                     static_cast<long long>(k) + 1, ShortestText(s.location).c_str(),
                     ShortestText(s.length).c_str(), s.nodeCount, s.base, s.numElements,
                     ShortestText(s.elementLength).c_str(), Runs(s.interior).c_str());
    });
    std::fprintf(out, "interior: %s\n", Runs(grid.interior).c_str());
    std::fprintf(out, "nodes (ENDNODE %lld):\n", static_cast<long long>(grid.nodes.size()) - 1);
    PrintRows(out, grid.nodes.size(), "nodes", [&](std::size_t k) {
        std::fprintf(out, "%7lld %s\n", static_cast<long long>(k),
                     grid.nodes[k] ? ShortestText(*grid.nodes[k]).c_str() : "(no location)");
    });
}

void WriteGridMembers(std::FILE* file, const DomainGrid& grid, const std::string& indent) {
    const char* in = indent.c_str();
    std::fprintf(file, "%s\"nodes\": [", in);
    for (std::size_t k = 0; k < grid.nodes.size(); ++k)
        std::fprintf(file, "%s%s", k ? ", " : "",
                     grid.nodes[k] ? ShortestText(*grid.nodes[k]).c_str() : "null");
    std::fprintf(file, "],\n%s\"interior\": %s,\n%s\"sections\": [", in,
                 JsonList(grid.interior).c_str(), in);
    for (std::size_t k = 0; k < grid.sections.size(); ++k) {
        const SectionRow& s = grid.sections[k];
        std::fprintf(file,
                     "%s\n%s  {\"location\": %s, \"length\": %s, \"nodecount\": %d, "
                     "\"base\": %d, \"numelements\": %d, \"elementlength\": %s, \"interior\": %s}",
                     k ? "," : "", in, ShortestText(s.location).c_str(),
                     ShortestText(s.length).c_str(), s.nodeCount, s.base, s.numElements,
                     ShortestText(s.elementLength).c_str(), JsonList(s.interior).c_str());
    }
    std::fprintf(file, "%s]", grid.sections.empty() ? "" : ("\n" + indent).c_str());
}
