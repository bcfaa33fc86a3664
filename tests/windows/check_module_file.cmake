# cmake -DOBJDUMP=<objdump> -DMODULE_FILE=<file.mexw64> -DDEF_DIR=<hosts/windows> -P this
#
# Fails unless the module file, as `objdump -p` reads its import and export tables,
#   - imports from libmx.dll and libmex.dll only functions that libmx.def and libmex.def list,
#   - imports from nothing else but Windows system libraries (so no MinGW runtime DLL: the
#     runtime must be linked statically), and
#   - exports exactly one function, mexFunction.
# Prints the import table it read.

cmake_minimum_required(VERSION 3.21)

foreach(variable IN ITEMS OBJDUMP MODULE_FILE DEF_DIR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} not given")
  endif()
endforeach()

# Libraries present on every 64-bit Windows; names compared in lower case.
set(system_libraries kernel32.dll kernelbase.dll ntdll.dll msvcrt.dll ucrtbase.dll advapi32.dll
                     user32.dll)
set(system_pattern "^api-ms-win-[a-z0-9-]+\\.dll$")

# The functions each host library may give, read from its .def file.
foreach(library IN ITEMS libmx libmex)
  file(STRINGS ${DEF_DIR}/${library}.def lines)
  set(allowed_${library} "")
  set(in_exports FALSE)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ";.*$" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "EXPORTS")
      set(in_exports TRUE)
    elseif(in_exports AND line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)")
      list(APPEND allowed_${library} ${CMAKE_MATCH_1})
    endif()
  endforeach()
  if(NOT allowed_${library})
    message(FATAL_ERROR "${DEF_DIR}/${library}.def lists no functions")
  endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${MODULE_FILE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${MODULE_FILE} failed")
endif()
# Square brackets and semicolons would upset CMake's lists.
string(REPLACE "[" "<" dump "${dump}")
string(REPLACE "]" ">" dump "${dump}")
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")

set(errors "")
set(section "")
set(library "")
set(exports "")
set(table "")
foreach(line IN LISTS lines)
  if(line MATCHES "^The Import Tables")
    set(section imports)
  elseif(line MATCHES "^<Ordinal/Name Pointer> Table")
    set(section exports)
  elseif(line MATCHES "^The " OR line MATCHES "^There ")
    set(section "")
  elseif(section STREQUAL "imports" AND line MATCHES "^\tDLL Name: (.+)$")
    set(dll_name "${CMAKE_MATCH_1}")
    string(TOLOWER "${dll_name}" library)
    string(APPEND table "  ${dll_name}:")
    if(NOT library MATCHES "^libm(x|ex)\\.dll$" AND NOT library IN_LIST system_libraries
       AND NOT library MATCHES "${system_pattern}")
      list(APPEND errors "imports from ${dll_name}, neither a host library nor a Windows system \
library (a runtime DLL not linked statically?)")
    endif()
  elseif(section STREQUAL "imports" AND line MATCHES "^\t[0-9a-f]+\t +([0-9]+) +(.*)$")
    set(name "${CMAKE_MATCH_2}")
    string(APPEND table " ${name}")
    if(library MATCHES "^(libm(x|ex))\\.dll$")
      set(host_library ${CMAKE_MATCH_1})
      if(NOT name IN_LIST allowed_${host_library})
        list(APPEND errors "imports ${name} from ${host_library}.dll, which ${host_library}.def \
does not list")
      endif()
    endif()
  elseif(section STREQUAL "imports" AND line STREQUAL "")
    if(NOT library STREQUAL "")
      string(APPEND table "\n")
    endif()
    set(library "")
  elseif(section STREQUAL "exports" AND line MATCHES "^\t< *[0-9]+> (.+)$")
    list(APPEND exports "${CMAKE_MATCH_1}")
  endif()
endforeach()

string(REPLACE ";" ", " export_text "${exports}")
if(NOT exports STREQUAL "mexFunction")
  list(APPEND errors "exports '${export_text}' instead of mexFunction alone")
endif()
if(table STREQUAL "")
  list(APPEND errors "no import table found")
endif()

get_filename_component(module_name ${MODULE_FILE} NAME)
message("${module_name} imports:\n${table}${module_name} exports: ${export_text}")
if(errors)
  list(SORT errors)
  list(JOIN errors "\n  " text)
  message(FATAL_ERROR "${module_name}:\n  ${text}")
endif()
