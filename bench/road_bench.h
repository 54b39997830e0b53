// The harness of the road benchmarks. A road is a distribution on its grid, made ready once per
// size; each timed iteration runs a host's passes over it (a new equation system,
// SetUpEquations, JacPattern into buffers that the passes reuse). For every road the harness
// registers three cases over one list of sizes:
//   Road<suffix>      the passes, per equation and per token, and the peak memory that making
//                     the road and running it took, per equation instance
//   Baseline<suffix>  the same tokens written into one vector per equation, as a plain
//                     expression store would hold them: the road's ratio is taken against it
//   Floor<suffix>     the same tokens written into one reserved contiguous array
// The three cases of one size run one after the other, so that the road and its baseline see
// the same load on a shared machine; each runs three times and reports the median. After the
// run a summary puts each road's figures side by side and checks them against the targets.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/qv_system.h"

namespace roadbench {

class Road {
public:
    Road() = default;
    Road(const Road&) = delete;
    Road& operator=(const Road&) = delete;
    virtual ~Road() = default;

    // The distribution whose equations the passes declare and write.
    virtual QV_ModelType& Distribution() = 0;
    // The nodes of its grid, over every direction.
    virtual double Nodes() = 0;

    // One structure pass and one expression pass, as a host runs them.
    void Pass() {
        qvhost::ResetSystem();
        Distribution().SetUpEquations();
        qvhost::RunJacPattern(Distribution(), m_pattern);
    }

private:
    qvhost::Pattern m_pattern;
};

// Makes the road at one size (nodes along the grid, or per direction: the road decides).
using RoadMaker = std::function<std::unique_ptr<Road>(long size)>;

// What a road must meet, over its whole size range, in one run.
struct Targets {
    double flatness = 1.5;           // per token at the largest size / at the smallest
    double overBaseline = 3.0;       // road per token / baseline per token, at every size
    double bytesPerEquation = 400.0; // peak memory per equation instance
};

// Registers Road<suffix>, Baseline<suffix> and Floor<suffix> at each size, to be held to
// `targets`; returns true so that a namespace-scope constant can hold the registration.
bool RegisterRoad(const std::string& suffix, const std::vector<long>& sizes, RoadMaker make,
                  const Targets& targets = Targets());

} // namespace roadbench
