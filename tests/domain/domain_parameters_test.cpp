// The parameter types of the domain, and the length and angle parameters: the defaults they
// give the host, made once and shared by every instance.
#include "tests/domain/domain_fixture.h"

namespace norvane::test {
namespace {

TEST(DomainParameters, DefaultsAreSharedObjects) {
    QV_NUMSECTIONSPARAM_DOMAIN first, second;
    ASSERT_NE(first.QV_DefaultVALUE(), nullptr);
    EXPECT_EQ(first.QV_DefaultVALUE(), second.QV_DefaultVALUE());
    EXPECT_EQ(first.QV_DefaultVALUE()->IntValue(), 1);
    EXPECT_NE(first.QV_DefaultVALUE(), first.QV_DefaultLOWER());
    EXPECT_EQ(first.v(), 1);
    EXPECT_EQ(first.Lower().IntValue(), 1);
}

TEST(DomainParameters, MethodNamesAreTheTenMethods) {
    QV_DISCRETIZATIONMETHODPARAM_DOMAIN method;
    EXPECT_STREQ(method.v(), "BFD1");
    const QV_Value* valid = method.QV_DefaultVALID();
    ASSERT_NE(valid, nullptr);
    EXPECT_EQ(valid, QV_DISCRETIZATIONMETHODPARAM_DOMAIN().QV_DefaultVALID());
    const char* names[] = {"BFD1", "BFD2",  "CFD2",  "CFD4",  "FFD1",
                           "FFD2", "OCFE2", "OCFE3", "OCFE4", "UBFD4"};
    EXPECT_EQ(valid->SetSize(), 10);
    for (const char* name : names)
        EXPECT_EQ(*valid >= name, 1) << name;
    EXPECT_EQ(*valid >= "bfd1", 0);
    EXPECT_EQ(method.Valid().SetSize(), 10);
    EXPECT_EQ(method.Valid() >= method.v().Text(), 1);
}

TEST(DomainParameters, PolynomialPointsStartAtZero) {
    QV_POLYPOINTSPARAM_DOMAIN points;
    EXPECT_EQ(points.v(), 0);
    EXPECT_EQ(points.Lower().IntValue(), 0);
    EXPECT_EQ(points.QV_DefaultVALUE(), QV_POLYPOINTSPARAM_DOMAIN().QV_DefaultVALUE());
    EXPECT_EQ(points.QV_DefaultLOWER()->IntValue(), 0);
}

TEST(DomainParameters, LengthAndAngleCarryQuantityAndUnit) {
    QV_LENGTHPARAMETER length;
    EXPECT_STREQ(length.PhysicalQuantity(), "Length");
    EXPECT_STREQ(length.BaseUnit(), "m");
    EXPECT_EQ(length.QV_PQCol(), 1);
    EXPECT_EQ(length.QV_PQRow(), 17);
    QV_ANGLEPARAMETER angle;
    EXPECT_STREQ(angle.PhysicalQuantity(), "Angle");
    EXPECT_STREQ(angle.BaseUnit(), "rad");
    EXPECT_EQ(angle.QV_PQCol(), 1);
    EXPECT_EQ(angle.QV_PQRow(), 32);
    EXPECT_EQ(angle.v(), 0.0);
    EXPECT_STREQ(QV_External<QV_LENGTHPARAMETER>().ExternalTypeName(),
                 QV_REALPARAMETER::QV_ContainerId());
    // Built with false, a parameter has not asked for its defaults.
    QV_LENGTHPARAMETER bare(false);
    EXPECT_STREQ(bare.PhysicalQuantity(), "");
}

} // namespace
} // namespace norvane::test
