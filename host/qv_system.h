// The host's own side of an equation system: driving a model's structure and expression
// passes, evaluating the registered expressions, and naming properties. Used by the host's
// driver and by tests; model libraries never call these.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/qv_model.h"

namespace qvhost {

// Hands out the position of the next variable placed in the equation system.
QVCORE_API int NextSystemIndex();
// Starts a new equation system: group numbers and variable positions count from 0 again.
QVCORE_API void ResetSystem();

// The Jacobian entries that a JacPattern run wrote: (equation, variable position) pairs.
struct Pattern {
    std::vector<int> rows;
    std::vector<int> cols;
    int counter = 0; // what JacPattern returned
};

// Runs JacPattern on `model` with row and column buffers sized from the non-zeros that its
// last SetUpEquations declared. The second form writes into `pattern`, reusing its buffers:
// a host that runs the passes again allocates nothing anew.
QVCORE_API Pattern RunJacPattern(QV_ModelType& model);
QVCORE_API void RunJacPattern(QV_ModelType& model, Pattern& pattern);

// Value of the residual of registered equation `e` at the variables' current values, and its
// derivative with respect to each variable leaf, in leaf order. `ok` is false (value 0) when
// the expression is malformed: an unknown operator, too few or too many operands.
struct Evaluation {
    bool ok = false;
    double value = 0.0;
    std::vector<std::pair<QV_VarParam*, double>> gradient;
};
QVCORE_API Evaluation Evaluate(const QV_ModelType& model, int e);

// The path of a property from its top-level owner's point of view: "LENGTH", "VALUE(3)",
// "SECTION(2).ELEMENTLENGTH". An object filed in a type-replaceable property goes by the
// property's name.
QVCORE_API std::string PathOf(const QV_Containable& property);

} // namespace qvhost
