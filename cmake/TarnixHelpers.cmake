# tarnix_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable registered with CTest, headless, with the data folder
# as its working directory so relative picture and template paths resolve.
# The headless screen is a roomy desktop (offscreen-desktop.json): the pages
# fit at scale 1 and 2, as on most screens; small screens have their own walk.
# Under TARNIX_SANITIZE the sanitizers' options come along (TarnixSanitize).
set(TARNIX_OFFSCREEN_PLATFORM
  "offscreen:configfile=${CMAKE_CURRENT_LIST_DIR}/offscreen-desktop.json")

function(tarnix_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS} tarnix_warnings)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${TARNIX_DATA_DIR})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(environment QT_QPA_PLATFORM=${TARNIX_OFFSCREEN_PLATFORM} QT_QPA_FONTDIR=/usr/share/fonts/truetype/liberation
    ${TARNIX_SANITIZER_ENV})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "${environment}"
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}")
endfunction()
