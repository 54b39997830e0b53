#include "host/variable_registry.h"

#include <new>

#include "host/pod_array.h"

namespace qvhost {
namespace {

struct Registry {
    PodArray<QV_VarParam*> variables; // by number; 0 is never handed out
    PodArray<std::uint32_t> free;     // numbers given back
};

Registry& TheRegistry() {
    static Registry* registry = new Registry(); // never destroyed: variables may outlive statics
    return *registry;
}

} // namespace

std::uint32_t VariableRegistry::Number(QV_VarParam& variable) {
    Registry& r = TheRegistry();
    if (r.variables.empty()) r.variables.push_back(nullptr);
    std::uint32_t id;
    if (!r.free.empty()) {
        id = r.free.back();
        r.free.pop_back();
        r.variables[id] = &variable;
    } else {
        if (r.variables.size() > UINT32_MAX) throw std::bad_alloc();
        id = static_cast<std::uint32_t>(r.variables.size());
        r.variables.push_back(&variable);
    }
    variable.m_registryId = id;
    return id;
}

QV_VarParam* VariableRegistry::VariableOf(std::uint32_t id) {
    return TheRegistry().variables[id];
}

void VariableRegistry::Release(QV_VarParam& variable) {
    if (variable.m_registryId == 0) return;
    Registry& r = TheRegistry();
    r.variables[variable.m_registryId] = nullptr;
    r.free.push_back(variable.m_registryId);
    variable.m_registryId = 0;
}

} // namespace qvhost
