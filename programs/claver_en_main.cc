// CLAVER_En: splits one English text file into its sentence file.
#include "language/language.h"
#include "splitter/splitter.h"

int main(int argc, char** argv) { return kernova::splitter::run_splitter(kernova::language::english(), argc, argv); }
