# TARNIX_SANITIZE=address,undefined or TARNIX_SANITIZE=thread builds every
# target with those sanitizers; tarnix_add_test then runs the tests with
# TARNIX_SANITIZER_ENV, which makes any report fail its test. Qt, glib and
# libcurl are not instrumented: tsan.supp keeps ThreadSanitizer from judging
# their own memory accesses; lsan.supp names the libraries whose leftovers
# LeakSanitizer would otherwise report (see there).
set(TARNIX_SANITIZE "" CACHE STRING "Sanitizers to build with (address,undefined or thread)")
set(TARNIX_SANITIZER_ENV "")
if(TARNIX_SANITIZE)
  add_compile_options(-fsanitize=${TARNIX_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${TARNIX_SANITIZE})
  if(TARNIX_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
  list(APPEND TARNIX_SANITIZER_ENV
    "ASAN_OPTIONS=detect_stack_use_after_return=1:strict_init_order=1"
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "TSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/tsan.supp:halt_on_error=1:second_deadlock_stack=1")
endif()
