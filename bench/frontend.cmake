# The front end's benchmark is a script over the real programs:
#   cmake --build <build> --target frontend_bench
add_custom_target(frontend_bench
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/frontend_bench.sh $<TARGET_FILE_DIR:kernova_cli>
  DEPENDS kernova_cli Kernova_En CLAVER_En
  USES_TERMINAL
  COMMENT "kernova summarize --each over 2000 texts beside Kernova_En once per text; one large text")
