#include "host/driver/equation_json.h"

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/driver/grid_output.h"
#include "host/qv_system.h"

namespace {

// The containable at the top of `leaf`'s tree: the model that owns it.
const QV_Containable* TopOf(const QV_Containable& leaf) {
    const QV_Containable* node = &leaf;
    for (;;) {
        if (const QV_Containable* holder = node->FiledIn())
            node = holder;
        else if (const QV_Containable* array = node->Parent())
            node = array;
        else if (const QV_Containable* owner = node->Owner())
            node = owner;
        else
            return node;
    }
}

// Names of the leaves of the distribution's equations: an element of its arrays by its path,
// any other leaf (a parameter) by its path too, with more than one direction headed by the
// reference of its domain ("YDOMAIN."), made unique with "#2", "#3" ... should it be taken by
// another parameter or read as an element of the distribution's arrays (the domain's node
// locations are VALUE(k) too). The parameters are listed in the order they are first named.
class LeafNames {
public:
    explicit LeafNames(const DistributionRoad& road) : m_road(road), m_arrays(road.Arrays()) {
        m_elementPrefixes.push_back(qvhost::PathOf(*m_arrays.value) + "(");
        for (const QV_Matrix* array : m_arrays.subBlocks)
            m_elementPrefixes.push_back(qvhost::PathOf(*array) + "(");
    }

    std::string operator()(const QV_VarParam& leaf) {
        if (m_arrays.Holds(leaf)) return qvhost::PathOf(leaf);
        const auto known = m_parameters.find(&leaf);
        if (known != m_parameters.end()) return known->second;
        const std::string path = ParameterPath(leaf);
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
    std::string ParameterPath(const QV_VarParam& leaf) const {
        const DistributionKind& kind = m_road.Kind();
        if (kind.dims > 1) {
            const QV_Containable* top = TopOf(leaf);
            for (int d = 0; d < kind.dims; ++d)
                if (top == m_road.Domain(d)) return kind.references[d] + "." + qvhost::PathOf(leaf);
        }
        return qvhost::PathOf(leaf);
    }

    bool ReadsAsElement(const std::string& path) const {
        for (const std::string& prefix : m_elementPrefixes)
            if (path.compare(0, prefix.size(), prefix) == 0) return true;
        return false;
    }

    const DistributionRoad& m_road;
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

void WriteEquationMembers(std::FILE* file, const DistributionRoad& road) {
    const QV_ModelType& d = *road.Distribution();
    LeafNames names(road);
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
