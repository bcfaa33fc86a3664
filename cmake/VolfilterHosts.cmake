# The hosts a module can be built for. Each host gets an interface target carrying its API
# header and a gateway library compiled against it; `volfilter_add_module` then builds the
# same entry source once per host.
#
#   standin  our own stand-in host (hosts/standin), used by the tests
#   octave   GNU Octave, found through mkoctfile; modules land in <build>/mex
#   matlab   MATLAB, found through FindMatlab (R2017b array API)
#   windows  64-bit Windows modules (.mexw64) built with MinGW-w64, usually cross-compiled
#            (cmake/mingw-w64.cmake), linked against import libraries generated from our own
#            hosts/windows/*.def; modules land in <build>/mexw64. With VOLFILTER_STANDIN the
#            stand-in host is built as libmx.dll and libmex.dll beside a test driver.
#
# Octave and MATLAB are searched for only in native builds: a cross build would find the
# build machine's.

set(VOLFILTER_HOSTS "")
set(VOLFILTER_MEX_DIR ${CMAKE_BINARY_DIR}/mex)
set(VOLFILTER_MEXW64_DIR ${CMAKE_BINARY_DIR}/mexw64)

if(WIN32 AND MINGW AND VOLFILTER_WINDOWS)
  include(VolfilterWindowsHost)
endif()

if(VOLFILTER_STANDIN AND NOT WIN32)
  add_library(volfilter_host_standin INTERFACE)
  target_include_directories(volfilter_host_standin INTERFACE ${PROJECT_SOURCE_DIR}/hosts/api)
  add_library(volfilter_standin_host SHARED ${PROJECT_SOURCE_DIR}/hosts/standin/standin_host.cpp
                                            ${PROJECT_SOURCE_DIR}/hosts/standin/standin_arrays.cpp)
  target_include_directories(volfilter_standin_host PUBLIC ${PROJECT_SOURCE_DIR}/hosts/standin)
  # A host exports its whole API, the test-facing part included.
  set_target_properties(volfilter_standin_host PROPERTIES CXX_VISIBILITY_PRESET default
                                                          VISIBILITY_INLINES_HIDDEN OFF)
  target_link_libraries(volfilter_standin_host PUBLIC volfilter_host_standin
                                               PRIVATE volfilter_flags ${CMAKE_DL_LIBS})
  target_link_libraries(volfilter_host_standin INTERFACE volfilter_standin_host)
  list(APPEND VOLFILTER_HOSTS standin)
endif()

if(VOLFILTER_OCTAVE AND NOT CMAKE_CROSSCOMPILING)
  find_program(MKOCTFILE_EXECUTABLE mkoctfile)
  if(MKOCTFILE_EXECUTABLE)
    execute_process(COMMAND ${MKOCTFILE_EXECUTABLE} -p INCFLAGS
                    OUTPUT_VARIABLE octave_incflags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(octave_incflags UNIX_COMMAND "${octave_incflags}")
    set(octave_includes "")
    foreach(flag IN LISTS octave_incflags)
      if(flag MATCHES "^-I(.+)$")
        list(APPEND octave_includes ${CMAKE_MATCH_1})
      endif()
    endforeach()
    find_program(OCTAVE_CLI_EXECUTABLE octave-cli)
    add_library(volfilter_host_octave INTERFACE)
    # Octave resolves the host symbols when it loads the module, so nothing is linked.
    target_include_directories(volfilter_host_octave SYSTEM INTERFACE ${octave_includes})
    list(APPEND VOLFILTER_HOSTS octave)
    message(STATUS "volfilter: Octave modules go to ${VOLFILTER_MEX_DIR}")
  else()
    message(STATUS "volfilter: mkoctfile not found, no Octave modules")
  endif()
endif()

if(VOLFILTER_MATLAB AND NOT CMAKE_CROSSCOMPILING)
  find_package(Matlab QUIET COMPONENTS MX_LIBRARY)
  if(Matlab_FOUND)
    list(APPEND VOLFILTER_HOSTS matlab)
    message(STATUS "volfilter: MATLAB modules (R2017b API) go to ${CMAKE_BINARY_DIR}/matlab")
  endif()
endif()

# The gateway: the frame of every entry (gateway.cpp), the shared parts of the likelihood
# and the simulation entries (likelihood_frame.cpp, simulation_frame.cpp, which speak of the
# kernels' types) and the estimation entries' (estimation_frame.cpp, which speaks of the
# estimation core's).
set(VOLFILTER_GATEWAY_SOURCES ${PROJECT_SOURCE_DIR}/gateway/gateway.cpp
                              ${PROJECT_SOURCE_DIR}/gateway/likelihood_frame.cpp
                              ${PROJECT_SOURCE_DIR}/gateway/simulation_frame.cpp
                              ${PROJECT_SOURCE_DIR}/gateway/estimation_frame.cpp)
foreach(host IN LISTS VOLFILTER_HOSTS)
  if(NOT host STREQUAL "matlab")
    add_library(volfilter_gateway_${host} STATIC ${VOLFILTER_GATEWAY_SOURCES})
    target_include_directories(volfilter_gateway_${host} PUBLIC ${PROJECT_SOURCE_DIR}/gateway)
    target_link_libraries(volfilter_gateway_${host} PUBLIC volfilter_host_${host} volfilter_kernels
                                                           volfilter_estimation_plan
                                                    PRIVATE volfilter_flags)
  endif()
endforeach()

# The folders of modules that a user's host loads: <build>/mex (Octave), <build>/matlab,
# <build>/mexw64 (Windows), for the hosts of this build.
function(volfilter_host_folders out)
  set(folders "")
  if("octave" IN_LIST VOLFILTER_HOSTS)
    list(APPEND folders ${VOLFILTER_MEX_DIR})
  endif()
  if("matlab" IN_LIST VOLFILTER_HOSTS)
    list(APPEND folders ${CMAKE_BINARY_DIR}/matlab)
  endif()
  if("windows" IN_LIST VOLFILTER_HOSTS)
    list(APPEND folders ${VOLFILTER_MEXW64_DIR})
  endif()
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

# The help of a module is a comment-only modules/<name>/<name>.m; a host reads it from the
# folder that holds the module, so it is copied beside the module of every host that loads
# .mex or .mexw64 files, with the folder's Contents.m.
function(volfilter_place_help name)
  set(help_file ${PROJECT_SOURCE_DIR}/modules/${name}/${name}.m)
  volfilter_host_folders(folders)
  foreach(folder IN LISTS folders)
    if(EXISTS ${help_file})
      configure_file(${help_file} ${folder}/${name}.m COPYONLY)
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/modules/Contents.m ${folder}/Contents.m COPYONLY)
  endforeach()
endfunction()

# Builds modules/<name>/<name>.cpp once for every host found, with its help beside it, linked
# with the gateway, the kernels and the libraries after LIBRARIES.
function(volfilter_add_module name)
  cmake_parse_arguments(PARSE_ARGV 1 module "" "" "LIBRARIES")
  volfilter_place_help(${name})
  set(entry ${PROJECT_SOURCE_DIR}/modules/${name}/${name}.cpp)
  foreach(host IN LISTS VOLFILTER_HOSTS)
    set(target ${name}_${host})
    if(host STREQUAL "matlab")
      # Untested here: no MATLAB on the development machines.
      matlab_add_mex(NAME ${target} MODULE SRC ${entry} ${VOLFILTER_GATEWAY_SOURCES}
                     OUTPUT_NAME ${name} LINK_TO volfilter_kernels volfilter_estimation_plan
                     ${module_LIBRARIES} R2017b)
      target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/gateway)
      set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY
                                                 ${CMAKE_BINARY_DIR}/matlab)
      continue()
    endif()
    add_library(${target} MODULE ${entry})
    target_link_libraries(${target} PRIVATE volfilter_gateway_${host} volfilter_kernels
                                            ${module_LIBRARIES} volfilter_flags)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name} PREFIX "")
    if(host STREQUAL "octave")
      set_target_properties(${target} PROPERTIES SUFFIX ".mex"
                                                 LIBRARY_OUTPUT_DIRECTORY ${VOLFILTER_MEX_DIR})
      target_link_options(${target} PRIVATE -Wl,-Bsymbolic)
    elseif(host STREQUAL "windows")
      set_target_properties(${target} PROPERTIES SUFFIX ".mexw64"
                                                 LIBRARY_OUTPUT_DIRECTORY ${VOLFILTER_MEXW64_DIR})
      target_link_options(${target} PRIVATE ${VOLFILTER_WINDOWS_MODULE_LINK_OPTIONS})
      add_dependencies(${target} volfilter_host_import_libraries)
    else()
      set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY
                                                 ${CMAKE_BINARY_DIR}/${host})
    endif()
  endforeach()
endfunction()
