// The two passes of a distribution's equations, shared by the one-, two- and
// three-dimensional types: the structure pass (SetUpEquations: group limit, one AddNonZero per
// term) and the expression pass (JacPattern: AddEquation, then the prefix expression). Both
// walk the type's programs over the same inputs, after the same grid check.
#pragma once

#include "framework/generated_type.h"
#include "types/scheme/domain_inputs.h"
#include "types/scheme/grid_check.h"
#include "types/scheme/scheme_sinks.h"

namespace norvane {

// What a distribution's passes read: its directions' grids and its INTEGRALS.
class DistributionInputs final : public SchemeInputs {
public:
    DistributionInputs(DirectionInputs* const* directions, int count, QV_STRINGSET& integrals,
                       Pass pass)
        : m_directions(directions), m_count(count), m_integrals(integrals), m_pass(pass) {}

    int dimensions() override { return m_count; }
    DirectionInputs& direction(Direction d) override { return *m_directions[static_cast<int>(d)]; }
    bool integralRequested(IntegralName name) override {
        return StringInSet(IntegralNameText(name), Read(*m_integrals, m_pass)) != 0;
    }

private:
    DirectionInputs* const* m_directions;
    int m_count;
    QV_STRINGSET& m_integrals;
    Pass m_pass;
};

// The passes take the elements that the terms of a distribution's equations name as a type of
// the distribution's own, `Elements`, with these members:
//   QV_VarParam& integral(unsigned char span, const int node[3]);
//       VALUE (span 0) or the integral spanning the directions of `span` (bit d per direction);
//   QV_VarParam& derivative(int order, Direction d, const int node[3]);
//       DDX, DDY, DDZ (order 1) or D2DX2, D2DY2, D2DZ2 (order 2) along d;
//   QV_VarParam& step(Direction d, int section);
//       ELEMENTLENGTH of section s of the domain of direction d.
// Each distribution's passes are compiled with its own type, so that a term's lookup goes
// straight to the array that holds it. The sinks are in scheme_sinks.h.

// The structure pass after the parent's, which returned n >= 0: checks the grid, stores the
// group base, declares every instance and returns SetLocalEqnCount of the total, or the
// refusal with nothing declared.
template <class Elements>
int DeclareEquations(QV_ModelTypeEx2& model, int n, const ProgramSet& programs, SchemeInputs& in,
                     Elements& elements, int& groupBase, int& eqnCount) {
    const GridRefusal refusal = CheckGrid(programs, in);
    if (refusal != GridAccepted) return refusal;
    groupBase = QV_ModelType::m_stLastGroup;
    eqnCount = 0;
    const int start = n;
    StructureSink<Elements> sink(model, elements, groupBase, n);
    WalkScheme(programs, in, sink);
    eqnCount = n - start;
    return model.SetLocalEqnCount(n);
}

// The expression pass after the parent's, which returned counter: registers every instance and
// writes its expression, nothing on a refused grid. Returns the advanced counter.
template <class Elements>
int WriteExpressions(QV_ModelTypeEx2& model, int counter, int*& rows, int*& cols,
                     const ProgramSet& programs, SchemeInputs& in, Elements& elements,
                     int groupBase) {
    if (CheckGrid(programs, in) != GridAccepted) return counter;
    ExpressionSink<Elements> sink(model, elements, groupBase, counter, rows, cols);
    WalkScheme(programs, in, sink);
    sink.Finish();
    return counter;
}

// SetUpEquations of a distribution: the parent's pass, then, with every domain linked, the
// structure pass over what `PassInputs(distribution, pass)` reads (its `in` and `elements`).
template <class PassInputs, class Distribution>
int DistributionSetUpEquations(Distribution& d, bool linked, const ProgramSet& programs) {
    const int n = d.QV_ModelTypeEx2::SetUpEquations();
    if (n < 0) return n;
    if (!linked) return RefusedNoDomain;
    PassInputs inputs(d, Pass::Structure);
    return DeclareEquations(d, n, programs, inputs.in, inputs.elements, d.m_groupBase,
                            d.m_eqnCount);
}

// JacPattern of a distribution: its expressions cleared, the parent's pass, then, with every
// domain linked, the expression pass; the Jacobian-entry count is what this pass appended.
template <class PassInputs, class Distribution>
int DistributionJacPattern(Distribution& d, bool linked, const ProgramSet& programs, int*& rows,
                           int*& cols, QV_EquationType** equations) {
    static_cast<QV_ModelExtensions&>(d).ResetExpressions();
    int counter = d.QV_ModelTypeEx2::JacPattern(rows, cols, equations);
    const int* const start = rows;
    if (linked) {
        PassInputs inputs(d, Pass::Expression);
        counter = WriteExpressions(d, counter, rows, cols, programs, inputs.in, inputs.elements,
                                   d.m_groupBase);
    }
    d.m_patternCount = static_cast<int>(rows - start);
    return counter;
}

} // namespace norvane
