# The program is build/bin/kernova; its target has another name because the
# library already is the target `kernova`.
kernova_program(kernova_cli kernova_main.cc)
set_target_properties(kernova_cli PROPERTIES OUTPUT_NAME kernova)
