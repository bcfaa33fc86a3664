# Installs the package config beside the exported kernels target (see kernels/CMakeLists.txt).
include(CMakePackageConfigHelpers)

set(VOLFILTER_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/volfilter)
install(EXPORT volfilterTargets NAMESPACE volfilter:: DESTINATION ${VOLFILTER_CONFIG_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/volfilterConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/volfilterConfig.cmake
                              INSTALL_DESTINATION ${VOLFILTER_CONFIG_DIR})
# Before 1.0 a minor version may change the interface.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/volfilterConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/volfilterConfig.cmake
              ${CMAKE_BINARY_DIR}/volfilterConfigVersion.cmake
        DESTINATION ${VOLFILTER_CONFIG_DIR})
