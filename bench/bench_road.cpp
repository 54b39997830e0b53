// The road of a one-dimensional distribution at 10^3 .. 10^6 nodes: the structure pass and
// the expression pass of a distribution on a length domain, timed per equation instance and
// per leaf, beside a baseline that writes the same tokens into plain vectors with no host call.
// The cost per leaf should stay flat as the grid grows.
#include <benchmark/benchmark.h>

#include <vector>

#include "host/qv_system.h"
#include "types/distribution1d/distribution1d.h"
#include "types/domain/coordinate_domains.h"

extern "C" QV_LENGTHDOMAIN* LENGTHDOMAINFactory();
extern "C" QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();

namespace {

struct Grid {
    explicit Grid(long nodes) {
        domain = LENGTHDOMAINFactory();
        distribution = DISTRIBUTION1DFactory();
        domain->DISCRETIZATIONMETHOD.UserSet("CFD4");
        domain->NUMSECTIONS.UserSet(4);
        (*domain->LENGTH).UserSet(1.0);
        (*domain->SPACINGPREFERENCE).UserSet(1.0 / static_cast<double>(nodes));
        domain->HIGHESTORDERDERIVATIVE.UserSet(2);
        distribution->INTEGRALS.UserSet("idx");
        distribution->XDOMAIN.Link(domain);
        domain->SetDims();
        distribution->SetDims();
        for (int run = 0; run < 2; ++run)
            domain->ExecuteAssignments(1, 0);
        distribution->ExecuteAssignments(1, 0);
        // One pass creates the array elements; the timed passes find them.
        distribution->SetUpEquations();
    }
    ~Grid() {
        distribution->Release();
        domain->Release();
    }
    QV_LENGTHDOMAIN* domain;
    QV_DISTRIBUTION1D* distribution;
};

long Leaves(const QV_DISTRIBUTION1D& d) {
    long leaves = 0;
    for (int e = 0; e < d.EquationCount(); ++e)
        leaves += d.TokenCount(e);
    return leaves;
}

void Road(benchmark::State& state) {
    Grid grid(state.range(0));
    long equations = 0, leaves = 0;
    for (auto _ : state) {
        qvhost::ResetSystem();
        equations = grid.distribution->SetUpEquations();
        qvhost::Pattern p = qvhost::RunJacPattern(*grid.distribution);
        benchmark::DoNotOptimize(p.counter);
    }
    leaves = Leaves(*grid.distribution);
    state.counters["equations"] = static_cast<double>(equations);
    state.counters["tokens"] = static_cast<double>(leaves);
    state.counters["per_equation"] = benchmark::Counter(
        static_cast<double>(equations),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["per_token"] = benchmark::Counter(static_cast<double>(leaves),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

// The same number of tokens written into plain vectors: the floor of any expression store.
void Baseline(benchmark::State& state) {
    Grid grid(state.range(0));
    qvhost::ResetSystem();
    const long equations = grid.distribution->SetUpEquations();
    qvhost::RunJacPattern(*grid.distribution);
    const long leaves = Leaves(*grid.distribution);
    const long perEquation = leaves / (equations > 0 ? equations : 1);
    for (auto _ : state) {
        std::vector<std::vector<double>> store(static_cast<std::size_t>(equations));
        for (auto& e : store)
            for (long t = 0; t < perEquation; ++t)
                e.push_back(static_cast<double>(t));
        benchmark::DoNotOptimize(store.data());
    }
    state.counters["per_token"] = benchmark::Counter(static_cast<double>(leaves),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(Road)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(Baseline)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
