# cmake -DSOURCE_DIR=<checkout> -P check_octave_commands.cmake
# Fails on any line of the scripts, documents, CMake files and Octave files of the checkout
# that starts octave-cli with options but without --no-history: on a fresh machine Octave 7.3
# started so ends a successful run with an error line, failing to write its history.
cmake_policy(SET CMP0009 NEW)  # no links followed: a Wine prefix links to the whole disk
# The top folder's files, and the folders of sources; never the build folders.
file(GLOB files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.md ${SOURCE_DIR}/*.m
     ${SOURCE_DIR}/CMakeLists.txt ${SOURCE_DIR}/.ci/*)
foreach(folder IN ITEMS bench cmake docs examples fuzz gateway hosts kernels modules packaging
                        scripts tests)
  file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.sh
       ${SOURCE_DIR}/${folder}/*.md ${SOURCE_DIR}/${folder}/*.m ${SOURCE_DIR}/${folder}/*.cmake
       ${SOURCE_DIR}/${folder}/CMakeLists.txt)
  list(APPEND files ${found})
endforeach()
set(offending "")
set(commands 0)
foreach(file IN LISTS files)
  file(READ ${SOURCE_DIR}/${file} text)
  # Semicolons would split the lines as list elements.
  string(REPLACE ";" "," text "${text}")
  string(REGEX MATCHALL "[^\n]*(octave-cli[\"' ]+-|OCTAVE_CLI_EXECUTABLE} +-)[^\n]*" lines
         "${text}")
  foreach(line IN LISTS lines)
    math(EXPR commands "${commands} + 1")
    if(NOT line MATCHES "--no-history")
      string(STRIP "${line}" line)
      string(APPEND offending "\n  ${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(offending)
  message(FATAL_ERROR "octave-cli started without --no-history:${offending}")
endif()
message(STATUS "${commands} octave-cli commands, each with --no-history")
