// The argument list: a listing that breaks the rules refuses every call and has no equation;
// what goes beyond the signature is ignored, and constants may come in any form; an array
// output has one equation per element; the derivative pattern never outgrows the host's count.
#include <climits>

#include "tests/procedure/procedure_fixture.h"
#include "tests/procedure/test_procedures.h"

namespace norvane::test {
namespace {

// A pass of a listing as a line of calls: p Argument(point), r Argument(the point's value),
// a Argument(), x and y Element(the next abscissa, ordinate), P Element(point), 3 and 9
// SetDimensionSize(3, 1000), m Argument(1), M Argument(a set iterator standing on 1), o
// Argument(output), c Argument(3.0).
void ListAs(const char* calls, QVProc_INTERPOLATE& p, InterpolationCall& c) {
    QV_IntegerSetIter mode(QV_IntSetValue(1, INT_MIN));
    mode.Next();
    std::size_t x = 0, y = 0;
    for (const char* k = calls; *k; ++k) {
        if (*k == 'p') p.Argument(c.point);
        if (*k == 'r') p.Argument(c.point.Real());
        if (*k == 'a') p.Argument();
        if (*k == 'x') p.Element(c.xs[x++ % 3]);
        if (*k == 'y') p.Element(c.ys[y++ % 3]);
        if (*k == 'P') p.Element(c.point);
        if (*k == '3' || *k == '9') p.SetDimensionSize(*k == '3' ? 3 : 1000);
        if (*k == 'm') p.Argument(1);
        if (*k == 'M') p.Argument(mode);
        if (*k == 'o') p.Argument(c.output);
        if (*k == 'c') p.Argument(3.0);
    }
}

struct ListingCase {
    const char* name;
    const char* counting;
    const char* filling; // null: as the counting pass
    int nonZeros;        // of an accepted listing; 0 for a refused one
};

TEST(ArgumentList, AListingThatBreaksTheRulesRefusesEveryCallAndHasNoEquation) {
    const ListingCase cases[] = {
        {"sound", "paxxx3ayyy3mo", nullptr, 8},
        {"an element more when filling", "paxxx3ayyy3mo", "paxxx3ayyy3xmo", 0},
        {"an element fewer than the size", "pax3ayyy3mo", nullptr, 0},
        {"the last size missing", "paxxx3amo", nullptr, 0},
        {"an element under the constant mode", "paxxx3ayyy3mPo", nullptr, 0},
        {"the output missing when filling", "paxxx3ayyy3mo", "paxxx3ayyy3m", 0},
        {"an abscissa among the ordinates", "paxx3ayyyx3mo", nullptr, 0},
        {"the point under the constant mode", "aaxxx3ayyy3mPo", nullptr, 0},
        {"beyond the signature", "paxxx3ayyy3mopx9c", nullptr, 8},
        {"a surplus size", "paxxx39ayyy3mo", nullptr, 8},
        {"constants of any form", "raxxx3ayyy3Mo", nullptr, 7}};
    for (const ListingCase& k : cases) {
        RoutineRecorder recorder;
        InterpolationCall call(-0.5, {{0, 0}, {1, 2}, {2, 3}}, 1);
        QV_ModelTypeEx owner;
        QVProc_INTERPOLATE p(false, 0);
        ListAs(k.counting, p, call);
        p.LastArgument();
        ListAs(k.filling ? k.filling : k.counting, p, call);
        const Evaluation e = Evaluate(p, &owner);
        EXPECT_EQ(e.nonZeros, k.nonZeros) << k.name;
        if (k.nonZeros != 0) {
            ASSERT_EQ(e.residuals.size(), 1u) << k.name;
            EXPECT_EQ(e.residuals[0], 1.0) << k.name << ": extrapolated from the first segment";
            continue;
        }
        EXPECT_EQ(e.residualStatus, QV_ProcedureType::StatusUnbound) << k.name;
        EXPECT_EQ(e.jacobianStatus, QV_ProcedureType::StatusUnbound) << k.name;
        EXPECT_EQ(recorder.calls, 0) << k.name;
        EXPECT_EQ(e.equations, 0) << k.name << ": the count is what the equation pass makes";
        EXPECT_EQ(e.made, 0) << k.name;
        EXPECT_EQ(owner.ProcCall(0), nullptr) << k.name << ": nothing to call for no equation";
    }
}

// On a structure whose equations are counted and numbered on from those of others.
TEST(ArgumentList, AnArrayOutputGetsOneEquationPerElement) {
    QV_REALVARIABLE x, first, second;
    QV_StructureTypeEx owner;
    VectorOutput p("QVTestRoutines", "NONE");
    for (int pass = 0; pass < 2; ++pass) {
        p.Argument(x);
        p.Argument();
        p.Element(first);
        p.Element(second);
        p.SetDimensionSize(2);
        if (pass == 0) p.LastArgument();
    }
    int equations = 10;
    EXPECT_EQ(p.NZAndEqnContribution(&owner, 5, equations), 4);
    EXPECT_EQ(equations, 12);
    EXPECT_EQ(owner.StructureGroup(0), 5);
    std::vector<int> rows(4), cols(4);
    owner.SetPatternBuffer(rows.data(), rows.data() + 4);
    int* r = rows.data();
    int* c = cols.data();
    int counter = 4;
    p.CreateEquationsAndSetGroup(5, 0, r, c, counter, &owner, "", 0);
    ASSERT_EQ(counter, 6);
    EXPECT_STREQ(owner.EquationName(4), "[1_1]");
    EXPECT_STREQ(owner.EquationName(5), "[1_2]");
    EXPECT_EQ(owner.EquationGroup(5), 5);
    EXPECT_EQ(owner.EquationProcedureOutput(5), 2);
    EXPECT_EQ(owner.Token(5, 0).variable, &second) << "each on its own output element";
    EXPECT_EQ(owner.Token(5, 1).variable, &x);
    EXPECT_EQ(r - rows.data(), 4) << "the pattern that the counts promised";
    EXPECT_EQ(owner.ProcCallGroup(0), 5);
}

// A host that counts fewer derivative entries than outputs x inputs: the pattern has exactly
// that many entries, the first ones of the dense pattern.
TEST(DerivativePattern, NeverLongerThanTheHostsCount) {
    RoutineRecorder recorder;
    InterpolationCall call(0.5, {{0, 0}, {1, 2}, {2, 3}}, 1);
    WithDerivatives p("QVNorvane", "INTERP");
    call.ListBoth(p);
    ASSERT_EQ(p.DerivativeCount(), 8);
    p.SetDerivativeCount(3);
    EXPECT_EQ(Residual(p), -1.0);
    EXPECT_EQ(recorder.rows, std::vector<int>({1, 1, 1}));
    EXPECT_EQ(recorder.cols, std::vector<int>({1, 2, 3}));
    double row[16];
    int index = 0;
    EXPECT_EQ(p.Jacobian(row, index), 0);
    EXPECT_EQ(index, 8) << "1.0 and seven free inputs";
    EXPECT_DOUBLE_EQ(row[1], -2.0) << "dy/dx, stored";
    EXPECT_DOUBLE_EQ(row[3], 1.0) << "-dy/dX1, the third entry";
    EXPECT_EQ(row[5], 0.0) << "dy/dY0 lies beyond the host's count: nothing is stored";
}

} // namespace
} // namespace norvane::test
