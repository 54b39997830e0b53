// The domain types and the section record as the host sees them: registered properties,
// identities, the tags of their assignments, copying, the empty equation passes and the
// exported entry points.
#include <cstring>

#include "host/qv_system.h"
#include "tests/domain/domain_fixture.h"

namespace norvane::test {
namespace {

struct Registration {
    const char* name;
    const char* description; // null: none registered
    int direction;
    QV_RegistrationForm form;
};

constexpr QV_RegistrationForm Plain = QV_RegistrationForm::Type;
constexpr QV_RegistrationForm Virtual = QV_RegistrationForm::Virtual;
constexpr QV_RegistrationForm External = QV_RegistrationForm::External;

const Registration DomainProperties[] = {
    {"QV_SECTION_SET1", nullptr, 0, Plain},
    {"SECTION", nullptr, 0, Virtual},
    {"LENGTH", "Domain length", 0, Virtual},
    {"SPACINGPREFERENCE", "Preferred node spacing for domain", 0, Virtual},
    {"QV_VALUE_SET1", nullptr, 0, Plain},
    {"VALUE", "DO NOT EDIT - Location of each node in domain", 0, Virtual},
    {"USERNOTES", nullptr, 0, Plain},
    {"INPUTSIGNAL", nullptr, 4, Plain},
    {"OUTPUTSIGNAL", nullptr, 8, Plain},
    {"DISCRETIZATIONMETHOD", "Method used to calculate partial derivatives", 0, Plain},
    {"NUMSECTIONS", "Number of sections in the domain", 0, Plain},
    {"MINNODECOUNT", nullptr, 0, Plain},
    {"NUMPOLYPOINTS", nullptr, 0, Plain},
    {"QV_POLYPOINT_SET1", nullptr, 0, Plain},
    {"POLYPOINT", nullptr, 0, Plain},
    {"HIGHESTORDERDERIVATIVE", nullptr, 0, Plain},
    {"INTERIOR", nullptr, 0, Plain},
    {"ENDNODE", "DO NOT EDIT - Index of the rightmost element in domain", 0, Plain},
};

const Registration SectionProperties[] = {
    {"USERNOTES", nullptr, 0, Plain},
    {"COMPONENTLIST", nullptr, 0, Plain},
    {"INPUTSIGNAL", nullptr, 4, Plain},
    {"OUTPUTSIGNAL", nullptr, 8, Plain},
    {"MINNODECOUNT", nullptr, 0, External},
    {"LOCATION", "Absolute location of LH boundary of this section", 0, Virtual},
    {"SPACINGPREFERENCE", "Preferred spacing between nodes in this section", 0, Virtual},
    {"SPACINGUSED", "Actual spacing used between nodes in this section", 0, Virtual},
    {"LENGTH", nullptr, 0, Plain},
    {"NODECOUNT", nullptr, 0, Plain},
    {"BASE", nullptr, 0, Plain},
    {"NUMELEMENTS", nullptr, 0, Plain},
    {"ELEMENTLENGTH", nullptr, 0, Plain},
    {"INTERIOR", nullptr, 0, Plain},
};

template <std::size_t N>
void ExpectRegistered(const QV_Container& owner, const Registration (&expected)[N]) {
    ASSERT_EQ(owner.PropertyCount(), static_cast<int>(N));
    for (std::size_t k = 0; k < N; ++k) {
        const QV_Containable* p = owner.PropertyAt(static_cast<int>(k));
        const Registration& e = expected[k];
        EXPECT_STREQ(p->Name(), e.name) << "property " << k;
        if (e.description)
            EXPECT_STREQ(p->Description(), e.description) << e.name;
        else
            EXPECT_EQ(p->Description(), nullptr) << e.name;
        EXPECT_EQ(p->Direction(), e.direction) << e.name;
        EXPECT_EQ(p->RegistrationForm(), e.form) << e.name;
        EXPECT_EQ(p->Owner(), &owner) << e.name;
        // Only the control ports are kept from export.
        EXPECT_EQ(p->IsToBeExported(), e.direction == 0) << e.name;
    }
}

TEST(DomainType, RegistersItsPropertiesInOrder) {
    DomainUnderTest plain, length(MakeLengthDomain), angle(MakeAngleDomain);
    ExpectRegistered(*plain, DomainProperties);
    ExpectRegistered(*length, DomainProperties);
    ExpectRegistered(*angle, DomainProperties);
    // The type-replaceable members hold a default object from their registration on.
    EXPECT_NE(plain->SECTION.VirtualLink(), nullptr);
    EXPECT_NE(plain->VALUE.VirtualLink(), nullptr);
    EXPECT_STREQ(plain->LENGTH.Value().Text(), QV_REALPARAMETER::QV_ContainerId());
}

TEST(DomainType, ContainerIdsAndDerivation) {
    DomainUnderTest plain, length(MakeLengthDomain), angle(MakeAngleDomain);
    EXPECT_STREQ(QV_DOMAIN::QV_ContainerId(), "Model DOMAIN\tV8.8");
    EXPECT_STREQ(QV_LENGTHDOMAIN::QV_ContainerId(), "Model LENGTHDOMAIN\tV8.8");
    EXPECT_STREQ(QV_ANGLEDOMAIN::QV_ContainerId(), "Model ANGLEDOMAIN\tV8.8");
    EXPECT_STREQ(length->QV_DefaultDESCRIPTION(), "Model LENGTHDOMAIN\tV8.8");
    for (QV_DOMAIN* d : {&*plain, &*length, &*angle}) {
        EXPECT_TRUE(d->ContainerDerivesFrom("model domain\tv8.8"));
        EXPECT_FALSE(d->ContainerDerivesFrom("Model DOMAIN"));
        EXPECT_FALSE(d->ContainerDerivesFrom("Model GENERICMODEL\tV8.8"));
    }
    EXPECT_TRUE(length->ContainerDerivesFrom("Model LENGTHDOMAIN\tV8.8"));
    EXPECT_FALSE(plain->ContainerDerivesFrom("Model LENGTHDOMAIN\tV8.8"));
    EXPECT_FALSE(angle->ContainerDerivesFrom("Model LENGTHDOMAIN\tV8.8"));
    EXPECT_TRUE(angle->ContainerDerivesFrom("MODEL ANGLEDOMAIN\tV8.8"));
    EXPECT_FALSE(length->ContainerDerivesFrom("Model ANGLEDOMAIN\tV8.8"));
}

// Each assigned property records the tags of the value it took: (b, a, number).
struct Tagged {
    const char* what;
    QV_VarParam* property;
    int number;
};

void ExpectTags(const std::vector<Tagged>& expected, unsigned a, unsigned b) {
    for (const Tagged& t : expected) {
        EXPECT_EQ(t.property->LastAssignmentNumber(), t.number) << t.what;
        EXPECT_EQ(t.property->LastTagA(), a) << t.what;
        EXPECT_EQ(t.property->LastTagB(), b) << t.what;
    }
}

std::vector<Tagged> Cfd4Assignments(DomainUnderTest& d) {
    QV_DOMAIN& m = *d;
    return {{"QV_SECTION_SET1", &m.QV_SECTION_SET1, 1},
            {"QV_VALUE_SET1", &m.QV_VALUE_SET1, 2},
            {"QV_POLYPOINT_SET1", &m.QV_POLYPOINT_SET1, 3},
            {"LENGTH", &*m.LENGTH, 4},
            {"SPACINGPREFERENCE", &*m.SPACINGPREFERENCE, 5},
            {"MINNODECOUNT", &m.MINNODECOUNT, 8},
            {"NUMPOLYPOINTS", &m.NUMPOLYPOINTS, 20},
            {"POLYPOINT(1)", &m.POLYPOINT(1), 21},
            {"POLYPOINT(2)", &m.POLYPOINT(2), 22},
            {"POLYPOINT(3)", &m.POLYPOINT(3), 23},
            {"HIGHESTORDERDERIVATIVE", &m.HIGHESTORDERDERIVATIVE, 24},
            {"SECTION(1).LOCATION", &*d.Section(1).LOCATION, 25},
            {"SECTION(2).LOCATION", &*d.Section(2).LOCATION, 26},
            {"SECTION(2).SPACINGPREFERENCE", &*d.Section(2).SPACINGPREFERENCE, 27},
            {"SECTION(2).LENGTH", &d.Section(2).LENGTH, 28},
            {"SECTION(1).LENGTH", &d.Section(1).LENGTH, 29},
            {"SECTION(1).NODECOUNT", &d.Section(1).NODECOUNT, 31},
            {"SECTION(2).BASE", &d.Section(2).BASE, 32},
            {"SECTION(1).BASE", &d.Section(1).BASE, 33},
            {"SECTION(1).SPACINGUSED", &*d.Section(1).SPACINGUSED, 34},
            {"SECTION(1).NUMELEMENTS", &d.Section(1).NUMELEMENTS, 35},
            {"SECTION(1).ELEMENTLENGTH", &d.Section(1).ELEMENTLENGTH, 36},
            {"SECTION(2).INTERIOR", &d.Section(2).INTERIOR, 40},
            {"INTERIOR", &m.INTERIOR, 42},
            {"ENDNODE", &m.ENDNODE, 43},
            {"VALUE(0)", &(*m.VALUE)(0), 44},
            {"VALUE(9)", &(*m.VALUE)(9), 45},
            {"VALUE(16)", &(*m.VALUE)(16), 46}};
}

TEST(DomainType, AssignmentsCarryTheCallersTags) {
    DomainUnderTest d;
    d.Method("CFD4").Sections(2).Run(2, 5, 7);
    EXPECT_EQ(d->LastHostAssignmentA(), 4);
    EXPECT_EQ(d->LastHostAssignmentB(), 7);
    ExpectTags(Cfd4Assignments(d), 5, 7);
}

TEST(DomainType, LengthAndAngleDomainsTagOneLevelLower) {
    for (auto make : {&MakeLengthDomain, &MakeAngleDomain}) {
        DomainUnderTest d(make);
        d.Method("CFD4").Sections(2).Run(2, 5, 7);
        EXPECT_EQ(d->LastHostAssignmentA(), 3);
        EXPECT_EQ(d->LastHostAssignmentB(), 7);
        EXPECT_EQ(d->HostAssignmentCalls(), 2);
        ExpectTags(Cfd4Assignments(d), 4, 7);
        EXPECT_EQ(d->ENDNODE.v(), 16);
    }
}

TEST(DomainType, SetDimsGivesEachArrayItsIndexSet) {
    DomainUnderTest d; // the fixture has run SetDims
    EXPECT_EQ((*d->SECTION).m_DeclaredSets[0], &d->QV_SECTION_SET1);
    EXPECT_EQ((*d->VALUE).m_DeclaredSets[0], &d->QV_VALUE_SET1);
    EXPECT_EQ(d->POLYPOINT.m_DeclaredSets[0], &d->QV_POLYPOINT_SET1);
    EXPECT_EQ(d->SetDimsCalls(), 1);
    DomainUnderTest length(MakeLengthDomain);
    EXPECT_EQ((*length->VALUE).m_DeclaredSets[0], &length->QV_VALUE_SET1);
    EXPECT_EQ(length->SetDimsCalls(), 1);
}

// No equations: each level records the host's last group and passes a failure on untouched.
TEST(DomainType, EquationPassesDeclareNothing) {
    DomainUnderTest d(MakeLengthDomain);
    auto& length = static_cast<QV_LENGTHDOMAIN&>(*d);
    QV_ModelType::m_stLastGroup = 11;
    EXPECT_EQ(d->SetUpEquations(), 0);
    EXPECT_EQ(qvhost::RunJacPattern(*d).counter, 0);
    EXPECT_EQ(d->EquationCount(), 0);
    EXPECT_EQ(length.m_groupBase, 11);
    EXPECT_EQ(d->m_groupBase, 11);
    d->FailSetUpEquations(-1);
    QV_ModelType::m_stLastGroup = 12;
    EXPECT_EQ(d->SetUpEquations(), -1);
    EXPECT_EQ(length.m_groupBase, 11);
    EXPECT_EQ(d->m_groupBase, 11);
    QV_ModelType::m_stLastGroup = 0;
}

TEST(DomainType, CopyTakesEveryMemberValue) {
    DomainUnderTest from(MakeLengthDomain), to(MakeLengthDomain);
    from.Method("OCFE4").Sections(3).Length(2.5).Run(2);
    QV_ModelType::m_stLastGroup = 9;
    from->SetUpEquations();
    QV_ModelType::m_stLastGroup = 0;
    auto& target = static_cast<QV_LENGTHDOMAIN&>(*to);
    target = static_cast<QV_LENGTHDOMAIN&>(*from);
    EXPECT_EQ(target.m_groupBase, 9);
    EXPECT_EQ(to->m_groupBase, 9);
    EXPECT_STREQ(to->DISCRETIZATIONMETHOD.v(), "OCFE4");
    EXPECT_EQ(to->NUMSECTIONS.v(), 3);
    EXPECT_EQ((*to->LENGTH).v(), 2.5);
    EXPECT_EQ(to->ENDNODE.v(), from->ENDNODE.v());
    EXPECT_EQ(Members(to->INTERIOR.v()), Members(from->INTERIOR.v()));
    EXPECT_EQ(to->POLYPOINT(3).v(), 0.8873);
    // A copy computes the same grid.
    to.Run(2);
    EXPECT_EQ(to.Snapshot(), from.Snapshot());
}

TEST(DomainType, FactoriesAndEntryPoints) {
    struct Entry {
        void* (*info)();
        const int* compatibility;
    };
    for (const Entry& e : {Entry{&DOMAINPropertyInfo, _CompatibilityDOMAIN},
                           Entry{&LENGTHDOMAINPropertyInfo, _CompatibilityLENGTHDOMAIN},
                           Entry{&ANGLEDOMAINPropertyInfo, _CompatibilityANGLEDOMAIN},
                           Entry{&SECTIONDATAMODELPropertyInfo, _CompatibilitySECTIONDATAMODEL}}) {
        void* block = e.info();
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(e.info(), block);
        unsigned char zero[4] = {};
        EXPECT_EQ(std::memcmp(block, zero, 4), 0);
        EXPECT_EQ(e.compatibility[0], 6);
        EXPECT_EQ(e.compatibility[1], 0);
    }
    // A factory's object holds one reference: one Release frees it.
    const long before = qvhost::LiveBlocks();
    QV_LENGTHDOMAIN* d = LENGTHDOMAINFactory();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->AddRef(), 2u);
    EXPECT_EQ(d->Release(), 1u);
    EXPECT_EQ(d->Release(), 0u);
    EXPECT_EQ(qvhost::LiveBlocks(), before);
}

// The host files a new default through the member's own NewDefaultVirtual when the filed
// object has gone. (Test code makes no property template of its own: its instantiation would
// allocate with the test program's operator new.)
TEST(DomainType, TypeReplaceableMembersMakeTheirDefaults) {
    DomainUnderTest d;
    d.Method("CFD4").Run(1);
    QV_VirtualBase& sections = d->SECTION;
    sections.File(nullptr);
    auto* array = dynamic_cast<QV_BASE_I*>(sections.VirtualLink());
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array->m_Elements.Elements(), 0u);
    EXPECT_STREQ(sections.VirtualBaseType(), QV_Matrix::QV_ContainerId());
    EXPECT_STREQ(sections.Value().Text(), QV_Matrix::QV_ContainerId());

    // The grid is made anew in the new objects.
    d->SetDims();
    d.Run(2);
    EXPECT_EQ(d->ENDNODE.v(), 8);
    EXPECT_EQ((*d->VALUE)(8).v(), 1.0);
}

TEST(SectionRecord, RegistersFourteenPropertiesHoweverMade) {
    const long before = qvhost::LiveBlocks();
    QV_SECTIONDATAMODEL* made = SECTIONDATAMODELFactory();
    ASSERT_NE(made, nullptr);
    ExpectRegistered(*made, SectionProperties);
    EXPECT_EQ(made->ComponentList(), &made->COMPONENTLIST);
    made->Release();
    EXPECT_EQ(qvhost::LiveBlocks(), before);

    DomainUnderTest d;
    ExpectRegistered(d.Section(1), SectionProperties);
}

TEST(SectionRecord, IdentityAndHostCalls) {
    DomainUnderTest d;
    QV_SECTIONDATAMODEL& s = d.Section(1);
    EXPECT_STREQ(QV_SECTIONDATAMODEL::QV_ContainerId(), "Model SECTIONDATAMODEL\tV8.8");
    EXPECT_TRUE(s.ContainerDerivesFrom("Model SECTIONDATAMODEL\tV8.8"));
    EXPECT_TRUE(s.ContainerDerivesFrom("Model GENERICMODEL\tV8.8"));
    EXPECT_FALSE(s.ContainerDerivesFrom("Model DOMAIN\tV8.8"));
    EXPECT_EQ(s.ExecuteAssignments(5, 7), 0);
    EXPECT_EQ(s.LastHostAssignmentA(), 3);
    EXPECT_EQ(s.LastHostAssignmentB(), 7);
}

} // namespace
} // namespace norvane::test
