# tarnix_warnings: the one set of compiler warnings. Every target links it
# PRIVATE (tarnix_add_test does so for the tests); TARNIX_WERROR, on in the
# presets and the CI, turns them into errors. Designated initialisers leave
# out the members whose defaults stand, which GCC 12 would flag as missing.
option(TARNIX_WERROR "Treat compiler warnings as errors" OFF)
add_library(tarnix_warnings INTERFACE)
target_compile_options(tarnix_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wno-missing-field-initializers
  $<$<BOOL:${TARNIX_WERROR}>:-Werror>)
