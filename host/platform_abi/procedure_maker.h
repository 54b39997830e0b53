// The interpolation procedure made and listed as a model's generated code does it, through the
// members that the library exports by name (the driver's binding).
#pragma once

#include <deque>

#include "host/driver/model_library.h"
#include "host/driver/procedure_binding.h"

namespace platform_abi {

// The host's storage that a listed procedure holds at least: its value buffer and element list.
constexpr long ProcedureStorageBlocks = 2;

// Makes QVProc_INTERPOLATE objects in place: the library's constructor, then the arguments
// listed in both passes, after which the procedure holds the storage that the host gave it (its
// Values() among them, a block of the host's allocator that only its destruction returns).
class ProcedureMaker {
public:
    ProcedureMaker();
    // False when the library lacks a member that a procedure's making needs.
    bool Ready() const { return m_ready; }
    // The procedure made and listed in `place`, room for a QVProc_INTERPOLATE.
    QV_ProcedureType* Make(void* place);
    const InterpolationBinding& Binding() const { return m_binding; }

private:
    ModelLibrary m_library;
    InterpolationBinding m_binding;
    void* m_construct = nullptr;
    bool m_ready = false;
    QV_REALVARIABLE m_point, m_output;
    std::deque<QV_REALVARIABLE> m_table; // the abscissae, then the ordinates
};

} // namespace platform_abi
