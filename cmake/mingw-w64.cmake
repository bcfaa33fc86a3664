# Cross build of the 64-bit Windows modules with MinGW-w64 (Debian packages
# g++-mingw-w64-x86-64-posix and binutils-mingw-w64-x86-64). Used by the `windows` preset.
#
# When Wine is installed, the test programs run under it (CMAKE_CROSSCOMPILING_EMULATOR).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOLFILTER_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix thread model: the runtime that the modules link statically is the same one the
# rest of Debian's MinGW-w64 packages are built for.
set(CMAKE_C_COMPILER ${VOLFILTER_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOLFILTER_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VOLFILTER_MINGW_TRIPLE}-windres)
find_program(CMAKE_DLLTOOL ${VOLFILTER_MINGW_TRIPLE}-dlltool)
find_program(CMAKE_OBJDUMP ${VOLFILTER_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${VOLFILTER_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian's wine64 package installs the loader outside the search path.
find_program(VOLFILTER_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(VOLFILTER_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VOLFILTER_WINE})
endif()
