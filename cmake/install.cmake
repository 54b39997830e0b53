# Installation in the layout of a host installation: the host's program and framework library,
# the model-type library and the procedure library side by side in bin/ (the host loads the
# model library from its program's directory and procedure libraries from its framework's),
# import libraries in lib/ (Windows), and in include/Norvane340_1/ the headers that a model
# library's generated code compiles against.
#   cmake --install build-native --prefix /opt/qvhost
set(NORVANE_INSTALLED qvcore Norvane340_1)
if(NORVANE_MSVC_ABI)
  # The procedure library comes built by the mingw-w64 tree beside (host/qvnorvane).
  install(PROGRAMS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/QVNorvane.dll DESTINATION bin)
else()
  list(APPEND NORVANE_INSTALLED QVNorvane)
endif()
if(TARGET qvhost)
  list(APPEND NORVANE_INSTALLED qvhost)
endif()
if(NOT WIN32)
  # Each finds the others in its own directory.
  set_target_properties(${NORVANE_INSTALLED} PROPERTIES INSTALL_RPATH "$ORIGIN")
endif()
install(TARGETS ${NORVANE_INSTALLED}
        RUNTIME DESTINATION bin LIBRARY DESTINATION bin ARCHIVE DESTINATION lib)
install(DIRECTORY framework procedures types DESTINATION include/Norvane340_1
        FILES_MATCHING PATTERN "*.h")
install(DIRECTORY host/ DESTINATION include/Norvane340_1/host
        FILES_MATCHING PATTERN "*.h" PATTERN driver EXCLUDE PATTERN qvnorvane EXCLUDE)

# The installed driver runs the procedure road from its prefix (native builds only).
if(NORVANE_TESTS AND TARGET qvhost AND NOT CMAKE_CROSSCOMPILING)
  add_test(NAME install_layout
           COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR}
                   -DPREFIX=${CMAKE_BINARY_DIR}/install-check
                   -P ${CMAKE_SOURCE_DIR}/cmake/check_install.cmake)
endif()
