# tarnix_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable registered with CTest, headless, with the data folder
# as its working directory so relative picture and template paths resolve.
# Under TARNIX_SANITIZE the sanitizers' options come along (TarnixSanitize).
function(tarnix_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS} tarnix_warnings)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${TARNIX_DATA_DIR})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(environment QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype/liberation
    ${TARNIX_SANITIZER_ENV})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "${environment}"
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}")
endfunction()
