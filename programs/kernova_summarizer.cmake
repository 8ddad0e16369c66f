# The summarizers of the two editions; each starts its own splitter.
kernova_program(Kernova_En kernova_en_main.cc)
kernova_program(Kernova_Por kernova_por_main.cc)
add_dependencies(Kernova_En CLAVER_En)
add_dependencies(Kernova_Por CLAVER_Por)
