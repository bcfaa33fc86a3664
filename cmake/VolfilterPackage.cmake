# The Octave package: <build>/volfilter-<version>.tar.gz in the format `pkg install` takes,
# made by the target octave_package (part of the default build when Octave is found). It
# carries the sources of every module in VOLFILTER_MODULES, the gateway and the kernels, and
# compiles them on the user's machine with mkoctfile; volfilter_fit and its helpers
# (toolbox/) go into inst/ as they are.

if(NOT TARGET volfilter_host_octave)
  return()
endif()

set(VOLFILTER_OCTAVE_PACKAGE ${CMAKE_BINARY_DIR}/volfilter-${PROJECT_VERSION}.tar.gz)

get_target_property(kernel_dir volfilter_kernels SOURCE_DIR)
get_target_property(kernel_target_sources volfilter_kernels SOURCES)
set(kernel_sources "")
foreach(source IN LISTS kernel_target_sources)
  if(source MATCHES "\\.cpp$")
    if(NOT IS_ABSOLUTE ${source})
      set(source ${kernel_dir}/${source})
    endif()
    list(APPEND kernel_sources ${source})
  endif()
endforeach()

# The compiled fit goes into the package even where this build has no NLopt: the package is
# compiled on the user's machine, which may have it.
set(package_modules ${VOLFILTER_MODULES})
if(NOT "volfilter_estimate" IN_LIST package_modules)
  list(APPEND package_modules volfilter_estimate)
endif()

set(settings ${CMAKE_BINARY_DIR}/octave_package/settings.cmake)
file(CONFIGURE OUTPUT ${settings} CONTENT [[
set(SOURCE_DIR "@PROJECT_SOURCE_DIR@")
set(STAGE_DIR "@CMAKE_BINARY_DIR@/octave_package/stage")
set(TARBALL "@VOLFILTER_OCTAVE_PACKAGE@")
set(VERSION "@PROJECT_VERSION@")
set(MODULES "@package_modules@")
set(KERNEL_SOURCES "@kernel_sources@")
]] @ONLY)

file(GLOB kernel_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/kernels/*.hpp)
file(GLOB gateway_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/gateway/*.hpp
     ${PROJECT_SOURCE_DIR}/gateway/*.cpp)
file(GLOB estimation_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/estimation/*.hpp
     ${PROJECT_SOURCE_DIR}/estimation/*.cpp ${PROJECT_SOURCE_DIR}/estimation/optimiser/*.hpp
     ${PROJECT_SOURCE_DIR}/estimation/optimiser/*.cpp)
file(GLOB toolbox_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/toolbox/*.m
     ${PROJECT_SOURCE_DIR}/toolbox/private/*.m)
set(inputs ${settings} ${PROJECT_SOURCE_DIR}/cmake/StageOctavePackage.cmake
           ${PROJECT_SOURCE_DIR}/packaging/octave/DESCRIPTION.in
           ${PROJECT_SOURCE_DIR}/packaging/octave/COPYING
           ${PROJECT_SOURCE_DIR}/packaging/octave/Makefile
           ${gateway_files} ${estimation_files}
           ${kernel_headers} ${kernel_sources} ${toolbox_files}
           ${PROJECT_SOURCE_DIR}/modules/Contents.m)
foreach(module IN LISTS package_modules)
  list(APPEND inputs ${PROJECT_SOURCE_DIR}/modules/${module}/${module}.cpp)
  if(EXISTS ${PROJECT_SOURCE_DIR}/modules/${module}/${module}.m)
    list(APPEND inputs ${PROJECT_SOURCE_DIR}/modules/${module}/${module}.m)
  endif()
endforeach()

add_custom_command(OUTPUT ${VOLFILTER_OCTAVE_PACKAGE}
                   COMMAND ${CMAKE_COMMAND} -DSETTINGS=${settings}
                           -P ${PROJECT_SOURCE_DIR}/cmake/StageOctavePackage.cmake
                   DEPENDS ${inputs}
                   COMMENT "Packing volfilter-${PROJECT_VERSION}.tar.gz for Octave"
                   VERBATIM)
add_custom_target(octave_package ALL DEPENDS ${VOLFILTER_OCTAVE_PACKAGE})
