// Fuzz target: the interpolation procedure through its whole life for any argument list, table,
// mode and order of calls (procedure_run.h), its routine INTERP loaded from the procedure
// library beside the host and watched as it is called. Every block the life takes must be
// back when the procedure, its owner and its variables are gone.
#include "fuzz/fault.h"
#include "fuzz/procedure_routine.h"
#include "fuzz/procedure_run.h"
#include "host/qv_memory.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvane::fuzz;
    if (!RecordRoutineCalls()) Fault("the procedure library QVNorvane or its INTERP is missing");
    const ProcedureRequest request = DecodeProcedureRequest(data, size);
    const long blocks = qvhost::LiveBlocks();
    {
        ProcedureRun run(request);
        run.Run();
    }
    if (qvhost::LiveBlocks() != blocks)
        Fault("%ld blocks left after the procedure's life", qvhost::LiveBlocks() - blocks);
    return 0;
}
