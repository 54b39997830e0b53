// A smooth manufactured solution for distributions of one to three dimensions: a sum of
// products of functions of one coordinate each, so that every derivative and every integral
// over node intervals and cells is exact in closed form.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace norvane::test {

// g(d, x): the d-th derivative of a function of one coordinate; d = -1 an antiderivative.
using Factor = std::function<double(int, double)>;

// sin(a x + 0.4) + 0.5 exp(0.8 x): smooth, with derivatives of every order.
inline Factor Smooth(double a) {
    return [a](int d, double x) {
        return std::pow(a, d) * std::sin(a * x + 0.4 + d * 1.5707963267948966) +
               0.5 * std::pow(0.8, d) * std::exp(0.8 * x);
    };
}

// c[0] + c[1] x + c[2] x^2 + ...
inline Factor Polynomial(std::vector<double> c) {
    return [c](int d, double x) {
        double total = 0.0;
        for (int k = std::max(d, 0); k < static_cast<int>(c.size()); ++k) {
            double factor = d < 0 ? c[k] / (k + 1) : c[k];
            for (int m = 0; m < d; ++m)
                factor *= k - m;
            total += factor * std::pow(x, k - d);
        }
        return total;
    };
}

// One term of the sum: the product of one factor per direction.
using Term = std::vector<Factor>;

// The solution on the nodes of each direction (a node outside them throws). Derivatives: order[d]
// along d; integrals: the integral over the interval ending at the node along each direction of
// `span` (bit d), zero at node 0 of any of them.
class Manufactured {
public:
    Manufactured(std::vector<Term> terms, std::vector<std::vector<double>> nodes)
        : m_terms(std::move(terms)), m_nodes(std::move(nodes)) {}

    double Derivative(const int node[3], int d, int order) const {
        return Sum(node, [&](int axis, const Factor& g, double x, int k) {
            (void)k;
            return g(axis == d ? order : 0, x);
        });
    }

    double Value(const int node[3]) const { return Derivative(node, 0, 0); }

    double Integral(const int node[3], unsigned span) const {
        for (int d = 0; d < Dimensions(); ++d)
            if ((span >> d & 1u) != 0 && node[d] == 0) return 0.0;
        return Sum(node, [&](int axis, const Factor& g, double x, int k) {
            if ((span >> axis & 1u) == 0) return g(0, x);
            return g(-1, x) - g(-1, m_nodes[axis].at(k - 1));
        });
    }

    int Dimensions() const { return static_cast<int>(m_nodes.size()); }

private:
    template <class Part> double Sum(const int node[3], Part part) const {
        double total = 0.0;
        for (const Term& term : m_terms) {
            double product = 1.0;
            for (int d = 0; d < Dimensions(); ++d)
                product *= part(d, term[d], m_nodes[d].at(node[d]), node[d]);
            total += product;
        }
        return total;
    }

    std::vector<Term> m_terms;
    std::vector<std::vector<double>> m_nodes;
};

} // namespace norvane::test
