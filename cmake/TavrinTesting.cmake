# tavrin_add_test(NAME SOURCES ... LIBS ... [ENVIRONMENT ...])
# A Qt Test executable registered with CTest. Every test gets the offscreen
# platform and the path of the quote simulator, so none of them needs a display
# or the internet.
function(tavrin_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENVIRONMENT;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tavrin_flags tavrin_test_support Qt6::Test ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;TAVRIN_QUOTE_SIM=$<TARGET_FILE:quote-sim>;${T_ENVIRONMENT}"
    TIMEOUT 300)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
