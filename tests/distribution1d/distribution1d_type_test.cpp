// The one-dimensional distribution as a host type: its registration and index sets, and its
// answers to a missing domain, to grids that the method cannot use and to a failing parent.
// Its equations are checked with those of the other distributions (tests/scheme).
#include <climits>
#include <string>
#include <vector>

#include "tests/scheme/distribution_road.h"
#include "types/scheme/grid_check.h"

namespace norvane::test {
namespace {

TEST(Distribution1DType, RegistersItsIndexSetsJustBeforeTheirArrays) {
    Road1D road({Axis{}});
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
        for (const char* integrals : {"idx", static_cast<const char*>(nullptr)}) {
            Road1D road({Axis{"OCFE3", 1, 1.0, 0.0625, order}}, integrals);
            road.SetUp();
            QV_DISTRIBUTION1D& d = *road.distribution;
            const int e = road.EndNode(0);
            EXPECT_EQ(d.HIGHESTORDERXDERIVATIVEUSED.v(), order);
            EXPECT_EQ(Members(d.QV_VALUE_SET1.v()), Members(QV_IntSetValue(0, e)));
            EXPECT_EQ(Members(d.QV_DDX_SET1.v()), Members(QV_IntSetValue(0, order > 0 ? e : 0)));
            QV_IntSetValue second(1, order > 1 ? e : 0);
            second *= road.domain[0]->INTERIOR.v();
            EXPECT_EQ(Members(d.QV_D2DX2_SET1.v()), Members(second));
            EXPECT_EQ(d.QV_IDX_SET1.v().SetSize(), integrals != nullptr ? e + 1 : 0);
        }
    }
}

TEST(Distribution1DInputs, UnlinkedDomainIsRefusedWithoutEquations) {
    const long before = qvhost::LiveBlocks();
    QV_DISTRIBUTION1D* d = DISTRIBUTION1DFactory();
    d->SetDims();
    d->ExecuteAssignments(1, 0);
    EXPECT_EQ(d->QV_VALUE_SET1.v().SetSize(), 0);
    EXPECT_EQ(d->SetUpEquations(), RefusedNoDomain);
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
        const char* integrals;
        int status;
        int sections = 1;
    } const cases[] = {
        {"CFD4", 1, 2, nullptr, RefusedOutsideSection},      // one interval, five-point stencil
        {"CFD4", 6, 2, "idx", RefusedUntiled},               // elements of four in a section of six
        {"CFD4", 6, 0, nullptr, 0},                          // no equation uses the grid
        {"FFD2", 5, 2, nullptr, 6 + 4},                      // odd count, but no element loop runs
        {"CFD4", 4, 2, "idx", RefusedSectionOrder, INT_MIN}, // section 1 beyond ENDNODE 0
    };
    for (const Case& c : cases) {
        Road1D road({Axis{c.method, c.sections, 1.0, 10.0, c.order}}, c.integrals);
        road.domain[0]->MINNODECOUNT.UserSet(c.minNodes);
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
    Road1D road({Axis{"OCFE3", 1, 1.0, 0.0625, 2}});
    EXPECT_GT(road.SetUp(), 0);
    road.domain[0]->DISCRETIZATIONMETHOD.UserSet("BFD1");
    EXPECT_GT(road.SetUp(), 0);
    road.Pattern();
    ASSERT_EQ(road.domain[0]->NUMPOLYPOINTS.v(), 2);
    EXPECT_EQ(Members(road.domain[0]->INTERIOR.v()).size(), 2u * road.EndNode(0) / 3);
    int secondDerivatives = 0;
    const QV_DISTRIBUTION1D& d = *road.distribution;
    for (int e = 0; e < d.EquationCount(); ++e)
        secondDerivatives += std::string(d.EquationName(e)) == "QV_Eqn4";
    EXPECT_EQ(secondDerivatives, road.EndNode(0) - 1);
}

TEST(Distribution1DInputs, FailingParentIsPassedOnUnchanged) {
    Road1D road({Axis{}});
    road.SetUp();
    const int groupBase = road.distribution->m_groupBase;
    QV_ModelType::m_stLastGroup = groupBase + 50;
    road.distribution->FailSetUpEquations(-7);
    EXPECT_EQ(road.distribution->SetUpEquations(), -7);
    EXPECT_EQ(road.distribution->m_groupBase, groupBase);
}

} // namespace
} // namespace norvane::test
