// The road of a one-dimensional distribution as the host drives it: a length domain and a
// distribution made by their factories, XDOMAIN linked, the domain's inputs fixed by the
// user, then SetDims, the assignments (twice, so a multi-section grid settles), the
// structure pass and the expression pass. Both objects are released at the end.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "framework/library_api.h"
#include "host/qv_system.h"
#include "tests/scheme/distribution_road.h"
#include "types/distribution1d/distribution1d.h"
#include "types/domain/coordinate_domains.h"

extern "C" NORVANE_API QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();

namespace norvane::test {

struct RoadInputs {
    const char* method = "CFD4";
    int sections = 1;
    double length = 1.0;
    double spacing = 0.0625;
    int order = 2;
    bool integrals = true;
};

class Road {
public:
    explicit Road(const RoadInputs& in) {
        domain = MakeDomain({in.method, in.sections, in.length, in.spacing, in.order});
        distribution = DISTRIBUTION1DFactory();
        if (in.integrals) distribution->INTEGRALS.UserSet("idx");
        distribution->XDOMAIN.Link(domain);
    }

    ~Road() {
        distribution->Release();
        domain->Release();
    }

    // SetDims and the assignments; returns what SetUpEquations returned.
    int SetUp() {
        domain->SetDims();
        distribution->SetDims();
        for (int run = 0; run < 2; ++run)
            domain->ExecuteAssignments(3, 1);
        distribution->ExecuteAssignments(3, 1);
        qvhost::ResetSystem();
        return distribution->SetUpEquations();
    }

    qvhost::Pattern Pattern() { return qvhost::RunJacPattern(*distribution); }

    int EndNode() { return domain->ENDNODE.v(); }
    double Node(int k) { return (*domain->VALUE)(k).v(); }

    // Gives VALUE, DDX, D2DX2 at every node and IDX over every interval the exact values of a
    // smooth function f with derivatives df, d2f and antiderivative F.
    void Manufacture(const std::function<double(double)>& f,
                     const std::function<double(double)>& df,
                     const std::function<double(double)>& d2f,
                     const std::function<double(double)>& F) {
        for (int k = 0; k <= EndNode(); ++k) {
            const double x = Node(k);
            (*distribution->VALUE)(k).SetValue(SUValue(f(x)));
            distribution->DDX(k).SetValue(SUValue(df(x)));
            distribution->D2DX2(k).SetValue(SUValue(d2f(x)));
            distribution->IDX(k).SetValue(SUValue(k == 0 ? 0.0 : F(x) - F(Node(k - 1))));
        }
    }

    QV_LENGTHDOMAIN* domain;
    QV_DISTRIBUTION1D* distribution;
};

} // namespace norvane::test
