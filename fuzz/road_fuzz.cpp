// Fuzz target: the road of a one-, two- or three-dimensional distribution for any request a
// user can make, run through the host stand-in once, or twice on the same objects with other
// inputs, and checked after each round (road_checks.cpp). Requests whose grids could pass a
// few thousand nodes are skipped before anything is made. Every block the road takes must be
// back when its objects are released.
#include "fuzz/road_fuzz.h"
#include "framework/library_api.h"
#include "fuzz/fault.h"
#include "types/distribution1d/distribution1d.h"
#include "types/distribution2d/distribution2d.h"
#include "types/distribution3d/distribution3d.h"
#include "types/domain/coordinate_domains.h"

extern "C" {
NORVANE_API QV_LENGTHDOMAIN* LENGTHDOMAINFactory();
NORVANE_API QV_DISTRIBUTION1D* DISTRIBUTION1DFactory();
NORVANE_API QV_DISTRIBUTION2D* DISTRIBUTION2DFactory();
NORVANE_API QV_DISTRIBUTION3D* DISTRIBUTION3DFactory();
}

namespace norvane::fuzz {
namespace {

// The arguments with which the host runs the assignments of a model at the top of its tree.
constexpr int kTopLevel = 1, kFirstPass = 0;

// The value the user fixes, or none: the property is unfixed, as the user clears a value.
template <class Value> void Fix(QV_VarParam& property, const std::optional<Value>& value) {
    if (value)
        property.UserSet(*value);
    else
        property.Unfix();
}

QV_VarParam& Property(QV_ModelType& model, const std::string& name) {
    return dynamic_cast<QV_VarParam&>(*model.FindProperty(name.c_str()));
}

// The round's inputs, SetDims and the assignments in the round's order, a new equation system,
// the structure pass and the expression pass.
void RunRound(Road& road, const RoundRequest& round) {
    const int dimensions = road.request.dimensions;
    for (int d = 0; d < dimensions; ++d) {
        const AxisRequest& axis = round.axes[d];
        QV_DOMAIN& domain = *road.domains[d];
        domain.DISCRETIZATIONMETHOD.UserSet(axis.method.c_str());
        domain.NUMSECTIONS.UserSet(axis.sections);
        (*domain.LENGTH).UserSet(axis.length);
        Fix(*domain.SPACINGPREFERENCE, axis.spacing);
        Fix(domain.HIGHESTORDERDERIVATIVE, axis.order);
        Fix(domain.MINNODECOUNT, axis.minNodes);
        Fix(domain.NUMPOLYPOINTS, axis.polyPoints);
        Fix(domain.INTERIOR, axis.interior);
        Fix(Property(*road.distribution, std::string("HIGHESTORDER") + "XYZ"[d] + "DERIVATIVE"),
            axis.ownOrder);
    }
    const std::optional<const char*> integrals =
        round.integrals ? std::optional(round.integrals->c_str()) : std::nullopt;
    Fix(Property(*road.distribution, "INTEGRALS"), integrals);
    const auto assign = [&](int d) {
        for (int run = 0; run < round.axes[d].assignmentRuns; ++run)
            road.domains[d]->ExecuteAssignments(kTopLevel, kFirstPass);
    };
    for (int d = 0; d < dimensions; ++d) {
        road.domains[d]->SetDims();
        if (!round.dimsFirst) assign(d);
    }
    road.distribution->SetDims();
    for (int d = 0; round.dimsFirst && d < dimensions; ++d)
        assign(d);
    road.distribution->ExecuteAssignments(kTopLevel, kFirstPass);
    qvhost::ResetSystem();
    road.status = road.distribution->SetUpEquations();
    qvhost::RunJacPattern(*road.distribution, road.pattern);
}

// The domains and the distribution made by the library's factories, the domain references
// that the request links linked, every round run and checked, and the objects released.
void RunRoad(const RoadRequest& request) {
    const int dimensions = request.dimensions;
    QV_ModelType* distribution = dimensions == 1 ? DISTRIBUTION1DFactory()
                                 : dimensions == 2
                                     ? static_cast<QV_ModelType*>(DISTRIBUTION2DFactory())
                                     : DISTRIBUTION3DFactory();
    Road road{request, {}, distribution, 0, {}};
    for (int d = 0; d < dimensions; ++d) {
        road.domains[d] = LENGTHDOMAINFactory();
        const std::string name = std::string(1, "XYZ"[d]) + "DOMAIN";
        auto* reference = dynamic_cast<QV_ExternalBase*>(distribution->FindProperty(name.c_str()));
        if (!road.domains[d] || !reference) Fault("no domain or no %s", name.c_str());
        if (request.linked[d] && !reference->Link(road.domains[d]))
            Fault("%s refuses a domain", name.c_str());
    }
    for (const RoundRequest& round : request.rounds) {
        RunRound(road, round);
        CheckRoad(road);
    }
    distribution->Release();
    for (int d = 0; d < dimensions; ++d)
        road.domains[d]->Release();
}

} // namespace
} // namespace norvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvane::fuzz;
    const RoadRequest request = DecodeRoadRequest(data, size);
    if (!WithinBounds(request, 4000.0, 4000.0)) return 0; // nodes per direction, in all
    const long blocks = qvhost::LiveBlocks();
    RunRoad(request);
    if (qvhost::LiveBlocks() != blocks)
        Fault("%ld blocks left after Release", qvhost::LiveBlocks() - blocks);
    if (qvhost::RefusedFrees() != 0) Fault("MyFree refused %ld pointers", qvhost::RefusedFrees());
    return 0;
}
