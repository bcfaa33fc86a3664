# Sanitizer and fuzzing builds.
#
#   VOLFILTER_SANITIZERS  comma-separated -fsanitize= list applied to every target (kernels,
#                         gateway, hosts, modules, tests), e.g. "address,undefined" or
#                         "thread". Any report ends the process: nothing recovers.
#   VOLFILTER_FUZZ        also instrument every target for libFuzzer's coverage feedback and
#                         build one fuzzer per module (fuzz/); needs clang.
#
# The flags are global on purpose: a module is only as checked as the least checked code in
# its call, and the tests must drive the modules through an instrumented stand-in host.

set(VOLFILTER_SANITIZERS "" CACHE STRING "Sanitizers for every target (-fsanitize= list)")
option(VOLFILTER_FUZZ "Build the libFuzzer fuzzers (clang only)" OFF)

if(VOLFILTER_SANITIZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    message(FATAL_ERROR "volfilter: sanitizers need gcc or clang")
  endif()
  add_compile_options(-fsanitize=${VOLFILTER_SANITIZERS} -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${VOLFILTER_SANITIZERS})
  message(STATUS "volfilter: every target built with -fsanitize=${VOLFILTER_SANITIZERS}")
endif()

if(VOLFILTER_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "volfilter: the fuzzers need clang (set CMAKE_CXX_COMPILER=clang++)")
  endif()
  # Coverage feedback from every library the fuzzers reach; only the fuzzer executables
  # link libFuzzer's driver (fuzz/CMakeLists.txt).
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
