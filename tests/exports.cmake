# The checks of the built libraries' export tables (check_exports.py), of what the library
# imports from the host (check_imports.py) and, on Windows, of the DLL's resources
# (check_dll.py): in every build, the platform-interface one included.

# Types the library can create; each must export <TYPE>Factory, <TYPE>PropertyInfo
# and _Compatibility<TYPE>.
set(NORVANE_CREATABLE_TYPES
    ANGLEDOMAIN CONNECTION CONTROLSIGNAL DISTRIBUTION1D DISTRIBUTION2D DISTRIBUTION3D DOMAIN
    GENERICCONNECTION GENERICCONTROLSIGNAL GENERICMODEL GENERICSTREAM GENERICSTRUCTURE
    LENGTHDOMAIN SECTIONDATAMODEL)
list(JOIN NORVANE_CREATABLE_TYPES "," types)

# Data exported undecorated or under a decorated name of its own: the distribution's Jacobian
# data and the procedure's signature tables, static locals of QVProc_INTERPOLATE::Type,
# Dimensions and IsVariableInput, in the decoration of the build's compiler.
if(NORVANE_MSVC_ABI)
  set(NORVANE_EXPORTED_DATA
      _JacDataDISTRIBUTION2D ?iTypes@?1??Type@QVProc_INTERPOLATE@@SAHH@Z@4QBEB
      ?nDims@?1??Dimensions@QVProc_INTERPOLATE@@SAHH@Z@4QBEB
      ?bIsVar@?1??IsVariableInput@QVProc_INTERPOLATE@@SA_NH@Z@4QB_NB)
  # Made by mingw-w64 in a tree of its own and copied beside the library (host/qvnorvane).
  set(procedure_library ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/QVNorvane.dll)

  # Classes made to exercise each rule by which the member check names a class's exports here,
  # exported as the library's are: the rules must name what the compiler and the build export.
  add_library(export_rules SHARED export_rules/types/naming_cases.cpp)
  set_target_properties(export_rules PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  norvane_msvc_runtime(export_rules ALLOCATOR)
  norvane_export_deleting_destructors(export_rules NON_ARRAY_FORM)
  add_test(NAME export_rules
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/check_export_rules.py
                   $<TARGET_FILE:export_rules> ${CMAKE_CURRENT_SOURCE_DIR}/export_rules)
else()
  set(NORVANE_EXPORTED_DATA
      _JacDataDISTRIBUTION2D _ZZN18QVProc_INTERPOLATE4TypeEiE6iTypes
      _ZZN18QVProc_INTERPOLATE10DimensionsEiE5nDims
      _ZZN18QVProc_INTERPOLATE15IsVariableInputEiE6bIsVar)
  set(procedure_library $<TARGET_FILE:QVNorvane>)
endif()
list(JOIN NORVANE_EXPORTED_DATA "," data)

add_test(NAME exports COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/check_exports.py
         $<TARGET_FILE:Norvane340_1> --types ${types} --members ${CMAKE_SOURCE_DIR}
         --symbols ${data})
add_test(NAME procedure_library_exports
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/check_exports.py
                 ${procedure_library} --symbols INTERP)
if(WIN32)
  add_test(NAME resources COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/check_dll.py
           $<TARGET_FILE:Norvane340_1>)
endif()
# The library asks the host only for what a host has: every import from qvcore is one of the
# host's operations, with the signature that the host declares. The unoptimised DLL in the
# platform compiler's interface is checked together with the optimised one, built before it:
# every operation of the list that is not virtual must be imported by one of the two.
set(other_build)
if(NORVANE_MSVC_ABI AND CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(NORVANE_OPTIMISED_LIBRARY ${CMAKE_SOURCE_DIR}/build-msvc/bin/Norvane340_1.dll CACHE FILEPATH
      "The optimised build's library, whose imports the unoptimised build's import check sees too")
  set(other_build --other-build ${NORVANE_OPTIMISED_LIBRARY})
endif()
add_test(NAME host_imports
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/check_imports.py
                 $<TARGET_FILE:Norvane340_1> $<TARGET_FILE:qvcore>
                 ${CMAKE_CURRENT_SOURCE_DIR}/host_operations.txt ${other_build})
add_test(NAME check_imports_test
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/check_imports_test.py)
# The procedure template's fields stand where generated code and the host look for them.
add_test(NAME procedure_fields
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/check_procedure_fields.py
                 $<TARGET_FILE:Norvane340_1>)
