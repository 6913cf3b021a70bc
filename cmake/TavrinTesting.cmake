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
# Under ThreadSanitizer every test reads the suppressions of Qt's own, uninstrumented
# internals and fails at the first report. Tests that start the quote simulator fork a
# threaded process only to exec it at once, which is safe.
set(TAVRIN_TEST_SANITIZER_ENV "")
if(TAVRIN_SANITIZE MATCHES "thread")
  set(TAVRIN_TEST_SANITIZER_ENV
    "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/monitor/tsan.supp halt_on_error=1 second_deadlock_stack=1 die_after_fork=0")
endif()

function(tavrin_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENVIRONMENT;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tavrin_flags tavrin_test_support Qt6::Test ${T_LIBS})
  # Every test may start the simulator: it is built first (a cross build uses a host one).
  if(NOT CMAKE_CROSSCOMPILING)
    add_dependencies(${name} quote-sim)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;TAVRIN_QUOTE_SIM=${_tavrin_quote_sim};${TAVRIN_TEST_SANITIZER_ENV};${T_ENVIRONMENT}"
    TIMEOUT 300)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
