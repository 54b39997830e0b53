#include "host/driver/equation_output.h"

#include <array>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/driver/grid_output.h"
#include "host/driver/host_properties.h"
#include "host/driver/residual_study.h"
#include "host/qv_system.h"

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

// Names of the leaves of the distribution's equations: an element of its arrays by its path,
// any other leaf (a parameter) by its path too, made unique with "#2", "#3" ... should it be
// taken by another parameter or read as an element of the distribution's arrays (the domain's
// node locations are VALUE(k) too). The parameters are listed in the order they are first
// named.
class LeafNames {
public:
    explicit LeafNames(const DistributionArrays& arrays) : m_arrays(arrays) {
        for (const QV_BASE_I* array : {arrays.value, arrays.ddx, arrays.d2dx2, arrays.idx})
            m_elementPrefixes.push_back(qvhost::PathOf(*array) + "(");
    }

    std::string operator()(const QV_VarParam& leaf) {
        if (m_arrays.Holds(leaf)) return qvhost::PathOf(leaf);
        const auto known = m_parameters.find(&leaf);
        if (known != m_parameters.end()) return known->second;
        const std::string path = qvhost::PathOf(leaf);
        int copy = ReadsAsElement(path) ? 2 : 1;
        std::string name = copy > 1 ? path + "#2" : path;
        while (!m_taken.emplace(name, &leaf).second)
            name = path + "#" + std::to_string(++copy);
        m_parameters.emplace(&leaf, name);
        m_order.push_back(&leaf);
        return name;
    }

    // Names `leaf` now when it is a parameter, so that it is listed.
    void Note(const QV_VarParam& leaf) {
        if (!m_arrays.Holds(leaf)) (*this)(leaf);
    }

    const std::vector<const QV_VarParam*>& Parameters() const { return m_order; }

private:
    bool ReadsAsElement(const std::string& path) const {
        for (const std::string& prefix : m_elementPrefixes)
            if (path.compare(0, prefix.size(), prefix) == 0) return true;
        return false;
    }

    const DistributionArrays& m_arrays;
    std::vector<std::string> m_elementPrefixes; // "VALUE(", "DDX(", ...
    std::unordered_map<const QV_VarParam*, std::string> m_parameters;
    std::map<std::string, const QV_VarParam*> m_taken;
    std::vector<const QV_VarParam*> m_order;
};

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string OperatorText(int op) {
    switch (op) {
    case EOp_Plus:
        return "+";
    case EOp_Minus:
        return "-";
    case EOp_Times:
        return "*";
    case EOp_Divide:
        return "/";
    case EOp_Square:
        return "sq";
    case EOp_Identity:
        return "op1";
    }
    return "op" + std::to_string(op);
}

std::string TokenText(const QV_ExprToken& token, LeafNames& names) {
    switch (token.kind) {
    case QV_ExprToken::Operator:
        return OperatorText(token.op);
    case QV_ExprToken::Integer:
        return std::to_string(token.integer);
    case QV_ExprToken::Real:
        return ShortestText(token.real, NumberForm::Real);
    case QV_ExprToken::Variable:
        break;
    }
    return names(*token.variable);
}

} // namespace

void PrintEquationSummary(std::FILE* out, const DistributionRoad& road) {
    const QV_ModelType& d = *road.Distribution();
    const QV_VarParam* order = ValueOf(d, "HIGHESTORDERXDERIVATIVEUSED");
    const QV_VarParam* integrals = ValueOf(d, "INTEGRALS");
    std::fprintf(out,
                 "\nDISTRIBUTION1D on the domain: HIGHESTORDERXDERIVATIVEUSED %s, INTEGRALS %s\n",
                 order ? std::to_string(order->Value().IntValue()).c_str() : "(none)",
                 integrals ? MembersText(integrals->Value()).c_str() : "(none)");
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

    std::map<int, std::array<int, SubBlockCount>> groups;
    std::array<int, SubBlockCount> total{};
    for (int e = 0; e < d.EquationCount(); ++e) {
        const int block = static_cast<int>(SubBlockOf(d, e, road.Arrays()));
        auto& row = groups.try_emplace(d.EquationGroup(e)).first->second;
        ++row[block];
        ++total[block];
    }
    const bool others = total[static_cast<int>(SubBlock::Other)] > 0;
    std::fputs("equations per group, by sub-block:\n", out);
    std::fprintf(out, "  %5s  %9s  %16s  %17s  %8s%s\n", "group", "equations", "first derivative",
                 "second derivative", "integral", others ? "     other" : "");
    auto row = [&](const std::string& label, const std::array<int, SubBlockCount>& n) {
        std::fprintf(out, "  %5s  %9d  %16d  %17d  %8d", label.c_str(), n[0] + n[1] + n[2] + n[3],
                     n[0], n[1], n[2]);
        if (others) std::fprintf(out, "  %8d", n[3]);
        std::fputc('\n', out);
    };
    for (const auto& [group, n] : groups)
        row(std::to_string(group), n);
    row("all", total);
}

void WriteEquationMembers(std::FILE* file, const DistributionRoad& road) {
    const QV_ModelType& d = *road.Distribution();
    LeafNames names(road.Arrays());
    // The parameters come first in the file, so name every leaf once before writing.
    for (int e = 0; e < d.EquationCount(); ++e)
        for (int t = 0; t < d.TokenCount(e); ++t)
            if (d.Token(e, t).kind == QV_ExprToken::Variable) names.Note(*d.Token(e, t).variable);
    for (int k = 0; k < d.StructureCount(); ++k)
        for (int t = 0; t < d.NonZeroCount(k); ++t)
            names.Note(*d.NonZero(k, t));

    std::fprintf(file, "  \"groupBase\": %d,\n  \"parameters\": {", road.GroupBase());
    const auto& parameters = names.Parameters();
    for (std::size_t k = 0; k < parameters.size(); ++k)
        std::fprintf(file, "%s\n    %s: %s", k ? "," : "",
                     JsonString(names(*parameters[k])).c_str(),
                     ShortestText(parameters[k]->Numeric()).c_str());
    std::fprintf(file, "%s},\n  \"equations\": [", parameters.empty() ? "" : "\n  ");
    for (int e = 0; e < d.EquationCount(); ++e) {
        std::string prefix, nonzeros;
        for (int t = 0; t < d.TokenCount(e); ++t)
            prefix += (t ? ", " : "") + JsonString(TokenText(d.Token(e, t), names));
        if (e < d.StructureCount())
            for (int t = 0; t < d.NonZeroCount(e); ++t)
                nonzeros += (t ? ", " : "") + JsonString(names(*d.NonZero(e, t)));
        std::fprintf(file,
                     "%s\n    {\"name\": %s, \"group\": %d, \"prefix\": [%s], \"nonzeros\": [%s]}",
                     e ? "," : "", JsonString(d.EquationName(e)).c_str(), d.EquationGroup(e),
                     prefix.c_str(), nonzeros.c_str());
    }
    std::fprintf(file, "%s]", d.EquationCount() ? "\n  " : "");
}
