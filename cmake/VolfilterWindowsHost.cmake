# The windows host: .mexw64 modules built with MinGW-w64 against the host's two libraries,
# libmx.dll and libmex.dll, without any file of the host. hosts/api/mex.h declares the
# functions; hosts/windows/libmx.def and libmex.def list what each library exports to the
# modules, and dlltool turns them into import libraries at build time.
#
# Included by VolfilterHosts.cmake; appends `windows` to VOLFILTER_HOSTS and sets
# VOLFILTER_WINDOWS_MODULE_LINK_OPTIONS for volfilter_add_module.

if(NOT CMAKE_DLLTOOL)
  find_program(CMAKE_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)
endif()

set(VOLFILTER_HOST_DEF_DIR ${PROJECT_SOURCE_DIR}/hosts/windows)
set(import_dir ${CMAKE_BINARY_DIR}/import)
set(import_libraries "")
foreach(library IN ITEMS mx mex)
  set(def ${VOLFILTER_HOST_DEF_DIR}/lib${library}.def)
  set(import_library ${import_dir}/lib${library}.a)
  add_custom_command(OUTPUT ${import_library}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${import_dir}
                     COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-lib ${import_library}
                     DEPENDS ${def}
                     COMMENT "Import library for lib${library}.dll from lib${library}.def"
                     VERBATIM)
  list(APPEND import_libraries ${import_library})
endforeach()
add_custom_target(volfilter_host_import_libraries DEPENDS ${import_libraries})

add_library(volfilter_host_windows INTERFACE)
target_include_directories(volfilter_host_windows INTERFACE ${PROJECT_SOURCE_DIR}/hosts/api)
target_link_libraries(volfilter_host_windows INTERFACE ${import_libraries})
list(APPEND VOLFILTER_HOSTS windows)

# Each module carries its own copy of the C++ runtime, so that it needs nothing beside the
# host's libraries and Windows itself; `mexFunction` is its only export (the entry is the
# one symbol marked dllexport, and nothing is exported automatically). No time stamp in the
# header: the same sources give the same file.
set(VOLFILTER_WINDOWS_RUNTIME_OPTIONS -static -static-libgcc -static-libstdc++
                                      -Wl,--no-insert-timestamp)
set(VOLFILTER_WINDOWS_MODULE_LINK_OPTIONS ${VOLFILTER_WINDOWS_RUNTIME_OPTIONS}
                                          -Wl,--exclude-all-symbols)
message(STATUS "volfilter: Windows modules go to ${VOLFILTER_MEXW64_DIR}")

# The stand-in host as the two Windows libraries, for the test driver to load modules with.
if(VOLFILTER_STANDIN)
  set(VOLFILTER_STANDIN_WINDOWS_DIR ${CMAKE_BINARY_DIR}/standin)
  set(standin_dir ${PROJECT_SOURCE_DIR}/hosts/standin)

  add_library(volfilter_libmex SHARED ${standin_dir}/standin_mex_windows.cpp
                                      ${VOLFILTER_HOST_DEF_DIR}/libmex.def)
  add_library(volfilter_libmx SHARED ${standin_dir}/standin_arrays.cpp
                                     ${VOLFILTER_HOST_DEF_DIR}/libmx.def)
  target_link_libraries(volfilter_libmx PRIVATE volfilter_libmex)
  foreach(library IN ITEMS mx mex)
    set(target volfilter_lib${library})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/hosts/api ${standin_dir})
    target_compile_definitions(${target} PRIVATE VOLFILTER_BUILDING_HOST)
    target_link_libraries(${target} PRIVATE volfilter_flags)
    target_link_options(${target} PRIVATE ${VOLFILTER_WINDOWS_RUNTIME_OPTIONS})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${library} PREFIX "lib"
                                               RUNTIME_OUTPUT_DIRECTORY
                                               ${VOLFILTER_STANDIN_WINDOWS_DIR})
  endforeach()
endif()
