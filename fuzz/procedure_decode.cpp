#include "fuzz/procedure_decode.h"

#include <cfloat>
#include <climits>
#include <cmath>

namespace norvane::fuzz {

const char* const kTexts[kTextCount] = {"", "1.5", "INTERP", "   ", "QVNorvane"};

namespace {

constexpr double kMax = DBL_MAX, kTiny = DBL_TRUE_MIN, kInf = HUGE_VAL;

const double kReals[] = {0.0,   1.0,    -1.0, 0.5,   2.0,    3.0,     -2.5, 10.0,
                         0.1,   -0.0,   1e-9, 1e9,   1e-300, 1e300,   kMax, -kMax,
                         kTiny, -kTiny, kInf, -kInf, NAN,    DBL_MIN, 0.3,  7.0};
constexpr int kRealCount = sizeof kReals / sizeof kReals[0];

// Steps between increasing abscissae, down to the smallest and up to the largest double.
const double kSteps[] = {1.0, 0.5, 2.0, 0.25, 3.0, 1e-9, 1e-300, kTiny, 1e300, kMax, 0.1, 10.0};
constexpr int kStepCount = sizeof kSteps / sizeof kSteps[0];

// Beyond a few thousand only sizes that the host refuses to lay out or to allocate (more than
// 2^28 words).
const int kHugeSizes[] = {INT_MAX, INT_MIN, 1 << 30, 268435456, 300000000, -1};

double Step(ByteReader& in) {
    const int code = in.Byte();
    return code < kStepCount ? kSteps[code] : (code - kStepCount + 1) / 16.0;
}

int Size(ByteReader& in) {
    const int code = in.Byte();
    return code < 216 ? -2 + code % 70 : kHugeSizes[code % 6];
}

// A table length: mostly up to 8, sometimes up to 40 or 64.
int Length(ByteReader& in) {
    const int code = in.Byte();
    return code < 192 ? code % 9 : code < 248 ? 9 + code % 32 : 64;
}

VariableRequest Variable(ByteReader& in, double value) {
    const int code = in.Byte();
    VariableRequest v;
    v.kind =
        static_cast<VariableKind>((code >= 176) + (code >= 208) + (code >= 224) + (code >= 240));
    v.real = value;
    v.integer = value > INT_MIN - 1.0 && value < INT_MAX + 1.0 ? static_cast<int>(value) : 0;
    if (v.kind == VariableKind::TextParameter) v.text = in.Choice(kTextCount);
    return v;
}

// Abscissae: increasing (with one repeated now and then), or any values at all.
std::vector<double> Abscissae(ByteReader& in, int count) {
    std::vector<double> xs;
    const int style = in.Choice(4);
    for (int k = 0; k < count; ++k)
        xs.push_back(style == 2 || k == 0 ? DecodeReal(in) : xs.back() + Step(in));
    if (style == 3 && count >= 2) {
        const int repeated = 1 + in.Choice(count - 1);
        xs[repeated] = xs[repeated - 1];
    }
    return xs;
}

// A point on a knot, inside a segment, just beyond either end, or anywhere.
double Point(ByteReader& in, const std::vector<double>& xs) {
    const int where = in.Choice(6);
    if (xs.empty() || where >= 4) return DecodeReal(in);
    const int k = in.Choice(static_cast<int>(xs.size()));
    if (where == 0) return xs[k];
    if (where == 1 && k + 1 < static_cast<int>(xs.size())) return xs[k] + (xs[k + 1] - xs[k]) / 2;
    return where == 2 ? xs.front() - Step(in) : xs.back() + Step(in);
}

ListingCall Constant(ByteReader& in, int kind, int variable) {
    const auto constant = static_cast<ConstantKind>(kind % 3);
    return {Call::Constant, variable, constant,
            constant == ConstantKind::Text ? in.Choice(kTextCount) : 0};
}

// One pass as generated code lists the call: the point, the abscissae and the ordinates (each
// size before or after its elements), the mode and the output, in the forms the input picks.
std::vector<ListingCall> Pass(ByteReader& in, int n, int m, int variables) {
    std::vector<ListingCall> pass;
    const int pointForm = in.Byte();
    pass.push_back(pointForm < 176 ? ListingCall{Call::Variable} : Constant(in, pointForm, 0));
    for (const auto& [first, count] : {std::pair(1, n), std::pair(1 + n, m)}) {
        const bool variable = count > 0 && in.Byte() >= 208;
        const bool sizeFirst = in.Flag();
        pass.push_back({variable ? Call::Variable : Call::Open, first});
        if (sizeFirst) pass.push_back({Call::Size, count});
        for (int k = variable ? 1 : 0; k < count; ++k)
            pass.push_back({Call::Element, first + k});
        if (!sizeFirst) pass.push_back({Call::Size, count});
    }
    const int modeForm = in.Byte();
    if (modeForm >= 144 && modeForm < 208)
        pass.push_back({Call::Variable, variables - 2});
    else
        pass.push_back(Constant(in, modeForm < 144 ? 0 : modeForm, variables - 2));
    pass.push_back({Call::Variable, variables - 1});
    pass.push_back({Call::Last});
    return pass;
}

// Up to three changes to a pass unless the input leaves it as it is: a call dropped, added or
// given another variable or size, or the pass cut short.
void Change(std::vector<ListingCall>& pass, ByteReader& in, int variables, int unchanged) {
    const int code = in.Byte();
    if (code < unchanged) return;
    for (int k = 1 + code % 3; k > 0; --k) {
        const auto size = static_cast<int>(pass.size());
        const int at = in.Choice(size + 1);
        const int change = in.Choice(4);
        if (change == 1) {
            const auto call = static_cast<Call>(in.Choice(6));
            pass.insert(pass.begin() + at, call == Call::Size ? ListingCall{call, Size(in)}
                                           : call == Call::Constant
                                               ? Constant(in, in.Byte(), in.Choice(variables))
                                               : ListingCall{call, in.Choice(variables)});
        }
        if (change == 3) pass.resize(static_cast<std::size_t>(at));
        if (at == size) continue;
        if (change == 0) pass.erase(pass.begin() + at);
        if (change == 2)
            pass[at].value = pass[at].call == Call::Size ? Size(in) : in.Choice(variables);
    }
}

} // namespace

double DecodeReal(ByteReader& in) {
    const int code = in.Byte();
    if (code < kRealCount) return kReals[code];
    if (code < 248) return (code - kRealCount) / 8.0 - 8.0;
    return in.RawDouble();
}

DecodedListing DecodeListing(ByteReader& in) {
    DecodedListing d;
    const int n = Length(in);
    const int m = in.Byte() < 224 ? n : Length(in);
    const std::vector<double> xs = Abscissae(in, n);
    d.variables.push_back(Variable(in, Point(in, xs)));
    for (double x : xs)
        d.variables.push_back(Variable(in, x));
    for (int k = 0; k < m; ++k)
        d.variables.push_back(Variable(in, DecodeReal(in)));
    const int modeCode = in.Byte();
    const int mode = modeCode < 192 ? modeCode % 3 : in.SmallOrAnyInt(-2, 8);
    const double fractions[] = {0.0, 0.0, 0.25, 0.75, -0.25, -0.75};
    d.variables.push_back(Variable(in, mode + fractions[in.Choice(6)]));
    d.variables.back().integer = mode;
    d.variables.push_back(Variable(in, DecodeReal(in)));
    const int variables = static_cast<int>(d.variables.size());

    std::vector<ListingCall> counting = Pass(in, n, m, variables);
    Change(counting, in, variables, 176);
    std::vector<ListingCall> filling = counting;
    Change(filling, in, variables, 224);
    d.calls = counting;
    d.calls.insert(d.calls.end(), filling.begin(), filling.end());
    return d;
}

} // namespace norvane::fuzz
