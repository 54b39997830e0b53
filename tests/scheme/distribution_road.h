// The road of a distribution as the host drives it: one length domain per direction and the
// distribution, made by their factories, the distribution's domain references linked, the
// domains' inputs fixed by the user, then SetDims, the assignments (the domains twice, so a
// multi-section grid settles), the structure pass and the expression pass. The objects are
// released at the end; when no road is left, no block is left either.
#pragma once

#include <gtest/gtest.h>

#include "framework/library_api.h"
#include "host/qv_system.h"
#include "types/distribution1d/distribution1d.h"
#include "types/distribution2d/distribution2d.h"
#include "types/distribution3d/distribution3d.h"
#include "types/domain/coordinate_domains.h"

#include <vector>

extern "C" NORVANE_API QV_LENGTHDOMAIN* LENGTHDOMAINFactory();
extern "C" NORVANE_API QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();
extern "C" NORVANE_API QV_DISTRIBUTION2D* DISTRIBUTION2DFactory();
extern "C" NORVANE_API QV_DISTRIBUTION3D* DISTRIBUTION3DFactory();

namespace norvane::test {

// The ten discretisation methods, in the order the tests walk them.
inline const char* const kMethods[] = {"BFD1", "BFD2",  "FFD1",  "FFD2",  "CFD2",
                                       "CFD4", "UBFD4", "OCFE2", "OCFE3", "OCFE4"};

// The inputs the user fixes on one direction's domain.
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

inline QV_LENGTHDOMAIN* MakeDomain(const Axis& axis) {
    QV_LENGTHDOMAIN* d = LENGTHDOMAINFactory();
    d->DISCRETIZATIONMETHOD.UserSet(axis.method);
    d->NUMSECTIONS.UserSet(axis.sections);
    (*d->LENGTH).UserSet(axis.length);
    (*d->SPACINGPREFERENCE).UserSet(axis.spacing);
    d->HIGHESTORDERDERIVATIVE.UserSet(axis.order);
    return d;
}

// Each type's factory and domain references.
template <class Distribution> struct DistributionKind;
template <> struct DistributionKind<QV_DISTRIBUTION1D> {
    static constexpr int kDimensions = 1;
    static constexpr const char* kAllIntegrals = "idx";
    static QV_DISTRIBUTION1D* Make() { return DISTRIBUTION1DFactory(); }
    static QV_External<QV_DOMAIN>& Domain(QV_DISTRIBUTION1D& d, int) { return d.XDOMAIN; }
};
template <> struct DistributionKind<QV_DISTRIBUTION2D> {
    static constexpr int kDimensions = 2;
    static constexpr const char* kAllIntegrals = "idx\"idy\"idxdy";
    static QV_DISTRIBUTION2D* Make() { return DISTRIBUTION2DFactory(); }
    static QV_External<QV_DOMAIN>& Domain(QV_DISTRIBUTION2D& d, int k) {
        return k == 0 ? d.XDOMAIN : d.YDOMAIN;
    }
};
template <> struct DistributionKind<QV_DISTRIBUTION3D> {
    static constexpr int kDimensions = 3;
    static constexpr const char* kAllIntegrals = "idx\"idy\"idz\"idxdy\"idxdz\"idydz\"idxdydz";
    static QV_DISTRIBUTION3D* Make() { return DISTRIBUTION3DFactory(); }
    static QV_External<QV_DOMAIN>& Domain(QV_DISTRIBUTION3D& d, int k) {
        return k == 0 ? d.XDOMAIN : k == 1 ? d.YDOMAIN : d.ZDOMAIN;
    }
};

// The roads alive, of any type: when the last one goes, every block they took is back.
struct RoadsAlive {
    static inline int count = 0;
    static inline long blocksBefore = 0;
};

template <class Distribution> class DistributionRoad {
public:
    using Kind = DistributionKind<Distribution>;
    static constexpr int kDimensions = Kind::kDimensions;

    // One axis per direction, then the INTEGRALS text the user fixes ("idx\"idxdy" lists
    // two; every integral by default); null keeps the type's assigned default.
    DistributionRoad(const Axis& x, const Axis& y, const char* integrals = Kind::kAllIntegrals)
        : DistributionRoad(std::vector<Axis>{x, y}, integrals) {
        static_assert(kDimensions == 2, "one axis per direction");
    }
    DistributionRoad(const Axis& x, const Axis& y, const Axis& z,
                     const char* integrals = Kind::kAllIntegrals)
        : DistributionRoad(std::vector<Axis>{x, y, z}, integrals) {
        static_assert(kDimensions == 3, "one axis per direction");
    }

    explicit DistributionRoad(const std::vector<Axis>& axes,
                              const char* integrals = Kind::kAllIntegrals) {
        if (RoadsAlive::count++ == 0) RoadsAlive::blocksBefore = qvhost::LiveBlocks();
        distribution = Kind::Make();
        if (integrals) distribution->INTEGRALS.UserSet(integrals);
        for (int d = 0; d < kDimensions; ++d) {
            domain[d] = MakeDomain(axes.at(d));
            Kind::Domain(*distribution, d).Link(domain[d]);
        }
    }

    DistributionRoad(const DistributionRoad&) = delete;
    DistributionRoad& operator=(const DistributionRoad&) = delete;
    ~DistributionRoad() {
        distribution->Release();
        for (QV_LENGTHDOMAIN* d : domain)
            d->Release();
        if (--RoadsAlive::count == 0) {
            EXPECT_EQ(qvhost::LiveBlocks(), RoadsAlive::blocksBefore)
                << "blocks left after Release";
        }
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

    // The node locations of every direction.
    std::vector<std::vector<double>> Nodes() {
        std::vector<std::vector<double>> nodes(kDimensions);
        for (int d = 0; d < kDimensions; ++d)
            for (int k = 0; k <= EndNode(d); ++k)
                nodes[d].push_back(Node(d, k));
        return nodes;
    }

    QV_LENGTHDOMAIN* domain[kDimensions];
    Distribution* distribution;
};

using Road1D = DistributionRoad<QV_DISTRIBUTION1D>;
using Road2D = DistributionRoad<QV_DISTRIBUTION2D>;
using Road3D = DistributionRoad<QV_DISTRIBUTION3D>;

} // namespace norvane::test
