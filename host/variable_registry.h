// The host's numbering of the variables that its stored structures and expressions refer to.
// A stored reference is a 32-bit number rather than a pointer, which halves what the largest
// stores cost. A variable is numbered when it is first stored and gives its number back when
// it goes away; a number given back is handed out again.
#pragma once

#include <cstdint>

#include "host/pod_array.h"
#include "host/qv_object.h"

namespace qvhost {

class VariableRegistry {
public:
    // The variable's number (from 1), given on first use.
    static std::uint32_t IdOf(QV_VarParam& variable) {
        return variable.m_registryId != 0 ? variable.m_registryId : Number(variable);
    }
    // The variable of a number in use.
    static QV_VarParam* VariableOf(std::uint32_t id) { return s_variables->operator[](id); }
    // Gives the variable's number back, if it has one.
    static void Release(QV_VarParam& variable);

private:
    static std::uint32_t Number(QV_VarParam& variable);
    // Made with the first number and never destroyed: variables may outlive static objects.
    static PodArray<QV_VarParam*>* s_variables; // by number; 0 is never handed out
    static PodArray<std::uint32_t>* s_free;     // numbers given back
};

} // namespace qvhost
