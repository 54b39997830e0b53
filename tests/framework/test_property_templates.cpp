// Property templates: what each instantiation creates, the container id it reports, and the
// allocation rules of the objects it makes and of the library's allocator beneath them.
#include <gtest/gtest.h>

#include "framework/library_new.h"
#include "framework/property_templates.h"
#include "host/qvcore.h"
#include "types/connectivity/generic_structure.h"
#include "types/connectivity/mi_generic_port.h"
#include "types/domain/coordinate_domains.h"

#include <climits>
#include <typeinfo>

TEST(PropertyTemplates, DefaultsAreBuiltTheWayTheirTypeIsBuilt) {
    const long before = qvhost::LiveBlocks();
    {
        QV_Virtual<QV_DOMAIN> domain;
        auto* made = dynamic_cast<QV_DOMAIN*>(domain.NewDefaultVirtual());
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->PropertyCount(), 18) << "made with the flag true: registered";
        delete made;

        QV_Virtual<QV_ARRAY_I<QV_SECTIONDATAMODEL, QV_SECTIONDATAMODEL>> sections;
        QV_Type* array = sections.NewDefaultVirtual();
        ASSERT_NE(array, nullptr);
        EXPECT_EQ(static_cast<QV_Matrix*>(array)->m_Elements.Elements(), 0u);
        delete array;

        QV_Virtual<QV_QV_MIGENERICPORT> multiport;
        QV_Type* port = multiport.NewDefaultVirtual();
        ASSERT_NE(port, nullptr);
        EXPECT_TRUE(static_cast<QV_PortType*>(port)->IsAMultiport());
        delete port;
    }
    EXPECT_EQ(qvhost::LiveBlocks(), before);
}

TEST(PropertyTemplates, ReportTheIdOfTheNearestTypeThatHasOne) {
    EXPECT_STREQ(QV_External<QV_LENGTHPARAMETER>().ExternalTypeName(),
                 QV_REALPARAMETER::QV_ContainerId());
    EXPECT_STREQ(QV_External<QV_QV_MIGENERICPORT>().ExternalTypeName(),
                 QV_MULTIPORT_BaseType::QV_ContainerId());
    using Variables = QV_ARRAY_I<QV_REALVARIABLE, QV_REALVARIABLE>;
    EXPECT_STREQ(QV_External<Variables>().ExternalTypeName(), QV_Matrix::QV_ContainerId());
    EXPECT_STREQ(QV_Virtual<QV_LENGTHDOMAIN>().VirtualBaseType(), "Model LENGTHDOMAIN\tV8.8");
    EXPECT_STREQ(QV_Virtual<QV_NUMSECTIONSPARAM_DOMAIN>().VirtualBaseType(),
                 QV_INTEGERPARAMETER::QV_ContainerId());
}

TEST(PropertyTemplates, ExternalLinksOnlyToTypesThatDeriveFromItsType) {
    QV_External<QV_DOMAIN> reference;
    QV_LENGTHDOMAIN length(true);
    QV_GENERICSTRUCTURE structure(true);
    EXPECT_TRUE(reference.Link(&length));
    EXPECT_EQ(&*reference, &length);
    EXPECT_FALSE(reference.Link(&structure));
    EXPECT_EQ(&*reference, &length) << "a refused link leaves the old one";
}

TEST(PropertyTemplates, GlobalStructureReferenceChecksTheStructureType) {
    QV_GLOBALSTRUCTUREREFNAME<QV_GENERICSTRUCTURE> reference;
    QV_GENERICSTRUCTURE structure(true);
    QV_DOMAIN domain(true);
    EXPECT_TRUE(reference.CheckCompatibleStructureType(&structure));
    EXPECT_FALSE(reference.CheckCompatibleStructureType(&domain));
    EXPECT_TRUE(reference.Dereference()->ContainerDerivesFrom("Structure GENERICSTRUCTURE\tV8.8"))
        << "a placeholder stands in while no structure is set";
}

TEST(PropertyTemplates, StringInSetAnswersOnlyZeroOrOne) {
    EXPECT_EQ(StringInSet("idx", QV_StrSetValue("idx\"idy\"")), 1);
    EXPECT_EQ(StringInSet("idx", QV_StrSetValue("idy")), 0);
    EXPECT_EQ(StringInSet("idx", QV_StrSetValue()), 0);
}

TEST(PropertyTemplates, ElementsAndDefaultsComeFromTheHostAllocator) {
    const long before = qvhost::LiveBlocks();
    QV_ARRAY_II<QV_REALVARIABLE, QV_REALVARIABLE> grid;
    QV_REALVARIABLE& element = grid(2, 3);
    EXPECT_EQ(qvhost::LiveBlocks(), before + 1);
    EXPECT_STREQ(element.IndexText(), "2,3");
    QV_Type* spare = grid.NewElement();
    delete spare;
    EXPECT_EQ(qvhost::LiveBlocks(), before + 1);

    qvhost::FailAllocation(1);
    EXPECT_EQ(grid.NewElement(), nullptr);
    QV_Virtual<QV_DOMAIN> domain;
    qvhost::FailAllocation(1);
    EXPECT_EQ(domain.NewDefaultVirtual(), nullptr);
}

// What a host that asks an object's class sees of one of a host class that the library made: a
// cast to the host class finds it, at its own address, while its type is the library's class.
TEST(PropertyTemplates, HostClassObjectsAreOfTheLibrarysDerivedClass) {
    QV_ARRAY_I<QV_PARTIALDERIVATIVE, QV_PARTIALDERIVATIVE> derivatives;
    QV_Virtual<QV_REALPARAMETER> parameter;
    QV_Type* element = derivatives.NewElement();
    QV_Type* filed = parameter.VirtualLink();
    ASSERT_NE(element, nullptr);
    ASSERT_NE(filed, nullptr);
    EXPECT_EQ(static_cast<QV_Type*>(dynamic_cast<QV_PARTIALDERIVATIVE*>(element)), element);
    EXPECT_EQ(static_cast<QV_Type*>(dynamic_cast<QV_REALPARAMETER*>(filed)), filed);
    EXPECT_NE(typeid(*element), typeid(QV_PARTIALDERIVATIVE));
    EXPECT_NE(typeid(*filed), typeid(QV_REALPARAMETER));
    delete element;
}

// The host's notice that a type-replaceable property's text changed: a new default takes the
// place of the object filed, which the host ends; the blocks of both come from the library's
// allocator and go back to it, the default of a host class included.
TEST(PropertyTemplates, AChangedTypeTextFilesANewDefault) {
    const long before = qvhost::LiveBlocks();
    {
        QV_Virtual<QV_REALPARAMETER> parameter;
        QV_Type* first = parameter.VirtualLink();
        ASSERT_NE(first, nullptr);
        parameter.PropertyChanged();
        EXPECT_NE(parameter.VirtualLink(), first);
        EXPECT_EQ(qvhost::LiveBlocks(), before + 1);
    }
    EXPECT_EQ(qvhost::LiveBlocks(), before);
}

// The host allocator counts a size in an unsigned int: a larger request (possible on a 64-bit
// build) fails without asking the host, where a size cut to 32 bits would give a small block.
TEST(LibraryAllocator, SizeBeyondWhatTheHostCountsIsAFailedAllocation) {
    const std::size_t size = static_cast<std::size_t>(UINT_MAX) + 17; // 16 if cut to 32 bits
    if (size < UINT_MAX) GTEST_SKIP() << "every size fits the host's count";
    const long calls = qvhost::AllocationCalls();
    EXPECT_EQ(norvane::AllocateBlock(size), nullptr);
    EXPECT_EQ(qvhost::AllocationCalls(), calls);
}
