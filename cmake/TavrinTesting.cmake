# A cross build has no simulator of its own: TAVRIN_QUOTE_SIM_PROGRAM names one
# that its test programs can start.
if(CMAKE_CROSSCOMPILING)
  set(TAVRIN_QUOTE_SIM_PROGRAM "" CACHE FILEPATH "Quote simulator the tests start")
  set(_tavrin_quote_sim "${TAVRIN_QUOTE_SIM_PROGRAM}")
else()
  set(_tavrin_quote_sim "$<TARGET_FILE:quote-sim>")
endif()

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
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;TAVRIN_QUOTE_SIM=${_tavrin_quote_sim};${T_ENVIRONMENT}"
    TIMEOUT 300)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
