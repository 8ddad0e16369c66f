kernova_test(english_stemmer_test
  SOURCES english_stemmer_test.cc
  LIBS kernova_english_stemmer kernova_language)

kernova_test(english_stopword_test
  SOURCES english_stopword_test.cc
  LIBS kernova_language)
