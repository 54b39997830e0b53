// A distribution writes its expressions through its expression interface: a class that builds
// them otherwise (here, one that counts) receives every token.
#include <gtest/gtest.h>

#include "tests/scheme/distribution_road.h"

namespace norvane::test {
namespace {

class CountingDistribution final : public QV_DISTRIBUTION1D {
public:
    CountingDistribution() : QV_DISTRIBUTION1D(true) {}
    void ResetExpressions() override {
        ++resets;
        QV_DISTRIBUTION1D::ResetExpressions();
    }
    void AddOp(EOp op, int equation) override {
        ++tokens;
        QV_DISTRIBUTION1D::AddOp(op, equation);
    }
    void AddTerm(QV_VarParam& variable, int*& rows, int*& cols, int equation) override {
        ++tokens;
        QV_DISTRIBUTION1D::AddTerm(variable, rows, cols, equation);
    }
    void AddTerm(double value, int equation) override {
        ++tokens;
        QV_DISTRIBUTION1D::AddTerm(value, equation);
    }
    void AddTerm(int value, int equation) override {
        ++tokens;
        QV_DISTRIBUTION1D::AddTerm(value, equation);
    }
    int resets = 0;
    long tokens = 0;
};

TEST(ExpressionInterface, EveryTokenOfADistributionGoesThroughIt) {
    QV_LENGTHDOMAIN* domain = MakeDomain(Axis{"OCFE3", 2, 1.0, 0.2, 2});
    {
        CountingDistribution d;
        d.XDOMAIN.Link(domain);
        domain->SetDims();
        for (int run = 0; run < 2; ++run)
            domain->ExecuteAssignments(3, 1);
        d.SetDims();
        d.ExecuteAssignments(3, 1);
        qvhost::ResetSystem();
        ASSERT_GT(d.SetUpEquations(), 0);
        qvhost::RunJacPattern(d);

        EXPECT_EQ(d.resets, 1);
        long stored = 0;
        for (int e = 0; e < d.EquationCount(); ++e)
            stored += d.TokenCount(e);
        EXPECT_GT(stored, 0);
        EXPECT_EQ(d.tokens, stored);
    }
    domain->Release();
}

} // namespace
} // namespace norvane::test
