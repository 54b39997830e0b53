// A life of the interpolation procedure, decoded from fuzz input: the host objects that its
// argument list can name, the counting pass and the filling pass of that list (mostly the five
// arguments of a real call, bent by a few changes: arguments, elements and dimension sizes
// added, dropped or swapped, constants where variables belong, a listing that stops short or
// runs past the signature), the owner of its equations, the host's settings, an allocation
// that the host refuses, and the calls and value changes that follow in any order. Decoding
// accepts every input; a dimension size is small or so large that the host refuses the
// buffer outright, so that no request makes the host allocate much.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace norvane::fuzz {

// The host objects that a listing names as elements.
enum class VariableKind : unsigned char {
    Free,          // a real variable that the solver moves
    Fixed,         // a real variable whose value the user fixed
    RealParameter, // parameters: never solver variables
    IntegerParameter,
    TextParameter
};

struct VariableRequest {
    VariableKind kind = VariableKind::Free;
    double real = 0.0; // the value of the real kinds
    int integer = 0;   // of an integer parameter
    int text = 0;      // of a text parameter: an entry of kTexts
};

// The texts that text parameters and text constants hold.
extern const char* const kTexts[];
extern const int kTextCount;

// The constant forms of Argument: an integer, a real, a text, or the current member of an
// integer set or a text set.
enum class ConstantKind : unsigned char { Integer, Real, Text, IntegerMember, TextMember };

struct ConstantRequest {
    ConstantKind kind = ConstantKind::Integer;
    int integer = 0; // Integer, IntegerMember
    double real = 0; // Real
    int text = 0;    // Text, TextMember: an entry of kTexts
};

// How an argument opens: Argument(constant), Argument(variable), Argument().
enum class ArgumentForm : unsigned char { Constant, Variable, Open };

// One argument of one pass: its opening call, then its SetDimensionSize and Element calls.
struct ArgumentRequest {
    ArgumentForm form = ArgumentForm::Open;
    ConstantRequest constant;
    std::vector<int> elements; // variable numbers; the Variable form gives the first itself
    std::vector<int> sizes;
    bool sizesFirst = false; // the sizes before the elements
};

struct PassRequest {
    // Element and SetDimensionSize calls before the first argument.
    std::vector<int> strayElements;
    std::vector<int> straySizes;
    std::vector<ArgumentRequest> arguments;
    int lastArguments = 1; // LastArgument calls at the end
};

enum class StepKind : unsigned char {
    Precall,
    Residuals,
    Jacobian,
    CallFn,        // any call type, 0 .. 4 or not
    SetValue,      // a new value for a variable
    Fix,           // the user fixes a variable
    Unfix,         // and frees it again
    AlwaysCall,    // the host's setting
    PresetOutputs, // the procedure's setting
    Copy,          // the procedure replaced by a copy of itself
    AssignToFresh, // the procedure assigned to a new object, which replaces it
    CStrings       // InitializeCStrings
};

struct StepRequest {
    StepKind kind = StepKind::Residuals;
    int variable = 0;
    double real = 0;
    int integer = 0;
    int text = 0;
    int callType = 0;
    bool flag = true;
    int guard = 0; // host buffer entries on each side of the procedure's rows
};

enum class OwnerKind : unsigned char { Model, Structure, None };

struct ProcedureRequest {
    std::vector<VariableRequest> variables;
    PassRequest passes[2]; // the counting pass, then the filling pass
    bool copyBetweenPasses = false;
    bool constructorFlag = false;
    int constructorMode = 0;
    OwnerKind owner = OwnerKind::Model;
    int group = 1;
    bool componentList = false;
    bool alwaysCall = false;
    bool presetOutputs = false;
    long failAllocation = 0; // the k-th allocation from the procedure's construction on; 0 none
    std::vector<StepRequest> steps;
};

ProcedureRequest DecodeProcedureRequest(const std::uint8_t* data, std::size_t size);

} // namespace norvane::fuzz
