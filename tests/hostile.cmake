# Hostile input through the real programs: bad and odd command lines and
# files, and runs side by side in one folder.
kernova_test(hostile_input_test
  SOURCES hostile_input_test.cc
  LIBS kernova_english_stemmer kernova_portuguese_stemmer kernova_language
  PROGRAMS Kernova_En Kernova_Por CLAVER_En CLAVER_Por kernova_cli)

kernova_test(concurrent_runs_test
  SOURCES concurrent_runs_test.cc
  PROGRAMS Kernova_En Kernova_Por CLAVER_En CLAVER_Por)
