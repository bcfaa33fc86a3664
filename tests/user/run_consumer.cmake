# Installs the build into a fresh prefix, then configures, builds and runs the consumer
# project against that prefix alone:
#   cmake -DBUILD_DIR= -DSOURCE_DIR= -DWORK_DIR= -DGENERATOR= -DCXX_COMPILER= [-DCXX_FLAGS=]
#         -P run_consumer.cmake
cmake_minimum_required(VERSION 3.21)

set(prefix ${WORK_DIR}/prefix)
set(consumer_build ${WORK_DIR}/build)
file(REMOVE_RECURSE ${WORK_DIR})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                COMMAND_ERROR_IS_FATAL ANY)
foreach(installed IN ITEMS include/volfilter/kernels.hpp)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "cmake --install did not install ${installed}")
  endif()
endforeach()

# No package registry: the consumer must find the installed copy, not the build tree.
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/consumer -B ${consumer_build}
                        -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
                        "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
                        -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix}
                        -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
                COMMAND_ERROR_IS_FATAL ANY)
file(STRINGS ${consumer_build}/CMakeCache.txt found REGEX "^volfilter_DIR:")
string(FIND "${found}" "${prefix}/" at)
if(NOT at GREATER -1)
  message(FATAL_ERROR "The consumer found volfilter outside the prefix: ${found}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${consumer_build} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${consumer_build}/consumer COMMAND_ERROR_IS_FATAL ANY)
