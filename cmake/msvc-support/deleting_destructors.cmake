# Makes the object that exports the deleting destructors of every class whose virtual destructor
# the target's objects export, as the platform compiler exports them with the class.
#
# The vector deleting destructor "??_E": clang puts it in the class's table of virtual operations
# but does not export it. Where an object has no need of the array form it defines "??_E" only as
# a weak alias of the scalar deleting destructor "??_G"; the object that exports the class defines
# the array form itself, which the link takes. A class whose objects define no such "??_E" stops
# the build: its table would hold the scalar form. An abstract class's "??_E" is a trap; the
# library defines its deleting destructor as norvane::VectorDeletingDestructor<Class>
# (framework/abstract_class_deletion.h), which is exported under the class's name instead.
#
# With NON_ARRAY, also the non-array deleting destructor "??_G", which clang does not emit for a
# class that it exports: written here for each class as the exported "??_E" with bit 2 of the
# flags cleared (the class's own destructor, then operator delete when bit 1 is set).
#
#   -DCOMPILER=<clang++> -DTARGET=<triple> -DNM=<llvm-nm> -DREADOBJ=<llvm-readobj>
#   -DOBJECTS=<a|b|...> -DOUTPUT=<object to make> [-DNON_ARRAY=ON]
cmake_minimum_required(VERSION 3.20)
string(REPLACE "|" ";" OBJECTS "${OBJECTS}")
execute_process(COMMAND ${READOBJ} --coff-directives ${OBJECTS} OUTPUT_VARIABLE directives
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${NM} --defined-only ${OBJECTS} OUTPUT_VARIABLE defined
                COMMAND_ERROR_IS_FATAL ANY)
# The vector deleting destructors that an object defines itself ("T"), not through a weak alias
# ("W").
string(REGEX MATCHALL "[0-9a-f]+ T \\?\\?_E[^\r\n]+" vector_forms "${defined}")
list(TRANSFORM vector_forms REPLACE "^[0-9a-f]+ T " "")
# The library's deleting destructors of abstract classes, by the class's name as a destructor's
# name holds it ("QV_BASE_II@@"): the template argument "V<class>@" of the function.
string(REGEX MATCHALL "[0-9a-f]+ T \\?\\?\\$VectorDeletingDestructor@V[^\r\n]+" abstract_forms
                      "${defined}")
list(TRANSFORM abstract_forms REPLACE "^[0-9a-f]+ T " "")
list(REMOVE_DUPLICATES abstract_forms)
set(abstract_classes "")
foreach(function IN LISTS abstract_forms)
  string(REGEX REPLACE "^\\?\\?\\$VectorDeletingDestructor@V(.*)@norvane@@YEPAX.*$" "\\1" class
                       "${function}")
  list(APPEND abstract_classes "${class}")
endforeach()

# A virtual destructor "??1<class>UAE@XZ" has the deleting forms "??_E<class>UAEPAXI@Z" and
# "??_G<class>UAEPAXI@Z" (U public, M protected, E private).
string(REGEX MATCHALL "/EXPORT:\"\\?\\?1[^\"]*[UME]AE@XZ\"" destructors "${directives}")
list(REMOVE_DUPLICATES destructors)
set(exports "")
set(code "")
set(exported_classes "")
foreach(destructor IN LISTS destructors)
  string(REGEX REPLACE "^/EXPORT:\"\\?\\?1(.*)([UME])AE@XZ\"$" "\\1" class "${destructor}")
  string(REGEX REPLACE "^/EXPORT:\"\\?\\?1(.*)([UME])AE@XZ\"$" "\\2AEPAXI@Z" signature
                       "${destructor}")
  list(APPEND exported_classes "${class}")
  set(vector_form "??_E${class}${signature}")
  list(FIND abstract_classes "${class}" abstract)
  if(abstract GREATER -1)
    list(GET abstract_forms ${abstract} target)
    string(APPEND exports "\t.ascii\t\" /EXPORT:\\\"${vector_form}=${target}\\\"\"\n")
  elseif(vector_form IN_LIST vector_forms)
    set(target "${vector_form}")
    string(APPEND exports "\t.ascii\t\" /EXPORT:\\\"${vector_form}\\\"\"\n")
  else()
    message(FATAL_ERROR "no object defines the vector deleting destructor ${vector_form}")
  endif()
  if(NON_ARRAY)
    # Written under a name of its own and exported as "??_G": an object that uses the class
    # without exporting it may define the compiler's "??_G" of the class too.
    set(non_array_form "??_G${class}${signature}")
    set(stub "non_array$${non_array_form}")
    string(APPEND exports "\t.ascii\t\" /EXPORT:\\\"${non_array_form}=${stub}\\\"\"\n")
    string(APPEND code "\t.globl\t\"${stub}\"\n\t.p2align\t4\n\"${stub}\":\n"
                       "\tandl\t$-3, 4(%esp)\n\tjmp\t\"${target}\"\n")
  endif()
endforeach()
foreach(class IN LISTS abstract_classes)
  if(NOT class IN_LIST exported_classes)
    message(FATAL_ERROR "norvane::VectorDeletingDestructor of ${class}: the objects export no "
                        "virtual destructor of that class")
  endif()
endforeach()
file(WRITE ${OUTPUT}.s "\t.section\t.drectve,\"yn\"\n${exports}\t.text\n${code}")
execute_process(COMMAND ${COMPILER} --target=${TARGET} -c ${OUTPUT}.s -o ${OUTPUT}
                COMMAND_ERROR_IS_FATAL ANY)
