# Installation: the library, its one public header, the programs, a CMake
# package generated from the target (find_package(Kernova) and the target
# kernova::kernova) and a pkg-config file (kernova.pc).
include(CMakePackageConfigHelpers)

install(TARGETS kernova EXPORT KernovaTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/kernova/kernova.hpp DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kernova)
if(KERNOVA_BUILD_PROGRAMS)
  install(TARGETS CLAVER_En CLAVER_Por Kernova_En Kernova_Por kernova_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(kernova_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Kernova)
install(EXPORT KernovaTargets NAMESPACE kernova:: DESTINATION ${kernova_package_dir})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KernovaConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KernovaConfig.cmake
  INSTALL_DESTINATION ${kernova_package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KernovaConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KernovaConfig.cmake ${PROJECT_BINARY_DIR}/KernovaConfigVersion.cmake
  DESTINATION ${kernova_package_dir})

# kernova.pc finds the prefix from its own place, so the installed tree
# can move.
file(RELATIVE_PATH kernova_pc_to_prefix ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig
     ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" kernova_pc_to_prefix "${kernova_pc_to_prefix}")
set(kernova_pc_libs_private "-pthread")
set(kernova_pc_libs "")
if(KERNOVA_SANITIZE)
  set(kernova_pc_libs "-fsanitize=address,undefined")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/kernova.pc.in ${PROJECT_BINARY_DIR}/kernova.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kernova.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
