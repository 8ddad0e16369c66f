# The English stemming entry over a large word list (by default
# /usr/share/dict/american-english; another list can be named in
# KERNOVA_EN_WORDS).
add_executable(english_stemmer_bench english_stemmer_bench.cc)
target_link_libraries(english_stemmer_bench PRIVATE
  kernova_english_stemmer kernova_language benchmark::benchmark benchmark::benchmark_main)
