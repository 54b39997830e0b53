// A scheme's inputs without a host: grids laid out as the domain lays them out, derivative
// orders and INTEGRALS as plain fields, and a sink that records every instance. Tests of the
// one-, two- and three-dimensional programs walk them over these grids.
#pragma once

#include "types/scheme/scheme_walk.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace norvane::test {

struct FakeSection {
    int base, nodeCount, elements;
    double h; // ELEMENTLENGTH: the node spacing for finite differences, the element otherwise
};

struct FakeDirection final : DirectionInputs {
    std::string method;
    int p = 0; // NUMPOLYPOINTS
    std::vector<FakeSection> parts;
    std::vector<double> x{0.0};   // node locations, 0 .. ENDNODE
    int order = 2, orderUsed = 2; // HIGHESTORDER<d>DERIVATIVE, ...USED
    std::vector<int> closed;      // node 0, INTERIOR and ENDNODE, ascending

    bool collocation() const { return method.compare(0, 4, "OCFE") == 0; }
    int endNode() override { return static_cast<int>(x.size()) - 1; }
    int sections() override { return static_cast<int>(parts.size()); }
    int base(int s) override { return parts.at(s - 1).base; }
    int nodeCount(int s) override { return parts.at(s - 1).nodeCount; }
    int elements(int s) override { return parts.at(s - 1).elements; }
    int polyPoints() override { return p; }
    int highestOrder() override { return order; }
    int highestOrderUsed() override { return orderUsed; }
    bool methodIs(const char* name) override {
        const std::string other = name;
        return std::equal(method.begin(), method.end(), other.begin(), other.end(),
                          [](char a, char b) { return std::toupper(a) == std::toupper(b); });
    }
    void closedNodes(NodeLoop& loop) override {
        for (int node : closed)
            if (!loop.node(node)) return;
    }
    void elementStart(int first, NodeLoop& loop) override { loop.node(first); }
};

// Sections of the given lengths and element counts, p inner nodes per element: at the Gauss
// points for collocation (which the domain keeps to five places, as the weights are), evenly
// spaced for finite differences. The
// closed interior leaves out the section joins and, under collocation, every element end, as
// the domain's INTERIOR does for second derivatives.
inline FakeDirection MakeDirection(const std::string& method, int p,
                                   const std::vector<double>& lengths,
                                   const std::vector<int>& elements) {
    FakeDirection d;
    d.method = method;
    d.p = p;
    const std::vector<double> points[] = {{0.5},
                                          {0.21132486540518713, 0.7886751345948129},
                                          {0.1127016653792583, 0.5, 0.8872983346207417}};
    std::set<int> joins;
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const double start = d.x.back(), element = lengths[s] / elements[s];
        const int base = d.endNode();
        d.parts.push_back({base, elements[s] * (p + 1), elements[s],
                           d.collocation() ? element : element / (p + 1)});
        if (s > 0) joins.insert(base);
        for (int e = 0; e < elements[s]; ++e) {
            if (d.collocation() && e > 0) joins.insert(base + e * (p + 1));
            for (int k = 1; k <= p; ++k)
                d.x.push_back(start + element * (e + (d.collocation() ? points[p - 1][k - 1]
                                                                      : k / (p + 1.0))));
            d.x.push_back(start + (e + 1) * element);
        }
    }
    for (int k = 0; k <= d.endNode(); ++k)
        if (joins.count(k) == 0) d.closed.push_back(k);
    return d;
}

struct FakeScheme final : SchemeInputs, SchemeSink {
    std::vector<FakeDirection> directions;
    std::set<IntegralName> integrals;
    std::vector<Instance> instances;

    int dimensions() override { return static_cast<int>(directions.size()); }
    DirectionInputs& direction(Direction d) override { return directions.at(static_cast<int>(d)); }
    bool integralRequested(IntegralName name) override { return integrals.count(name) != 0; }
    void instance(const Instance& at) override { instances.push_back(at); }

    const std::vector<Instance>& Walk(const ProgramSet& programs) {
        instances.clear();
        WalkScheme(programs, *this, *this);
        return instances;
    }
};

} // namespace norvane::test
