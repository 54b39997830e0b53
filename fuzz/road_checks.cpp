#include "fuzz/road_checks.h"

#include "fuzz/fault.h"
#include "types/domain/section_data_model.h"
#include "types/scheme/grid_check.h"

#include <climits>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace norvane::fuzz {
namespace {

// A variable term of an equation, as the distribution's objects place it.
struct Term {
    enum class Kind { Node, Step } kind;
    const QV_VarParam* variable;
    long long node[3] = {0, 0, 0}; // Node: the index of each direction
    int direction = -1;            // Step: the domain whose section it is
    const QV_SECTIONDATAMODEL* section = nullptr;
    int sectionNumber = 0;
};

std::string Path(const QV_VarParam& variable) {
    return qvhost::PathOf(variable);
}

// "3" or "3,4,5" into `count` integers; false when the text is not exactly that.
bool ReadIndices(const char* text, int count, long long* values) {
    for (int k = 0; k < count; ++k) {
        char* end = nullptr;
        values[k] = std::strtoll(text, &end, 10);
        if (end == text || *end != (k + 1 < count ? ',' : '\0')) return false;
        text = end + (k + 1 < count ? 1 : 0);
    }
    return true;
}

class EquationChecks {
public:
    explicit EquationChecks(const RoadRun& road)
        : m_road(road), m_d(road.Distribution()), m_dimensions(road.Request().dimensions) {}

    void All() {
        const int count = m_road.Status();
        if (m_d.StructureCount() != count || m_d.EquationCount() != count ||
            m_road.Pattern().counter != count)
            Fault("SetUpEquations returned %d, %d structures, %d equations, counter %d", count,
                  m_d.StructureCount(), m_d.EquationCount(), m_road.Pattern().counter);
        if (m_d.StrayTokens() != 0) Fault("%d tokens outside any equation", m_d.StrayTokens());
        for (int e = 0; e < count; ++e)
            Equation(e);
        if (m_leaf != m_road.Pattern().rows.size())
            Fault("%zu variable terms, %zu Jacobian entries", m_leaf, m_road.Pattern().rows.size());
    }

private:
    void Equation(int e) {
        if (m_d.EquationGroup(e) != m_d.StructureGroup(e))
            Fault("equation %d: group %d, structure group %d", e, m_d.EquationGroup(e),
                  m_d.StructureGroup(e));
        // Every instance of a family has the family's form: one of each is evaluated.
        if (m_families.insert(m_d.EquationName(e)).second && !qvhost::Evaluate(m_d, e).ok)
            Fault("equation %d (%s) is no well-formed expression", e, m_d.EquationName(e));
        std::vector<Term> terms;
        int t = 0;
        for (int k = 0; k < m_d.TokenCount(e); ++k) {
            const QV_ExprToken& token = m_d.Token(e, k);
            if (token.kind != QV_ExprToken::Variable) continue;
            if (t >= m_d.NonZeroCount(e) || m_d.NonZero(e, t) != token.variable)
                Fault("equation %d: term %d differs between the passes", e, t);
            ++t;
            JacobianEntry(e, *token.variable);
            terms.push_back(Place(e, *token.variable));
        }
        if (t != m_d.NonZeroCount(e))
            Fault("equation %d: %d terms written, %d declared", e, t, m_d.NonZeroCount(e));
        OwnSection(e, terms);
    }

    void JacobianEntry(int e, const QV_VarParam& variable) {
        const qvhost::Pattern& pattern = m_road.Pattern();
        if (m_leaf >= pattern.rows.size()) return; // counted against the total at the end
        if (pattern.rows[m_leaf] != e || pattern.cols[m_leaf] != variable.SystemIndex())
            Fault("equation %d: Jacobian entry %zu is (%d, %d)", e, m_leaf, pattern.rows[m_leaf],
                  pattern.cols[m_leaf]);
        ++m_leaf;
    }

    // Which object the term is: an element of one of the distribution's arrays at nodes of the
    // grid that the array has, or the element length of one of the domains' sections. A second
    // derivative stands where its block's own node loop puts it: an INTERIOR that does not
    // follow the method (polynomial points left by another method, or fixed by the user) may
    // leave that node out of the array's own-direction set, and the array then makes the
    // element on access.
    Term Place(int e, const QV_VarParam& variable) {
        Term term{Term::Kind::Node, &variable};
        const QV_Containable* parent = variable.Parent();
        for (const ArrayIndices& array : m_road.Arrays()) {
            if (parent != array.array) continue;
            if (array.array->IndexCount() != m_dimensions ||
                !ReadIndices(variable.IndexText(), m_dimensions, term.node))
                Fault("equation %d: %s is no element of a grid", e, Path(variable).c_str());
            for (int d = 0; d < m_dimensions; ++d) {
                int position;
                const long long end = m_road.Domain(d).ENDNODE.v();
                const bool declared =
                    d == array.differentiated ||
                    array.values[d].SetContains(static_cast<int>(term.node[d]), position);
                if (term.node[d] < 0 || term.node[d] > end || !declared)
                    Fault("equation %d: %s addresses no existing node (ENDNODE %lld)", e,
                          Path(variable).c_str(), end);
            }
            return term;
        }
        const auto* section = dynamic_cast<const QV_SECTIONDATAMODEL*>(variable.Owner());
        if (section && &section->ELEMENTLENGTH == &variable) {
            for (int d = 0; d < m_dimensions; ++d) {
                QV_DOMAIN& domain = m_road.Domain(d);
                if (section->Parent() != &*domain.SECTION) continue;
                long long number = 0;
                if (!ReadIndices(section->IndexText(), 1, &number) || number < 1 ||
                    number > domain.NUMSECTIONS.v())
                    Fault("equation %d: %s of no section of the domain (NUMSECTIONS %d)", e,
                          Path(variable).c_str(), domain.NUMSECTIONS.v());
                term.kind = Term::Kind::Step;
                term.direction = d;
                term.section = section;
                term.sectionNumber = static_cast<int>(number);
                return term;
            }
        }
        Fault("equation %d: %s is no variable of the distribution's grid", e,
              Path(variable).c_str());
    }

    // An equation with a step is one of a section: all its steps are that section's, and its
    // nodes along the section's direction lie between the section's ends.
    void OwnSection(int e, const std::vector<Term>& terms) {
        const Term* step = nullptr;
        for (const Term& term : terms) {
            if (term.kind != Term::Kind::Step) continue;
            if (step && term.section != step->section)
                Fault("equation %d: steps of two sections", e);
            step = &term;
        }
        if (!step) return;
        const long long low = step->section->BASE.fv();
        const long long high = low + step->section->NODECOUNT.fv();
        for (const Term& term : terms) {
            const long long node = term.node[step->direction];
            if (term.kind == Term::Kind::Node && (node < low || node > high))
                Fault("equation %d: %s lies outside section %d (nodes %lld .. %lld) of its step", e,
                      Path(*term.variable).c_str(), step->sectionNumber, low, high);
        }
    }

    const RoadRun& m_road;
    const QV_ModelType& m_d;
    int m_dimensions;
    std::size_t m_leaf = 0;
    std::set<std::string> m_families;
};

bool AllLinked(const RoadRequest& request) {
    for (int d = 0; d < request.dimensions; ++d)
        if (!request.linked[d]) return false;
    return true;
}

// Grids that fresh domains computed from their own inputs, settled by a second run: no user
// value can have made them unfit for the method. (A later round can find values that the
// assignments keep from the round before, a method's polynomial points say. A section count of
// -2147483648 lays out the one section [1..INT_MIN] = {1}, while the sum over the sections,
// ENDNODE, is 0.)
bool GridsOwnAndSettled(const RoadRun& road) {
    if (road.RoundNumber() != 0) return false;
    for (int d = 0; d < road.Request().dimensions; ++d) {
        const AxisRequest& axis = road.Round().axes[d];
        if (axis.minNodesFixed || axis.polyPointsFixed || axis.interiorFixed ||
            axis.assignmentRuns < 2 || axis.sections == INT_MIN)
            return false;
    }
    return true;
}

// Every index set of the distribution, "QV_<array>_SET<k>", holds only nodes of direction k's
// grid, 0 .. ENDNODE (node 0 alone for ENDNODE -2147483648), whatever the grid check says.
void CheckIndexSets(const RoadRun& road) {
    const QV_ModelType& d = road.Distribution();
    for (int k = 0; k < d.PropertyCount(); ++k) {
        const auto* set = dynamic_cast<const QV_INTEGERSET*>(d.PropertyAt(k));
        if (!set) continue;
        const std::string name = set->Name();
        const int end = road.Domain(name.back() - '1').ENDNODE.fv();
        const QV_SetValue& nodes = set->fv();
        const int count = nodes.SetSize();
        if (count > 0 &&
            (nodes.IntegerAt(0) < 0 || nodes.IntegerAt(count - 1) > (end == INT_MIN ? 0 : end)))
            Fault("%s holds a node outside 0 .. %d: %d .. %d", name.c_str(), end,
                  nodes.IntegerAt(0), nodes.IntegerAt(count - 1));
    }
}

} // namespace

void CheckRoad(const RoadRun& road) {
    const int status = road.Status();
    const RoadRequest& request = road.Request();
    const QV_ModelType& d = road.Distribution();
    if (status < 0) {
        if (status != RefusedNoDomain && status != RefusedSectionOrder &&
            status != RefusedUntiled && status != RefusedOutsideSection)
            Fault("SetUpEquations returned %d, no refusal of the grid check", status);
        if (d.StructureCount() != 0 || d.EquationCount() != 0 || !road.Pattern().rows.empty() ||
            road.Pattern().counter != 0)
            Fault("refused with %d, yet %d structures and %d equations", status, d.StructureCount(),
                  d.EquationCount());
    }
    if ((status == RefusedNoDomain) != !AllLinked(request))
        Fault("SetUpEquations returned %d with %s domain references linked", status,
              AllLinked(request) ? "all" : "not all");
    if (status < 0 && status != RefusedNoDomain && GridsOwnAndSettled(road))
        Fault("refused with %d a grid that the domains computed from their own inputs", status);
    CheckIndexSets(road);
    if (status >= 0) EquationChecks(road).All();
}

} // namespace norvane::fuzz
