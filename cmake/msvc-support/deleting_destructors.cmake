# Makes the object that exports the vector deleting destructor "??_E" of every class whose virtual
# destructor the target's objects export, as the platform compiler exports it with the class.
# clang puts it in the class's table of virtual operations but does not export it. Where an object
# has no need of the array form it defines "??_E" only as a weak alias of the scalar deleting
# destructor "??_G"; the object that exports the class defines the array form itself, which the
# link takes. A class whose objects define no such "??_E" stops the build: its table would hold
# the scalar form.
#   -DCOMPILER=<clang++> -DTARGET=<triple> -DNM=<llvm-nm> -DREADOBJ=<llvm-readobj>
#   -DOBJECTS=<a|b|...> -DOUTPUT=<object to make>
cmake_minimum_required(VERSION 3.20)
string(REPLACE "|" ";" OBJECTS "${OBJECTS}")
execute_process(COMMAND ${READOBJ} --coff-directives ${OBJECTS} OUTPUT_VARIABLE directives
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${NM} --defined-only ${OBJECTS} OUTPUT_VARIABLE defined
                COMMAND_ERROR_IS_FATAL ANY)
# The vector deleting destructors that an object defines itself ("T"), not through a weak alias
# ("W").
string(REGEX MATCHALL "[0-9a-f]+ T \\?\\?_E[^\r\n]+" defined "${defined}")
list(TRANSFORM defined REPLACE "^[0-9a-f]+ T " "")
# A virtual destructor "??1<class>UAE@XZ" has the deleting form "??_E<class>UAEPAXI@Z" (U
# public, M protected, E private).
string(REGEX MATCHALL "/EXPORT:\"\\?\\?1[^\"]*[UME]AE@XZ\"" destructors "${directives}")
list(REMOVE_DUPLICATES destructors)
set(exports "")
foreach(destructor IN LISTS destructors)
  string(REGEX REPLACE "^/EXPORT:\"\\?\\?1(.*)([UME])AE@XZ\"$" "??_E\\1\\2AEPAXI@Z" deleting
                       "${destructor}")
  if(NOT deleting IN_LIST defined)
    message(FATAL_ERROR "no object defines the vector deleting destructor ${deleting}")
  endif()
  string(APPEND exports "\t.ascii\t\" /EXPORT:\\\"${deleting}\\\"\"\n")
endforeach()
file(WRITE ${OUTPUT}.s "\t.section\t.drectve,\"yn\"\n${exports}")
execute_process(COMMAND ${COMPILER} --target=${TARGET} -c ${OUTPUT}.s -o ${OUTPUT}
                COMMAND_ERROR_IS_FATAL ANY)
