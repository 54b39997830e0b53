# Makes the object that exports the deleting destructor of every class whose virtual destructor
# the target's objects export. The platform compiler exports it with the class; clang emits it
# beside the class's table of virtual operations but never exports it, and lld-link warns when
# a deleting destructor is exported by its own name. So each is exported through a jump to it,
# an entry that behaves as the deleting destructor itself.
#   -DCOMPILER=<clang++> -DTARGET=<triple> -DNM=<llvm-nm> -DREADOBJ=<llvm-readobj>
#   -DOBJECTS=<a|b|...> -DOUTPUT=<object to make>
cmake_minimum_required(VERSION 3.20)
string(REPLACE "|" ";" OBJECTS "${OBJECTS}")
execute_process(COMMAND ${READOBJ} --coff-directives ${OBJECTS} OUTPUT_VARIABLE directives
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${NM} --defined-only --format=just-symbols ${OBJECTS}
                OUTPUT_VARIABLE defined COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "\r?\n" ";" defined "${defined}")
# A virtual destructor "??1<class>UAE@XZ" has the deleting form "??_G<class>UAEPAXI@Z" (U
# public, M protected, E private).
string(REGEX MATCHALL "/EXPORT:\"\\?\\?1[^\"]*[UME]AE@XZ\"" destructors "${directives}")
list(REMOVE_DUPLICATES destructors)
set(code "\t.text\n")
set(exports "")
set(count 0)
foreach(destructor IN LISTS destructors)
  string(REGEX REPLACE "^/EXPORT:\"\\?\\?1(.*)([UME])AE@XZ\"$" "??_G\\1\\2AEPAXI@Z" deleting
                       "${destructor}")
  if(deleting IN_LIST defined)
    math(EXPR count "${count} + 1")
    set(entry _norvane_deleting_${count})
    string(APPEND code "\t.globl\t${entry}\n${entry}:\n\tjmp\t\"${deleting}\"\n")
    string(APPEND exports "\t.ascii\t\" /EXPORT:\\\"${deleting}=${entry}\\\"\"\n")
  endif()
endforeach()
file(WRITE ${OUTPUT}.s "${code}\t.section\t.drectve,\"yn\"\n${exports}")
execute_process(COMMAND ${COMPILER} --target=${TARGET} -c ${OUTPUT}.s -o ${OUTPUT}
                COMMAND_ERROR_IS_FATAL ANY)
