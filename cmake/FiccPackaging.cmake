# Installing the panels for a terminal, and the two Debian packages:
#   runtime      the module and host libraries (with their soname links)
#   development  their public headers, the linker names and the CMake package
#                configuration (find_package(FiccPanels))
# The demo terminal is not installed: it runs from the build tree.
include(CMakePackageConfigHelpers)

set(FICC_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/FiccPanels)

install(EXPORT FiccPanelsTargets
  NAMESPACE FiccPanels::
  DESTINATION ${FICC_CMAKE_DIR}
  COMPONENT development)

configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/FiccPanelsConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/FiccPanelsConfig.cmake
  INSTALL_DESTINATION ${FICC_CMAKE_DIR})
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/FiccPanelsConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/FiccPanelsConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/FiccPanelsConfigVersion.cmake
  ${CMAKE_CURRENT_LIST_DIR}/FindMongoClient.cmake
  DESTINATION ${FICC_CMAKE_DIR}
  COMPONENT development)

set(CPACK_PACKAGE_NAME ficc-panels)
set(CPACK_PACKAGE_VENDOR "FICC panels maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "FICC order-entry panels for the trading terminal")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
# The debugging information stays in the build tree.
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime development)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
  "FICC order-entry panels: the module library and the host library it runs on")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
  "FICC order-entry panels: headers and CMake package for terminals that host them")
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS runtime)

set(CPACK_DEB_COMPONENT_INSTALL ON)
# libficcpanels-dev depends on libficcpanels1 of the same version.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "FICC panels maintainers <ficc-panels@example.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libficcpanels${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libficcpanels-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The runtime's dependencies come from the libraries' own (dpkg-shlibdeps); the
# development files need the headers the public headers include.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "qtbase5-dev, libboost-dev, libboost-thread-dev, libboost-system-dev, libboost-date-time-dev, liblog4cxx-dev, libmongoclient-dev")
include(CPack)
