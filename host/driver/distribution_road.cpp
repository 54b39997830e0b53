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
// documents them. The grid check does not say in which direction it found the fault.
std::string RefusalReason(int status, const DistributionKind& kind) {
    const std::string where = kind.dims > 1 ? " (in one of the directions)" : "";
    switch (status) {
    case -2:
        return WordList(kind.references, "or") + " is not linked to a domain";
    case -3:
        return "the sections do not follow one another from node 0 to ENDNODE, or a domain "
               "has no grid" +
               where;
    case -4:
        return "the elements do not tile a section that the method walks element by "
               "element" +
               where;
    case -5:
        return "an equation would address a node outside its section (a section shorter than "
               "the method's stencil)" +
               where;
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
    return parent && (parent == value || SubBlockOf(variable) < subBlocks.size());
}

std::size_t DistributionArrays::SubBlockOf(const QV_VarParam& variable) const {
    const QV_Containable* parent = variable.Parent();
    std::size_t k = 0;
    while (k < subBlocks.size() && (!parent || parent != subBlocks[k]))
        ++k;
    return k;
}

RoadStatus DistributionRoad::Fail(const std::string& problem) {
    m_problem = problem;
    return RoadStatus::Failed;
}

bool DistributionRoad::Make(ModelLibrary& library, const DriverOptions& options) {
    const DistributionKind& kind = *m_kind;
    for (int d = 0; d < kind.dims; ++d) {
        m_domains[d] = library.Create("LENGTHDOMAIN", m_problem);
        if (!m_domains[d]) return false;
    }
    m_distribution = library.Create(kind.type, m_problem);
    if (!m_distribution) return false;

    for (int d = 0; d < kind.dims; ++d) {
        const char* name = kind.references[d].c_str();
        auto* link = dynamic_cast<QV_ExternalBase*>(m_distribution->FindProperty(name));
        if (!link) {
            m_problem = std::string("the distribution has no ") + name + " reference";
            return false;
        }
        if (!link->Link(m_domains[d].get())) {
            m_problem = std::string("the distribution's ") + name + " refuses the LENGTHDOMAIN";
            return false;
        }
        if (!FixDomainInputs(*m_domains[d], options.axes[d], m_problem)) return false;
    }

    QV_VarParam* integrals = ValueOf(*m_distribution, "INTEGRALS");
    if (!integrals) {
        m_problem = "the distribution has no INTEGRALS";
        return false;
    }
    integrals->UserSet(QV_StrSetValue(SetText(options.integrals).c_str()));
    return FindArrays();
}

bool DistributionRoad::FindArrays() {
    m_arrays.value = MatrixOf(*m_distribution, "VALUE");
    m_arrays.subBlocks.clear();
    std::string names = "VALUE";
    bool found = m_arrays.value != nullptr;
    for (const SubBlockKind& block : m_kind->subBlocks) {
        m_arrays.subBlocks.push_back(MatrixOf(*m_distribution, block.array.c_str()));
        found = found && m_arrays.subBlocks.back();
        names += (&block == &m_kind->subBlocks.back() ? " and " : ", ") + block.array;
    }
    if (!found) m_problem = "the distribution lacks one of the arrays " + names;
    return found;
}

// SetDims and the assignments, each domain's run twice: its first run lays the sections out
// from the locations they had before it, the second from those it computed. The first run's
// grids already show whether the settled grid can be made within --max-nodes.
bool DistributionRoad::Assign(const DriverOptions& options) {
    const int dims = m_kind->dims;
    for (int d = 0; d < dims; ++d)
        m_domains[d]->SetDims();
    m_distribution->SetDims();
    double nodes = 1.0;
    for (int d = 0; d < dims; ++d) {
        m_domains[d]->ExecuteAssignments(TopLevel, FirstPass);
        int endNode = 0;
        if (!ReadEndNode(*m_domains[d], endNode, m_problem)) return false;
        if (endNode < 0) {
            m_problem = "the grid's node count does not fit in 32 bits";
            return false;
        }
        nodes *= endNode + 1.0;
    }
    if (nodes > static_cast<double>(options.maxNodes)) {
        m_problem = TooManyNodes(nodes, options.maxNodes);
        return false;
    }
    for (int d = 0; d < dims; ++d)
        m_domains[d]->ExecuteAssignments(TopLevel, FirstPass);
    m_distribution->ExecuteAssignments(TopLevel, FirstPass);
    for (int d = 0; d < dims; ++d)
        if (!ReadGrid(*m_domains[d], m_grids[d], m_problem)) return false;
    return true;
}

RoadStatus DistributionRoad::Run(ModelLibrary& library, const DriverOptions& options) {
    m_kind = &KindOf(options.dims);
    // Refuse before any node is made: a grid too large for memory must not be attempted.
    const double bound = NodeBound(options);
    if (bound > static_cast<double>(options.maxNodes))
        return Fail(TooManyNodes(bound, options.maxNodes));
    if (!Make(library, options) || !Assign(options)) return RoadStatus::Failed;

    qvhost::ResetSystem();
    m_groupBase = QV_ModelType::m_stLastGroup;
    m_setUpStatus = m_distribution->SetUpEquations();
    if (m_setUpStatus < 0) {
        m_problem = RefusalReason(m_setUpStatus, *m_kind);
        return RoadStatus::Refused;
    }
    m_pattern = qvhost::RunJacPattern(*m_distribution);
    return RoadStatus::Ready;
}
