# Installs the build into a fresh prefix, builds the example against the
# installed package and checks that it gives the installed program's
# extract.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DCXX=... -P install_test.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}\n${err}")
  endif()
  set(step_out "${out}" PARENT_SCOPE)
endfunction()

step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(installed include/kernova/kernova.hpp bin/kernova bin/Kernova_En bin/Kernova_Por bin/CLAVER_En
                  bin/CLAVER_Por)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()

step(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples -B ${WORK_DIR}/build -DCMAKE_PREFIX_PATH=${prefix}
     -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=Release)
step(${CMAKE_COMMAND} --build ${WORK_DIR}/build)

set(text ${SOURCE_DIR}/samples/storm.txt)
step(${WORK_DIR}/build/kernova_example ${text})
set(example_out "${step_out}")
step(${prefix}/bin/kernova summarize --keep 0.5 ${text})
if(NOT example_out STREQUAL step_out OR example_out STREQUAL "")
  message(FATAL_ERROR "the example's extract:\n${example_out}\ndiffers from the program's:\n${step_out}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
