// Procedure libraries: the external libraries that hold the routines of procedures. The host
// loads a library by its name from the directory of its own framework library ("lib<NAME>.so"
// on Linux, "<NAME>.dll" on Windows) and keeps it loaded until the process ends. Routines
// registered with RegisterRoutine are the host's own: they are found before a file's routine
// of the same names, and a name with registered routines needs no file.
#pragma once

#include "host/qv_api.h"
#include "host/qv_routine.h"

namespace qvhost {

struct ProcedureLibrary; // one library name: its loaded file and its registered routines

// The library named `name`, its file loaded on first use; null when there is neither a file
// nor a registered routine of that name. A missing file is looked for again at the next call.
QVCORE_API ProcedureLibrary* OpenProcedureLibrary(const char* name);

// The routine `routine` of `library` (a registered one first); null when there is none.
QVCORE_API QV_ProcedureRoutine FindRoutine(ProcedureLibrary* library, const char* routine);

// The routine that the library file `name` itself exports as `routine`, whatever is
// registered; null when the file or the routine is missing.
QVCORE_API QV_ProcedureRoutine FileRoutine(const char* name, const char* routine);

// Makes `function` the routine `routine` of library `name`; null removes the registration.
QVCORE_API void RegisterRoutine(const char* name, const char* routine,
                                QV_ProcedureRoutine function);

} // namespace qvhost
