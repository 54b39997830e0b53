#include "fuzz/procedure_request.h"

#include "fuzz/byte_reader.h"

#include <climits>
#include <cmath>
#include <limits>
#include <utility>

namespace norvane::fuzz {

const char* const kTexts[] = {"", "1.5", "INTERP", "   ", "QVNorvane"};
const int kTextCount = static_cast<int>(sizeof kTexts / sizeof kTexts[0]);

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();
constexpr double kSmallestNormal = std::numeric_limits<double>::min();

// Values of points, table entries and variables: ordinary ones, signed zeros, the ends of the
// double range, and what is no finite number.
const double kReals[] = {
    0.0, 1.0,    -1.0,  0.5,  2.0,   3.0,   -2.5,   10.0, 0.1,   -0.0, 1e-9,
    1e9, 1e-300, 1e300, kMax, -kMax, kTiny, -kTiny, kInf, -kInf, NAN,  kSmallestNormal,
    0.3, 7.0};
constexpr int kRealCount = static_cast<int>(sizeof kReals / sizeof kReals[0]);

// Steps between increasing abscissae, down to the smallest and up to the largest double.
const double kSteps[] = {1.0, 0.5, 2.0, 0.25, 3.0, 1e-9, 1e-300, kTiny, 1e300, kMax, 0.1, 10.0};
constexpr int kStepCount = static_cast<int>(sizeof kSteps / sizeof kSteps[0]);

// Dimension sizes beyond a few thousand are only those that the host refuses to lay out or to
// allocate (more than 2^28 words), so that no request makes it allocate much.
const int kHugeSizes[] = {INT_MAX, INT_MIN, 1 << 30, 268435456, 300000000, -1};
constexpr int kHugeSizeCount = static_cast<int>(sizeof kHugeSizes / sizeof kHugeSizes[0]);

// Mostly a value of the table or a multiple of 1/8 in -8 .. 20; else any double.
double Real(ByteReader& in) {
    const int code = in.Byte();
    if (code < kRealCount) return kReals[code];
    if (code < 248) return (code - kRealCount) / 8.0 - 8.0;
    return in.RawDouble();
}

double Step(ByteReader& in) {
    const int code = in.Byte();
    if (code < kStepCount) return kSteps[code];
    return (code - kStepCount + 1) / 16.0;
}

int Size(ByteReader& in) {
    const int code = in.Byte();
    if (code < 216) return -2 + code % 70;
    return kHugeSizes[code % kHugeSizeCount];
}

// A table length: mostly up to 8, sometimes up to 40 or 64.
int Length(ByteReader& in) {
    const int code = in.Byte();
    if (code < 192) return code % 9;
    if (code < 248) return 9 + code % 32;
    return 64;
}

VariableKind Kind(ByteReader& in) {
    const int code = in.Byte();
    if (code < 176) return VariableKind::Free;
    if (code < 208) return VariableKind::Fixed;
    if (code < 224) return VariableKind::RealParameter;
    if (code < 240) return VariableKind::IntegerParameter;
    return VariableKind::TextParameter;
}

// An integer that a real stands for: truncated where an int holds it, else `otherwise`.
int IntegerOf(double value, int otherwise) {
    return value > INT_MIN - 1.0 && value < INT_MAX + 1.0 ? static_cast<int>(value) : otherwise;
}

VariableRequest Variable(ByteReader& in, double value) {
    VariableRequest v;
    v.kind = Kind(in);
    v.real = value;
    v.integer = IntegerOf(value, 0);
    if (v.kind == VariableKind::TextParameter) v.text = in.Choice(kTextCount);
    return v;
}

// Abscissae: increasing (with one repeated now and then), or any values at all.
std::vector<double> Abscissae(ByteReader& in, int count) {
    std::vector<double> xs;
    const int style = in.Choice(4);
    for (int k = 0; k < count; ++k)
        xs.push_back(style == 2 ? Real(in) : k == 0 ? Real(in) : xs.back() + Step(in));
    if (style == 3 && count >= 2) {
        const int repeated = 1 + in.Choice(count - 1);
        xs[repeated] = xs[repeated - 1];
    }
    return xs;
}

// A point on a knot, inside a segment, just beyond either end, or anywhere.
double Point(ByteReader& in, const std::vector<double>& xs) {
    const int where = in.Choice(6);
    if (xs.empty() || where >= 4) return Real(in);
    const int k = in.Choice(static_cast<int>(xs.size()));
    if (where == 0) return xs[k];
    if (where == 1 && k + 1 < static_cast<int>(xs.size())) return xs[k] + (xs[k + 1] - xs[k]) / 2;
    if (where == 2) return xs.front() - Step(in);
    return xs.back() + Step(in);
}

ConstantRequest Constant(ByteReader& in, ConstantKind kind, double real, int integer) {
    ConstantRequest c;
    c.kind = kind;
    c.real = real;
    c.integer = integer;
    if (kind == ConstantKind::Text || kind == ConstantKind::TextMember)
        c.text = in.Choice(kTextCount);
    return c;
}

ArgumentRequest VariableArgument(int variable) {
    ArgumentRequest a;
    a.form = ArgumentForm::Variable;
    a.elements = {variable};
    return a;
}

ArgumentRequest VectorArgument(ByteReader& in, int first, int count) {
    ArgumentRequest a;
    a.form = count > 0 && in.Byte() >= 208 ? ArgumentForm::Variable : ArgumentForm::Open;
    for (int k = 0; k < count; ++k)
        a.elements.push_back(first + k);
    a.sizes = {count};
    a.sizesFirst = in.Flag();
    return a;
}

// Any argument at all, as a listing beyond the signature gives it.
ArgumentRequest AnyArgument(ByteReader& in, int variables) {
    ArgumentRequest a;
    a.form = static_cast<ArgumentForm>(in.Choice(3));
    a.constant =
        Constant(in, static_cast<ConstantKind>(in.Choice(5)), Real(in), in.SmallOrAnyInt(-2, 6));
    for (int k = in.Choice(3) + (a.form == ArgumentForm::Variable ? 1 : 0); k > 0; --k)
        a.elements.push_back(in.Choice(variables));
    for (int k = in.Choice(3); k > 0; --k)
        a.sizes.push_back(Size(in));
    a.sizesFirst = in.Flag();
    return a;
}

// One change to a pass: what generated code that lost its way might list.
void Mutate(PassRequest& pass, ByteReader& in, int variables) {
    const int change = in.Choice(11);
    auto& args = pass.arguments;
    if (change == 0) {
        const std::size_t dropped = 1 + in.Choice(5);
        args.resize(args.size() > dropped ? args.size() - dropped : 0);
        return;
    }
    if (change == 1) {
        args.push_back(AnyArgument(in, variables));
        return;
    }
    if (change == 2) {
        if (in.Flag())
            pass.strayElements.push_back(in.Choice(variables));
        else
            pass.straySizes.push_back(Size(in));
        return;
    }
    if (change == 3) {
        pass.lastArguments = in.Choice(3);
        return;
    }
    if (args.empty()) return;
    ArgumentRequest& a = args[in.Choice(static_cast<int>(args.size()))];
    switch (change) {
    case 4:
        a.elements.push_back(in.Choice(variables));
        break;
    case 5:
        if (!a.elements.empty()) a.elements.pop_back();
        if (a.elements.empty() && a.form == ArgumentForm::Variable) a.form = ArgumentForm::Open;
        break;
    case 6:
        a.sizes.push_back(Size(in));
        break;
    case 7:
        if (!a.sizes.empty()) a.sizes.erase(a.sizes.begin());
        break;
    case 8:
        if (a.sizes.empty())
            a.sizes.push_back(Size(in));
        else
            a.sizes.front() = Size(in);
        break;
    case 9:
        a.form = static_cast<ArgumentForm>(in.Choice(3));
        if (a.form == ArgumentForm::Variable && a.elements.empty())
            a.elements.push_back(in.Choice(variables));
        if (a.form == ArgumentForm::Constant)
            a.constant = Constant(in, static_cast<ConstantKind>(in.Choice(5)), Real(in),
                                  in.SmallOrAnyInt(-2, 6));
        break;
    default:
        if (!a.elements.empty())
            a.elements[in.Choice(static_cast<int>(a.elements.size()))] = in.Choice(variables);
        break;
    }
}

void Mutations(PassRequest& pass, ByteReader& in, int variables, int unchanged) {
    const int code = in.Byte();
    if (code < unchanged) return;
    for (int k = 1 + code % 3; k > 0; --k)
        Mutate(pass, in, variables);
}

StepRequest DecodeStep(ByteReader& in, int variables) {
    StepRequest s;
    s.kind = static_cast<StepKind>(in.Choice(12));
    s.guard = in.Choice(3);
    switch (s.kind) {
    case StepKind::Precall:
        s.flag = in.Byte() < 224;
        break;
    case StepKind::CallFn: {
        const int code = in.Byte();
        s.callType = code < 224 ? -1 + code % 7 : in.Int32();
        s.flag = in.Byte() < 224;
        break;
    }
    case StepKind::SetValue:
        s.variable = in.Choice(variables);
        s.real = Real(in);
        s.integer = in.SmallOrAnyInt(-2, 6);
        s.text = in.Choice(kTextCount);
        break;
    case StepKind::Fix:
    case StepKind::Unfix:
        s.variable = in.Choice(variables);
        break;
    case StepKind::AlwaysCall:
    case StepKind::PresetOutputs:
        s.flag = in.Flag();
        break;
    default:
        break;
    }
    return s;
}

} // namespace

ProcedureRequest DecodeProcedureRequest(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    ProcedureRequest r;

    // The call: the point (variable 0), the abscissae, the ordinates, the mode, the output.
    const int n = Length(in);
    const int m = in.Byte() < 224 ? n : Length(in);
    const std::vector<double> xs = Abscissae(in, n);
    r.variables.push_back(Variable(in, Point(in, xs)));
    for (double x : xs)
        r.variables.push_back(Variable(in, x));
    for (int k = 0; k < m; ++k)
        r.variables.push_back(Variable(in, Real(in)));
    const int modeCode = in.Byte();
    const int mode = modeCode < 192 ? modeCode % 3 : in.SmallOrAnyInt(-2, 8);
    const double fractions[] = {0.0, 0.0, 0.25, 0.75, -0.25, -0.75};
    r.variables.push_back(Variable(in, mode + fractions[in.Choice(6)]));
    r.variables.back().integer = mode;
    r.variables.push_back(Variable(in, Real(in)));
    const int variables = static_cast<int>(r.variables.size());
    const int modeVariable = variables - 2, outputVariable = variables - 1;

    PassRequest& counting = r.passes[0];
    const int pointForm = in.Byte();
    const double point = r.variables[0].real;
    counting.arguments.push_back(
        pointForm < 176 ? VariableArgument(0)
                        : ArgumentRequest{ArgumentForm::Constant,
                                          Constant(in, static_cast<ConstantKind>(pointForm % 5),
                                                   point, IntegerOf(point, 0)),
                                          {},
                                          {},
                                          false});
    counting.arguments.push_back(VectorArgument(in, 1, n));
    counting.arguments.push_back(VectorArgument(in, 1 + n, m));
    const int modeForm = in.Byte();
    if (modeForm >= 144 && modeForm < 208)
        counting.arguments.push_back(VariableArgument(modeVariable));
    else
        counting.arguments.push_back(
            ArgumentRequest{ArgumentForm::Constant,
                            Constant(in,
                                     modeForm < 144 ? ConstantKind::Integer
                                                    : static_cast<ConstantKind>(modeForm % 5),
                                     r.variables[modeVariable].real, mode),
                            {},
                            {},
                            false});
    counting.arguments.push_back(VariableArgument(outputVariable));
    Mutations(counting, in, variables, 176);
    r.passes[1] = counting;
    Mutations(r.passes[1], in, variables, 224);

    r.copyBetweenPasses = in.Byte() >= 240;
    r.constructorFlag = in.Flag();
    r.constructorMode = in.SmallOrAnyInt(-1, 5);
    const int owner = in.Byte();
    r.owner = owner < 216 ? OwnerKind::Model : owner < 248 ? OwnerKind::Structure : OwnerKind::None;
    r.group = in.Choice(8);
    r.componentList = in.Flag();
    r.alwaysCall = in.Byte() >= 224;
    r.presetOutputs = in.Byte() >= 192;
    const int failure = in.Byte();
    r.failAllocation = failure >= 232 ? 1 + in.Choice(40) : 0;
    for (int k = in.Byte() % 20; k > 0; --k)
        r.steps.push_back(DecodeStep(in, variables));
    return r;
}

} // namespace norvane::fuzz
