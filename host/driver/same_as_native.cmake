# Runs one request twice, with the native driver and with this build's driver (through the
# emulator), and requires the same exit code, the same printed text (the Windows runtime ends
# each printed line with CR LF) and the same dump, byte for byte.
#   -DNATIVE=<native qvhost> -DQVHOST=<program> -DEMULATOR=<wine> -DARGS=<a|b|...> -DDUMP=<stem>
if(NOT EXISTS ${NATIVE})
  message(FATAL_ERROR "no native driver at ${NATIVE}: build the native tree first "
                      "(tools/test.sh does), or configure with -DNORVANE_NATIVE_QVHOST=<path>")
endif()
string(REPLACE "|" ";" ARGS "${ARGS}")
foreach(side native platform)
  # A dump left by an earlier run must not pass for this one's.
  file(REMOVE ${DUMP}.${side}.json)
endforeach()
execute_process(COMMAND ${NATIVE} ${ARGS} --dump ${DUMP}.native.json
                RESULT_VARIABLE native_rc OUTPUT_VARIABLE native_out ERROR_VARIABLE native_err)
execute_process(COMMAND ${EMULATOR} ${QVHOST} ${ARGS} --dump ${DUMP}.platform.json
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r\n" "\n" out "${out}")
if(NOT rc STREQUAL native_rc)
  message(FATAL_ERROR "exit code ${rc}, the native driver's ${native_rc}\n${out}${err}")
endif()
if(NOT out STREQUAL native_out)
  file(WRITE ${DUMP}.native.txt "${native_out}")
  file(WRITE ${DUMP}.platform.txt "${out}")
  message(FATAL_ERROR "the printed text differs: ${DUMP}.native.txt, ${DUMP}.platform.txt")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DUMP}.native.json
                        ${DUMP}.platform.json RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "the dumps differ: ${DUMP}.native.json, ${DUMP}.platform.json\n${err}")
endif()
