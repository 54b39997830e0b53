#include "host/platform_abi/procedure_maker.h"

#include <string>

#include "host/driver/dynamic_library.h"
#include "host/platform_abi/check.h"

namespace platform_abi {
namespace {

constexpr int TablePoints = 2;

using Constructor = void(__thiscall*)(void* object, bool flag, int mode);

} // namespace

ProcedureMaker::ProcedureMaker() {
    std::string error;
    m_ready = m_library.Open(ExecutableDirectory() + "Norvane340_1.dll", error) &&
              m_binding.Resolve(m_library, error);
    m_construct = m_library.Symbol("??0QVProc_INTERPOLATE@@QAE@_NH@Z");
    if (!m_construct) error = "the library exports no constructor of QVProc_INTERPOLATE";
    m_ready = m_ready && m_construct;
    ABI_CHECK(m_ready, "no procedure can be made: " + error);
    m_point.SetCurrentValue(0.5);
    for (int k = 0; k < 2 * TablePoints; ++k)
        m_table.emplace_back(true).SetCurrentValue(k % TablePoints);
}

QV_ProcedureType* ProcedureMaker::Make(void* place) {
    reinterpret_cast<Constructor>(m_construct)(place, false, 0);
    auto* procedure = static_cast<QV_ProcedureType*>(place);
    const auto list = [&] {
        m_binding.Argument(procedure, m_point);
        for (int vector = 0; vector < 2; ++vector) {
            m_binding.Argument(procedure);
            for (int k = 0; k < TablePoints; ++k)
                m_binding.Element(procedure, m_table[vector * TablePoints + k]);
            m_binding.SetDimensionSize(procedure, TablePoints);
        }
        m_binding.Argument(procedure, 1); // the mode, a constant
        m_binding.Argument(procedure, m_output);
    };
    list();
    m_binding.LastArgument(procedure);
    list();
    return procedure;
}

} // namespace platform_abi
