# Installing the libraries, their headers, a CMake package (find_package(YGrids) with the
# target YGrids::ygrids) and a pkg-config file (ygrids.pc).
include(CMakePackageConfigHelpers)

set(YGRIDS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/YGrids)

install(TARGETS host_classes host_gui ygrids ygrids_package
  EXPORT YGridsTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ygrids)

install(EXPORT YGridsTargets NAMESPACE YGrids:: DESTINATION ${YGRIDS_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/YGridsConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/YGridsConfig.cmake INSTALL_DESTINATION ${YGRIDS_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/YGridsConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/YGridsConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/YGridsConfigVersion.cmake
        DESTINATION ${YGRIDS_CMAKE_DIR})

# The libraries in link order: the grid before the host libraries it uses. The prefix is found
# from where the file lies, so that an install into another prefix (--prefix) still works.
file(RELATIVE_PATH YGRIDS_PC_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
configure_file(${CMAKE_CURRENT_LIST_DIR}/ygrids.pc.in ${CMAKE_CURRENT_BINARY_DIR}/ygrids.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ygrids.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
