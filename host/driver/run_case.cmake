# Runs qvhost once and checks its exit code, its output and, when asked, its JSON dump.
#   -DQVHOST=<program> [-DEMULATOR=<wine>] -DARGS=<a|b|...> -DRC=<code>
#   [-DMATCH=<regex on stdout and stderr>] [-DDUMP=<file>] [-DNODES=<count>]
#   [-DLAST=<text of the last node>] [-DSECTIONS=<count>]
#   [-DCHECK=<dump file> -DPYTHON=<python3> -DCHECKER=<check_dump.py> [-DCHECK_ARGS=<a|b|...>]]
#   [-DPRELOAD=<library preloaded into qvhost>]
# CHECK runs the checker on the dump, with what qvhost printed (saved beside the dump).
string(REPLACE "|" ";" ARGS "${ARGS}")
if(DEFINED CHECK)
  # A dump left by an earlier run must not pass for this one's.
  file(REMOVE ${CHECK})
endif()
if(DEFINED PRELOAD)
  set(ENV{LD_PRELOAD} ${PRELOAD})
  # A sanitizer build's runtime need not come first: the preloaded library has no allocator.
  set(ENV{ASAN_OPTIONS} "verify_asan_link_order=0:$ENV{ASAN_OPTIONS}")
endif()
execute_process(COMMAND ${EMULATOR} ${QVHOST} ${ARGS}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc STREQUAL RC)
  message(FATAL_ERROR "exit code ${rc}, expected ${RC}\n${out}${err}")
endif()
if(DEFINED MATCH AND NOT "${out}${err}" MATCHES "${MATCH}")
  message(FATAL_ERROR "output does not match '${MATCH}':\n${out}${err}")
endif()
if(DEFINED DUMP)
  file(READ ${DUMP} json)
  string(JSON nodes LENGTH "${json}" nodes)
  if(NOT nodes EQUAL NODES)
    message(FATAL_ERROR "${nodes} nodes in the dump, expected ${NODES}")
  endif()
  math(EXPR last "${nodes} - 1")
  string(JSON value GET "${json}" nodes ${last})
  if(NOT value STREQUAL LAST)
    message(FATAL_ERROR "last node ${value}, expected ${LAST}")
  endif()
  string(JSON sections LENGTH "${json}" sections)
  if(NOT sections EQUAL SECTIONS)
    message(FATAL_ERROR "${sections} sections in the dump, expected ${SECTIONS}")
  endif()
  foreach(key location length nodecount base numelements elementlength interior)
    string(JSON member ERROR_VARIABLE missing GET "${json}" sections 0 ${key})
    if(missing)
      message(FATAL_ERROR "section 1 has no '${key}'")
    endif()
  endforeach()
endif()
if(DEFINED CHECK)
  string(REPLACE "|" ";" CHECK_ARGS "${CHECK_ARGS}")
  file(WRITE ${CHECK}.out "${out}")
  execute_process(COMMAND ${PYTHON} ${CHECKER} ${CHECK} --output ${CHECK}.out ${CHECK_ARGS}
                  RESULT_VARIABLE checked OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(NOT checked EQUAL 0)
    message(FATAL_ERROR "the dump does not pass the checker:\n${report}\n${out}${err}")
  endif()
  message(STATUS "${report}")
endif()
