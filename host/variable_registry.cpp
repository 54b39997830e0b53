#include "host/variable_registry.h"

#include <new>

namespace qvhost {

PodArray<QV_VarParam*>* VariableRegistry::s_variables = nullptr;
PodArray<std::uint32_t>* VariableRegistry::s_free = nullptr;

std::uint32_t VariableRegistry::Number(QV_VarParam& variable) {
    if (!s_variables) {
        s_variables = new PodArray<QV_VarParam*>();
        s_free = new PodArray<std::uint32_t>();
        s_variables->push_back(nullptr);
    }
    std::uint32_t id;
    if (!s_free->empty()) {
        id = s_free->back();
        s_free->pop_back();
        (*s_variables)[id] = &variable;
    } else {
        if (s_variables->size() > UINT32_MAX) throw std::bad_alloc();
        id = static_cast<std::uint32_t>(s_variables->size());
        s_variables->push_back(&variable);
    }
    variable.m_registryId = id;
    return id;
}

void VariableRegistry::Release(QV_VarParam& variable) {
    if (variable.m_registryId == 0) return;
    (*s_variables)[variable.m_registryId] = nullptr;
    s_free->push_back(variable.m_registryId);
    variable.m_registryId = 0;
}

} // namespace qvhost
