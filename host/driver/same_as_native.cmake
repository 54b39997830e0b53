# Runs one request twice, with the native driver and with this build's driver (through the
# emulator), and requires the same exit code, the same printed text (the Windows runtime ends
# each printed line with CR LF) and, with DUMP, the same dump, byte for byte. SKIP_LINES leaves
# out the first printed lines, which name the library file and what the platform's file format
# carries beside the code.
#   -DNATIVE=<native qvhost> -DQVHOST=<program> -DEMULATOR=<wine> -DARGS=<a|b|...>
#   -DOUT=<stem of the files written> [-DDUMP=ON] [-DSKIP_LINES=<count>]
if(NOT EXISTS ${NATIVE})
  message(FATAL_ERROR "no native driver at ${NATIVE}: build the native tree first "
                      "(tools/test.sh does), or configure with -DNORVANE_NATIVE_QVHOST=<path>")
endif()
string(REPLACE "|" ";" ARGS "${ARGS}")
foreach(side native platform)
  set(${side}_args ${ARGS})
  if(DUMP)
    # A dump left by an earlier run must not pass for this one's.
    file(REMOVE ${OUT}.${side}.json)
    list(APPEND ${side}_args --dump ${OUT}.${side}.json)
  endif()
endforeach()
execute_process(COMMAND ${NATIVE} ${native_args} RESULT_VARIABLE native_rc
                OUTPUT_VARIABLE native_out ERROR_VARIABLE native_err)
execute_process(COMMAND ${EMULATOR} ${QVHOST} ${platform_args} RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r\n" "\n" out "${out}")
if(NOT rc STREQUAL native_rc)
  message(FATAL_ERROR "exit code ${rc}, the native driver's ${native_rc}\n${out}${err}")
endif()
if(SKIP_LINES)
  foreach(side native_out out)
    foreach(line RANGE 1 ${SKIP_LINES})
      string(FIND "${${side}}" "\n" end)
      math(EXPR start "${end} + 1")
      string(SUBSTRING "${${side}}" ${start} -1 ${side})
    endforeach()
  endforeach()
endif()
if(NOT out STREQUAL native_out)
  file(WRITE ${OUT}.native.txt "${native_out}")
  file(WRITE ${OUT}.platform.txt "${out}")
  message(FATAL_ERROR "the printed text differs: ${OUT}.native.txt, ${OUT}.platform.txt")
endif()
if(DUMP)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}.native.json
                          ${OUT}.platform.json RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "the dumps differ: ${OUT}.native.json, ${OUT}.platform.json\n${err}")
  endif()
endif()
