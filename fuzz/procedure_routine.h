// The routine INTERP as the procedure target sees it: a routine registered in front of the
// library's own, which counts the calls and keeps what the last one was asked and answered,
// then hands the call to the routine that the library file exports.
#pragma once

namespace norvane::fuzz {

struct RoutineCalls {
    long calls = 0;
    int callType = 0; // of the last call
    int failure = 0;  // the flag the last call set
};

// Registers the recording routine once; false when the library file or its routine is missing.
bool RecordRoutineCalls();

// The calls so far.
const RoutineCalls& RoutineRecord();

} // namespace norvane::fuzz
