#include "fuzz/road_run.h"

#include "framework/library_api.h"
#include "fuzz/fault.h"
#include "host/qvcore.h"
#include "types/distribution1d/distribution1d.h"
#include "types/distribution2d/distribution2d.h"
#include "types/distribution3d/distribution3d.h"
#include "types/domain/coordinate_domains.h"

#include <string>

extern "C" {
NORVANE_API QV_DOMAIN* DOMAINFactory();
NORVANE_API QV_LENGTHDOMAIN* LENGTHDOMAINFactory();
NORVANE_API QV_ANGLEDOMAIN* ANGLEDOMAINFactory();
NORVANE_API QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();
NORVANE_API QV_DISTRIBUTION2D* DISTRIBUTION2DFactory();
NORVANE_API QV_DISTRIBUTION3D* DISTRIBUTION3DFactory();
}

namespace norvane::fuzz {
namespace {

const char* const kDomainReferences[] = {"XDOMAIN", "YDOMAIN", "ZDOMAIN"};
const char* const kOwnOrders[] = {"HIGHESTORDERXDERIVATIVE", "HIGHESTORDERYDERIVATIVE",
                                  "HIGHESTORDERZDERIVATIVE"};

// The arguments with which the host runs the assignments of a model at the top of its tree.
constexpr int kTopLevel = 1;
constexpr int kFirstPass = 0;

QV_DOMAIN* MakeDomain(DomainKind kind) {
    switch (kind) {
    case DomainKind::Domain:
        return DOMAINFactory();
    case DomainKind::Length:
        break;
    case DomainKind::Angle:
        return ANGLEDOMAINFactory();
    }
    return LENGTHDOMAINFactory();
}

QV_ModelType* MakeDistribution(int dimensions) {
    if (dimensions == 1) return DISTRIBUTION1DFactory();
    if (dimensions == 2) return DISTRIBUTION2DFactory();
    return DISTRIBUTION3DFactory();
}

// What a property holds: the object filed in a type-replaceable property, else the property
// itself.
QV_Containable* Held(QV_Containable* property) {
    if (auto* replaceable = dynamic_cast<QV_VirtualBase*>(property))
        return replaceable->VirtualLink();
    return property;
}

// The value the user fixes, or none: the property is unfixed, as the user clears a value.
template <class Value> void Fix(QV_VarParam& property, bool fixed, const Value& value) {
    if (fixed)
        property.UserSet(value);
    else
        property.Unfix();
}

QV_VarParam& Property(QV_ModelType& model, const char* name) {
    auto* property = dynamic_cast<QV_VarParam*>(model.FindProperty(name));
    if (!property) Fault("the distribution has no %s", name);
    return *property;
}

std::vector<ArrayIndices> ArraysOf(const QV_ModelType& distribution) {
    std::vector<ArrayIndices> arrays;
    for (int k = 0; k < distribution.PropertyCount(); ++k) {
        const auto* array = dynamic_cast<const QV_Matrix*>(Held(distribution.PropertyAt(k)));
        if (!array) continue;
        ArrayIndices indices{array, {}, -1};
        const std::string name = distribution.PropertyAt(k)->Name();
        if (name.size() == 5 && name.compare(0, 3, "D2D") == 0)
            indices.differentiated = name[3] - 'X';
        for (int i = 0; i < array->IndexCount(); ++i) {
            const QV_Set* declared = i < QV_Matrix::MaxIndices ? array->m_DeclaredSets[i] : nullptr;
            indices.values.push_back(declared ? declared->fv() : QV_SetValue());
        }
        arrays.push_back(std::move(indices));
    }
    return arrays;
}

} // namespace

RoadRun::RoadRun(const RoadRequest& request) : m_request(request) {
    m_distribution = MakeDistribution(request.dimensions);
    if (!m_distribution) Fault("the distribution's factory gave null");
    for (int d = 0; d < request.dimensions; ++d) {
        m_domains[d] = MakeDomain(request.kinds[d]);
        if (!m_domains[d]) Fault("a domain's factory gave null");
        if (!request.linked[d]) continue;
        auto* reference =
            dynamic_cast<QV_ExternalBase*>(m_distribution->FindProperty(kDomainReferences[d]));
        if (!reference) Fault("the distribution has no %s", kDomainReferences[d]);
        if (!reference->Link(m_domains[d])) Fault("%s refuses a domain", kDomainReferences[d]);
    }
}

RoadRun::~RoadRun() {
    m_distribution->Release();
    for (QV_DOMAIN* domain : m_domains)
        if (domain) domain->Release();
}

void RoadRun::FixInputs() {
    for (int d = 0; d < m_request.dimensions; ++d) {
        const AxisRequest& axis = Round().axes[d];
        QV_DOMAIN& domain = *m_domains[d];
        domain.DISCRETIZATIONMETHOD.UserSet(axis.method.c_str());
        domain.NUMSECTIONS.UserSet(axis.sections);
        (*domain.LENGTH).UserSet(axis.length);
        Fix(*domain.SPACINGPREFERENCE, axis.spacingFixed, axis.spacing);
        Fix(domain.HIGHESTORDERDERIVATIVE, axis.orderFixed, axis.order);
        Fix(domain.MINNODECOUNT, axis.minNodesFixed, axis.minNodes);
        Fix(domain.NUMPOLYPOINTS, axis.polyPointsFixed, axis.polyPoints);
        QV_IntSetValue interior;
        for (int node : axis.interior)
            interior += node;
        Fix(domain.INTERIOR, axis.interiorFixed, interior);
        Fix(Property(*m_distribution, kOwnOrders[d]), axis.ownOrderFixed, axis.ownOrder);
    }
    Fix(Property(*m_distribution, "INTEGRALS"), Round().integralsFixed, Round().integrals.c_str());
}

void RoadRun::Assign(QV_DOMAIN& domain, int runs) {
    for (int run = 0; run < runs; ++run)
        domain.ExecuteAssignments(kTopLevel, kFirstPass);
}

void RoadRun::Run(std::size_t number) {
    m_roundNumber = number;
    const RoundRequest& round = Round();
    FixInputs();
    const int dimensions = m_request.dimensions;
    if (round.dimsFirst) {
        for (int d = 0; d < dimensions; ++d)
            m_domains[d]->SetDims();
        m_distribution->SetDims();
        for (int d = 0; d < dimensions; ++d)
            Assign(*m_domains[d], round.axes[d].assignmentRuns);
    } else {
        for (int d = 0; d < dimensions; ++d) {
            m_domains[d]->SetDims();
            Assign(*m_domains[d], round.axes[d].assignmentRuns);
        }
        m_distribution->SetDims();
    }
    m_distribution->ExecuteAssignments(kTopLevel, kFirstPass);
    m_arrays = ArraysOf(*m_distribution);

    qvhost::ResetSystem();
    m_status = m_distribution->SetUpEquations();
    m_pattern = qvhost::RunJacPattern(*m_distribution);
}

} // namespace norvane::fuzz
