#include "host/platform_abi/procedure_deletion.h"

#include <string>
#include <vector>

#include "host/platform_abi/check.h"
#include "host/platform_abi/deleting_destructor.h"
#include "host/platform_abi/procedure_maker.h"
#include "procedures/interpolate.h"

namespace platform_abi {
namespace {

// The equation that the procedure's owner registers for its output, made as the owner's
// equation pass makes it: the equation object that the library makes, or null.
class OwnedEquation {
public:
    OwnedEquation(const InterpolationBinding& binding, QV_ProcedureType* procedure) {
        const int group = QV_ModelType::m_stLastGroup + 1;
        int equations = 0;
        const int nonZeros = binding.NZAndEqnContribution(procedure, &m_owner, group, equations);
        m_rows.resize(static_cast<std::size_t>(nonZeros > 0 ? nonZeros : 0));
        m_cols.resize(m_rows.size());
        m_owner.SetPatternBuffer(m_rows.data(), m_rows.data() + m_rows.size());
        int* rows = m_rows.data();
        int* cols = m_cols.data();
        int counter = 0;
        binding.CreateEquationsAndSetGroup(procedure, group, rows, cols, counter, &m_owner);
    }
    QV_EquationType* Object() const {
        return m_owner.EquationCount() == 1 ? m_owner.EquationObject(0) : nullptr;
    }
    // The owner's next pass drops the equations of the last, releasing its reference to each.
    void Drop() {
        int* none = nullptr;
        m_owner.JacPattern(none, none, nullptr);
    }

private:
    QV_ModelTypeEx m_owner;
    std::vector<int> m_rows, m_cols;
};

// Destroys equation objects of procedures through their table with each flag value: the host's
// objects that the library made, whose blocks go back to the library's allocator.
int DestroyEquationObjects(ProcedureMaker& maker) {
    int destroyed = 0;
    for (unsigned flags : SingleObjectFlags) {
        const std::string with =
            "a procedure's equation object with flags " + std::to_string(flags);
        void* block = MyAllocate(sizeof(QVProc_INTERPOLATE));
        ABI_CHECK(block, with + ": the host's allocator gave no block");
        if (!block) continue;
        QV_ProcedureType* procedure = maker.Make(block);
        {
            const long before = qvhost::LiveBlocks();
            OwnedEquation equation(maker.Binding(), procedure);
            QV_EquationType* object = equation.Object();
            ABI_CHECK(dynamic_cast<QV_ProcedureEquationType*>(object),
                      with + ": the owner holds no procedure equation object");
            ABI_CHECK(qvhost::LiveBlocks() == before + 1,
                      with + ": the equation pass made other than one block");
            if (object) {
                // The test's reference outlives the owner's, which its next pass releases.
                object->AddRef();
                equation.Drop();
                DeleteThroughTable(object, flags);
                ++destroyed;
                CheckBlocksAfter(with, flags, before, object);
            }
        }
        DeleteThroughTable(procedure, 1);
    }
    return destroyed;
}

} // namespace

int CheckProcedureDeletion(const Modules& modules) {
    ProcedureMaker maker;
    if (!maker.Ready()) return 0;
    const std::uintptr_t table = modules.library.Export(TableName("QVProc_INTERPOLATE@", ""));
    int destroyed = 0;
    for (unsigned flags : SingleObjectFlags) {
        const std::string with = "a listed QVProc_INTERPOLATE with flags " + std::to_string(flags);
        const long before = qvhost::LiveBlocks();
        void* block = MyAllocate(sizeof(QVProc_INTERPOLATE));
        ABI_CHECK(block, with + ": the host's allocator gave no block");
        if (!block) continue;
        QV_ProcedureType* procedure = maker.Make(block);
        ABI_CHECK(*static_cast<const std::uintptr_t*>(block) == table,
                  with + ": the constructor made no object of the class's table");
        ABI_CHECK(procedure->Values() &&
                      qvhost::LiveBlocks() >= before + 1 + ProcedureStorageBlocks,
                  with + ": the host gave it no storage");
        DeleteThroughTable(procedure, flags);
        ++destroyed;
        CheckBlocksAfter(with, flags, before, block);
    }
    return destroyed + DestroyEquationObjects(maker);
}

} // namespace platform_abi
