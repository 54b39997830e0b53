// The two-dimensional distribution as a host type: its properties, identity, copying and
// factory, its index sets and assignments, and its answers when a domain is missing.
#include "tests/scheme/distribution_road.h"
#include "types/scheme/grid_check.h"

#include <cstring>

extern "C" NORVANE_API void* DISTRIBUTION2DPropertyInfo();
extern "C" NORVANE_API const int _CompatibilityDISTRIBUTION2D[2];

namespace norvane::test {
namespace {

struct Registered {
    const char* name;
    const char* description; // null: none
    int direction;
};

TEST(Distribution2DType, RegistersItsMembersInDeclarationOrder) {
    const Registered expected[] = {
        {"XDOMAIN", nullptr, 0},
        {"YDOMAIN", nullptr, 0},
        {"QV_VALUE_SET1", nullptr, 0},
        {"QV_VALUE_SET2", nullptr, 0},
        {"VALUE", "Variable value at a node point", 0},
        {"USERNOTES", nullptr, 0},
        {"INPUTSIGNAL", nullptr, 4},
        {"OUTPUTSIGNAL", nullptr, 8},
        {"HIGHESTORDERXDERIVATIVE", nullptr, 0},
        {"HIGHESTORDERYDERIVATIVE", nullptr, 0},
        {"HIGHESTORDERXDERIVATIVEUSED", nullptr, 0},
        {"HIGHESTORDERYDERIVATIVEUSED", nullptr, 0},
        {"INTEGRALS", "Integrals to be calculated. Valid values: idx, idy, idxdy", 0},
        {"QV_DDX_SET1", nullptr, 0},
        {"QV_DDX_SET2", nullptr, 0},
        {"DDX", "1st-order partial deriv wrt x", 0},
        {"QV_DDY_SET1", nullptr, 0},
        {"QV_DDY_SET2", nullptr, 0},
        {"DDY", "1st-order partial deriv wrt y", 0},
        {"QV_D2DX2_SET1", nullptr, 0},
        {"QV_D2DX2_SET2", nullptr, 0},
        {"D2DX2", "2nd-order partial deriv wrt x", 0},
        {"QV_D2DY2_SET1", nullptr, 0},
        {"D2DY2", "2nd-order partial deriv wrt y", 0},
        {"QV_IDX_SET1", nullptr, 0},
        {"QV_IDX_SET2", nullptr, 0},
        {"IDX", "integral of distributed variable wrt x", 0},
        {"QV_IDY_SET1", nullptr, 0},
        {"QV_IDY_SET2", nullptr, 0},
        {"IDY", "integral of distributed variable wrt y", 0},
        {"QV_IDXDY_SET1", nullptr, 0},
        {"QV_IDXDY_SET2", nullptr, 0},
        {"IDXDY", "integral of distributed variable wrt x and y", 0},
    };
    QV_DISTRIBUTION2D* d = DISTRIBUTION2DFactory();
    ASSERT_EQ(d->PropertyCount(), 33);
    for (int k = 0; k < 33; ++k) {
        const QV_Containable& p = *d->PropertyAt(k);
        EXPECT_STREQ(p.Name(), expected[k].name);
        if (expected[k].description) {
            EXPECT_STREQ(p.Description(), expected[k].description) << expected[k].name;
        } else {
            EXPECT_EQ(p.Description(), nullptr) << expected[k].name;
        }
        EXPECT_EQ(p.Direction(), expected[k].direction) << expected[k].name;
        EXPECT_EQ(p.IsToBeExported(), expected[k].direction == 0) << expected[k].name;
    }
    EXPECT_EQ(d->PropertyAt(0)->RegistrationForm(), QV_RegistrationForm::External);
    EXPECT_EQ(d->PropertyAt(1)->RegistrationForm(), QV_RegistrationForm::External);
    EXPECT_EQ(d->PropertyAt(4)->RegistrationForm(), QV_RegistrationForm::Virtual);
    d->Release();

    QV_DISTRIBUTION2D unregistered(false);
    EXPECT_EQ(unregistered.PropertyCount(), 0);
}

TEST(Distribution2DType, IdentityCopyAndEntryPoints) {
    QV_DISTRIBUTION2D a, b;
    EXPECT_STREQ(QV_DISTRIBUTION2D::QV_ContainerId(), "Model DISTRIBUTION2D\tV8.8");
    EXPECT_STREQ(a.QV_DefaultDESCRIPTION(), QV_DISTRIBUTION2D::QV_ContainerId());
    EXPECT_TRUE(a.ContainerDerivesFrom("model distribution2d\tv8.8"));
    EXPECT_FALSE(a.ContainerDerivesFrom("Model DISTRIBUTION2D"));
    EXPECT_FALSE(a.ContainerDerivesFrom("Model DISTRIBUTION1D\tV8.8"));
    EXPECT_EQ(a.Residuals(nullptr, 0, 5), 0);
    EXPECT_EQ(a.Jacobian(nullptr, 3, 0), 0);
    a.m_groupBase = 7;
    a.m_eqnCount = 11;
    a.m_patternCount = 13;
    b = a;
    EXPECT_EQ(b.m_groupBase + b.m_eqnCount + b.m_patternCount, 31);
    EXPECT_EQ(DISTRIBUTION2DPropertyInfo(), DISTRIBUTION2DPropertyInfo());
    EXPECT_EQ(_CompatibilityDISTRIBUTION2D[0], 6);
    EXPECT_EQ(_CompatibilityDISTRIBUTION2D[1], 0);
}

TEST(Distribution2DType, FactoryWithoutMemoryConstructsNothing) {
    const long before = qvhost::LiveBlocks();
    qvhost::FailAllocation(1);
    EXPECT_EQ(DISTRIBUTION2DFactory(), nullptr);
    qvhost::FailAllocation(0);
    EXPECT_EQ(qvhost::LiveBlocks(), before);
}

std::vector<int> Closed(const QV_DOMAIN& d) {
    std::vector<int> closed = Members(d.INTERIOR.fv());
    closed.insert(closed.begin(), 0);
    closed.push_back(d.ENDNODE.fv());
    return closed;
}

std::vector<int> Range(int low, int high) {
    return Members(QV_IntSetValue(low, high));
}

// Three X sections whose joins the interior leaves out; the flags of every derivative and
// integral array act on the first (x) index set.
TEST(Distribution2DType, IndexSetsFollowTheGridsTheOrdersAndTheIntegrals) {
    struct Case {
        int xOrder, yOrder;
        const char* integrals;
        bool idx, idy, idxdy;
    };
    const Case cases[] = {{2, 2, "idx\"idy\"idxdy", true, true, true},
                          {1, 0, "idxdy", true, false, true},
                          {0, 2, "idy", false, true, false},
                          {2, 1, nullptr, false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.integrals ? c.integrals : "None");
        Road2D road({"BFD1", 3, 1.2, 0.1, c.xOrder}, {"OCFE2", 2, 1.0, 0.25, c.yOrder},
                    c.integrals);
        road.Assign();
        const QV_DISTRIBUTION2D& d = *road.distribution;
        const int xe = road.EndNode(0), ye = road.EndNode(1);
        ASSERT_EQ(xe, 12);
        const std::vector<int> xc = Closed(*road.domain[0]), yc = Closed(*road.domain[1]);
        if (c.xOrder == 2) {
            EXPECT_EQ(xc, (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 9, 10, 11, 12}));
        }
        EXPECT_EQ(d.HIGHESTORDERXDERIVATIVEUSED.fv(), c.xOrder);
        EXPECT_EQ(d.HIGHESTORDERYDERIVATIVEUSED.fv(), c.yOrder);
        EXPECT_EQ(Members(d.QV_VALUE_SET1.fv()), Range(0, xe));
        EXPECT_EQ(Members(d.QV_VALUE_SET2.fv()), Range(0, ye));
        EXPECT_EQ(Members(d.QV_DDX_SET1.fv()), Range(0, c.xOrder > 0 ? xe : 0));
        EXPECT_EQ(Members(d.QV_DDY_SET1.fv()), Range(0, c.yOrder > 0 ? xe : 0));
        EXPECT_EQ(Members(d.QV_DDY_SET2.fv()), Range(0, ye));
        QV_IntSetValue d2x(1, c.xOrder > 1 ? xe : 0);
        d2x *= road.domain[0]->INTERIOR.fv();
        EXPECT_EQ(Members(d.QV_D2DX2_SET1.fv()), Members(d2x));
        EXPECT_EQ(Members(d.QV_D2DX2_SET2.fv()), yc);
        EXPECT_EQ(Members(d.QV_D2DY2_SET1.fv()), c.yOrder > 1 ? xc : std::vector<int>{0});
        EXPECT_EQ(Members(d.QV_IDX_SET1.fv()), c.idx ? Range(0, xe) : std::vector<int>{});
        EXPECT_EQ(Members(d.QV_IDY_SET1.fv()), c.idy ? Range(0, xe) : std::vector<int>{});
        EXPECT_EQ(Members(d.QV_IDXDY_SET1.fv()), c.idxdy ? Range(0, xe) : std::vector<int>{});
        EXPECT_EQ(Members(d.QV_IDXDY_SET2.fv()), Range(0, ye));
        EXPECT_EQ(StringInSet("None", d.INTEGRALS.fv()) != 0, c.integrals == nullptr);
    }
}

// Without both domains there is no grid: no index along a missing direction, a refusal from
// the structure pass and nothing from the expression pass. Once unlinked, a domain has no array
// depending on it after the next SetDims.
TEST(Distribution2DType, MissingDomainsAreRefusedWithoutACrash) {
    for (int linked = 0; linked < 3; ++linked) {
        const long before = qvhost::LiveBlocks();
        QV_LENGTHDOMAIN* y = LENGTHDOMAINFactory();
        QV_DISTRIBUTION2D* d = DISTRIBUTION2DFactory();
        if (linked == 1) d->YDOMAIN.Link(y);
        if (linked == 2) d->XDOMAIN.Link(y);
        y->SetDims();
        y->ExecuteAssignments(3, 1);
        d->SetDims();
        d->ExecuteAssignments(3, 1);
        EXPECT_EQ(d->QV_VALUE_SET1.fv().SetSize() == 0, linked != 2);
        EXPECT_EQ(d->QV_VALUE_SET2.fv().SetSize() == 0, linked != 1);
        qvhost::ResetSystem();
        EXPECT_EQ(d->SetUpEquations(), RefusedNoDomain);
        qvhost::RunJacPattern(*d);
        EXPECT_EQ(d->EquationCount(), 0);
        EXPECT_EQ(d->m_patternCount, 0);
        d->XDOMAIN.Link(nullptr);
        d->YDOMAIN.Link(nullptr);
        d->SetDims();
        EXPECT_EQ(y->INTERIOR.DependentCount(), 0);
        d->Release();
        y->Release();
        EXPECT_EQ(qvhost::LiveBlocks(), before);
    }
}

} // namespace
} // namespace norvane::test
