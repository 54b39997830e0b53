#include "host/driver/distribution_road.h"

#include <cstdio>

#include "host/driver/host_properties.h"

namespace {

// The arguments with which the host runs the assignments of a model at the top of its tree.
constexpr int TopLevel = 1;
constexpr int FirstPass = 0;

// The host's text form of a string set: each member followed by a double quote.
std::string SetText(const std::vector<std::string>& members) {
    std::string text;
    for (const std::string& member : members)
        text += member + '"';
    return text;
}

// The status values with which a distribution refuses its equations, as the library
// documents them.
std::string RefusalReason(int status) {
    switch (status) {
    case -2:
        return "XDOMAIN is not linked to a domain";
    case -3:
        return "a section does not start where the one before it ends";
    case -4:
        return "the elements do not tile a section that the method walks element by element";
    case -5:
        return "an equation would address a node outside its section (a section shorter than "
               "the method's stencil) or a second derivative off the domain's INTERIOR";
    default:
        return "status " + std::to_string(status);
    }
}

// The text for a grid of about `nodes` nodes that --max-nodes `limit` does not allow.
std::string TooManyNodes(double nodes, long long limit) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "the grid would need about %.4g nodes, more than --max-nodes %lld allows", nodes,
                  limit);
    return text;
}

} // namespace

bool DistributionArrays::Holds(const QV_VarParam& variable) const {
    const QV_Containable* parent = variable.Parent();
    return parent && (parent == value || parent == ddx || parent == d2dx2 || parent == idx);
}

RoadStatus DistributionRoad::Fail(const std::string& problem) {
    m_problem = problem;
    return RoadStatus::Failed;
}

bool DistributionRoad::Make(ModelLibrary& library, const DriverOptions& options) {
    m_domain = library.Create("LENGTHDOMAIN", m_problem);
    if (!m_domain) return false;
    m_distribution = library.Create("DISTRIBUTION1D", m_problem);
    if (!m_distribution) return false;

    auto* link = dynamic_cast<QV_ExternalBase*>(m_distribution->FindProperty("XDOMAIN"));
    if (!link) {
        m_problem = "the distribution has no XDOMAIN reference";
        return false;
    }
    if (!link->Link(m_domain.get())) {
        m_problem = "the distribution's XDOMAIN refuses the LENGTHDOMAIN";
        return false;
    }
    if (!FixDomainInputs(*m_domain, options, m_problem)) return false;

    QV_VarParam* integrals = ValueOf(*m_distribution, "INTEGRALS");
    if (!integrals) {
        m_problem = "the distribution has no INTEGRALS";
        return false;
    }
    integrals->UserSet(QV_StrSetValue(SetText(options.integrals).c_str()));
    return FindArrays();
}

bool DistributionRoad::FindArrays() {
    m_arrays.value = ArrayOf(*m_distribution, "VALUE");
    m_arrays.ddx = ArrayOf(*m_distribution, "DDX");
    m_arrays.d2dx2 = ArrayOf(*m_distribution, "D2DX2");
    m_arrays.idx = ArrayOf(*m_distribution, "IDX");
    if (m_arrays.value && m_arrays.ddx && m_arrays.d2dx2 && m_arrays.idx) return true;
    m_problem = "the distribution lacks one of the arrays VALUE, DDX, D2DX2 and IDX";
    return false;
}

// SetDims and the assignments, the domain's run twice: its first run lays the sections out
// from the locations they had before it, the second from those it computed. The first run's
// grid already shows whether the settled one can be made within --max-nodes.
bool DistributionRoad::Assign(const DriverOptions& options) {
    m_domain->SetDims();
    m_distribution->SetDims();
    m_domain->ExecuteAssignments(TopLevel, FirstPass);
    int endNode = 0;
    if (!ReadEndNode(*m_domain, endNode, m_problem)) return false;
    if (endNode < 0) {
        m_problem = "the grid's node count does not fit in 32 bits";
        return false;
    }
    if (endNode > options.maxNodes) {
        m_problem = TooManyNodes(endNode, options.maxNodes);
        return false;
    }
    m_domain->ExecuteAssignments(TopLevel, FirstPass);
    m_distribution->ExecuteAssignments(TopLevel, FirstPass);
    return ReadGrid(*m_domain, m_grid, m_problem);
}

RoadStatus DistributionRoad::Run(ModelLibrary& library, const DriverOptions& options) {
    // Refuse before any node is made: a grid too large for memory must not be attempted.
    const double bound = NodeBound(options);
    if (bound > static_cast<double>(options.maxNodes))
        return Fail(TooManyNodes(bound, options.maxNodes));
    if (!Make(library, options) || !Assign(options)) return RoadStatus::Failed;

    qvhost::ResetSystem();
    m_groupBase = QV_ModelType::m_stLastGroup;
    m_setUpStatus = m_distribution->SetUpEquations();
    if (m_setUpStatus < 0) {
        m_problem = RefusalReason(m_setUpStatus);
        return RoadStatus::Refused;
    }
    m_pattern = qvhost::RunJacPattern(*m_distribution);
    return RoadStatus::Ready;
}
