// The roads of the one-, two- and three-dimensional distributions: a line, square or cube of
// "CFD4" length domains, one per direction, with derivatives to second order along every
// direction and every integral the type offers. The size is the spacing's inverse, the
// intervals along each direction (a multiple of four per section, which the method's elements
// of four intervals tile exactly): the 1D grids have four sections and 1009 to 1000001 nodes,
// the 2D grids four sections per direction and 97^2, 321^2 and 1009^2 nodes, the 3D grids one
// section per direction and 21^3, 49^3 and 101^3 nodes. The harness times the passes beside
// the baseline and the floor and reports the peak memory.
#include "bench/road_bench.h"
#include "types/distribution1d/distribution1d.h"
#include "types/distribution2d/distribution2d.h"
#include "types/distribution3d/distribution3d.h"
#include "types/domain/coordinate_domains.h"

extern "C" QV_LENGTHDOMAIN* LENGTHDOMAINFactory();
extern "C" QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();
extern "C" QV_DISTRIBUTION2D* DISTRIBUTION2DFactory();
extern "C" QV_DISTRIBUTION3D* DISTRIBUTION3DFactory();

namespace {

// Each type's factory, its domain references and its integrals.
template <class Distribution> struct GridKind;
template <> struct GridKind<QV_DISTRIBUTION1D> {
    static constexpr int kDimensions = 1;
    static constexpr const char* kAllIntegrals = "idx";
    static QV_DISTRIBUTION1D* Make() { return DISTRIBUTION1DFactory(); }
    static QV_External<QV_DOMAIN>* Domains(QV_DISTRIBUTION1D& d, int) { return &d.XDOMAIN; }
};
template <> struct GridKind<QV_DISTRIBUTION2D> {
    static constexpr int kDimensions = 2;
    static constexpr const char* kAllIntegrals = "idx\"idy\"idxdy";
    static QV_DISTRIBUTION2D* Make() { return DISTRIBUTION2DFactory(); }
    static QV_External<QV_DOMAIN>* Domains(QV_DISTRIBUTION2D& d, int k) {
        QV_External<QV_DOMAIN>* domains[] = {&d.XDOMAIN, &d.YDOMAIN};
        return domains[k];
    }
};
template <> struct GridKind<QV_DISTRIBUTION3D> {
    static constexpr int kDimensions = 3;
    static constexpr const char* kAllIntegrals = "idx\"idy\"idz\"idxdy\"idxdz\"idydz\"idxdydz";
    static QV_DISTRIBUTION3D* Make() { return DISTRIBUTION3DFactory(); }
    static QV_External<QV_DOMAIN>* Domains(QV_DISTRIBUTION3D& d, int k) {
        QV_External<QV_DOMAIN>* domains[] = {&d.XDOMAIN, &d.YDOMAIN, &d.ZDOMAIN};
        return domains[k];
    }
};

template <class Type> class GridRoad final : public roadbench::Road {
    using Kind = GridKind<Type>;

public:
    GridRoad(int sections, long intervals) : m_distribution(Kind::Make()) {
        m_distribution->INTEGRALS.UserSet(Kind::kAllIntegrals);
        for (int d = 0; d < Kind::kDimensions; ++d) {
            QV_LENGTHDOMAIN* domain = LENGTHDOMAINFactory();
            domain->DISCRETIZATIONMETHOD.UserSet("CFD4");
            domain->NUMSECTIONS.UserSet(sections);
            (*domain->LENGTH).UserSet(1.0);
            (*domain->SPACINGPREFERENCE).UserSet(1.0 / static_cast<double>(intervals));
            domain->HIGHESTORDERDERIVATIVE.UserSet(2);
            Kind::Domains(*m_distribution, d)->Link(domain);
            domain->SetDims();
            for (int run = 0; run < 2; ++run)
                domain->ExecuteAssignments(1, 0);
            m_domains[d] = domain;
        }
        m_distribution->SetDims();
        m_distribution->ExecuteAssignments(1, 0);
        // One untimed pass creates the array elements and fills the host's stores; the timed
        // passes find the elements and reuse the stores, as every pass after a host's first.
        Pass();
    }
    ~GridRoad() override {
        m_distribution->Release();
        for (QV_LENGTHDOMAIN* domain : m_domains)
            domain->Release();
    }
    QV_ModelType& Distribution() override { return *m_distribution; }
    double Nodes() override {
        double nodes = 1;
        for (QV_LENGTHDOMAIN* domain : m_domains)
            nodes *= domain->ENDNODE.v() + 1.0;
        return nodes;
    }

private:
    Type* m_distribution;
    QV_LENGTHDOMAIN* m_domains[Kind::kDimensions];
};

template <class Type> roadbench::RoadMaker MakerOf(int sections) {
    return [sections](long intervals) {
        return std::make_unique<GridRoad<Type>>(sections, intervals);
    };
}

const bool registered1D =
    roadbench::RegisterRoad("", {1000, 10000, 100000, 1000000}, MakerOf<QV_DISTRIBUTION1D>(4));
const bool registered2D =
    roadbench::RegisterRoad("2D", {96, 320, 1008}, MakerOf<QV_DISTRIBUTION2D>(4));
// A 3D lookup asks the host five times (each of its three set values for the value's position,
// two of them for their size), where the baseline reads its own vector.
const bool registered3D =
    roadbench::RegisterRoad("3D", {20, 48, 100}, MakerOf<QV_DISTRIBUTION3D>(1), {1.5, 3.5, 400.0});

} // namespace
