#include "host/driver/options.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// The whole text must be a number: no blanks, no trailing characters, within range. strtod
// reports a subnormal result as out of range too: only a number that no double holds (one
// beyond the largest, or one below the smallest subnormal, read as 0) is refused.
bool ReadReal(const char* text, double& value) {
    if (*text == 0 || std::strchr(" \t\n", *text)) return false;
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(text, &end);
    if (*end != 0 || (errno == ERANGE && (read == 0 || std::isinf(read)))) return false;
    value = read;
    return true;
}

// A real input of a domain: a finite number.
bool ReadFiniteReal(const char* text, double& value) {
    double read = 0;
    if (!ReadReal(text, read) || !std::isfinite(read)) return false;
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

std::string Malformed(const std::string& name, const char* value) {
    return "malformed value '" + std::string(value) + "' for " + name;
}

// The options that set a domain's input, without their "--" or "--x-" prefix.
const char* const DomainOptionNames[] = {"method",   "spacing", "length",
                                         "sections", "order",   "min-nodes"};

bool IsDomainInput(const std::string& bare) {
    for (const char* known : DomainOptionNames)
        if (bare == known) return true;
    return false;
}

constexpr int EveryDirection = -1;

// Whether `name` is a domain option: "--method" sets every direction's domain, "--y-method"
// that of direction 1 alone. Gives the option's bare name ("method") and the direction.
bool IsDomainOption(const std::string& name, std::string& bare, int& direction) {
    for (direction = EveryDirection; direction < MaxDims; ++direction) {
        const std::string prefix =
            direction == EveryDirection ? "--" : std::string("--") + DirectionName(direction) + "-";
        if (name.compare(0, prefix.size(), prefix) == 0 &&
            IsDomainInput(name.substr(prefix.size()))) {
            bare = name.substr(prefix.size());
            return true;
        }
    }
    return false;
}

// Applies a domain option, by its bare name, to one domain.
bool ApplyDomain(const std::string& bare, const char* value, DomainOptions& o) {
    if (bare == "method") {
        o.method = value;
        return true;
    }
    if (bare == "sections") return ReadInt(value, o.sections);
    if (bare == "length") return ReadFiniteReal(value, o.length);
    if (bare == "spacing") return ReadFiniteReal(value, o.spacing);
    if (bare == "order") return ReadInt(value, o.order);
    o.holdMinNodes = true;
    return ReadInt(value, o.minNodes);
}

// Applies one option that takes a value and is not a domain option; false with `error` set
// when the value is malformed.
bool Apply(const std::string& name, const char* value, DriverOptions& o, std::string& error) {
    bool ok = true;
    if (name == "--dims") {
        ok = ReadInt(value, o.dims) && o.dims >= 1 && o.dims <= MaxDims;
    } else if (name == "--integrals") {
        if (!ReadIntegrals(value, o.integrals)) {
            error = Malformed(name, value) +
                    ": give member names separated by commas, without blanks or double quotes, "
                    "or 'none' alone";
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
    if (!ok) error = Malformed(name, value);
    return ok;
}

bool TakesValue(const std::string& name) {
    std::string bare;
    int direction;
    if (IsDomainOption(name, bare, direction)) return true;
    for (const char* known : {"--dims", "--integrals", "--dump", "--max-nodes", "--max-memory"})
        if (name == known) return true;
    return IsProcedureOption(name);
}

struct Given {
    std::string name;
    const char* value; // null for an option without a value
};

// Splits the command line into options and their values: "--name value" or "--name=value".
ParseResult Split(int argc, char** argv, std::vector<Given>& given, std::string& error) {
    for (int k = 1; k < argc; ++k) {
        std::string name = argv[k];
        if (name == "--help" || name == "-h") return ParseResult::Help;
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
            given.push_back({name, nullptr});
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
        given.push_back({name, value});
    }
    return ParseResult::Run;
}

} // namespace

bool ReadOptionReal(const char* text, double& value) {
    return ReadReal(text, value);
}
bool ReadOptionInt(const char* text, int& value) {
    return ReadInt(text, value);
}

ParseResult ParseOptions(int argc, char** argv, DriverOptions& options, std::string& error) {
    std::vector<Given> given;
    const ParseResult split = Split(argc, argv, given, error);
    if (split != ParseResult::Run) return split;
    bool integralsGiven = false;
    // The options in order, but those of one direction's domain after all others, so that
    // they win over the options of every direction's domain wherever they stand.
    for (const bool ownDirection : {false, true})
        for (const Given& g : given) {
            std::string bare;
            int d = EveryDirection;
            const bool domain = g.value && IsDomainOption(g.name, bare, d);
            if (!ownDirection && !domain) {
                if (!g.value)
                    (g.name == "--catalog" ? options.catalog : options.procedure.run) = true;
                else if (!Apply(g.name, g.value, options, error))
                    return ParseResult::Error;
                integralsGiven = integralsGiven || g.name == "--integrals";
            }
            if (!domain || ownDirection != (d != EveryDirection)) continue;
            if (d >= options.dims) {
                error = "option " + g.name + " is for direction " + DirectionName(d) +
                        ", which --dims " + std::to_string(options.dims) + " does not have";
                return ParseResult::Error;
            }
            for (int axis = 0; axis < MaxDims; ++axis)
                if ((d == EveryDirection || d == axis) &&
                    !ApplyDomain(bare, g.value, options.axes[axis])) {
                    error = Malformed(g.name, g.value);
                    return ParseResult::Error;
                }
        }
    // Without --integrals, every integral the distribution offers (idx alone in one
    // direction).
    if (!integralsGiven) options.integrals = KindOf(options.dims).integrals;
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
           "LENGTHDOMAIN per direction with the inputs below and a DISTRIBUTION1D, 2D or 3D\n"
           "linked to them, through SetDims, the assignments, SetUpEquations and JacPattern.\n"
           "Prints each direction's node grid, the equations per group and, for a manufactured\n"
           "smooth solution, the largest residual of each sub-block at spacings S, S/2 and S/4\n"
           "(halved in every direction) with the observed order of accuracy.\n"
           "\n"
           "  --dims N           the distribution's directions: 1 (default), 2 or 3\n"
           "  --method NAME      DISCRETIZATIONMETHOD (default CFD4): BFD1, BFD2, CFD2, CFD4,\n"
           "                     FFD1, FFD2, OCFE2, OCFE3, OCFE4 or UBFD4, any letter case\n"
           "  --sections N       NUMSECTIONS (default 2)\n"
           "  --length L         LENGTH (default 1)\n"
           "  --spacing S        SPACINGPREFERENCE (default 0.0625)\n"
           "  --order H          HIGHESTORDERDERIVATIVE (default 2)\n"
           "  --min-nodes N      MINNODECOUNT, fixed at N (default: left to the domain)\n"
           "  --x-NAME VALUE     the option --NAME above for the domain of x alone, and\n"
           "  --y-NAME VALUE     likewise of y and z (--y-method OCFE2, --z-spacing 0.1); it\n"
           "  --z-NAME VALUE     wins over --NAME, which sets every direction's domain\n"
           "  --integrals LIST   the distribution's INTEGRALS, members separated by commas,\n"
           "                     'none' for the empty set (default every integral the type\n"
           "                     offers: idx; in 2D idx,idy,idxdy; in 3D idx,idy,idz,idxdy,\n"
           "                     idxdz,idydz,idxdydz)\n"
           "  --dump FILE        also write the grids and the equations to FILE as JSON\n"
           "  --max-nodes N      refuse grids of more than N nodes, all directions together\n"
           "                     (default 10000000)\n"
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
           "A grid of more than 40 nodes along a direction is listed by its first and last 10\n"
           "nodes. A run of more than a few seconds tells its progress on stderr.\n"
           "\n"
           "Exit status: 0 done, 1 the library could not be loaded, the grid would not fit in\n"
           "memory, the road failed or the distribution refused its equations, 2 bad command\n"
           "line, 3 (whatever the run would have ended with) the host's allocator refused to\n"
           "free a pointer that was no live block of its own.\n";
}
