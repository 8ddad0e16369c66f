# The summarizer's benchmark is a script over the real programs:
#   cmake --build <build> --target summarizer_bench
add_custom_target(summarizer_bench
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/summarizer_bench.sh $<TARGET_FILE_DIR:Kernova_En>
  DEPENDS Kernova_En CLAVER_En
  USES_TERMINAL
  COMMENT "Kernova_En on 10 to 80 MB of English text, beside wc -w and ots")
