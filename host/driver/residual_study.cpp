#include "host/driver/residual_study.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/driver/grid_output.h"
#include "host/driver/host_properties.h"
#include "host/driver/manufactured_solution.h"
#include "host/driver/road_counts.h"

namespace {

// A residual's value and the sum of the magnitudes of the terms it combines.
struct Sized {
    double value;
    double size;
};

// Reads a residual from its prefix tokens with the host's arithmetic, in the host's order;
// false when it is malformed: no token, an unknown operator, too few or too many operands.
class ResidualReader {
public:
    ResidualReader(const QV_ModelType& model, int e)
        : m_model(model), m_equation(e), m_count(model.TokenCount(e)) {}

    bool Read(Sized& residual) {
        residual = Operand();
        return m_ok && m_next == m_count;
    }

private:
    Sized Operand() {
        if (m_next >= m_count) return Malformed();
        const QV_ExprToken token = m_model.Token(m_equation, m_next++);
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
        switch (token.op) {
        case EOp_Identity:
            return Operand();
        case EOp_Square: {
            const Sized a = Operand();
            return {a.value * a.value, a.size * a.size};
        }
        case EOp_Plus:
        case EOp_Minus:
        case EOp_Times:
        case EOp_Divide:
            break;
        default:
            return Malformed();
        }
        const Sized a = Operand();
        const Sized b = Operand();
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

    Sized Malformed() {
        m_ok = false;
        return {0.0, 0.0};
    }

    const QV_ModelType& m_model;
    const int m_equation;
    const int m_count;
    int m_next = 0;
    bool m_ok = true;
};

} // namespace

std::size_t SubBlockOf(const QV_ModelType& model, int equation, const DistributionArrays& arrays) {
    for (int t = 0; t < model.TokenCount(equation); ++t) {
        const QV_ExprToken& token = model.Token(equation, t);
        if (token.kind == QV_ExprToken::Variable) return arrays.SubBlockOf(*token.variable);
    }
    return arrays.subBlocks.size();
}

namespace {

// Gives each element of `array` the exact value of `block` (VALUE when null) at its node.
bool ManufactureArray(const DistributionRoad& road, const QV_Matrix& array,
                      const SubBlockKind* block, std::string& error) {
    const int dims = road.Kind().dims;
    auto along = [dims](int d) {
        return dims > 1 ? std::string(" along ") + DirectionName(d) : "";
    };
    bool placed = true;
    ForEachElement(array, [&](QV_Type& element, const int* keys) {
        if (!placed) return;
        NodePlace place;
        for (int d = 0; d < dims && placed; ++d) {
            const std::vector<std::optional<double>>& nodes = road.Grid(d).nodes;
            const int k = keys[d];
            const bool spanned = block && (block->span >> d & 1u);
            if (k < 0 || k >= static_cast<int>(nodes.size())) {
                error = qvhost::PathOf(element) + " lies outside the grid" + along(d);
                placed = false;
            } else if (!nodes[k] || (spanned && k > 0 && !nodes[k - 1])) {
                error =
                    "node " + std::to_string(nodes[k] ? k - 1 : k) + along(d) + " has no location";
                placed = false;
            } else {
                place.at[d] = *nodes[k];
                place.first[d] = k == 0;
                if (spanned && k > 0) place.before[d] = *nodes[k - 1];
            }
        }
        if (!placed) return;
        if (auto* variable = dynamic_cast<QV_VarParam*>(&element))
            variable->SetValue(SUValue(ExactValue(block, place, dims)));
    });
    return placed;
}

} // namespace

bool Manufacture(const DistributionRoad& road, std::string& error) {
    const DistributionArrays& arrays = road.Arrays();
    if (!ManufactureArray(road, *arrays.value, nullptr, error)) return false;
    for (std::size_t b = 0; b < arrays.subBlocks.size(); ++b)
        if (!ManufactureArray(road, *arrays.subBlocks[b], &road.Kind().subBlocks[b], error))
            return false;
    return true;
}

SubBlockResiduals MeasureResiduals(const DistributionRoad& road, Progress* progress) {
    // Some hundred roundings of 2^-53 each: far below any truncation error worth measuring.
    constexpr double Rounding = 1e-13;
    const QV_ModelType& model = *road.Distribution();
    const int dims = road.Kind().dims;
    // max |f| is the product of the largest factors, f being the product of one per direction.
    double largestX = 0.0, largestF = 1.0;
    for (int d = 0; d < dims; ++d) {
        double largestFactor = 0.0;
        for (const std::optional<double>& x : road.Grid(d).nodes) {
            if (!x) continue;
            largestX = std::max(largestX, std::fabs(*x));
            largestFactor = std::max(largestFactor, std::fabs(SolutionFactor(d, *x)));
        }
        largestF *= largestFactor;
    }
    const std::size_t blocks = road.Arrays().subBlocks.size() + 1;
    SubBlockResiduals r;
    r.equations.assign(blocks, 0);
    r.largest.assign(blocks, 0.0);
    r.roundingFloor.assign(blocks, Rounding * largestX * largestF);
    const int count = model.EquationCount();
    for (int e = 0; e < count; ++e) {
        if (progress && e % 16384 == 0) progress->Advance(static_cast<double>(e) / count);
        const std::size_t block = SubBlockOf(model, e, road.Arrays());
        ++r.equations[block];
        Sized residual;
        if (!ResidualReader(model, e).Read(residual)) {
            ++r.malformed;
            continue;
        }
        r.roundingFloor[block] = std::max(r.roundingFloor[block], Rounding * residual.size);
        const double magnitude = std::fabs(residual.value);
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
    for (DomainOptions& axis : level.axes)
        for (int halved = 0; halved < k; ++halved)
            axis.spacing /= 2;
    return level;
}

ResidualStudy StudyResiduals(ModelLibrary& library, const DriverOptions& options,
                             const StudyBound& bound, Progress* progress) {
    ResidualStudy study;
    for (int d = 0; d < options.dims; ++d) {
        const double spacing = options.axes[d].spacing;
        if (!(spacing > 0.0) || !std::isfinite(spacing)) {
            study.skipped = std::string("the spacing") +
                            (options.dims > 1 ? std::string(" along ") + DirectionName(d) : "") +
                            " must be positive and finite to be halved";
            return study;
        }
    }
    for (int k = 0; k < StudyLevelCount; ++k) {
        if (k >= bound.levels) {
            study.skipped = bound.reason;
            return study;
        }
        const DriverOptions level = StudyLevelOptions(options, k);
        const double nodes = CountRoad(level).nodes;
        const std::string spacing = SpacingText(level);
        const std::string phase = "refinement " + std::to_string(k + 1) + " of " +
                                  std::to_string(StudyLevelCount) + ", spacing " + spacing;
        if (progress) progress->Phase(phase + ": road", nodes);
        DistributionRoad road;
        const RoadStatus status = road.Run(library, level);
        std::string problem = road.Problem();
        if (status == RoadStatus::Refused) problem = "refused: " + problem;
        if (status == RoadStatus::Ready && !Manufacture(road, problem))
            problem = "no manufactured solution: " + problem;
        if (!problem.empty()) {
            study.skipped = "at spacing " + spacing + ": " + problem;
            return study;
        }
        StudyLevel measured;
        for (int d = 0; d < level.dims; ++d) {
            measured.spacings.push_back(level.axes[d].spacing);
            measured.endNodes.push_back(static_cast<int>(road.Grid(d).nodes.size()) - 1);
        }
        if (progress) progress->Phase(phase + ": residuals", nodes);
        measured.residuals = MeasureResiduals(road, progress);
        study.levels.push_back(measured);
    }
    return study;
}

double ObservedOrder(double coarse, double fine) {
    if (std::isnan(coarse) || std::isnan(fine) || (coarse == 0.0 && fine == 0.0))
        return std::numeric_limits<double>::quiet_NaN();
    return std::log2(coarse / fine);
}
