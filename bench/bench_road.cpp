// The road of a one-dimensional distribution at 10^3 .. 10^6 nodes: a four-section "CFD4"
// length domain with derivatives to second order and interval integrals. The harness times
// its passes beside the baseline and the floor and reports its peak memory.
#include "bench/road_bench.h"
#include "types/distribution1d/distribution1d.h"
#include "types/domain/coordinate_domains.h"

extern "C" QV_LENGTHDOMAIN* LENGTHDOMAINFactory();
extern "C" QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();

namespace {

class Road1D final : public roadbench::Road {
public:
    explicit Road1D(long nodes)
        : m_domain(LENGTHDOMAINFactory()), m_distribution(DISTRIBUTION1DFactory()) {
        m_domain->DISCRETIZATIONMETHOD.UserSet("CFD4");
        m_domain->NUMSECTIONS.UserSet(4);
        (*m_domain->LENGTH).UserSet(1.0);
        (*m_domain->SPACINGPREFERENCE).UserSet(1.0 / static_cast<double>(nodes));
        m_domain->HIGHESTORDERDERIVATIVE.UserSet(2);
        m_distribution->INTEGRALS.UserSet("idx");
        m_distribution->XDOMAIN.Link(m_domain);
        m_domain->SetDims();
        m_distribution->SetDims();
        for (int run = 0; run < 2; ++run)
            m_domain->ExecuteAssignments(1, 0);
        m_distribution->ExecuteAssignments(1, 0);
        // One pass creates the array elements; the timed passes find them.
        m_distribution->SetUpEquations();
    }
    ~Road1D() override {
        m_distribution->Release();
        m_domain->Release();
    }
    QV_ModelType& Distribution() override { return *m_distribution; }
    double Nodes() override { return m_domain->ENDNODE.v() + 1.0; }

private:
    QV_LENGTHDOMAIN* m_domain;
    QV_DISTRIBUTION1D* m_distribution;
};

const bool registered = roadbench::RegisterRoad("", {1000, 10000, 100000, 1000000},
                                                [](long n) { return std::make_unique<Road1D>(n); });

} // namespace
