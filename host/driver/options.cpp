#include "host/driver/options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// The whole text must be a number: no blanks, no trailing characters, within range.
bool ReadReal(const char* text, double& value) {
    if (*text == 0 || std::strchr(" \t\n", *text)) return false;
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(text, &end);
    if (*end != 0 || errno == ERANGE) return false;
    value = read;
    return true;
}

bool ReadInteger(const char* text, long long low, long long high, long long& value) {
    if (*text == 0 || std::strchr(" \t\n", *text)) return false;
    char* end = nullptr;
    errno = 0;
    const long long read = std::strtoll(text, &end, 10);
    if (*end != 0 || errno == ERANGE || read < low || read > high) return false;
    value = read;
    return true;
}

bool ReadInt(const char* text, int& value) {
    long long read;
    if (!ReadInteger(text, INT_MIN, INT_MAX, read)) return false;
    value = static_cast<int>(read);
    return true;
}

// A member name of INTEGRALS: printable, without blanks, commas or double quotes (the host's
// text form of a set ends each member with a double quote).
bool IsMemberName(const std::string& name) {
    if (name.empty()) return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f || c == ',' || c == '"') return false;
    return true;
}

// "idx" or "idx,idy": the members in order; "none" alone: no member.
bool ReadIntegrals(const char* text, std::vector<std::string>& members) {
    std::vector<std::string> read;
    const std::string list = text;
    for (std::size_t start = 0;;) {
        const std::size_t comma = list.find(',', start);
        const std::string member = list.substr(start, comma - start);
        if (!IsMemberName(member)) return false;
        read.push_back(member);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (read.size() == 1 && read[0] == "none") read.clear();
    for (const std::string& member : read)
        if (member == "none") return false; // "none" cannot stand beside members
    members = read;
    return true;
}

// Applies one option that takes a value; false with `error` set when the value is malformed.
bool Apply(const std::string& name, const char* value, DriverOptions& o, std::string& error) {
    bool ok = true;
    if (name == "--method") {
        o.method = value;
    } else if (name == "--sections") {
        ok = ReadInt(value, o.sections);
    } else if (name == "--length") {
        ok = ReadReal(value, o.length);
    } else if (name == "--spacing") {
        ok = ReadReal(value, o.spacing);
    } else if (name == "--order") {
        ok = ReadInt(value, o.order);
    } else if (name == "--min-nodes") {
        ok = ReadInt(value, o.minNodes);
        o.holdMinNodes = true;
    } else if (name == "--integrals") {
        if (!ReadIntegrals(value, o.integrals)) {
            error = "malformed value '" + std::string(value) +
                    "' for --integrals: give member names separated by commas, without blanks "
                    "or double quotes, or 'none' alone";
            return false;
        }
    } else if (name == "--dump") {
        o.dumpPath = value;
        ok = !o.dumpPath.empty();
    } else if (name == "--max-nodes") {
        ok = ReadInteger(value, 0, INT_MAX, o.maxNodes); // node numbers are 32-bit
    } else if (name == "--max-memory") {
        ok = ReadInteger(value, 1, LLONG_MAX >> 20, o.maxMemoryMB);
    } else if (IsProcedureOption(name)) {
        return ApplyProcedureOption(name, value, o.procedure, error);
    }
    if (!ok) error = "malformed value '" + std::string(value) + "' for " + name;
    return ok;
}

bool TakesValue(const std::string& name) {
    for (const char* known :
         {"--method", "--sections", "--length", "--spacing", "--order", "--min-nodes",
          "--integrals", "--dump", "--max-nodes", "--max-memory"})
        if (name == known) return true;
    return IsProcedureOption(name);
}

} // namespace

bool ReadOptionReal(const char* text, double& value) {
    return ReadReal(text, value);
}
bool ReadOptionInt(const char* text, int& value) {
    return ReadInt(text, value);
}

ParseResult ParseOptions(int argc, char** argv, DriverOptions& options, std::string& error) {
    for (int k = 1; k < argc; ++k) {
        std::string name = argv[k];
        if (name == "--help" || name == "-h") return ParseResult::Help;
        // Both "--name value" and "--name=value".
        const char* value = nullptr;
        const std::size_t equals = name.find('=');
        if (name.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = argv[k] + equals + 1;
            name.erase(equals);
        }
        if (name == "--catalog" || name == "--procedure") {
            if (value) {
                error = "option " + name + " takes no value";
                return ParseResult::Error;
            }
            (name == "--catalog" ? options.catalog : options.procedure.run) = true;
            continue;
        }
        if (!TakesValue(name)) {
            error = "unknown option '" + name + "'";
            return ParseResult::Error;
        }
        if (!value) {
            if (k + 1 >= argc) {
                error = "option " + name + " needs a value";
                return ParseResult::Error;
            }
            value = argv[++k];
        }
        if (!Apply(name, value, options, error)) return ParseResult::Error;
    }
    return ParseResult::Run;
}

std::string IntegralsText(const std::vector<std::string>& members) {
    if (members.empty()) return "none";
    std::string text;
    for (const std::string& member : members)
        text += (text.empty() ? "" : ",") + member;
    return text;
}

const char* Usage() {
    return "Usage: qvhost [options]\n"
           "Loads the model library beside this program and runs the road of one request: a\n"
           "LENGTHDOMAIN with the inputs below and a DISTRIBUTION1D linked to it, through\n"
           "SetDims, the assignments, SetUpEquations and JacPattern. Prints the node grid, the\n"
           "equations per group and, for a manufactured smooth solution, the largest residual\n"
           "of each sub-block at spacings S, S/2 and S/4 with the observed order of accuracy.\n"
           "\n"
           "  --method NAME      DISCRETIZATIONMETHOD (default CFD4): BFD1, BFD2, CFD2, CFD4,\n"
           "                     FFD1, FFD2, OCFE2, OCFE3, OCFE4 or UBFD4, any letter case\n"
           "  --sections N       NUMSECTIONS (default 2)\n"
           "  --length L         LENGTH (default 1)\n"
           "  --spacing S        SPACINGPREFERENCE (default 0.0625)\n"
           "  --order H          HIGHESTORDERDERIVATIVE (default 2)\n"
           "  --min-nodes N      MINNODECOUNT, fixed at N (default: left to the domain)\n"
           "  --integrals LIST   the distribution's INTEGRALS, members separated by commas\n"
           "                     (default idx; 'none' for the empty set)\n"
           "  --dump FILE        also write the grid and the equations to FILE as JSON\n"
           "  --max-nodes N      refuse grids of more than N nodes (default 10000000)\n"
           "  --max-memory MB    use at most MB megabytes (default: nine tenths of the memory\n"
           "                     available); a grid that would need more is refused before it\n"
           "                     is built, and the study refines only as far as memory allows\n"
           "  --catalog          instead of the road, print what the library offers: its file,\n"
           "                     version and CONTENT resource (Windows), and for each creatable\n"
           "                     type its exported entry points, its compatibility data and,\n"
           "                     from one object made by its factory, its container id and its\n"
           "                     registered properties; the road's options are then not used\n"
           "  --help             print this text\n"
           "\n"
           "A grid of more than 40 nodes is listed by its first and last 10 nodes. A run of\n"
           "more than a few seconds tells its progress on stderr.\n"
           "\n"
           "Exit status: 0 done, 1 the library could not be loaded, the grid would not fit in\n"
           "memory, the road failed or the distribution refused its equations, 2 bad command\n"
           "line.\n";
}
