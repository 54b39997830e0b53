// The index sets of the three-dimensional distribution: what each array is declared over for
// the derivative orders and integrals asked for.
#include "tests/scheme/distribution_road.h"

#include <string>

namespace norvane::test {
namespace {

std::vector<int> Range(int low, int high) {
    return Members(QV_IntSetValue(low, high));
}

// X has three BFD1 sections of four intervals, whose joins 4 and 8 a second-order interior
// leaves out; Y two OCFE2 sections and Z one CFD4 section, whose closed interiors (node 0,
// INTERIOR, ENDNODE) are read from their domains. The switches of every array act on its first
// (x) index set, bounded by X's ENDNODE whatever the array's direction; its other sets are
// whole.
TEST(Distribution3DType, IndexSetsFollowTheOrdersAndTheIntegrals) {
    struct Case {
        int order[3];
        const char* integrals;
        const char* switchedOn; // IDX IDY IDZ IDXDY IDXDZ IDYDZ IDXDYDZ, 1 when on
    };
    const Case cases[] = {
        {{2, 2, 2}, "idx\"idy\"idz\"idxdy\"idxdz\"idydz\"idxdydz", "1111111"},
        {{1, 0, 2}, "idxdydz", "1001001"},
        {{0, 2, 1}, "idy\"idxdz", "1100100"},
        {{2, 1, 0}, "idz\"bogus\"idydz", "0110010"},
        {{1, 1, 1}, "idxdy", "1001000"},
        {{2, 2, 0}, nullptr, "0000000"},
    };
    const std::vector<int> none, zero{0}, xAll = Range(0, 12);
    const std::vector<int> xInner{1, 2, 3, 5, 6, 7, 9, 10, 11},
        xClosed{0, 1, 2, 3, 5, 6, 7, 9, 10, 11, 12};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.integrals ? c.integrals : "None");
        Road3D road({"BFD1", 3, 1.2, 0.1, c.order[0]}, {"OCFE2", 2, 1.0, 0.25, c.order[1]},
                    {"CFD4", 1, 1.0, 0.25, c.order[2]}, c.integrals);
        road.Assign();
        ASSERT_EQ(road.EndNode(0), 12);
        const QV_DISTRIBUTION3D& d = *road.distribution;
        std::vector<int> all[3], closed[3];
        for (int k = 1; k < 3; ++k) {
            all[k] = Range(0, road.EndNode(k));
            closed[k] = Members(road.domain[k]->INTERIOR.fv());
            closed[k].insert(closed[k].begin(), 0);
            closed[k].push_back(road.EndNode(k));
        }
        const std::vector<int> xSecond = c.order[0] > 1 ? xClosed : xAll;
        const std::pair<const QV_INTEGERSET&, std::vector<int>> expected[] = {
            {d.QV_D2DX2_SET1, c.order[0] > 1 ? xInner : none},
            {d.QV_D2DX2_SET2, closed[1]},
            {d.QV_D2DX2_SET3, closed[2]},
            {d.QV_D2DY2_SET1, c.order[1] > 1 ? xSecond : zero},
            {d.QV_D2DY2_SET3, closed[2]},
            {d.QV_D2DZ2_SET1, c.order[2] > 1 ? xSecond : zero},
            {d.QV_D2DZ2_SET2, closed[1]}};
        for (const auto& [set, members] : expected)
            EXPECT_EQ(Members(set.fv()), members) << set.Name();

        // VALUE, the first derivatives and the integrals: x switched, y and z whole.
        const std::pair<const char*, std::vector<int>> threes[] = {
            {"VALUE", xAll},
            {"DDX", c.order[0] > 0 ? xAll : zero},
            {"DDY", c.order[1] > 0 ? xAll : zero},
            {"DDZ", c.order[2] > 0 ? xAll : zero},
            {"IDX", c.switchedOn[0] == '1' ? xAll : none},
            {"IDY", c.switchedOn[1] == '1' ? xAll : none},
            {"IDZ", c.switchedOn[2] == '1' ? xAll : none},
            {"IDXDY", c.switchedOn[3] == '1' ? xAll : none},
            {"IDXDZ", c.switchedOn[4] == '1' ? xAll : none},
            {"IDYDZ", c.switchedOn[5] == '1' ? xAll : none},
            {"IDXDYDZ", c.switchedOn[6] == '1' ? xAll : none}};
        for (const auto& [array, first] : threes)
            for (int k = 0; k < 3; ++k) {
                const std::string name =
                    "QV_" + std::string(array) + "_SET" + std::to_string(k + 1);
                const auto& set = dynamic_cast<const QV_INTEGERSET&>(*d.FindProperty(name.c_str()));
                EXPECT_EQ(Members(set.fv()), k == 0 ? first : all[k]) << name;
            }
        EXPECT_EQ(StringInSet("None", d.INTEGRALS.fv()) != 0, c.integrals == nullptr);
    }
}

} // namespace
} // namespace norvane::test
