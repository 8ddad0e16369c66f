set(kernova_frontend_libs kernova_frontend kernova_splitter kernova_summarizer kernova_english_stemmer
    kernova_portuguese_stemmer kernova_language)

kernova_test(kernova_stem_test
  SOURCES kernova_stem_test.cc
  LIBS ${kernova_frontend_libs}
  PROGRAMS kernova_cli)

kernova_test(kernova_api_test
  SOURCES kernova_api_test.cc
  LIBS ${kernova_frontend_libs})

# The commands run for real, beside the programs they must agree with.
find_package(nlohmann_json 3 REQUIRED)
kernova_test(kernova_summarize_test
  SOURCES kernova_summarize_test.cc
  PROGRAMS kernova_cli Kernova_En Kernova_Por CLAVER_En CLAVER_Por)
target_link_libraries(kernova_summarize_test PRIVATE nlohmann_json::nlohmann_json)

kernova_test(kernova_split_test
  SOURCES kernova_split_test.cc
  PROGRAMS kernova_cli CLAVER_En CLAVER_Por)
