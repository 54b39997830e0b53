// The argument list and the derivative pattern when a listing or the host's count goes beyond
// what the signature and the storage hold: nothing is written out of bounds (the sanitizer
// builds watch), and a listing that does not match refuses every call.
#include "tests/procedure/procedure_fixture.h"
#include "tests/procedure/test_procedures.h"

namespace norvane::test {
namespace {

const Table Steps = {{0.0, 0.0}, {1.0, 2.0}, {2.0, 3.0}};

TEST(ArgumentList, ListingBeyondTheSignatureIsIgnored) {
    InterpolationCall call(0.5, Steps, 1);
    QV_REALVARIABLE extra;
    QVProc_INTERPOLATE p(false, 0);
    auto list = [&] {
        call.List(p);
        p.Argument(extra);     // a sixth argument
        p.Element(extra);      // and an element of it
        p.SetDimensionSize(7); // and a size
        p.Argument(3.0);       // a seventh
    };
    list();
    p.LastArgument();
    EXPECT_EQ(p.GetOffset(4), 8) << "the layout of the five arguments alone";
    EXPECT_EQ(p.ValueWords(), 9);
    list();
    EXPECT_EQ(p.InputValueCount(), 8);
    EXPECT_EQ(p.OutputElementCount(), 1);
    double residual = 0;
    int index = 0;
    EXPECT_EQ(p.Residuals(&residual, index), 0);
    EXPECT_DOUBLE_EQ(residual, -1.0);
}

TEST(ArgumentList, ASurplusDimensionSizeIsIgnored) {
    InterpolationCall call(0.5, Steps, 1);
    QVProc_INTERPOLATE p(false, 0);
    for (int pass = 0; pass < 2; ++pass) {
        p.Argument(call.point);
        p.Argument();
        for (QV_REALVARIABLE& v : call.xs)
            p.Element(v);
        p.SetDimensionSize(3);
        p.SetDimensionSize(1000); // the vector has one dimension only
        p.Argument();
        for (QV_REALVARIABLE& v : call.ys)
            p.Element(v);
        p.SetDimensionSize(3);
        p.Argument(1);
        p.Argument(call.output);
        if (pass == 0) p.LastArgument();
    }
    EXPECT_EQ(p.ValueWords(), 9);
    double residual = 0;
    int index = 0;
    EXPECT_EQ(p.Residuals(&residual, index), 0);
}

// Listings that do not match their own layout: the calls are refused, nothing is packed, no
// equation is counted or made.
struct Flaw {
    const char* name;
    int abscissae;      // elements listed for the abscissae (their size says 3)
    bool abscissaeSize; // whether their size is given
    bool outputWhenFilling;
    bool extraWhenFilling;    // one input element more in the filling pass
    int ordinates = 3;        // elements listed for the ordinates (their size says 3)
    bool pointElement = true; // the point given as a variable, else as Argument() alone
    bool modeElement = false; // an element listed after the constant mode
};

void ListWith(QVProc_INTERPOLATE& p, InterpolationCall& c, const Flaw& f, bool filling) {
    if (f.pointElement)
        p.Argument(c.point);
    else
        p.Argument();
    p.Argument();
    for (int k = 0; k < f.abscissae; ++k)
        p.Element(c.xs[static_cast<std::size_t>(k)]);
    if (f.abscissaeSize) p.SetDimensionSize(3);
    p.Argument();
    for (int k = 0; k < f.ordinates; ++k)
        p.Element(k < 3 ? c.ys[static_cast<std::size_t>(k)] : c.xs[2]);
    p.SetDimensionSize(3);
    if (filling && f.extraWhenFilling) p.Element(c.point);
    p.Argument(1);
    if (f.modeElement) p.Element(c.point);
    if (!filling || f.outputWhenFilling) p.Argument(c.output);
}

// The last two list as many elements as the sizes call for, under the wrong arguments.
TEST(ArgumentList, AListingThatDoesNotMatchRefusesEveryCall) {
    for (const Flaw& f :
         {Flaw{"an element more when filling", 3, true, true, true},
          Flaw{"an element fewer than the size", 1, true, true, false},
          Flaw{"a size missing", 3, false, true, false},
          Flaw{"the output missing when filling", 3, true, false, false},
          Flaw{"an abscissa listed among the ordinates", 2, true, true, false, 4},
          Flaw{"the point listed after the constant mode", 3, true, true, false, 3, false, true}}) {
        RoutineRecorder recorder;
        InterpolationCall call(0.5, Steps, 1);
        QV_ModelTypeEx owner;
        QVProc_INTERPOLATE p(false, 0);
        ListWith(p, call, f, false);
        p.LastArgument();
        ListWith(p, call, f, true);
        const Evaluation e = Evaluate(p, owner);
        EXPECT_EQ(e.residualStatus, QV_ProcedureType::StatusUnbound) << f.name;
        EXPECT_EQ(e.jacobianStatus, QV_ProcedureType::StatusUnbound) << f.name;
        EXPECT_EQ(recorder.calls, 0) << f.name;
        EXPECT_EQ(owner.EquationCount(), 0) << f.name;
        EXPECT_EQ(e.equations, 0) << f.name << ": the count is what the equation pass makes";
        EXPECT_EQ(e.nonZeros, 0) << f.name;
        EXPECT_EQ(owner.ProcCall(0), nullptr) << f.name << ": nothing to call for no equation";
    }
}

TEST(ArgumentList, AnArrayOutputGetsOneEquationPerElement) {
    QV_REALVARIABLE x, first, second;
    QV_ModelTypeEx owner;
    VectorOutput p("QVTestRoutines", "NONE");
    for (int pass = 0; pass < 2; ++pass) {
        p.Argument(x);
        p.Argument();
        p.Element(first);
        p.Element(second);
        p.SetDimensionSize(2);
        if (pass == 0) p.LastArgument();
    }
    int equations = 0;
    EXPECT_EQ(p.NZAndEqnContribution(&owner, 1, equations), 4);
    std::vector<int> rows(4), cols(4);
    owner.SetPatternBuffer(rows.data(), rows.data() + 4);
    int* r = rows.data();
    int* c = cols.data();
    int counter = 0;
    p.CreateEquationsAndSetGroup(1, 0, r, c, counter, &owner, "", 0);
    ASSERT_EQ(counter, 2);
    EXPECT_STREQ(owner.EquationName(0), "[1_1]");
    EXPECT_STREQ(owner.EquationName(1), "[1_2]");
    EXPECT_EQ(owner.EquationProcedureOutput(1), 2);
    EXPECT_EQ(owner.Token(1, 0).variable, &second) << "each on its own output element";
    EXPECT_EQ(owner.Token(1, 1).variable, &x);
    EXPECT_EQ(r - rows.data(), 4) << "the pattern that the counts promised";
}

// A host that counts fewer derivative entries than outputs x inputs: the pattern has exactly
// that many entries, the first ones of the dense pattern.
TEST(DerivativePattern, NeverLongerThanTheHostsCount) {
    RoutineRecorder recorder;
    InterpolationCall call(0.5, Steps, 1);
    WithDerivatives p("QVNorvane", "INTERP");
    call.ListBoth(p);
    ASSERT_EQ(p.DerivativeCount(), 8);
    p.SetDerivativeCount(3);
    double residual = 0;
    int index = 0;
    EXPECT_EQ(p.Residuals(&residual, index), 0);
    EXPECT_EQ(recorder.rows, std::vector<int>({1, 1, 1}));
    EXPECT_EQ(recorder.cols, std::vector<int>({1, 2, 3}));
    double row[16];
    index = 0;
    EXPECT_EQ(p.Jacobian(row, index), 0);
    EXPECT_EQ(index, 8) << "1.0 and seven free inputs";
    EXPECT_DOUBLE_EQ(row[1], -2.0) << "dy/dx, stored";
    EXPECT_DOUBLE_EQ(row[3], 1.0) << "-dy/dX1, the third entry";
    EXPECT_EQ(row[5], 0.0) << "dy/dY0 lies beyond the host's count: nothing is stored";
}

} // namespace
} // namespace norvane::test
