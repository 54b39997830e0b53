// The index sets of the two-dimensional distribution: what each array is declared over for the
// derivative orders and integrals asked for.
#include "tests/scheme/distribution_road.h"

namespace norvane::test {
namespace {

std::vector<int> Range(int low, int high) {
    return Members(QV_IntSetValue(low, high));
}

// X has three BFD1 sections of four intervals, whose joins 4 and 8 a second-order interior leaves
// out; Y two OCFE2 sections, whose closed interior (node 0, INTERIOR, ENDNODE) is read from the
// domain. The switches of every array act on its first (x) index set.
TEST(Distribution2DType, IndexSetsFollowTheOrdersAndTheIntegrals) {
    struct Case {
        int xOrder, yOrder;
        const char* integrals;
        bool idx, idy, idxdy;
    };
    const Case cases[] = {{2, 2, "idx\"idy\"idxdy", true, true, true},
                          {1, 0, "idxdy", true, false, true},
                          {0, 2, "idy", false, true, false},
                          {2, 1, nullptr, false, false, false}};
    const std::vector<int> none, zero{0}, xAll = Range(0, 12);
    const std::vector<int> xInner{1, 2, 3, 5, 6, 7, 9, 10, 11},
        xClosed{0, 1, 2, 3, 5, 6, 7, 9, 10, 11, 12};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.integrals ? c.integrals : "None");
        Road2D road({"BFD1", 3, 1.2, 0.1, c.xOrder}, {"OCFE2", 2, 1.0, 0.25, c.yOrder},
                    c.integrals);
        road.Assign();
        ASSERT_EQ(road.EndNode(0), 12);
        const QV_DISTRIBUTION2D& d = *road.distribution;
        const std::vector<int> yAll = Range(0, road.EndNode(1));
        std::vector<int> yClosed = Members(road.domain[1]->INTERIOR.fv());
        yClosed.insert(yClosed.begin(), 0);
        yClosed.push_back(road.EndNode(1));
        const std::pair<const QV_INTEGERSET&, std::vector<int>> expected[] = {
            {d.QV_VALUE_SET1, xAll},
            {d.QV_VALUE_SET2, yAll},
            {d.QV_DDX_SET1, c.xOrder > 0 ? xAll : zero},
            {d.QV_DDX_SET2, yAll},
            {d.QV_DDY_SET1, c.yOrder > 0 ? xAll : zero},
            {d.QV_DDY_SET2, yAll},
            {d.QV_D2DX2_SET1, c.xOrder > 1 ? xInner : none},
            {d.QV_D2DX2_SET2, yClosed},
            {d.QV_D2DY2_SET1, c.yOrder > 1 ? (c.xOrder > 1 ? xClosed : xAll) : zero},
            {d.QV_IDX_SET1, c.idx ? xAll : none},
            {d.QV_IDX_SET2, yAll},
            {d.QV_IDY_SET1, c.idy ? xAll : none},
            {d.QV_IDY_SET2, yAll},
            {d.QV_IDXDY_SET1, c.idxdy ? xAll : none},
            {d.QV_IDXDY_SET2, yAll}};
        for (const auto& [set, members] : expected)
            EXPECT_EQ(Members(set.fv()), members) << set.Name();
        EXPECT_EQ(StringInSet("None", d.INTEGRALS.fv()) != 0, c.integrals == nullptr);
    }
}

} // namespace
} // namespace norvane::test
