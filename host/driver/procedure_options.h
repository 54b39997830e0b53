// The command line of qvhost's procedure road: the point, the table and the mode of one call
// of the interpolation procedure.
#pragma once

#include <string>
#include <vector>

struct ProcedureOptions {
    bool run = false; // --procedure: run the procedure road instead of the distribution's
    double x = 2.5;
    // The table's abscissae and ordinates; an entry of --table with one side empty adds to
    // one list only, so the two may differ in length.
    std::vector<double> xs = {0.0, 1.0, 2.0, 4.0};
    std::vector<double> ys = {0.0, 2.0, 3.0, 4.5};
    int mode = 1;
};

// True for an option of the procedure road that takes a value (--x, --table, --mode).
bool IsProcedureOption(const std::string& name);

// Applies one of them; false with `error` set when the value is malformed.
bool ApplyProcedureOption(const std::string& name, const char* value, ProcedureOptions& options,
                          std::string& error);

// The table as the command line writes it: "X1:Y1,X2:Y2,...".
std::string TableText(const ProcedureOptions& options);

// The text that --help adds for the procedure road.
const char* ProcedureUsage();
