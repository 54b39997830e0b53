// A domain grid laid out as the domain type lays it, the scheme inputs read from it, and a sink
// that records the instances, for the scheme tests.
#pragma once

#include "types/distribution1d/scheme1d.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace norvane::test {

struct GridSection {
    int base;
    int nodeCount;
    int elements;
    double h; // ELEMENTLENGTH: one spacing for the finite differences, the element otherwise
};

struct Grid {
    std::string method;
    int polyPoints;
    std::vector<GridSection> sections;
    std::vector<double> x; // node locations, 0 .. ENDNODE

    int endNode() const { return static_cast<int>(x.size()) - 1; }
    bool collocation() const { return method.compare(0, 4, "OCFE") == 0; }
};

inline int PolyPointsOf(const std::string& method) {
    if (method == "BFD1" || method == "FFD1") return 0;
    if (method == "OCFE3") return 2;
    if (method == "CFD4" || method == "UBFD4" || method == "OCFE4") return 3;
    return 1;
}

// Sections of the given lengths and element counts; the inner nodes of a collocation element
// lie at the domain's polynomial points, those of a finite-difference element evenly.
inline Grid MakeGrid(const std::string& method, const std::vector<double>& lengths,
                     const std::vector<int>& elements) {
    Grid grid{method, PolyPointsOf(method), {}, {0.0}};
    const int p = grid.polyPoints;
    std::vector<double> fractions;
    if (grid.collocation()) {
        const std::vector<double> points[] = {{0.5}, {0.21132, 0.78868}, {0.1127, 0.5, 0.8873}};
        fractions = points[p - 1];
    } else {
        for (int k = 1; k <= p; ++k)
            fractions.push_back(static_cast<double>(k) / (p + 1));
    }
    double location = 0.0;
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const double element = lengths[s] / elements[s];
        const int n = elements[s] * (p + 1);
        grid.sections.push_back(
            {grid.endNode(), n, elements[s], grid.collocation() ? element : element / (p + 1)});
        for (int e = 1; e <= elements[s]; ++e) {
            for (double f : fractions)
                grid.x.push_back(location + (e - 1 + f) * element);
            grid.x.push_back(location + e * element);
        }
        location += lengths[s];
    }
    return grid;
}

class GridInputs final : public SchemeInputs {
public:
    explicit GridInputs(const Grid& grid) : grid_(grid) {}

    int order = 2;     // HIGHESTORDERXDERIVATIVE
    int orderUsed = 2; // HIGHESTORDERXDERIVATIVEUSED
    bool idx = true;
    std::vector<std::string> methodQueries;

    int sections() override { return static_cast<int>(grid_.sections.size()); }
    int base(int s) override { return grid_.sections.at(s - 1).base; }
    int nodeCount(int s) override { return grid_.sections.at(s - 1).nodeCount; }
    int elements(int s) override { return grid_.sections.at(s - 1).elements; }
    int polyPoints() override { return grid_.polyPoints; }
    int highestOrder() override { return order; }
    int highestOrderUsed() override { return orderUsed; }
    bool integrals() override { return idx; }
    bool methodIs(const char* name) override {
        methodQueries.push_back(name);
        const std::string& method = grid_.method;
        if (method.size() != std::strlen(name)) return false;
        for (std::size_t k = 0; k < method.size(); ++k) {
            if (std::toupper(static_cast<unsigned char>(method[k])) !=
                std::toupper(static_cast<unsigned char>(name[k])))
                return false;
        }
        return true;
    }

private:
    const Grid& grid_;
};

struct Instance {
    const Stencil* site;
    int number; // k of "QV_Eqnk"
    int anchor;
    int section;
};

class Recorder final : public SchemeSink {
public:
    std::vector<Instance> instances;

    void instance(const Stencil& site, int anchor, int section) override {
        instances.push_back({&site, std::atoi(site.name + 6), anchor, section});
    }
};

inline std::vector<Instance> Walk(GridInputs& in) {
    Recorder recorder;
    WalkScheme1D(in, recorder);
    return recorder.instances;
}

} // namespace norvane::test
