# Installs the build tree BUILD under PREFIX and runs the installed driver's procedure road:
# the model library and the procedure library must be found beside the installed host.
#   cmake -DBUILD=<build tree> -DPREFIX=<fresh directory> -P check_install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${err}")
endif()
foreach(file bin/qvhost bin/libqvcore.so bin/Norvane340_1.so bin/libQVNorvane.so
             include/Norvane340_1/procedures/interpolate.h include/Norvane340_1/host/qvcore.h)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "the installation has no ${file}")
  endif()
endforeach()
execute_process(COMMAND ${PREFIX}/bin/qvhost --procedure
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "interpolated value: 3\\.375\n")
  message(FATAL_ERROR "the installed qvhost --procedure gave ${rc}:\n${out}${err}")
endif()
