# `cmake --install` into a temporary prefix, then examples/ built against
# the installed package and run.
add_test(NAME kernova_install_example
  COMMAND ${CMAKE_COMMAND}
    -DBUILD_DIR=${PROJECT_BINARY_DIR}
    -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
    -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/install_example
    -DCXX=${CMAKE_CXX_COMPILER}
    -P ${PROJECT_SOURCE_DIR}/examples/install_test.cmake)
