// The pieces of a life of the interpolation procedure, decoded from fuzz input: the host
// objects that its argument list names, and the calls of that list (mostly the five arguments
// of a real call in both passes, bent by a few changes: calls dropped, added or changed, a
// listing that stops short or runs past the signature). Decoding accepts every input; a
// dimension size is small or so large that the host refuses the buffer outright, so that no
// input makes the host allocate much.
#pragma once

#include <vector>

#include "fuzz/byte_reader.h"

namespace norvane::fuzz {

// The texts that text parameters and text constants hold.
extern const char* const kTexts[];
constexpr int kTextCount = 5;

// Mostly a value of a table of ordinary values, signed zeros, the ends of the double range and
// what is no finite number, or a multiple of 1/8 in -8 .. 20; else any double.
double DecodeReal(ByteReader& in);

enum class VariableKind : unsigned char {
    Free,          // a real variable that the solver moves
    Fixed,         // a real variable whose value the user fixed
    RealParameter, // parameters: never solver variables
    IntegerParameter,
    TextParameter
};

struct VariableRequest {
    VariableKind kind = VariableKind::Free;
    double real = 0.0;
    int integer = 0; // of an integer parameter, and what an integer constant of it gives
    int text = 0;    // of a text parameter: an entry of kTexts
};

// The forms of Argument with a constant.
enum class ConstantKind : unsigned char { Integer, Real, Text };

enum class Call : unsigned char { Variable, Open, Constant, Element, Size, Last };

// One call of a listing: Argument(variable), Argument(), Argument(constant), Element,
// SetDimensionSize or LastArgument.
struct ListingCall {
    Call call = Call::Open;
    int value = 0;                             // the variable, or the size
    ConstantKind kind = ConstantKind::Integer; // of a constant, which takes the variable's value
    int text = 0;                              // of a text constant
};

struct DecodedListing {
    // The call's variables: the point, the abscissae, the ordinates, the mode, the output.
    std::vector<VariableRequest> variables;
    // The counting pass, LastArgument, the filling pass, LastArgument: with the changes.
    std::vector<ListingCall> calls;
};

DecodedListing DecodeListing(ByteReader& in);

} // namespace norvane::fuzz
