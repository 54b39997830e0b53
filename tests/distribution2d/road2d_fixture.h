// The road of a two-dimensional distribution as the host drives it: two length domains and a
// distribution made by their factories, XDOMAIN and YDOMAIN linked, the domains' inputs fixed by
// the user, then SetDims, the assignments (the domains twice, so a multi-section grid settles),
// the structure pass and the expression pass. The objects are released at the end.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/library_api.h"
#include "host/qv_system.h"
#include "types/distribution2d/distribution2d.h"
#include "types/domain/coordinate_domains.h"

extern "C" NORVANE_API QV_LENGTHDOMAIN* LENGTHDOMAINFactory();
extern "C" NORVANE_API QV_DISTRIBUTION2D* DISTRIBUTION2DFactory();

namespace norvane::test {

struct Axis {
    const char* method = "CFD4";
    int sections = 1;
    double length = 1.0;
    double spacing = 0.25;
    int order = 2;
};

inline std::vector<int> Members(const SUValue& set) {
    std::vector<int> members;
    for (int k = 0; k < set.SetSize(); ++k)
        members.push_back(set.IntegerAt(k));
    return members;
}

// A length domain made by its factory, with the axis's inputs fixed by the user.
inline QV_LENGTHDOMAIN* MakeDomain(const Axis& axis) {
    QV_LENGTHDOMAIN* d = LENGTHDOMAINFactory();
    d->DISCRETIZATIONMETHOD.UserSet(axis.method);
    d->NUMSECTIONS.UserSet(axis.sections);
    (*d->LENGTH).UserSet(axis.length);
    (*d->SPACINGPREFERENCE).UserSet(axis.spacing);
    d->HIGHESTORDERDERIVATIVE.UserSet(axis.order);
    return d;
}

class Road2D {
public:
    // `integrals` is the INTEGRALS text the user fixes ("idx\"idxdy" lists two); null keeps the
    // type's assigned default.
    Road2D(const Axis& x, const Axis& y, const char* integrals = "idx\"idy\"idxdy")
        : blocksBefore(qvhost::LiveBlocks()) {
        domain[0] = MakeDomain(x);
        domain[1] = MakeDomain(y);
        distribution = DISTRIBUTION2DFactory();
        if (integrals) distribution->INTEGRALS.UserSet(integrals);
        distribution->XDOMAIN.Link(domain[0]);
        distribution->YDOMAIN.Link(domain[1]);
    }

    ~Road2D() {
        distribution->Release();
        domain[0]->Release();
        domain[1]->Release();
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
    double Node(int d, int k) { return (*domain[d]->VALUE)(k).v(); }

    QV_LENGTHDOMAIN* domain[2];
    QV_DISTRIBUTION2D* distribution;

private:
    long blocksBefore;
};

} // namespace norvane::test
