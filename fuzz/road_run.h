// The road of one request, as a host drives it: the domains and the distribution made by the
// library's factories and the domain references linked; then for each round the domains'
// inputs and the INTEGRALS fixed by the user (and what the round leaves open unfixed), SetDims
// and the assignments in the round's order, a new equation system, the structure pass and the
// expression pass. The objects are released when the road goes.
#pragma once

#include "fuzz/road_request.h"
#include "host/qv_system.h"
#include "types/domain/domain.h"

#include <cstddef>
#include <vector>

namespace norvane::fuzz {

// The nodes that one of the distribution's arrays has: the values of the index sets that its
// SetDim declared, as they were before the passes (empty for an index with no declared set).
struct ArrayIndices {
    const QV_Matrix* array;
    std::vector<QV_SetValue> values; // one set per index
    // Of a second-derivative array, the index of the direction it differentiates; -1 else.
    int differentiated = -1;
};

class RoadRun {
public:
    explicit RoadRun(const RoadRequest& request);
    RoadRun(const RoadRun&) = delete;
    RoadRun& operator=(const RoadRun&) = delete;
    ~RoadRun();

    // Round `number` of the request: its inputs, SetDims, the assignments, then both passes.
    void Run(std::size_t number);

    const RoadRequest& Request() const { return m_request; }
    // The round that ran last, and its number.
    const RoundRequest& Round() const { return m_request.rounds.at(m_roundNumber); }
    std::size_t RoundNumber() const { return m_roundNumber; }
    QV_ModelType& Distribution() const { return *m_distribution; }
    QV_DOMAIN& Domain(int d) const { return *m_domains[d]; }
    // What SetUpEquations returned, and what the expression pass wrote.
    int Status() const { return m_status; }
    const qvhost::Pattern& Pattern() const { return m_pattern; }
    // The distribution's arrays as the assignments left them.
    const std::vector<ArrayIndices>& Arrays() const { return m_arrays; }

private:
    void FixInputs();
    void Assign(QV_DOMAIN& domain, int runs);

    RoadRequest m_request;
    std::size_t m_roundNumber = 0;
    QV_DOMAIN* m_domains[3] = {nullptr, nullptr, nullptr};
    QV_ModelType* m_distribution = nullptr;
    std::vector<ArrayIndices> m_arrays;
    int m_status = 0;
    qvhost::Pattern m_pattern;
};

} // namespace norvane::fuzz
