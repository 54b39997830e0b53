// The road of one request, as a host runs it: one LENGTHDOMAIN per direction and a
// DISTRIBUTION1D, 2D or 3D made by the library's factories, the distribution's XDOMAIN (YDOMAIN,
// ZDOMAIN) linked to them, the domains' inputs fixed by the user, then SetDims, the
// assignments, a new equation system, the structure pass (SetUpEquations) and the expression
// pass (JacPattern).
#pragma once

#include <string>
#include <vector>

#include "host/driver/distribution_kind.h"
#include "host/driver/domain_grid.h"
#include "host/driver/model_library.h"
#include "host/driver/options.h"
#include "host/qv_system.h"
#include "host/qvcore.h"

// The distribution's arrays, whose elements are the variables its equations are written in.
struct DistributionArrays {
    QV_Matrix* value = nullptr;        // the array filed in the replaceable VALUE property
    std::vector<QV_Matrix*> subBlocks; // the array of each of the kind's sub-blocks

    // True when `variable` is an element of one of the arrays.
    bool Holds(const QV_VarParam& variable) const;
    // The sub-block whose array holds `variable`; subBlocks.size() for none of them.
    std::size_t SubBlockOf(const QV_VarParam& variable) const;
};

enum class RoadStatus {
    Ready,   // both passes ran; the equations are registered
    Refused, // SetUpEquations returned a negative status; the problem says why
    Failed,  // the road could not be run (library, property or grid size); the problem says why
};

class DistributionRoad {
public:
    // Runs the road with these options. The library must stay loaded while this road lives.
    RoadStatus Run(ModelLibrary& library, const DriverOptions& options);

    const DistributionKind& Kind() const { return *m_kind; }
    // Why the road failed or the distribution refused; empty when it is ready.
    const std::string& Problem() const { return m_problem; }
    // Direction d's grid read after the assignments (empty before they ran).
    const DomainGrid& Grid(int d = 0) const { return m_grids[d]; }

    // Valid once Run has made them (Failed may leave them null).
    QV_ModelType* Domain(int d = 0) const { return m_domains[d].get(); }
    QV_ModelType* Distribution() const { return m_distribution.get(); }
    const DistributionArrays& Arrays() const { return m_arrays; }

    // QV_ModelType::m_stLastGroup just before SetUpEquations: the base the distribution's
    // group numbers count from.
    int GroupBase() const { return m_groupBase; }
    // What SetUpEquations returned: the equation count, or a negative status.
    int SetUpStatus() const { return m_setUpStatus; }
    // The Jacobian entries and equation counter of the JacPattern run.
    const qvhost::Pattern& Pattern() const { return m_pattern; }

private:
    bool Make(ModelLibrary& library, const DriverOptions& options);
    bool Assign(const DriverOptions& options);
    bool FindArrays();
    RoadStatus Fail(const std::string& problem);

    const DistributionKind* m_kind = &KindOf(1);
    // Declared in this order so that the distribution, which refers to the domains, is
    // released first.
    ModelPtr m_domains[MaxDims];
    ModelPtr m_distribution;
    DistributionArrays m_arrays;
    DomainGrid m_grids[MaxDims];
    std::string m_problem;
    int m_groupBase = 0;
    int m_setUpStatus = 0;
    qvhost::Pattern m_pattern;
};
