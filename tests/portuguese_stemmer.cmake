kernova_test(portuguese_stemmer_test
  SOURCES portuguese_stemmer_test.cc portuguese_pool_test.cc
  LIBS kernova_portuguese_stemmer kernova_language)

kernova_test(portuguese_stopword_test
  SOURCES portuguese_stopword_test.cc
  LIBS kernova_language)
