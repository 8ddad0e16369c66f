# The Portuguese stemmer over a large word list (by default
# /usr/share/dict/brazilian, UTF-8, read as ISO 8859-1; another list can be
# named in KERNOVA_PT_WORDS).
add_executable(portuguese_stemmer_bench portuguese_stemmer_bench.cc)
target_link_libraries(portuguese_stemmer_bench PRIVATE
  kernova_portuguese_stemmer kernova_language benchmark::benchmark benchmark::benchmark_main)
