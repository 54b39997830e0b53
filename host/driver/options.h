// The command line of qvhost.
#pragma once

#include <string>

struct DriverOptions {
    std::string method = "CFD4";
    int sections = 2;
    double length = 1.0;
    double spacing = 0.0625;
    bool holdOrder = false; // HIGHESTORDERDERIVATIVE is fixed only when --order is given
    int order = 0;
    std::string dumpPath;          // empty: no JSON dump
    long long maxNodes = 10000000; // at most 2^31 - 1
};

enum class ParseResult { Run, Help, Error };

// Reads the options after the program name. On Error, `error` says what was wrong.
ParseResult ParseOptions(int argc, char** argv, DriverOptions& options, std::string& error);

// The text that --help prints.
const char* Usage();
