# Stages the Octave package and packs it: cmake -DSETTINGS=<file> -P StageOctavePackage.cmake
#
# The settings file (written by VolfilterPackage.cmake) sets SOURCE_DIR, STAGE_DIR, TARBALL,
# VERSION, MODULES and KERNEL_SOURCES. The package is the folder volfilter/ with
#   DESCRIPTION INDEX COPYING    what pkg reads
#   src/Makefile                 compiles every module with mkoctfile --mex
#   src/gateway src/kernels src/estimation  the shared sources each module links (the
#                                estimation/optimiser part only volfilter_estimate, with NLopt)
#   src/modules/<name>/<name>.cpp
#   inst/<name>.m inst/Contents.m the help, beside which the Makefile puts the modules
#   inst/volfilter_fit.m inst/private/  the functions in the host's language (toolbox/)
cmake_minimum_required(VERSION 3.21)
include(${SETTINGS})

set(package ${STAGE_DIR}/volfilter)
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${package}/src/modules ${package}/inst)

set(PROJECT_VERSION ${VERSION})
string(TIMESTAMP VOLFILTER_PACKAGE_DATE "%Y-%m-%d" UTC)
configure_file(${SOURCE_DIR}/packaging/octave/DESCRIPTION.in ${package}/DESCRIPTION @ONLY)
file(COPY ${SOURCE_DIR}/packaging/octave/COPYING DESTINATION ${package})
file(COPY ${SOURCE_DIR}/packaging/octave/Makefile DESTINATION ${package}/src)
file(GLOB gateway_files ${SOURCE_DIR}/gateway/*.hpp ${SOURCE_DIR}/gateway/*.cpp)
file(COPY ${gateway_files} DESTINATION ${package}/src/gateway)
file(GLOB kernel_headers ${SOURCE_DIR}/kernels/*.hpp)
file(COPY ${kernel_headers} ${KERNEL_SOURCES} DESTINATION ${package}/src/kernels)
file(GLOB estimation_files ${SOURCE_DIR}/estimation/*.hpp ${SOURCE_DIR}/estimation/*.cpp)
file(COPY ${estimation_files} DESTINATION ${package}/src/estimation)
file(GLOB optimiser_files ${SOURCE_DIR}/estimation/optimiser/*.hpp
     ${SOURCE_DIR}/estimation/optimiser/*.cpp)
file(COPY ${optimiser_files} DESTINATION ${package}/src/estimation/optimiser)
file(COPY ${SOURCE_DIR}/modules/Contents.m DESTINATION ${package}/inst)
file(GLOB toolbox_functions ${SOURCE_DIR}/toolbox/*.m)
file(COPY ${toolbox_functions} ${SOURCE_DIR}/toolbox/private DESTINATION ${package}/inst)

# INDEX: the package's functions by category, as Octave's documentation browser shows them.
set(category_threshvol_filter "Variance filters")
set(category_logvol_filter "Variance filters")
set(category_shiftvol_filter "Variance filters")
set(category_intvol_filter "Variance filters")
set(category_lagreg_residuals "Mean-model residuals")
set(category_pairwise_nll "Pairwise likelihood")
set(category_threshvol_nll "Likelihoods")
set(category_logvol_nll "Likelihoods")
set(category_shiftvol_nll "Likelihoods")
set(category_intvol_nll "Likelihoods")
set(category_threshvol_simulate "Simulation")
set(category_logvol_simulate "Simulation")
set(category_shiftvol_simulate "Simulation")
set(category_intvol_simulate "Simulation")
set(category_volfilter_plan "Model fitting")
set(category_volfilter_estimate "Model fitting")
set(categories Model_fitting)
set(title_Model_fitting "Model fitting and forecasting")
set(members_Model_fitting volfilter_fit volfilter_summary volfilter_plot volfilter_forecast
                          volfilter_simulate)
foreach(module IN LISTS MODULES)
  file(COPY ${SOURCE_DIR}/modules/${module}/${module}.cpp
       DESTINATION ${package}/src/modules/${module})
  if(EXISTS ${SOURCE_DIR}/modules/${module}/${module}.m)
    file(COPY ${SOURCE_DIR}/modules/${module}/${module}.m DESTINATION ${package}/inst)
  endif()
  set(category "${category_${module}}")
  if(category STREQUAL "")
    set(category "Other modules")
  endif()
  string(MAKE_C_IDENTIFIER "${category}" key)
  if(NOT key IN_LIST categories)
    list(APPEND categories ${key})
    set(title_${key} "${category}")
  endif()
  list(APPEND members_${key} ${module})
endforeach()
set(index "volfilter >> Volatility filters\n")
# Model fitting last, as before.
list(REMOVE_ITEM categories Model_fitting)
list(APPEND categories Model_fitting)
foreach(key IN LISTS categories)
  list(JOIN members_${key} " " members)
  string(APPEND index "${title_${key}}\n ${members}\n")
endforeach()
file(WRITE ${package}/INDEX "${index}")

execute_process(COMMAND ${CMAKE_COMMAND} -E tar czf ${TARBALL} volfilter
                WORKING_DIRECTORY ${STAGE_DIR} COMMAND_ERROR_IS_FATAL ANY)
