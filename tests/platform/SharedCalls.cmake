# The shared calls: sources of the runner that makes them through a platform's stand-in host,
# and of the comparer. Every module in VOLFILTER_MODULES is registered; a module with a
# table tests/calls/<module>.cpp (defining `CallTable <module>_calls()`) has its calls made,
# one without is still loaded and refused a call without inputs.

set(VOLFILTER_PLATFORM_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VOLFILTER_CALL_TABLE_DIR ${PROJECT_SOURCE_DIR}/tests/calls)

# Sets <variable> to the sources of the runner less its platform's host file.
function(volfilter_shared_call_sources variable)
  set(declarations "")
  set(entries "")
  set(tables "")
  foreach(module IN LISTS VOLFILTER_MODULES)
    set(table ${VOLFILTER_CALL_TABLE_DIR}/${module}.cpp)
    if(EXISTS ${table})
      list(APPEND tables ${table})
      string(APPEND declarations "CallTable ${module}_calls();\n")
      string(APPEND entries "      {\"${module}\", ${module}_calls},\n")
    else()
      message(STATUS "volfilter: ${module} has no shared calls (tests/calls/${module}.cpp)")
      string(APPEND entries "      {\"${module}\", nullptr},\n")
    endif()
  endforeach()
  set(VOLFILTER_CALL_DECLARATIONS "${declarations}")
  set(VOLFILTER_CALL_ENTRIES "${entries}")
  configure_file(${VOLFILTER_PLATFORM_TEST_DIR}/call_registry.cpp.in
                 ${CMAKE_CURRENT_BINARY_DIR}/call_registry.cpp @ONLY)
  # A table added later is found at the next build.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VOLFILTER_CALL_TABLE_DIR})
  set(${variable} ${VOLFILTER_PLATFORM_TEST_DIR}/run_calls.cpp
                  ${VOLFILTER_PLATFORM_TEST_DIR}/call_records.cpp
                  ${CMAKE_CURRENT_BINARY_DIR}/call_registry.cpp ${tables} PARENT_SCOPE)
endfunction()

set(VOLFILTER_COMPARE_SOURCES ${VOLFILTER_PLATFORM_TEST_DIR}/compare_calls.cpp
                              ${VOLFILTER_PLATFORM_TEST_DIR}/call_records.cpp)
