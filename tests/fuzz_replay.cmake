# Each fuzz target also runs as a test over its saved inputs in
# fuzz/corpus/<name>/ (the corpus and every input that once failed).
file(GLOB fuzz_targets CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzzer.cc)
foreach(source ${fuzz_targets})
  get_filename_component(name ${source} NAME_WE)
  string(REPLACE "_fuzzer" "" corpus ${name})
  add_executable(${name}_replay ${source} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cc)
  set_target_properties(${name}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_link_libraries(${name}_replay PRIVATE kernova)
  add_test(NAME ${name}_replay COMMAND ${name}_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus/${corpus})
endforeach()
