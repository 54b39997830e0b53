// The domain types, the section record and the domain's parameter types as the host sees them:
// registered properties, the tags on assigned values and the parameter defaults.
#include <tuple>

#include "tests/domain/domain_fixture.h"

namespace norvane::test {
namespace {

constexpr QV_RegistrationForm Plain = QV_RegistrationForm::Type;
constexpr QV_RegistrationForm Virtual = QV_RegistrationForm::Virtual;

// Name, description (null: none), direction, form.
using Registration = std::tuple<const char*, const char*, int, QV_RegistrationForm>;

// Declaration order, each internal index set just before its array.
// clang-format off
const std::vector<Registration> DomainProperties = {
    {"QV_SECTION_SET1", nullptr, 0, Plain}, {"SECTION", nullptr, 0, Virtual},
    {"LENGTH", "Domain length", 0, Virtual},
    {"SPACINGPREFERENCE", "Preferred node spacing for domain", 0, Virtual},
    {"QV_VALUE_SET1", nullptr, 0, Plain},
    {"VALUE", "DO NOT EDIT - Location of each node in domain", 0, Virtual},
    {"USERNOTES", nullptr, 0, Plain}, {"INPUTSIGNAL", nullptr, 4, Plain},
    {"OUTPUTSIGNAL", nullptr, 8, Plain},
    {"DISCRETIZATIONMETHOD", "Method used to calculate partial derivatives", 0, Plain},
    {"NUMSECTIONS", "Number of sections in the domain", 0, Plain},
    {"MINNODECOUNT", nullptr, 0, Plain}, {"NUMPOLYPOINTS", nullptr, 0, Plain},
    {"QV_POLYPOINT_SET1", nullptr, 0, Plain}, {"POLYPOINT", nullptr, 0, Plain},
    {"HIGHESTORDERDERIVATIVE", nullptr, 0, Plain}, {"INTERIOR", nullptr, 0, Plain},
    {"ENDNODE", "DO NOT EDIT - Index of the rightmost element in domain", 0, Plain}};

// The generic model's four, then the record's own.
const std::vector<Registration> SectionProperties = {
    {"USERNOTES", nullptr, 0, Plain}, {"COMPONENTLIST", nullptr, 0, Plain},
    {"INPUTSIGNAL", nullptr, 4, Plain}, {"OUTPUTSIGNAL", nullptr, 8, Plain},
    {"MINNODECOUNT", nullptr, 0, QV_RegistrationForm::External},
    {"LOCATION", "Absolute location of LH boundary of this section", 0, Virtual},
    {"SPACINGPREFERENCE", "Preferred spacing between nodes in this section", 0, Virtual},
    {"SPACINGUSED", "Actual spacing used between nodes in this section", 0, Virtual},
    {"LENGTH", nullptr, 0, Plain}, {"NODECOUNT", nullptr, 0, Plain}, {"BASE", nullptr, 0, Plain},
    {"NUMELEMENTS", nullptr, 0, Plain}, {"ELEMENTLENGTH", nullptr, 0, Plain},
    {"INTERIOR", nullptr, 0, Plain}};
// clang-format on

void ExpectRegistered(const QV_Container& owner, const std::vector<Registration>& expected) {
    ASSERT_EQ(owner.PropertyCount(), static_cast<int>(expected.size()));
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const QV_Containable* p = owner.PropertyAt(static_cast<int>(k));
        const auto& [name, description, direction, form] = expected[k];
        EXPECT_STREQ(p->Name(), name) << "property " << k;
        EXPECT_STREQ(p->Description(), description) << name;
        EXPECT_EQ(p->Direction(), direction) << name;
        EXPECT_EQ(p->RegistrationForm(), form) << name;
        // Only the control ports are kept from export.
        EXPECT_EQ(p->IsToBeExported(), direction == 0) << name;
    }
}

// Per domain type: what the domain and its section records register, and each assigned value's
// tags (b, a, number); a length or angle domain tags with the caller's a - 1.
TEST(DomainType, RegistrationAndAssignmentTags) {
    for (int type = 0; type < 3; ++type) {
        DomainUnderTest d(DomainTypes[type]);
        ExpectRegistered(*d, DomainProperties);
        ExpectRegistered(d.Section(1), SectionProperties);
        EXPECT_EQ((*d->SECTION).m_DeclaredSets[0], &d->QV_SECTION_SET1); // arrays over their sets
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

// The defaults, each one object for every instance, and the ten method names.
TEST(DomainParameters, Defaults) {
    QV_NUMSECTIONSPARAM_DOMAIN sections;
    QV_POLYPOINTSPARAM_DOMAIN points;
    QV_DISCRETIZATIONMETHODPARAM_DOMAIN method;
    EXPECT_EQ(sections.QV_DefaultVALUE(), QV_NUMSECTIONSPARAM_DOMAIN().QV_DefaultVALUE());
    EXPECT_EQ(points.QV_DefaultVALUE(), QV_POLYPOINTSPARAM_DOMAIN().QV_DefaultVALUE());
    EXPECT_EQ(method.QV_DefaultVALID(), QV_DISCRETIZATIONMETHODPARAM_DOMAIN().QV_DefaultVALID());
    EXPECT_EQ(sections.Lower().IntValue(), 1);
    EXPECT_EQ(points.Lower().IntValue(), 0);
    EXPECT_STREQ(method.v(), "BFD1");
    ASSERT_EQ(method.Valid().SetSize(), 10);
    for (const char* name :
         {"BFD1", "BFD2", "CFD2", "CFD4", "FFD1", "FFD2", "OCFE2", "OCFE3", "OCFE4", "UBFD4"})
        EXPECT_EQ(method.Valid() >= name, 1) << name;
}

} // namespace
} // namespace norvane::test
