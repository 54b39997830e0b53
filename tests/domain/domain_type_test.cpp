// The domain types and the domain's parameter types as the host sees them: the arrays' index
// sets, the tags on assigned values and the parameter defaults.
#include <tuple>

#include "tests/domain/domain_fixture.h"

namespace norvane::test {
namespace {

// Per domain type: the arrays over their sets, and each assigned value's tags (b, a, number);
// a length or angle domain tags with the caller's a - 1.
TEST(DomainType, SetsAndAssignmentTags) {
    for (int type = 0; type < 3; ++type) {
        DomainUnderTest d(DomainTypes[type]);
        EXPECT_EQ((*d->SECTION).m_DeclaredSets[0], &d->QV_SECTION_SET1);
        EXPECT_EQ((*d->VALUE).m_DeclaredSets[0], &d->QV_VALUE_SET1);
        EXPECT_EQ(d->POLYPOINT.m_DeclaredSets[0], &d->QV_POLYPOINT_SET1);
        const unsigned a = type == 0 ? 5 : 4;
        d.Method("CFD4").Sections(2).Run(2, 5, 7);
        QV_DOMAIN& m = *d;
        QV_SECTIONDATAMODEL &s1 = d.Section(1), &s2 = d.Section(2);
        // clang-format off
        const std::pair<QV_VarParam*, int> tagged[] = {
            {&m.QV_SECTION_SET1, 1}, {&m.QV_VALUE_SET1, 2}, {&m.QV_POLYPOINT_SET1, 3},
            {&*m.LENGTH, 4}, {&*m.SPACINGPREFERENCE, 5}, {&m.MINNODECOUNT, 8},
            {&m.NUMPOLYPOINTS, 20}, {&m.HIGHESTORDERDERIVATIVE, 24}, {&*s1.LOCATION, 25},
            {&*s2.LOCATION, 26}, {&*s2.SPACINGPREFERENCE, 27}, {&s2.LENGTH, 28}, {&s1.LENGTH, 29},
            {&s1.NODECOUNT, 31}, {&s2.BASE, 32}, {&s1.BASE, 33}, {&*s1.SPACINGUSED, 34},
            {&s1.NUMELEMENTS, 35}, {&s1.ELEMENTLENGTH, 36}, {&s2.INTERIOR, 40}, {&m.INTERIOR, 42},
            {&m.ENDNODE, 43}, {&(*m.VALUE)(0), 44}, {&(*m.VALUE)(9), 45}, {&(*m.VALUE)(16), 46}};
        // clang-format on
        for (const auto& [property, number] : tagged) {
            EXPECT_EQ(property->LastAssignmentNumber(), number) << "a = " << a;
            EXPECT_EQ(property->LastTagA(), a) << number;
            EXPECT_EQ(property->LastTagB(), 7u) << number;
        }
    }
}

// Each parameter type's defaults as the host applies them: value, lower bound and valid names,
// or quantity and unit with their column and row in the host's quantity table. A default is
// one object for every instance.
TEST(DomainParameters, Defaults) {
    QV_DISCRETIZATIONMETHODPARAM_DOMAIN method;
    QV_NUMSECTIONSPARAM_DOMAIN sections;
    QV_POLYPOINTSPARAM_DOMAIN points;
    EXPECT_STREQ(method.v(), "BFD1");
    EXPECT_EQ(std::make_pair(sections.v(), sections.Lower().IntValue()), std::make_pair(1, 1));
    EXPECT_EQ(std::make_pair(points.v(), points.Lower().IntValue()), std::make_pair(0, 0));
    ASSERT_EQ(method.Valid().SetSize(), 10);
    for (const char* name :
         {"BFD1", "BFD2", "CFD2", "CFD4", "FFD1", "FFD2", "OCFE2", "OCFE3", "OCFE4", "UBFD4"})
        EXPECT_EQ(method.Valid() >= name, 1) << name;
    const QV_ANGLEPARAMETER angle;
    const QV_LENGTHPARAMETER length;
    const std::tuple<const QV_VarParam&, const char*, const char*, int> physical[] = {
        {angle, "Angle", "rad", 32}, {length, "Length", "m", 17}};
    for (const auto& [p, quantity, unit, row] : physical) {
        EXPECT_STREQ(p.PhysicalQuantity(), quantity);
        EXPECT_STREQ(p.BaseUnit(), unit);
        EXPECT_EQ(std::make_pair(p.QV_PQCol(), p.QV_PQRow()), std::make_pair(1, row)) << quantity;
    }
    EXPECT_EQ(sections.QV_DefaultVALUE(), QV_NUMSECTIONSPARAM_DOMAIN().QV_DefaultVALUE());
    EXPECT_EQ(method.QV_DefaultVALID(), QV_DISCRETIZATIONMETHODPARAM_DOMAIN().QV_DefaultVALID());
    EXPECT_EQ(angle.QV_DefaultBASEUOMNAME(), QV_ANGLEPARAMETER().QV_DefaultBASEUOMNAME());
}

} // namespace
} // namespace norvane::test
