# The summarizer: its method in memory, its command line, and the programs
# Kernova_En and Kernova_Por run for real.
set(kernova_summarizer_libs
  kernova_summarizer kernova_language kernova_english_stemmer kernova_portuguese_stemmer)

kernova_test(summarizer_core_test
  SOURCES summarizer_core_test.cc
  LIBS ${kernova_summarizer_libs})

kernova_test(summarizer_reference_test
  SOURCES summarizer_reference_test.cc
  LIBS ${kernova_summarizer_libs})
target_compile_options(summarizer_reference_test PRIVATE -ffp-contract=off)

kernova_test(summarizer_command_line_test
  SOURCES summarizer_command_line_test.cc
  LIBS ${kernova_summarizer_libs})

kernova_test(summarizer_program_test
  SOURCES summarizer_program_test.cc
  PROGRAMS Kernova_En Kernova_Por CLAVER_En CLAVER_Por)
