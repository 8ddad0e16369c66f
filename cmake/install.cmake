# Installation: the library, its one public header, the programs and a
# CMake package, so that other projects can say
#   find_package(Kernova REQUIRED)
#   target_link_libraries(app PRIVATE kernova::kernova)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# --each runs worker threads; whoever links the library needs them too.
find_package(Threads REQUIRED)
target_link_libraries(kernova PUBLIC Threads::Threads)

install(TARGETS kernova ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS CLAVER_En CLAVER_Por Kernova_En Kernova_Por kernova_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/kernova/kernova.hpp DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kernova)

# The package describes the installed archive by hand: the build's own
# target carries the source tree and the project's warning flags, which
# are no business of the library's users.
set(KERNOVA_LIBRARY_FILE ${CMAKE_STATIC_LIBRARY_PREFIX}kernova${CMAKE_STATIC_LIBRARY_SUFFIX})
set(KERNOVA_CONSUMER_LINK_OPTIONS "")
if(KERNOVA_SANITIZE)
  # An instrumented archive needs the sanitizers' run-time libraries.
  set(KERNOVA_CONSUMER_LINK_OPTIONS "-fsanitize=address,undefined")
endif()
set(kernova_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Kernova)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KernovaConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KernovaConfig.cmake
  INSTALL_DESTINATION ${kernova_package_dir}
  PATH_VARS CMAKE_INSTALL_INCLUDEDIR CMAKE_INSTALL_LIBDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KernovaConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KernovaConfig.cmake ${PROJECT_BINARY_DIR}/KernovaConfigVersion.cmake
  DESTINATION ${kernova_package_dir})
