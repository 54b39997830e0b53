// The one-dimensional distribution on the host's road: its registration and index sets, the
// agreement of its structure and expression passes, the residuals of a manufactured solution
// as the host evaluates them, and its answers to grids and inputs it cannot use.
#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "tests/distribution1d/distribution_road_fixture.h"
#include "types/distribution1d/grid_check.h"

using norvane::test::Road;
using norvane::test::RoadInputs;

namespace {

const char* const kMethods[] = {"BFD1", "BFD2",  "FFD1",  "FFD2",  "CFD2",
                                "CFD4", "UBFD4", "OCFE2", "OCFE3", "OCFE4"};

std::vector<int> Members(const QV_SetValue& set) {
    std::vector<int> out;
    for (int k = 0; k < set.SetSize(); ++k)
        out.push_back(set.Integer(k));
    return out;
}

// Largest |residual| of each equation name for the function sin(3x) + x^2.
std::map<std::string, double> Residuals(Road& road) {
    road.Manufacture([](double x) { return std::sin(3 * x) + x * x; },
                     [](double x) { return 3 * std::cos(3 * x) + 2 * x; },
                     [](double x) { return -9 * std::sin(3 * x) + 2; },
                     [](double x) { return -std::cos(3 * x) / 3 + x * x * x / 3; });
    std::map<std::string, double> worst;
    const QV_DISTRIBUTION1D& d = *road.distribution;
    for (int e = 0; e < d.EquationCount(); ++e) {
        qvhost::Evaluation r = qvhost::Evaluate(d, e);
        EXPECT_TRUE(r.ok) << d.EquationName(e);
        double& w = worst[d.EquationName(e)];
        w = std::max(w, std::fabs(r.value));
    }
    return worst;
}

} // namespace

TEST(Distribution1DType, RegistersItsIndexSetsJustBeforeTheirArrays) {
    Road road(RoadInputs{});
    const char* const expected[] = {"XDOMAIN",
                                    "QV_VALUE_SET1",
                                    "VALUE",
                                    "USERNOTES",
                                    "INPUTSIGNAL",
                                    "OUTPUTSIGNAL",
                                    "HIGHESTORDERXDERIVATIVE",
                                    "HIGHESTORDERXDERIVATIVEUSED",
                                    "INTEGRALS",
                                    "QV_DDX_SET1",
                                    "DDX",
                                    "QV_D2DX2_SET1",
                                    "D2DX2",
                                    "QV_IDX_SET1",
                                    "IDX"};
    const QV_DISTRIBUTION1D& d = *road.distribution;
    ASSERT_EQ(d.PropertyCount(), 15);
    for (int k = 0; k < 15; ++k)
        EXPECT_STREQ(d.PropertyAt(k)->Name(), expected[k]);
    EXPECT_EQ(d.PropertyAt(0)->RegistrationForm(), QV_RegistrationForm::External);
    EXPECT_EQ(d.PropertyAt(2)->RegistrationForm(), QV_RegistrationForm::Virtual);
    EXPECT_STREQ(d.PropertyAt(8)->Description(), "Integrals to be calculated. Valid value: idx");
    EXPECT_EQ(d.PropertyAt(4)->Direction(), 4);
    EXPECT_FALSE(d.PropertyAt(5)->IsToBeExported());
    EXPECT_TRUE(road.distribution->ContainerDerivesFrom("model distribution1d\tv8.8"));
    EXPECT_FALSE(road.distribution->ContainerDerivesFrom("Model DOMAIN\tV8.8"));
}

TEST(Distribution1DType, IndexSetsFollowTheGridTheOrderAndTheIntegrals) {
    for (int order : {0, 1, 2}) {
        for (bool integrals : {false, true}) {
            RoadInputs in;
            in.method = "OCFE3";
            in.order = order;
            in.integrals = integrals;
            Road road(in);
            road.SetUp();
            QV_DISTRIBUTION1D& d = *road.distribution;
            const int e = road.EndNode();
            EXPECT_EQ(d.HIGHESTORDERXDERIVATIVEUSED.v(), order);
            EXPECT_EQ(Members(d.QV_VALUE_SET1.v()), Members(QV_IntSetValue(0, e)));
            EXPECT_EQ(Members(d.QV_DDX_SET1.v()), Members(QV_IntSetValue(0, order > 0 ? e : 0)));
            QV_IntSetValue second(1, order > 1 ? e : 0);
            second *= road.domain->INTERIOR.v();
            EXPECT_EQ(Members(d.QV_D2DX2_SET1.v()), Members(second));
            EXPECT_EQ(d.QV_IDX_SET1.v().SetSize(), integrals ? e + 1 : 0);
        }
    }
}

TEST(Distribution1DEquations, StructureAndExpressionsNameTheSameVariables) {
    for (const char* method : kMethods) {
        RoadInputs in;
        in.method = method;
        in.sections = 3;
        Road road(in);
        const int count = road.SetUp();
        ASSERT_GT(count, 0) << method << ": refused with " << count;
        qvhost::Pattern pattern = road.Pattern();
        const QV_DISTRIBUTION1D& d = *road.distribution;
        EXPECT_EQ(pattern.counter, count) << method;
        ASSERT_EQ(d.EquationCount(), d.StructureCount()) << method;
        int leaves = 0;
        for (int e = 0; e < d.EquationCount(); ++e) {
            EXPECT_EQ(d.EquationGroup(e), d.StructureGroup(e));
            std::vector<QV_VarParam*> vars;
            for (int t = 0; t < d.TokenCount(e); ++t)
                if (d.Token(e, t).kind == QV_ExprToken::Variable)
                    vars.push_back(d.Token(e, t).variable);
            ASSERT_EQ(static_cast<int>(vars.size()), d.NonZeroCount(e)) << d.EquationName(e);
            for (int t = 0; t < d.NonZeroCount(e); ++t)
                EXPECT_EQ(vars[t], d.NonZero(e, t));
            leaves += d.NonZeroCount(e);
        }
        EXPECT_EQ(d.m_patternCount, leaves) << method;
        EXPECT_EQ(static_cast<int>(pattern.rows.size()), leaves);
        EXPECT_EQ(d.StrayTokens(), 0);
    }
}

TEST(Distribution1DEquations, GroupsCountFromTheHostsLastGroup) {
    RoadInputs in;
    in.method = "ffd2";
    Road road(in);
    qvhost::ResetSystem();
    road.domain->SetDims();
    road.distribution->SetDims();
    road.domain->ExecuteAssignments(1, 0);
    road.distribution->ExecuteAssignments(1, 0);
    QV_ModelType::m_stLastGroup = 40;
    ASSERT_GT(road.distribution->SetUpEquations(), 0);
    EXPECT_EQ(road.distribution->m_groupBase, 40);
    road.Pattern();
    const QV_DISTRIBUTION1D& d = *road.distribution;
    EXPECT_STREQ(d.EquationName(0), "QV_Eqn1");
    EXPECT_EQ(d.EquationGroup(0), 41);
    for (int e = 1; e < d.EquationCount(); ++e)
        EXPECT_EQ(d.EquationGroup(e), 45);
}

// A manufactured smooth solution leaves residuals that shrink as the grid is refined; a wrong
// sign, index or constant leaves one that does not. The collocation methods with three and
// four points use short decimal constants that stop convergence, so they are checked on
// coarse grids only.
TEST(Distribution1DEquations, ResidualsOfASmoothSolutionShrinkUnderRefinement) {
    for (const char* method : kMethods) {
        for (int sections : {1, 3}) {
            const bool shortDecimals =
                std::string(method) == "OCFE3" || std::string(method) == "OCFE4";
            RoadInputs coarse;
            coarse.method = method;
            coarse.sections = sections;
            coarse.spacing = shortDecimals ? 0.1 : 1.0 / 32;
            RoadInputs fine = coarse;
            fine.spacing = coarse.spacing / 2;
            Road a(coarse), b(fine);
            ASSERT_GT(a.SetUp(), 0);
            ASSERT_GT(b.SetUp(), 0);
            a.Pattern();
            b.Pattern();
            const auto ra = Residuals(a), rb = Residuals(b);
            ASSERT_EQ(ra.size(), rb.size()) << method;
            for (const auto& [name, worst] : ra) {
                const double finer = rb.at(name);
                if (worst < 1e-13) continue; // exact already
                EXPECT_LT(finer, worst / (shortDecimals ? 1.5 : 1.9))
                    << method << " " << sections << " sections " << name;
            }
        }
    }
}

TEST(Distribution1DInputs, SwitchesAndUnknownValuesGiveDefinedEquationSets) {
    RoadInputs in;
    in.method = "NOSUCH";
    {
        Road road(in);
        EXPECT_EQ(road.SetUp(), 1) << "only the start equation";
        road.Pattern();
        EXPECT_STREQ(road.distribution->EquationName(0), "QV_Eqn1");
    }
    in.method = "CFD2";
    in.order = 0;
    {
        Road road(in);
        const int count = road.SetUp();
        road.Pattern();
        for (int e = 0; e < road.distribution->EquationCount(); ++e) {
            const std::string name = road.distribution->EquationName(e);
            EXPECT_TRUE(name == "QV_Eqn1" || name == "QV_Eqn33" || name == "QV_Eqn34") << name;
        }
        EXPECT_GT(count, 1);
    }
    in.order = 2;
    in.integrals = false;
    {
        Road road(in);
        road.distribution->INTEGRALS.UserSet("idy\"junk\"");
        road.SetUp();
        road.Pattern();
        for (int e = 0; e < road.distribution->EquationCount(); ++e)
            EXPECT_STRNE(road.distribution->EquationName(e), "QV_Eqn1");
    }
}

TEST(Distribution1DInputs, UnlinkedDomainIsRefusedWithoutEquations) {
    const long before = qvhost::LiveBlocks();
    QV_DISTRIBUTION1D* d = DISTRIBUTION1DFactory();
    d->SetDims();
    d->ExecuteAssignments(1, 0);
    EXPECT_EQ(d->QV_VALUE_SET1.v().SetSize(), 0);
    EXPECT_EQ(d->SetUpEquations(), norvane::RefusedNoDomain);
    qvhost::RunJacPattern(*d);
    EXPECT_EQ(d->EquationCount(), 0);
    d->Release();
    EXPECT_EQ(qvhost::LiveBlocks(), before);
}

TEST(Distribution1DInputs, GridsInconsistentWithTheMethodAreRefused) {
    // A user-fixed MINNODECOUNT gives sections of too few intervals (the spacing asks for none);
    // a user-fixed NUMSECTIONS of INT_MIN one section ([1..INT_MIN]) on a grid of node 0 alone.
    struct Case {
        const char* method;
        int minNodes, order;
        bool integrals;
        int status;
        int sections = 1;
    } const cases[] = {
        {"CFD4", 1, 2, false, norvane::RefusedOutsideSection}, // one interval, five-point stencil
        {"CFD4", 6, 2, true, norvane::RefusedUntiled}, // elements of four in a section of six
        {"CFD4", 6, 0, false, 0},                      // no equation uses the grid
        {"FFD2", 5, 2, false, 6 + 4},                  // odd count, but no element loop runs
        {"CFD4", 4, 2, true, norvane::RefusedSectionOrder, INT_MIN},
    };
    for (const Case& c : cases) {
        RoadInputs in;
        in.method = c.method;
        in.spacing = 10.0;
        in.order = c.order;
        in.integrals = c.integrals;
        in.sections = c.sections;
        Road road(in);
        road.domain->MINNODECOUNT.UserSet(c.minNodes);
        EXPECT_EQ(road.SetUp(), c.status) << c.method << " " << c.minNodes;
        road.Pattern();
        if (c.status < 0) {
            EXPECT_EQ(road.distribution->EquationCount(), 0);
        }
    }
}

// "BFD1" assigns no polynomial points: after "OCFE3" the domain keeps its 2, and with them an
// INTERIOR without the element ends. The block still writes a second derivative at every inner
// node, as its loop says; where the array's index set lacks the node, the array makes the
// element. Every equation stays on the grid and in its section.
TEST(Distribution1DInputs, PolynomialPointsLeftByAnEarlierMethod) {
    RoadInputs in;
    in.method = "OCFE3";
    Road road(in);
    EXPECT_GT(road.SetUp(), 0);
    road.domain->DISCRETIZATIONMETHOD.UserSet("BFD1");
    const int count = road.SetUp();
    EXPECT_GT(count, 0);
    road.Pattern();
    ASSERT_EQ(road.domain->NUMPOLYPOINTS.v(), 2);
    EXPECT_EQ(Members(road.domain->INTERIOR.v()).size(), 2u * road.EndNode() / 3);
    int secondDerivatives = 0;
    const QV_DISTRIBUTION1D& d = *road.distribution;
    for (int e = 0; e < d.EquationCount(); ++e)
        secondDerivatives += std::string(d.EquationName(e)) == "QV_Eqn4";
    EXPECT_EQ(secondDerivatives, road.EndNode() - 1);
}

TEST(Distribution1DInputs, FailingParentIsPassedOnUnchanged) {
    Road road(RoadInputs{});
    road.SetUp();
    const int groupBase = road.distribution->m_groupBase;
    QV_ModelType::m_stLastGroup = groupBase + 50;
    road.distribution->FailSetUpEquations(-7);
    EXPECT_EQ(road.distribution->SetUpEquations(), -7);
    EXPECT_EQ(road.distribution->m_groupBase, groupBase);
}

TEST(Distribution1DRoad, LeavesNoBlockBehind) {
    const long before = qvhost::LiveBlocks();
    for (const char* method : kMethods) {
        RoadInputs in;
        in.method = method;
        in.sections = 2;
        Road road(in);
        road.SetUp();
        road.Pattern();
    }
    EXPECT_EQ(qvhost::LiveBlocks(), before);
}
