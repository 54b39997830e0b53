// What must hold after every round of any road (road_fuzz.h).
#include "fuzz/fault.h"
#include "fuzz/road_fuzz.h"
#include "tests/scheme/pass_agreement.h"
#include "types/domain/section_data_model.h"
#include "types/scheme/grid_check.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace norvane::fuzz {
namespace {

// "3" or "3,4,5" into `count` integers; false when the text is not exactly that.
bool ReadIndices(const char* text, int count, long long* values) {
    for (int k = 0; k < count; ++k) {
        char* end = nullptr;
        values[k] = std::strtoll(text, &end, 10);
        if (end == text || *end != (k + 1 < count ? ',' : '\0')) return false;
        text = end + 1;
    }
    return true;
}

// The nodes of a term that is an element of one of the distribution's arrays: each within its
// direction's grid and in the set that the array declared there. A second derivative stands
// where its block's own node loop puts it: an INTERIOR that does not follow the method
// (polynomial points left by another method, or fixed by the user) may leave that node out of
// the array's own-direction set, and the array then makes the element on access.
void ArrayNodes(const Road& road, int e, const QV_VarParam& v, long long* node) {
    const int dimensions = road.request.dimensions;
    const auto* array = dynamic_cast<const QV_Matrix*>(v.Parent());
    // The distribution's property: the array, or the one it is filed in.
    const QV_Containable* property = array && array->FiledIn() ? array->FiledIn() : array;
    bool onGrid = property && property->Owner() == road.distribution &&
                  array->IndexCount() == dimensions && ReadIndices(v.IndexText(), dimensions, node);
    const char* name = onGrid ? property->Name() : "";
    const int own =
        std::strlen(name) == 5 && std::strncmp(name, "D2D", 3) == 0 ? name[3] - 'X' : -1;
    for (int d = 0; onGrid && d < dimensions; ++d) {
        const QV_Set* declared = array->m_DeclaredSets[d];
        int position;
        onGrid = node[d] >= 0 && node[d] <= road.domains[d]->ENDNODE.v() &&
                 (d == own ||
                  (declared && declared->fv().SetContains(static_cast<int>(node[d]), position)));
    }
    if (!onGrid)
        Fault("equation %d: %s is no node of its array's grid", e, qvhost::PathOf(v).c_str());
}

// The section whose ELEMENTLENGTH the term is, with its direction; null for another term.
const QV_SECTIONDATAMODEL* StepSection(const Road& road, int e, const QV_VarParam& v, int& d) {
    const auto* section = dynamic_cast<const QV_SECTIONDATAMODEL*>(v.Owner());
    if (!section || &section->ELEMENTLENGTH != &v) return nullptr;
    for (d = 0; d < road.request.dimensions; ++d) {
        QV_DOMAIN& domain = *road.domains[d];
        long long number = 0;
        if (section->Parent() != &*domain.SECTION) continue;
        if (!ReadIndices(section->IndexText(), 1, &number) || number < 1 ||
            number > domain.NUMSECTIONS.v())
            Fault("equation %d: the step of no section of its domain", e);
        return section;
    }
    Fault("equation %d: the step of no domain of the distribution", e);
}

// Every term lies on the grid; an equation with a step is one of that section: all its steps
// are the section's, and its nodes along the section's direction lie between its ends.
void CheckTerms(const Road& road, int e) {
    const QV_ModelType& model = *road.distribution;
    std::vector<std::array<long long, 3>> nodes; // of the terms on the grid
    const QV_SECTIONDATAMODEL* step = nullptr;
    int direction = 0;
    for (int k = 0; k < model.TokenCount(e); ++k) {
        const QV_ExprToken token = model.Token(e, k);
        if (token.kind != QV_ExprToken::Variable) continue;
        if (const auto* section = StepSection(road, e, *token.variable, direction)) {
            if (step && section != step) Fault("equation %d: steps of two sections", e);
            step = section;
        } else {
            ArrayNodes(road, e, *token.variable, nodes.emplace_back().data());
        }
    }
    if (!step) return;
    const long long low = step->BASE.fv(), high = low + step->NODECOUNT.fv();
    for (const auto& node : nodes)
        if (node[direction] < low || node[direction] > high)
            Fault("equation %d: node %lld outside its section, %lld .. %lld", e, node[direction],
                  low, high);
}

// Every index set of the distribution, "QV_<array>_SET<k>", holds only nodes of direction k's
// grid, 0 .. ENDNODE (node 0 alone for ENDNODE -2147483648), whatever the grid check says.
void CheckIndexSets(const Road& road) {
    const QV_ModelType& model = *road.distribution;
    for (int k = 0; k < model.PropertyCount(); ++k) {
        const auto* set = dynamic_cast<const QV_INTEGERSET*>(model.PropertyAt(k));
        if (!set) continue;
        const std::string name = set->Name();
        const int end = road.domains[name.back() - '1']->ENDNODE.fv();
        const QV_SetValue& nodes = set->fv();
        const int count = nodes.SetSize();
        if (count > 0 &&
            (nodes.IntegerAt(0) < 0 || nodes.IntegerAt(count - 1) > (end == INT_MIN ? 0 : end)))
            Fault("%s holds a node outside 0 .. %d", name.c_str(), end);
    }
}

} // namespace

void CheckRoad(const Road& road) {
    const QV_ModelType& model = *road.distribution;
    const int status = road.status;
    bool linked = true;
    for (int d = 0; d < road.request.dimensions; ++d)
        linked = linked && road.request.linked[d];
    if ((status == RefusedNoDomain) == linked)
        Fault("SetUpEquations returned %d with %s domains linked", status,
              linked ? "all" : "not all");
    if (status < 0) {
        if (status < RefusedOutsideSection || status > RefusedNoDomain)
            Fault("SetUpEquations returned %d, no refusal of the grid check", status);
        if (model.StructureCount() != 0 || model.EquationCount() != 0 ||
            !road.pattern.rows.empty() || road.pattern.counter != 0)
            Fault("refused with %d, yet %d structures and %d equations", status,
                  model.StructureCount(), model.EquationCount());
    } else {
        const std::string disagreement = test::PassDisagreement(model, status, road.pattern);
        if (!disagreement.empty()) Fault("%s", disagreement.c_str());
        // Every instance of a family has the family's form: one of each is evaluated.
        std::set<std::string> families;
        for (int e = 0; e < status; ++e) {
            CheckTerms(road, e);
            if (families.insert(model.EquationName(e)).second && !qvhost::Evaluate(model, e).ok)
                Fault("equation %d (%s) is no well-formed expression", e, model.EquationName(e));
        }
    }
    CheckIndexSets(road);
}

} // namespace norvane::fuzz
