// The three-dimensional distribution as a host type: its properties, identity, copying and
// factory, its arrays' index sets and assignments, the elements its equations name, and its
// answers when a domain is missing.
#include "tests/scheme/distribution_road.h"
#include "types/scheme/grid_check.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" NORVANE_API void* DISTRIBUTION3DPropertyInfo();
extern "C" NORVANE_API const int _CompatibilityDISTRIBUTION3D[2];

namespace norvane::test {
namespace {

struct Registered {
    std::string name;
    const char* description; // null: none
    int direction;
};

// Every member in registration order: each array's own index sets just before it.
std::vector<Registered> ExpectedRegistry() {
    std::vector<Registered> expected = {
        {"XDOMAIN", nullptr, 0},
        {"YDOMAIN", nullptr, 0},
        {"ZDOMAIN", nullptr, 0},
        {"QV_VALUE_SET1", nullptr, 0},
        {"QV_VALUE_SET2", nullptr, 0},
        {"QV_VALUE_SET3", nullptr, 0},
        {"VALUE", "Variable value at a node point", 0},
        {"USERNOTES", nullptr, 0},
        {"INPUTSIGNAL", nullptr, 4},
        {"OUTPUTSIGNAL", nullptr, 8},
        {"HIGHESTORDERXDERIVATIVE", nullptr, 0},
        {"HIGHESTORDERYDERIVATIVE", nullptr, 0},
        {"HIGHESTORDERZDERIVATIVE", nullptr, 0},
        {"HIGHESTORDERXDERIVATIVEUSED", nullptr, 0},
        {"HIGHESTORDERYDERIVATIVEUSED", nullptr, 0},
        {"HIGHESTORDERZDERIVATIVEUSED", nullptr, 0},
        {"INTEGRALS",
         "Integrals to be calculated. Valid values: idx, idy, idz, idxdy, idxdz, idydz, idxdydz",
         0},
    };
    const struct {
        const char* name;
        const char* ownSets;
        const char* description;
    } arrays[] = {
        {"DDX", "123", "1st-order partial deriv wrt x"},
        {"DDY", "123", "1st-order partial deriv wrt y"},
        {"DDZ", "123", "1st-order partial deriv wrt z"},
        {"D2DX2", "123", "2nd-order partial deriv wrt x"},
        {"D2DY2", "13", "2nd-order partial deriv wrt y"},
        {"D2DZ2", "12", "2nd-order partial deriv wrt z"},
        {"IDX", "123", "integral of distributed variable wrt x"},
        {"IDY", "123", "integral of distributed variable wrt y"},
        {"IDZ", "123", "integral of distributed variable wrt z"},
        {"IDXDY", "123", "integral of distributed variable wrt x and y"},
        {"IDXDZ", "123", "integral of distributed variable wrt x and z"},
        {"IDYDZ", "123", "integral of distributed variable wrt y and z"},
        {"IDXDYDZ", "123", "integral of distributed variable wrt x, y and z"},
    };
    for (const auto& array : arrays) {
        for (const char* k = array.ownSets; *k; ++k)
            expected.push_back({std::string("QV_") + array.name + "_SET" + *k, nullptr, 0});
        expected.push_back({array.name, array.description, 0});
    }
    return expected;
}

TEST(Distribution3DType, RegistersItsIndexSetsJustBeforeTheirArrays) {
    const std::vector<Registered> expected = ExpectedRegistry();
    ASSERT_EQ(expected.size(), 67u);
    QV_DISTRIBUTION3D* d = DISTRIBUTION3DFactory();
    ASSERT_EQ(d->PropertyCount(), 67);
    for (int k = 0; k < 67; ++k) {
        const QV_Containable& p = *d->PropertyAt(k);
        const Registered& e = expected[k];
        EXPECT_EQ(p.Name(), e.name) << k;
        if (e.description) {
            EXPECT_STREQ(p.Description(), e.description) << e.name;
        } else {
            EXPECT_EQ(p.Description(), nullptr) << e.name;
        }
        EXPECT_EQ(p.Direction(), e.direction) << e.name;
        EXPECT_EQ(p.IsToBeExported(), e.direction == 0) << e.name;
        const QV_RegistrationForm form = k < 3    ? QV_RegistrationForm::External
                                         : k == 6 ? QV_RegistrationForm::Virtual
                                                  : QV_RegistrationForm::Type;
        EXPECT_EQ(p.RegistrationForm(), form) << e.name;
    }
    EXPECT_EQ(d->FindProperty("QV_D2DY2_SET2"), nullptr);
    EXPECT_EQ(d->FindProperty("QV_D2DZ2_SET3"), nullptr);
    d->Release();

    QV_DISTRIBUTION3D unregistered(false);
    EXPECT_EQ(unregistered.PropertyCount(), 0);
    QV_DISTRIBUTION3D byDefault;
    EXPECT_EQ(byDefault.PropertyCount(), 67);
}

TEST(Distribution3DType, IdentityCopyAndEntryPoints) {
    const char* id = QV_DISTRIBUTION3D::QV_ContainerId();
    EXPECT_STREQ(id, "Model DISTRIBUTION3D\tV8.8");
    EXPECT_EQ(std::strlen(id), 25u);
    EXPECT_EQ(QV_DISTRIBUTION3D::QV_ContainerId(), id);
    QV_DISTRIBUTION3D a, b;
    EXPECT_EQ(a.QV_DefaultDESCRIPTION(), id);
    const struct {
        const char* name;
        bool derives;
    } names[] = {{"model distribution3d\tv8.8", true},  {"MODEL DISTRIBUTION3D\tV8.8", true},
                 {"Model DISTRIBUTION2D\tV8.8", false}, {"DISTRIBUTION3D", false},
                 {"Model DISTRIBUTION3D V8.8", false},  {"Model DOMAIN\tV8.8", false}};
    for (const auto& n : names)
        EXPECT_EQ(a.ContainerDerivesFrom(n.name), n.derives) << n.name;
    EXPECT_EQ(a.Residuals(nullptr, 0, 5), 0);
    EXPECT_EQ(a.Jacobian(nullptr, 3, 0), 0);

    a.m_groupBase = -7;
    a.m_eqnCount = 11;
    a.m_patternCount = 1 << 30;
    a.USERNOTES.UserSet("copied");
    b = a;
    EXPECT_EQ(b.m_groupBase, -7);
    EXPECT_EQ(b.m_eqnCount, 11);
    EXPECT_EQ(b.m_patternCount, 1 << 30);
    EXPECT_STREQ(b.USERNOTES.fv().Text(), "copied");
    EXPECT_EQ(&*b, &b);

    void* info = DISTRIBUTION3DPropertyInfo();
    EXPECT_EQ(info, DISTRIBUTION3DPropertyInfo());
    EXPECT_EQ(static_cast<const unsigned char*>(info)[0], 0);
    EXPECT_EQ(_CompatibilityDISTRIBUTION3D[0], 6);
    EXPECT_EQ(_CompatibilityDISTRIBUTION3D[1], 0);
}

// With no block for the object, the factory returns null and asks for nothing more.
TEST(Distribution3DType, FactoryWithoutMemoryConstructsNothing) {
    const long before = qvhost::LiveBlocks();
    const long calls = qvhost::AllocationCalls();
    qvhost::FailAllocation(1);
    EXPECT_EQ(DISTRIBUTION3DFactory(), nullptr);
    qvhost::FailAllocation(0);
    EXPECT_EQ(qvhost::AllocationCalls(), calls + 1);
    EXPECT_EQ(qvhost::LiveBlocks(), before);
}

// D2DY2 and D2DZ2 take their own direction's index set from the domain's INTERIOR itself; a
// second SetDims leaves each set with the one dependent it had.
TEST(Distribution3DType, ArraysAreDimensionedOverTheirIndexSets) {
    Road3D road({"BFD1", 2, 1.0, 0.25, 2}, {"CFD2", 1, 1.0, 0.25, 2}, {"OCFE3", 1, 1.0, 0.25, 2});
    QV_DISTRIBUTION3D& d = *road.distribution;
    const int yInteriorDependents = road.domain[1]->INTERIOR.DependentCount();
    for (int run = 0; run < 2; ++run)
        d.SetDims();
    const struct {
        QV_Matrix* array;
        QV_Set* sets[3];
    } dims[] = {
        {&*d.VALUE, {&d.QV_VALUE_SET1, &d.QV_VALUE_SET2, &d.QV_VALUE_SET3}},
        {&d.DDX, {&d.QV_DDX_SET1, &d.QV_DDX_SET2, &d.QV_DDX_SET3}},
        {&d.DDY, {&d.QV_DDY_SET1, &d.QV_DDY_SET2, &d.QV_DDY_SET3}},
        {&d.DDZ, {&d.QV_DDZ_SET1, &d.QV_DDZ_SET2, &d.QV_DDZ_SET3}},
        {&d.D2DX2, {&d.QV_D2DX2_SET1, &d.QV_D2DX2_SET2, &d.QV_D2DX2_SET3}},
        {&d.D2DY2, {&d.QV_D2DY2_SET1, &road.domain[1]->INTERIOR, &d.QV_D2DY2_SET3}},
        {&d.D2DZ2, {&d.QV_D2DZ2_SET1, &d.QV_D2DZ2_SET2, &road.domain[2]->INTERIOR}},
        {&d.IDX, {&d.QV_IDX_SET1, &d.QV_IDX_SET2, &d.QV_IDX_SET3}},
        {&d.IDY, {&d.QV_IDY_SET1, &d.QV_IDY_SET2, &d.QV_IDY_SET3}},
        {&d.IDZ, {&d.QV_IDZ_SET1, &d.QV_IDZ_SET2, &d.QV_IDZ_SET3}},
        {&d.IDXDY, {&d.QV_IDXDY_SET1, &d.QV_IDXDY_SET2, &d.QV_IDXDY_SET3}},
        {&d.IDXDZ, {&d.QV_IDXDZ_SET1, &d.QV_IDXDZ_SET2, &d.QV_IDXDZ_SET3}},
        {&d.IDYDZ, {&d.QV_IDYDZ_SET1, &d.QV_IDYDZ_SET2, &d.QV_IDYDZ_SET3}},
        {&d.IDXDYDZ, {&d.QV_IDXDYDZ_SET1, &d.QV_IDXDYDZ_SET2, &d.QV_IDXDYDZ_SET3}},
    };
    for (const auto& dim : dims) {
        SCOPED_TRACE(qvhost::PathOf(*dim.array));
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(dim.array->m_DeclaredSets[k], dim.sets[k]) << k;
        if (dim.array != &d.D2DY2 && dim.array != &d.D2DZ2) {
            EXPECT_EQ(dim.sets[0]->DependentCount(), 1);
        }
    }
    EXPECT_EQ(road.domain[1]->INTERIOR.DependentCount(), yInteriorDependents + 1);
    EXPECT_EQ(d.SetDimsCalls(), 2);
}

std::vector<int> Range(int low, int high) {
    return Members(QV_IntSetValue(low, high));
}

// Node 0, the domain's INTERIOR and its ENDNODE.
std::vector<int> Closed(const QV_DOMAIN& d) {
    std::vector<int> closed = Members(d.INTERIOR.fv());
    closed.insert(closed.begin(), 0);
    closed.push_back(d.ENDNODE.fv());
    return closed;
}

// The switches of every array act on the first (x) index set, bounded by X's ENDNODE whatever
// the array's direction; X has three sections whose joins the second-order interior leaves
// out, Y and Z their own methods.
TEST(Distribution3DType, IndexSetsFollowTheGridsTheOrdersAndTheIntegrals) {
    struct Case {
        int order[3];
        const char* integrals;
        const char* switchedOn; // IDX IDY IDZ IDXDY IDXDZ IDYDZ IDXDYDZ, 1 when non-empty
    };
    const Case cases[] = {
        {{2, 2, 2}, "idx\"idy\"idz\"idxdy\"idxdz\"idydz\"idxdydz", "1111111"},
        {{1, 0, 2}, "idxdydz", "1001001"},
        {{0, 2, 1}, "idy\"idxdz", "1100100"},
        {{2, 1, 0}, "idz\"bogus\"idydz", "0110010"},
        {{1, 1, 1}, "idxdy", "1001000"},
        {{2, 2, 0}, nullptr, "0000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.integrals ? c.integrals : "None");
        Road3D road({"BFD1", 3, 1.2, 0.1, c.order[0]}, {"OCFE2", 2, 1.0, 0.25, c.order[1]},
                    {"CFD4", 1, 1.0, 0.25, c.order[2]}, c.integrals);
        road.Assign();
        const QV_DISTRIBUTION3D& d = *road.distribution;
        const int xe = road.EndNode(0), ye = road.EndNode(1), ze = road.EndNode(2);
        ASSERT_EQ(xe, 12);
        const std::vector<int> xc = Closed(*road.domain[0]), yc = Closed(*road.domain[1]),
                               zc = Closed(*road.domain[2]);
        if (c.order[0] == 2) {
            EXPECT_EQ(xc, (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 9, 10, 11, 12}));
        }
        const int used[3] = {d.HIGHESTORDERXDERIVATIVEUSED.fv(), d.HIGHESTORDERYDERIVATIVEUSED.fv(),
                             d.HIGHESTORDERZDERIVATIVEUSED.fv()};
        EXPECT_EQ(d.HIGHESTORDERXDERIVATIVE.fv(), c.order[0]);
        EXPECT_EQ(d.HIGHESTORDERZDERIVATIVE.fv(), c.order[2]);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(used[k], c.order[k]) << k;

        const std::vector<int> all[3] = {Range(0, xe), Range(0, ye), Range(0, ze)};
        const std::vector<int> none;
        // An array's three sets: x switched on or left at `off`, y and z whole.
        auto expectPlain = [&](const QV_INTEGERSET* const sets[3], bool on,
                               const std::vector<int>& off, const char* name) {
            SCOPED_TRACE(name);
            EXPECT_EQ(Members(sets[0]->fv()), on ? all[0] : off);
            EXPECT_EQ(Members(sets[1]->fv()), all[1]);
            EXPECT_EQ(Members(sets[2]->fv()), all[2]);
        };
        const QV_INTEGERSET* const value[3] = {&d.QV_VALUE_SET1, &d.QV_VALUE_SET2,
                                               &d.QV_VALUE_SET3};
        expectPlain(value, true, none, "VALUE");
        const QV_INTEGERSET* const first[3][3] = {{&d.QV_DDX_SET1, &d.QV_DDX_SET2, &d.QV_DDX_SET3},
                                                  {&d.QV_DDY_SET1, &d.QV_DDY_SET2, &d.QV_DDY_SET3},
                                                  {&d.QV_DDZ_SET1, &d.QV_DDZ_SET2, &d.QV_DDZ_SET3}};
        for (int k = 0; k < 3; ++k)
            expectPlain(first[k], used[k] > 0, {0}, "first derivative");

        QV_IntSetValue d2x(1, used[0] > 1 ? xe : 0);
        d2x *= road.domain[0]->INTERIOR.fv();
        EXPECT_EQ(Members(d.QV_D2DX2_SET1.fv()), Members(d2x));
        EXPECT_EQ(Members(d.QV_D2DX2_SET2.fv()), yc);
        EXPECT_EQ(Members(d.QV_D2DX2_SET3.fv()), zc);
        EXPECT_EQ(Members(d.QV_D2DY2_SET1.fv()), used[1] > 1 ? xc : std::vector<int>{0});
        EXPECT_EQ(Members(d.QV_D2DY2_SET3.fv()), zc);
        EXPECT_EQ(Members(d.QV_D2DZ2_SET1.fv()), used[2] > 1 ? xc : std::vector<int>{0});
        EXPECT_EQ(Members(d.QV_D2DZ2_SET2.fv()), yc);

        const QV_INTEGERSET* const integrals[7][3] = {
            {&d.QV_IDX_SET1, &d.QV_IDX_SET2, &d.QV_IDX_SET3},
            {&d.QV_IDY_SET1, &d.QV_IDY_SET2, &d.QV_IDY_SET3},
            {&d.QV_IDZ_SET1, &d.QV_IDZ_SET2, &d.QV_IDZ_SET3},
            {&d.QV_IDXDY_SET1, &d.QV_IDXDY_SET2, &d.QV_IDXDY_SET3},
            {&d.QV_IDXDZ_SET1, &d.QV_IDXDZ_SET2, &d.QV_IDXDZ_SET3},
            {&d.QV_IDYDZ_SET1, &d.QV_IDYDZ_SET2, &d.QV_IDYDZ_SET3},
            {&d.QV_IDXDYDZ_SET1, &d.QV_IDXDYDZ_SET2, &d.QV_IDXDYDZ_SET3}};
        for (int k = 0; k < 7; ++k)
            expectPlain(integrals[k], c.switchedOn[k] == '1', none, "integral");
        EXPECT_EQ(StringInSet("None", d.INTEGRALS.fv()) != 0, c.integrals == nullptr);
    }
}

// A grid of one node along X: the integrals' first sets are [0..-0], so {0}, even with none
// requested. The parent's assignments run once, with the first argument one less.
TEST(Distribution3DType, SingleNodeXKeepsIndexZeroAndTheParentRunsOnce) {
    Road3D road({"BFD1", 1, 1.0, 0.5, 1}, {"BFD1", 1, 1.0, 0.5, 1}, {"BFD1", 1, 1.0, 0.5, 1},
                nullptr);
    road.Assign();
    road.domain[0]->ENDNODE.UserSet(0);
    QV_DISTRIBUTION3D& d = *road.distribution;
    d.ExecuteAssignments(5, 9);
    EXPECT_EQ(d.HostAssignmentCalls(), 2);
    EXPECT_EQ(d.LastHostAssignmentA(), 4);
    EXPECT_EQ(d.LastHostAssignmentB(), 9);
    for (const QV_INTEGERSET* set :
         {&d.QV_VALUE_SET1, &d.QV_IDX_SET1, &d.QV_IDYDZ_SET1, &d.QV_IDXDYDZ_SET1, &d.QV_DDZ_SET1})
        EXPECT_EQ(Members(set->fv()), std::vector<int>{0});
    EXPECT_EQ(Members(d.QV_IDX_SET2.fv()), Range(0, road.EndNode(1)));
}

// The start planes through the whole road: each family names its own integral on the plane
// where that integral starts, both passes name the same variables in the same order, and every
// element named lies in its array's index sets.
TEST(Distribution3DEquations, StartPlanesNameTheirIntegralsOnBothPasses) {
    Road3D road({"BFD1", 1, 1.0, 0.5, 2}, {"FFD2", 1, 1.0, 0.5, 2}, {"CFD2", 2, 1.0, 0.25, 1});
    const int n = road.SetUp();
    ASSERT_GT(n, 0);
    QV_DISTRIBUTION3D& d = *road.distribution;
    EXPECT_EQ(d.m_groupBase, 0);
    EXPECT_EQ(d.m_eqnCount, n);
    const qvhost::Pattern pattern = road.Pattern();
    ASSERT_EQ(d.EquationCount(), n);
    ASSERT_EQ(d.StructureCount(), n);
    EXPECT_EQ(d.m_patternCount, static_cast<int>(pattern.rows.size()));

    // Start-plane family: its integral and the index that is 0 on its plane.
    const struct {
        const char* array;
        int zeroIndex;
    } planes[] = {{"IDX", 0},   {"IDY", 1},     {"IDZ", 2},     {"IDXDY", 0},
                  {"IDXDY", 1}, {"IDXDZ", 0},   {"IDXDZ", 2},   {"IDYDZ", 1},
                  {"IDYDZ", 2}, {"IDXDYDZ", 0}, {"IDXDYDZ", 1}, {"IDXDYDZ", 2}};
    int startPlaneRows = 0;
    for (int e = 0; e < n; ++e) {
        std::vector<QV_VarParam*> terms;
        for (int t = 0; t < d.TokenCount(e); ++t)
            if (d.Token(e, t).kind == QV_ExprToken::Variable)
                terms.push_back(d.Token(e, t).variable);
        ASSERT_EQ(static_cast<int>(terms.size()), d.NonZeroCount(e)) << e;
        for (int t = 0; t < d.NonZeroCount(e); ++t)
            EXPECT_EQ(terms[t], d.NonZero(e, t)) << e;
        EXPECT_EQ(d.EquationGroup(e), d.StructureGroup(e));
        const int family = std::atoi(d.EquationName(e) + std::strlen("QV_Eqn"));
        if (family > 12) continue;
        ++startPlaneRows;
        const std::string path = qvhost::PathOf(*terms.at(0));
        const auto& plane = planes[family - 1];
        EXPECT_EQ(path.substr(0, path.find('(')), plane.array) << path;
        std::vector<int> index(3);
        ASSERT_EQ(std::sscanf(path.c_str() + path.find('('), "(%d,%d,%d)", &index[0], &index[1],
                              &index[2]),
                  3)
            << path;
        EXPECT_EQ(index[plane.zeroIndex], 0) << path;
        EXPECT_LE(d.EquationGroup(e), 7);
    }
    // Each plane once per node of the other two directions, less the lines that an earlier
    // family of the same integral already holds.
    const int nx = road.EndNode(0), ny = road.EndNode(1), nz = road.EndNode(2);
    EXPECT_EQ(startPlaneRows, 4 * (ny + 1) * (nz + 1) + 2 * (nx + 1) * (nz + 1) +
                                  (nx + 1) * (ny + 1) + 2 * nx * (nz + 1) + nx * (ny + 1) +
                                  (nx + 1) * ny + nx * ny);

    QV_Matrix* const arrays[] = {&*d.VALUE, &d.DDX,   &d.DDY,   &d.DDZ,    &d.D2DX2,
                                 &d.D2DY2,  &d.D2DZ2, &d.IDX,   &d.IDY,    &d.IDZ,
                                 &d.IDXDY,  &d.IDXDZ, &d.IDYDZ, &d.IDXDYDZ};
    for (QV_Matrix* array : arrays)
        for (int k = 0; k < 3; ++k) {
            const std::vector<int> used = Members(array->IndexValues(k));
            const std::vector<int> declared = Members(array->m_DeclaredSets[k]->fv());
            EXPECT_TRUE(std::includes(declared.begin(), declared.end(), used.begin(), used.end()))
                << qvhost::PathOf(*array) << " index " << k;
        }
}

// Without all three domains there is no grid: no index along a missing direction, a refusal
// from the structure pass and nothing from the expression pass; D2DY2 and D2DZ2 are not
// dimensioned without the domain whose interior they run over, nor after it was unlinked.
TEST(Distribution3DType, MissingDomainsAreRefusedWithoutACrash) {
    for (int linkedMask = 0; linkedMask < 7; ++linkedMask) {
        SCOPED_TRACE(linkedMask);
        const long before = qvhost::LiveBlocks();
        QV_LENGTHDOMAIN* domain = MakeDomain({"OCFE2", 2, 1.0, 0.25, 2});
        domain->SetDims();
        domain->ExecuteAssignments(3, 1);
        QV_DISTRIBUTION3D* d = DISTRIBUTION3DFactory();
        QV_External<QV_DOMAIN>* refs[3] = {&d->XDOMAIN, &d->YDOMAIN, &d->ZDOMAIN};
        for (int k = 0; k < 3; ++k)
            if (linkedMask & (1 << k)) refs[k]->Link(domain);
        d->SetDims();
        d->ExecuteAssignments(3, 1);
        d->SetDims();
        const QV_INTEGERSET* value[3] = {&d->QV_VALUE_SET1, &d->QV_VALUE_SET2, &d->QV_VALUE_SET3};
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(value[k]->fv().SetSize() == 0, (linkedMask & (1 << k)) == 0) << k;
        EXPECT_EQ(d->D2DY2.m_DeclaredSets[1] != nullptr, (linkedMask & 2) != 0);
        EXPECT_EQ(d->D2DZ2.m_DeclaredSets[2] != nullptr, (linkedMask & 4) != 0);
        qvhost::ResetSystem();
        EXPECT_EQ(d->SetUpEquations(), RefusedNoDomain);
        EXPECT_EQ(d->StructureCount(), 0);
        qvhost::RunJacPattern(*d);
        EXPECT_EQ(d->EquationCount(), 0);
        EXPECT_EQ(d->m_patternCount, 0);
        for (QV_External<QV_DOMAIN>* ref : refs)
            ref->Link(nullptr);
        d->SetDims();
        EXPECT_EQ(domain->INTERIOR.DependentCount(), 0);
        d->Release();
        domain->Release();
        EXPECT_EQ(qvhost::LiveBlocks(), before);
    }
}

// A failing parent is answered at once: its status, and the trailing integers untouched.
TEST(Distribution3DType, FailingParentIsPassedOnUnchanged) {
    Road3D road({"BFD1", 1, 1.0, 0.5, 1}, {"BFD1", 1, 1.0, 0.5, 1}, {"BFD1", 1, 1.0, 0.5, 1});
    road.Assign();
    QV_DISTRIBUTION3D& d = *road.distribution;
    d.m_groupBase = 41;
    d.m_eqnCount = 43;
    d.FailSetUpEquations(-9);
    EXPECT_EQ(d.SetUpEquations(), -9);
    EXPECT_EQ(d.m_groupBase, 41);
    EXPECT_EQ(d.m_eqnCount, 43);
}

} // namespace
} // namespace norvane::test
