#include "host/driver/residual_study.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/driver/grid_output.h"
#include "host/driver/host_properties.h"
#include "host/driver/road_counts.h"

namespace {

// f(x) = sin(3x) + x^2 and its first and second derivatives.
double F(double x) {
    return std::sin(3 * x) + x * x;
}
double DF(double x) {
    return 3 * std::cos(3 * x) + 2 * x;
}
double D2F(double x) {
    return -9 * std::sin(3 * x) + 2;
}
// The integral of f over [a, b], written without the difference of two antiderivative
// values, which would lose the digits that a short interval's integral needs.
double IntervalIntegral(double a, double b) {
    const double w = b - a;
    return 2.0 / 3.0 * std::sin(1.5 * (a + b)) * std::sin(1.5 * w) +
           w * (a * a + a * b + b * b) / 3;
}

// Sets the element of `array` at `node` when the distribution made it; an element that no
// equation names is left unmade.
void SetElement(QV_BASE_I& array, int node, double value) {
    if (auto* element = dynamic_cast<QV_VarParam*>(ExistingElement(array, node)))
        element->SetValue(SUValue(value));
}

// A residual's value and the sum of the magnitudes of the terms it combines, from the token
// at `t` on; moves `t` past the subexpression. Operands missing at the end count as 0.
struct Sized {
    double value;
    double size;
};

Sized SizeFrom(const QV_ModelType& model, int e, int& t) {
    if (t >= model.TokenCount(e)) return {0.0, 0.0};
    const QV_ExprToken& token = model.Token(e, t++);
    switch (token.kind) {
    case QV_ExprToken::Integer:
        return {1.0 * token.integer, std::fabs(1.0 * token.integer)};
    case QV_ExprToken::Real:
        return {token.real, std::fabs(token.real)};
    case QV_ExprToken::Variable:
        return {token.variable->Numeric(), std::fabs(token.variable->Numeric())};
    case QV_ExprToken::Operator:
        break;
    }
    const Sized a = SizeFrom(model, e, t);
    if (token.op == EOp_Identity) return a;
    if (token.op == EOp_Square) return {a.value * a.value, a.size * a.size};
    const Sized b = SizeFrom(model, e, t);
    switch (token.op) {
    case EOp_Plus:
        return {a.value + b.value, a.size + b.size};
    case EOp_Minus:
        return {a.value - b.value, a.size + b.size};
    case EOp_Times:
        return {a.value * b.value, a.size * b.size};
    default:
        return {a.value / b.value, a.size / std::fabs(b.value)};
    }
}

} // namespace

const char* SubBlockName(SubBlock block) {
    switch (block) {
    case SubBlock::FirstDerivative:
        return "first derivative";
    case SubBlock::SecondDerivative:
        return "second derivative";
    case SubBlock::Integral:
        return "integral";
    case SubBlock::Other:
        break;
    }
    return "other";
}

SubBlock SubBlockOf(const QV_ModelType& model, int equation, const DistributionArrays& arrays) {
    for (int t = 0; t < model.TokenCount(equation); ++t) {
        const QV_ExprToken& token = model.Token(equation, t);
        if (token.kind != QV_ExprToken::Variable) continue;
        const QV_Containable* array = token.variable->Parent();
        if (array && array == arrays.ddx) return SubBlock::FirstDerivative;
        if (array && array == arrays.d2dx2) return SubBlock::SecondDerivative;
        if (array && array == arrays.idx) return SubBlock::Integral;
        return SubBlock::Other;
    }
    return SubBlock::Other;
}

bool Manufacture(const DistributionRoad& road, std::string& error) {
    const std::vector<std::optional<double>>& nodes = road.Grid().nodes;
    const DistributionArrays& a = road.Arrays();
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const int node = static_cast<int>(k);
        if (!nodes[k] || (k > 0 && !nodes[k - 1])) {
            error = "node " + std::to_string(nodes[k] ? node - 1 : node) + " has no location";
            return false;
        }
        const double x = *nodes[k];
        SetElement(*a.value, node, F(x));
        SetElement(*a.ddx, node, DF(x));
        SetElement(*a.d2dx2, node, D2F(x));
        SetElement(*a.idx, node, k == 0 ? 0.0 : IntervalIntegral(*nodes[k - 1], x));
    }
    return true;
}

SubBlockResiduals MeasureResiduals(const QV_ModelType& model, const DistributionArrays& arrays,
                                   const DomainGrid& grid, Progress* progress) {
    // Some hundred roundings of 2^-53 each: far below any truncation error worth measuring.
    constexpr double Rounding = 1e-13;
    double largestX = 0.0, largestF = 0.0;
    for (const std::optional<double>& x : grid.nodes) {
        if (!x) continue;
        largestX = std::max(largestX, std::fabs(*x));
        largestF = std::max(largestF, std::fabs(F(*x)));
    }
    SubBlockResiduals r;
    for (double& least : r.roundingFloor)
        least = Rounding * largestX * largestF;
    const int count = model.EquationCount();
    for (int e = 0; e < count; ++e) {
        if (progress && e % 16384 == 0) progress->Advance(static_cast<double>(e) / count);
        const int block = static_cast<int>(SubBlockOf(model, e, arrays));
        ++r.equations[block];
        const qvhost::Evaluation value = qvhost::Evaluate(model, e);
        if (!value.ok) {
            ++r.malformed;
            continue;
        }
        int t = 0;
        r.roundingFloor[block] =
            std::max(r.roundingFloor[block], Rounding * SizeFrom(model, e, t).size);
        const double magnitude = std::fabs(value.value);
        double& largest = r.largest[block];
        if (std::isnan(magnitude) || std::isnan(largest))
            largest = std::numeric_limits<double>::quiet_NaN();
        else if (magnitude > largest)
            largest = magnitude;
    }
    return r;
}

DriverOptions StudyLevelOptions(const DriverOptions& options, int k) {
    DriverOptions level = options;
    for (int halved = 0; halved < k; ++halved)
        level.spacing /= 2;
    return level;
}

ResidualStudy StudyResiduals(ModelLibrary& library, const DriverOptions& options,
                             const StudyBound& bound, Progress* progress) {
    ResidualStudy study;
    if (!(options.spacing > 0.0) || !std::isfinite(options.spacing)) {
        study.skipped = "the spacing must be positive and finite to be halved";
        return study;
    }
    for (int k = 0; k < StudyLevelCount; ++k) {
        if (k >= bound.levels) {
            study.skipped = bound.reason;
            return study;
        }
        const DriverOptions level = StudyLevelOptions(options, k);
        const double nodes = CountRoad(level).nodes;
        const std::string phase = "refinement " + std::to_string(k + 1) + " of " +
                                  std::to_string(StudyLevelCount) + ", spacing " +
                                  ShortestText(level.spacing);
        if (progress) progress->Phase(phase + ": road", nodes);
        DistributionRoad road;
        const RoadStatus status = road.Run(library, level);
        std::string problem = road.Problem();
        if (status == RoadStatus::Refused) problem = "refused: " + problem;
        if (status == RoadStatus::Ready && !Manufacture(road, problem))
            problem = "no manufactured solution: " + problem;
        if (!problem.empty()) {
            study.skipped = "at spacing " + ShortestText(level.spacing) + ": " + problem;
            return study;
        }
        StudyLevel measured;
        measured.spacing = level.spacing;
        measured.endNode = static_cast<int>(road.Grid().nodes.size()) - 1;
        if (progress) progress->Phase(phase + ": residuals", nodes);
        measured.residuals =
            MeasureResiduals(*road.Distribution(), road.Arrays(), road.Grid(), progress);
        study.levels.push_back(measured);
    }
    return study;
}

double ObservedOrder(double coarse, double fine) {
    if (std::isnan(coarse) || std::isnan(fine) || (coarse == 0.0 && fine == 0.0))
        return std::numeric_limits<double>::quiet_NaN();
    return std::log2(coarse / fine);
}
