// The road of one call of the interpolation procedure: a model of the host owns the call, the
// point and every table entry are free variables, the mode a constant. The procedure is made
// and listed as generated code does, the owner's two equation passes run, then the host's
// calls: InitializeCStrings, Precall, Residuals and Jacobian; last, the residual's central
// differences check the Jacobian row, and the procedure is released.
#pragma once

#include <string>
#include <vector>

#include "host/driver/procedure_options.h"

class ModelLibrary;

// One entry of the Jacobian row: the variable it belongs to and the two values.
struct JacobianEntry {
    std::string variable; // "y" (the output), "x", "X(k)" or "Y(k)", k from 1
    double value;
    double difference; // central difference of the residual
};

struct ProcedureRoadResult {
    std::vector<std::string> equations;
    int status = 0;      // of Residuals, as the host judged the call
    int failureFlag = 0; // the routine's, of the latest judged call
    bool evaluated = false;
    double interpolated = 0;
    std::vector<double> residuals;
    std::vector<double> jacobian; // in the order Jacobian() wrote them
    std::vector<JacobianEntry> row;
};

// Runs the road; false with `problem` set when the procedure cannot be made or reached.
bool RunProcedureRoad(const ModelLibrary& library, const ProcedureOptions& options,
                      ProcedureRoadResult& result, std::string& problem);
