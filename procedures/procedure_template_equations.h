// The procedure's part of its owner's equation passes: the counts for the structure pass and,
// in the expression pass, one procedure equation per output element with its terms (the
// output element, then the free input elements) and the registration of the call.
#pragma once

#include <cstdio>

#include "framework/library_new.h"
#include "procedures/procedure_template.h"

namespace norvane {
// A procedure equation is a host object that the library makes.
template <> struct IsHostClass<QV_ProcedureEquationType> : std::true_type {};
} // namespace norvane

// The equations that the expression pass makes: none for an incomplete argument list.
QV_PROCEDURE_TEMPLATE template <class Owner>
int QV_PROCEDURE::Contribution(Owner* owner, int group, int& equationCount) {
    if (owner) owner->SetGroupLimits(group);
    const int rows = Rows();
    equationCount += rows;
    return rows * (this->m_nFreeInputs + 1);
}

QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::NZAndEqnContribution(QV_ModelTypeEx* owner, int group,
                                                             int& equationCount) {
    return Contribution(owner, group, equationCount);
}
QV_PROCEDURE_TEMPLATE int QV_PROCEDURE::NZAndEqnContribution(QV_StructureTypeEx* owner, int group,
                                                             int& equationCount) {
    return Contribution(owner, group, equationCount);
}

// Equations are named "[output]" for a scalar output and "[output_element]" for an array
// output, numbered from 1. Nothing is created from an incomplete argument list, whose call is
// registered as that of a procedure without outputs (null); an equation that cannot be
// allocated is left out, and the call registered all the same.
QV_PROCEDURE_TEMPLATE template <class Owner>
void QV_PROCEDURE::CreateEquations(int group, int kind, int*& rows, int*& cols, int& equationCount,
                                   Owner* owner, const char* source, int line) {
    if (!owner) return;
    // The owner's expression interface, through whose table the terms go.
    QV_ModelExtensions& expressions = *owner;
    const int equations = Rows();
    if (equations != 0) {
        char name[1024];
        int number = 1;
        QV_VarParam* const* output = this->m_ppVars + this->m_nInputVars;
        ForEachArgument(InputArgs(), TotalArgs(), [&](int i, int dimensions, long long count) {
            for (long long e = 1; e <= count; ++e, ++number, ++output) {
                if (dimensions != 0)
                    std::snprintf(name, sizeof name, "[%d_%lld]", i - InputArgs() + 1, e);
                else
                    std::snprintf(name, sizeof name, "[%d]", i - InputArgs() + 1);
                QV_ProcedureEquationType* equation =
                    norvane::LibraryNew<norvane::LibraryMade<QV_ProcedureEquationType>>(
                        this, number, kind, owner, source, equationCount, line, name);
                if (!equation) continue;
                owner->AddEquation(equation, equationCount, group);
                const int row = equationCount - 1;
                expressions.AddProcExpression(this, number, row, source);
                expressions.AddTerm(**output, rows, cols, row);
                // The owner sized its pattern from the free inputs that the counting pass
                // counted, and the Jacobian writes rows of that width: an element that has
                // become a solver variable since would overrun both. So the terms stop at the
                // count: the first free elements in listing order, those that the row's entries
                // are taken from.
                int terms = 0;
                for (int k = 0; k < this->m_nInputVars && terms < this->m_nFreeInputs; ++k)
                    if (this->m_ppVars[k]->IsSolverVariable()) {
                        expressions.AddTerm(*this->m_ppVars[k], rows, cols, row);
                        ++terms;
                    }
            }
        });
    }
    owner->AddProcCall(equations != 0 ? this : nullptr, group);
}

QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::CreateEquationsAndSetGroup(int group, int kind, int*& rows,
                                                                    int*& cols, int& equationCount,
                                                                    QV_ModelTypeEx* owner,
                                                                    const char* source, int line) {
    CreateEquations(group, kind, rows, cols, equationCount, owner, source, line);
}
QV_PROCEDURE_TEMPLATE void QV_PROCEDURE::CreateEquationsAndSetGroup(int group, int kind, int*& rows,
                                                                    int*& cols, int& equationCount,
                                                                    QV_StructureTypeEx* owner,
                                                                    const char* source, int line) {
    CreateEquations(group, kind, rows, cols, equationCount, owner, source, line);
}
