# Installs the build into a fresh prefix and builds the example against the
# installed package four ways: with find_package(Kernova) and with
# pkg-config against the static library, and the same two against a shared
# library built and installed from the same sources. Each must
# give the installed program's extract; the shared library must carry a
# versioned SONAME and export nothing outside kernova::api.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DCXX=... [-DLAUNCHER=...]
#         [-DBUILD_TYPE=...] [-DSANITIZE=ON] -P install_test.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
set(shared_prefix ${WORK_DIR}/shared-prefix)

function(step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}\n${err}")
  endif()
  set(step_out "${out}" PARENT_SCOPE)
endfunction()

function(expect_extract program how)
  step(${program} ${text})
  if(NOT step_out STREQUAL expected OR step_out STREQUAL "")
    message(FATAL_ERROR "the example (${how}) gives:\n${step_out}\nthe program:\n${expected}")
  endif()
endfunction()

step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(installed include/kernova/kernova.hpp bin/kernova bin/Kernova_En bin/Kernova_Por bin/CLAVER_En
                  bin/CLAVER_Por)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
set(text ${SOURCE_DIR}/samples/storm.txt)
step(${prefix}/bin/kernova summarize --keep 0.5 ${text})
set(expected "${step_out}")

# 1. find_package, static library.
step(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples -B ${WORK_DIR}/static -DCMAKE_PREFIX_PATH=${prefix}
     -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=Release)
step(${CMAKE_COMMAND} --build ${WORK_DIR}/static)
expect_extract(${WORK_DIR}/static/kernova_example "static, find_package")

# 2. pkg-config, static library.
file(GLOB pc_file ${prefix}/lib*/pkgconfig/kernova.pc ${prefix}/lib/*/pkgconfig/kernova.pc)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
step(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pc_dir} pkg-config --cflags --libs --static kernova)
string(STRIP "${step_out}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
step(${CXX} -std=c++20 ${SOURCE_DIR}/examples/kernova_example.cc ${flags} -o ${WORK_DIR}/pkg_config_example)
expect_extract(${WORK_DIR}/pkg_config_example "static, pkg-config")

# 3. find_package, shared library: the library alone, built from the same
# sources with the same compiler and build type.
set(launcher "")
if(LAUNCHER)
  set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
step(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/shared-build -DBUILD_SHARED_LIBS=ON
     -DKERNOVA_BUILD_PROGRAMS=OFF -DKERNOVA_BUILD_TESTS=OFF -DCMAKE_CXX_COMPILER=${CXX} ${launcher}
     -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DKERNOVA_SANITIZE=${SANITIZE})
step(${CMAKE_COMMAND} --build ${WORK_DIR}/shared-build --target kernova -j2)
step(${CMAKE_COMMAND} --install ${WORK_DIR}/shared-build --prefix ${shared_prefix})
file(GLOB libraries ${shared_prefix}/lib*/libkernova.so* ${shared_prefix}/lib/*/libkernova.so*)
list(FILTER libraries INCLUDE REGEX "\\.so\\.[0-9]+\\.[0-9]+$")
if(NOT libraries)
  message(FATAL_ERROR "no versioned libkernova.so installed in ${shared_prefix}")
endif()
list(GET libraries 0 library)
step(objdump -p ${library})
if(NOT step_out MATCHES "SONAME +libkernova\\.so\\.[0-9]+\\.[0-9]+")
  message(FATAL_ERROR "libkernova.so has no versioned SONAME:\n${step_out}")
endif()
step(nm -DC --defined-only ${library})
string(REPLACE "\n" ";" symbols "${step_out}")
foreach(symbol ${symbols})
  # Instrumentation adds the sanitizers' own symbols.
  if(NOT symbol MATCHES "kernova::api::" AND NOT (SANITIZE AND symbol MATCHES "(__asan|__ubsan|__sanitizer|__odr_asan)"))
    message(FATAL_ERROR "libkernova.so exports a symbol outside the public interface: ${symbol}")
  endif()
endforeach()
if(NOT step_out MATCHES "kernova::api::summarize")
  message(FATAL_ERROR "libkernova.so does not export kernova::api::summarize:\n${step_out}")
endif()
step(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples -B ${WORK_DIR}/shared -DCMAKE_PREFIX_PATH=${shared_prefix}
     -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=Release)
step(${CMAKE_COMMAND} --build ${WORK_DIR}/shared)
step(ldd ${WORK_DIR}/shared/kernova_example)
if(NOT step_out MATCHES "libkernova\\.so")
  message(FATAL_ERROR "the shared example does not load libkernova.so:\n${step_out}")
endif()
expect_extract(${WORK_DIR}/shared/kernova_example "shared, find_package")

# 4. pkg-config, shared library. A consumer compiled without the sanitizers
# cannot load an instrumented library first, so this one runs in plain builds.
if(NOT SANITIZE)
  file(GLOB shared_pc ${shared_prefix}/lib*/pkgconfig/kernova.pc ${shared_prefix}/lib/*/pkgconfig/kernova.pc)
  get_filename_component(shared_pc_dir "${shared_pc}" DIRECTORY)
  step(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${shared_pc_dir} pkg-config --cflags --libs kernova)
  string(STRIP "${step_out}" flags)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  step(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${shared_pc_dir} pkg-config --variable=libdir kernova)
  string(STRIP "${step_out}" shared_libdir)
  step(${CXX} -std=c++20 ${SOURCE_DIR}/examples/kernova_example.cc ${flags} -Wl,-rpath,${shared_libdir}
       -o ${WORK_DIR}/pkg_config_shared_example)
  step(ldd ${WORK_DIR}/pkg_config_shared_example)
  if(NOT step_out MATCHES "libkernova\\.so")
    message(FATAL_ERROR "the pkg-config shared example does not load libkernova.so:\n${step_out}")
  endif()
  expect_extract(${WORK_DIR}/pkg_config_shared_example "shared, pkg-config")
endif()

file(REMOVE_RECURSE ${WORK_DIR})
