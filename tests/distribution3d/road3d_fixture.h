// The road of a three-dimensional distribution as the host drives it: three length domains and
// a distribution made by their factories, XDOMAIN, YDOMAIN and ZDOMAIN linked, the domains'
// inputs fixed by the user, then SetDims, the assignments (the domains twice, so a
// multi-section grid settles), the structure pass and the expression pass. The objects are
// released at the end.
#pragma once

#include <gtest/gtest.h>

#include "framework/library_api.h"
#include "host/qv_system.h"
#include "tests/distribution2d/road2d_fixture.h"
#include "types/distribution3d/distribution3d.h"

extern "C" NORVANE_API QV_DISTRIBUTION3D* DISTRIBUTION3DFactory();

namespace norvane::test {

class Road3D {
public:
    // `integrals` is the INTEGRALS text the user fixes ("idx\"idxdydz" lists two); null keeps
    // the type's assigned default.
    Road3D(const Axis& x, const Axis& y, const Axis& z,
           const char* integrals = "idx\"idy\"idz\"idxdy\"idxdz\"idydz\"idxdydz")
        : blocksBefore(qvhost::LiveBlocks()) {
        const Axis* axes[3] = {&x, &y, &z};
        for (int d = 0; d < 3; ++d)
            domain[d] = MakeDomain(*axes[d]);
        distribution = DISTRIBUTION3DFactory();
        if (integrals) distribution->INTEGRALS.UserSet(integrals);
        distribution->XDOMAIN.Link(domain[0]);
        distribution->YDOMAIN.Link(domain[1]);
        distribution->ZDOMAIN.Link(domain[2]);
    }

    ~Road3D() {
        distribution->Release();
        for (QV_LENGTHDOMAIN* d : domain)
            d->Release();
        EXPECT_EQ(qvhost::LiveBlocks(), blocksBefore) << "blocks left after Release";
    }

    // SetDims and the assignments.
    void Assign() {
        for (QV_LENGTHDOMAIN* d : domain) {
            d->SetDims();
            for (int run = 0; run < 2; ++run)
                d->ExecuteAssignments(3, 1);
        }
        distribution->SetDims();
        distribution->ExecuteAssignments(3, 1);
    }

    // The assignments, then SetUpEquations; returns its result.
    int SetUp() {
        Assign();
        qvhost::ResetSystem();
        return distribution->SetUpEquations();
    }

    qvhost::Pattern Pattern() { return qvhost::RunJacPattern(*distribution); }

    int EndNode(int d) { return domain[d]->ENDNODE.v(); }

    QV_LENGTHDOMAIN* domain[3];
    QV_DISTRIBUTION3D* distribution;

private:
    long blocksBefore;
};

} // namespace norvane::test
