// The command line of qvhost.
#pragma once

#include <string>
#include <vector>

#include "host/driver/distribution_kind.h"
#include "host/driver/procedure_options.h"

// The inputs the user fixes on the domain of one direction.
struct DomainOptions {
    std::string method = "CFD4";
    int sections = 2;
    double length = 1.0;
    double spacing = 0.0625;
    int order = 2; // HIGHESTORDERDERIVATIVE, always fixed: the domain's own default is 1
    bool holdMinNodes = false; // MINNODECOUNT is fixed only when --min-nodes is given
    int minNodes = 0;
};

struct DriverOptions {
    int dims = 1;                // the directions of the distribution: 1, 2 or 3
    DomainOptions axes[MaxDims]; // direction d's domain; the first `dims` are used
    // Members of the distribution's INTEGRALS; empty: the empty set ("--integrals none").
    // Without --integrals, every integral the distribution offers.
    std::vector<std::string> integrals = {"idx"};
    std::string dumpPath;          // empty: no JSON dump
    long long maxNodes = 10000000; // at most 2^31 - 1
    long long maxMemoryMB = 0;     // 0: as much as the system has available
    bool catalog = false;          // print what the library offers instead of running the road
    ProcedureOptions procedure;
};

enum class ParseResult { Run, Help, Error };

// Reads the options after the program name. On Error, `error` says what was wrong.
ParseResult ParseOptions(int argc, char** argv, DriverOptions& options, std::string& error);

// The whole text as a number, as the options read it: no blanks, nothing after it, in range
// (a subnormal number included). "nan" and "inf" are read too: the domain's real inputs refuse
// them, the procedure road hands them to the routine.
bool ReadOptionReal(const char* text, double& value);
bool ReadOptionInt(const char* text, int& value);

// The integrals as the command line writes them: "idx,idy", or "none".
std::string IntegralsText(const std::vector<std::string>& members);

// The text that --help prints.
const char* Usage();
