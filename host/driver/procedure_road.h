// The road of one call of the interpolation procedure: a model of the host owns the call, the
// point and every table entry are free variables, the mode a constant. The procedure is made
// and listed as generated code does, the owner's two equation passes run, then the host's
// calls: InitializeCStrings, Precall, Residuals and Jacobian, each with its status; last, where
// the Jacobian succeeded, the residual's differences check its row, and the procedure is
// released.
#pragma once

#include <string>
#include <vector>

#include "host/driver/procedure_options.h"

class ModelLibrary;

// One entry of the Jacobian row: the variable it belongs to, the value, and the residual's
// differences for the variable's step h: central, forward and backward (NaN where a
// perturbed call failed). At a kink of the table within the step the one-sided ones differ,
// and the entry is the derivative of one side.
struct JacobianEntry {
    std::string variable; // "y" (the output), "x", "X(k)" or "Y(k)", k from 1
    double value;
    double central, forward, backward;
};

// What one of the host's calls gave.
struct CallOutcome {
    std::string name;    // "Precall", "Residuals" or "Jacobian"
    int status = 0;      // of the call
    bool judged = false; // whether the host judged a call of the routine during it
    int failureFlag = 0; // the routine's, of the latest call judged during it
};

struct ProcedureRoadResult {
    std::vector<std::string> equations;
    std::vector<CallOutcome> calls; // in the order made
    bool evaluated = false;         // Residuals succeeded: the value and residuals stand
    double interpolated = 0;
    std::vector<double> residuals;
    bool differentiated = false;  // Jacobian succeeded: the row stands
    std::vector<double> jacobian; // in the order Jacobian() wrote them
    std::vector<JacobianEntry> row;

    // The first call that failed; null when none did.
    const CallOutcome* FirstFailure() const;
};

// Runs the road; false with `problem` set when the procedure cannot be made or reached.
bool RunProcedureRoad(const ModelLibrary& library, const ProcedureOptions& options,
                      ProcedureRoadResult& result, std::string& problem);
