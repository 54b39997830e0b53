#include "host/driver/equation_output.h"

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "host/driver/grid_output.h"
#include "host/driver/host_properties.h"
#include "host/driver/residual_study.h"

namespace {

// Members of a string set as the command line writes them: "idx,idy", or "none".
std::string MembersText(const SUValue& set) {
    std::vector<std::string> members;
    for (int k = 0; k < set.SetSize(); ++k)
        members.emplace_back(set.StringAt(k));
    return IntegralsText(members);
}

// Empty when every structure record k declares, in order, the variable leaves of equation k,
// and the counts of both passes agree; else the first difference.
std::string Disagreement(const DistributionRoad& road) {
    const QV_ModelType& d = *road.Distribution();
    if (road.Pattern().counter != road.SetUpStatus())
        return "JacPattern counted " + std::to_string(road.Pattern().counter) +
               " equations, SetUpEquations " + std::to_string(road.SetUpStatus());
    if (d.StructureCount() != d.EquationCount())
        return std::to_string(d.StructureCount()) + " structure records for " +
               std::to_string(d.EquationCount()) + " equations";
    std::size_t leaves = 0;
    for (int e = 0; e < d.EquationCount(); ++e) {
        int k = 0;
        for (int t = 0; t < d.TokenCount(e); ++t) {
            const QV_ExprToken& token = d.Token(e, t);
            if (token.kind != QV_ExprToken::Variable) continue;
            if (k >= d.NonZeroCount(e) || d.NonZero(e, k) != token.variable) break;
            ++k;
        }
        if (k != d.NonZeroCount(e) || d.StructureGroup(e) != d.EquationGroup(e))
            return std::string("equation ") + std::to_string(e) + " (" + d.EquationName(e) +
                   ") differs from its structure record";
        leaves += static_cast<std::size_t>(k);
    }
    if (road.Pattern().rows.size() != leaves)
        return std::to_string(road.Pattern().rows.size()) + " Jacobian entries for " +
               std::to_string(leaves) + " variable leaves";
    return {};
}

std::string Count(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

namespace {

// Equations per group, per sub-block (the last one "other").
using GroupCounts = std::map<int, std::vector<int>>;

// The methods in the order of their numbers in the distributions' group numbering.
const char* const Methods[] = {"BFD1", "BFD2",  "FFD1",  "FFD2",  "CFD2",
                               "CFD4", "UBFD4", "OCFE2", "OCFE3", "OCFE4"};

// What a group of a distribution over n directions holds, by its number counted from the
// group base: groups 1 .. 2^n - 1 the start equations of the integrals, then method m (1 for
// BFD1 .. 10 for OCFE4) direction d (0 for x) its block at 2^n - 1 + n (m - 1) + d + 1.
std::string GroupLabel(int group, int dims) {
    const int starts = (1 << dims) - 1;
    if (group >= 1 && group <= starts) return "start";
    const int block = group - starts - 1;
    if (block < 0 || block >= dims * static_cast<int>(std::size(Methods))) return "?";
    return std::string(Methods[block / dims]) + " " + DirectionName(block % dims);
}

// The table of one direction: a column per sub-block.
void PrintGroupColumns(std::FILE* out, const GroupCounts& groups, const std::vector<int>& total) {
    const bool others = total[3] > 0;
    std::fputs("equations per group, by sub-block:\n", out);
    std::fprintf(out, "  %5s  %9s  %16s  %17s  %8s%s\n", "group", "equations", "first derivative",
                 "second derivative", "integral", others ? "     other" : "");
    auto row = [&](const std::string& label, const std::vector<int>& n) {
        std::fprintf(out, "  %5s  %9d  %16d  %17d  %8d", label.c_str(), n[0] + n[1] + n[2] + n[3],
                     n[0], n[1], n[2]);
        if (others) std::fprintf(out, "  %8d", n[3]);
        std::fputc('\n', out);
    };
    for (const auto& [group, n] : groups)
        row(std::to_string(group), n);
    row("all", total);
}

// The table of several directions, which have too many sub-blocks for a column each: a line
// per sub-block of each group, then the totals per sub-block.
void PrintGroupLines(std::FILE* out, const DistributionRoad& road, const GroupCounts& groups,
                     const std::vector<int>& total) {
    const std::vector<SubBlockKind>& kinds = road.Kind().subBlocks;
    auto name = [&](std::size_t b) { return b < kinds.size() ? kinds[b].array : "other"; };
    std::fputs("equations per group and sub-block (the array each equation defines):\n", out);
    std::fprintf(out, "  %5s  %-8s  %-9s  %9s\n", "group", "block", "sub-block", "equations");
    int all = 0;
    for (const auto& [group, n] : groups) {
        bool first = true;
        for (std::size_t b = 0; b < n.size(); ++b) {
            if (n[b] == 0) continue;
            const std::string label = GroupLabel(group - road.GroupBase(), road.Kind().dims);
            std::fprintf(out, "  %5s  %-8s  %-9s  %9d\n",
                         first ? std::to_string(group).c_str() : "", first ? label.c_str() : "",
                         name(b).c_str(), n[b]);
            first = false;
            all += n[b];
        }
    }
    std::fprintf(out, "  %5s  %-8s  %-9s  %9d\n", "all", "", "", all);
    std::fputs("equations per sub-block:\n", out);
    for (std::size_t b = 0; b < total.size(); ++b)
        if (b < kinds.size() || total[b] > 0)
            std::fprintf(out, "  %-9s %-34s %9d\n", name(b).c_str(),
                         b < kinds.size() ? kinds[b].description.c_str() : "", total[b]);
}

} // namespace

void PrintEquationSummary(std::FILE* out, const DistributionRoad& road) {
    const QV_ModelType& d = *road.Distribution();
    const DistributionKind& kind = road.Kind();
    const QV_VarParam* integrals = ValueOf(d, "INTEGRALS");
    const std::string integralsText = integrals ? MembersText(integrals->Value()) : "(none)";
    std::vector<std::string> orders;
    for (int k = 0; k < kind.dims; ++k) {
        const std::string name =
            std::string("HIGHESTORDER") + static_cast<char>('X' + k) + "DERIVATIVEUSED";
        const QV_VarParam* order = ValueOf(d, name.c_str());
        orders.push_back(order ? std::to_string(order->Value().IntValue()) : "(none)");
    }
    if (kind.dims == 1) {
        std::fprintf(out, "\n%s on the domain: HIGHESTORDERXDERIVATIVEUSED %s, INTEGRALS %s\n",
                     kind.type.c_str(), orders[0].c_str(), integralsText.c_str());
    } else {
        std::fprintf(out, "\n%s on the domains: INTEGRALS %s\nHIGHESTORDER?DERIVATIVEUSED:",
                     kind.type.c_str(), integralsText.c_str());
        for (int k = 0; k < kind.dims; ++k)
            std::fprintf(out, "%s %c %s", k ? "," : "", 'X' + k, orders[k].c_str());
        std::fputc('\n', out);
    }
    std::fprintf(out, "SetUpEquations: %s, group base %d\n",
                 Count(road.SetUpStatus(), "equation", "equations").c_str(), road.GroupBase());
    std::fprintf(
        out, "JacPattern: %s registered, %s\n",
        Count(d.EquationCount(), "equation", "equations").c_str(),
        Count(static_cast<int>(road.Pattern().rows.size()), "Jacobian entry", "Jacobian entries")
            .c_str());
    const std::string problem = Disagreement(road);
    if (problem.empty())
        std::fputs("structure and expressions name the same variables in the same order\n", out);
    else
        std::fprintf(out, "structure and expressions DISAGREE: %s\n", problem.c_str());

    const std::size_t blocks = road.Arrays().subBlocks.size() + 1;
    GroupCounts groups;
    std::vector<int> total(blocks, 0);
    for (int e = 0; e < d.EquationCount(); ++e) {
        const std::size_t block = SubBlockOf(d, e, road.Arrays());
        auto& row = groups.try_emplace(d.EquationGroup(e), blocks, 0).first->second;
        ++row[block];
        ++total[block];
    }
    if (kind.dims == 1)
        PrintGroupColumns(out, groups, total);
    else
        PrintGroupLines(out, road, groups, total);
}
