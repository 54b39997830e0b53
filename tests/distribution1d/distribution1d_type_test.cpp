// The index sets of the one-dimensional distribution: what each array is declared over for the
// derivative order and the integrals asked for.
#include "tests/scheme/distribution_road.h"

namespace norvane::test {
namespace {

// Three BFD1 sections of four intervals, whose joins 4 and 8 the interior leaves out.
TEST(Distribution1DType, IndexSetsFollowTheOrderAndTheIntegrals) {
    const std::vector<int> none, zero{0}, all = Members(QV_IntSetValue(0, 12));
    const std::vector<int> inner{1, 2, 3, 5, 6, 7, 9, 10, 11};
    for (int order : {0, 1, 2}) {
        for (const char* integrals : {"idx", static_cast<const char*>(nullptr)}) {
            SCOPED_TRACE(testing::Message() << "order " << order << ", " << (integrals ? 1 : 0));
            Road1D road({Axis{"BFD1", 3, 1.2, 0.1, order}}, integrals);
            road.Assign();
            ASSERT_EQ(road.EndNode(0), 12);
            const QV_DISTRIBUTION1D& d = *road.distribution;
            EXPECT_EQ(Members(d.QV_VALUE_SET1.fv()), all);
            EXPECT_EQ(Members(d.QV_DDX_SET1.fv()), order > 0 ? all : zero);
            EXPECT_EQ(Members(d.QV_D2DX2_SET1.fv()), order > 1 ? inner : none);
            EXPECT_EQ(Members(d.QV_IDX_SET1.fv()), integrals ? all : none);
        }
    }
}

} // namespace
} // namespace norvane::test
