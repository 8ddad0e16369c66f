kernova_test(kernova_stem_test
  SOURCES kernova_stem_test.cc
  LIBS kernova_frontend kernova_english_stemmer kernova_portuguese_stemmer kernova_language
  PROGRAMS kernova_cli)
