# One interface target carries the flags every target of ours shares.
add_library(tavrin_flags INTERFACE)
target_compile_features(tavrin_flags INTERFACE cxx_std_20)
target_compile_definitions(tavrin_flags INTERFACE
  QT_NO_CONTEXTLESS_CONNECT
  QT_NO_FOREACH
  QT_NO_URL_CAST_FROM_STRING
  QT_USE_QSTRINGBUILDER)
if(MSVC)
  target_compile_options(tavrin_flags INTERFACE /W4 /utf-8 /permissive-)
else()
  target_compile_options(tavrin_flags INTERFACE -Wall -Wextra -Wpedantic -Wold-style-cast)
endif()

if(TAVRIN_SANITIZE)
  string(REPLACE "," ";" _tavrin_sanitizers "${TAVRIN_SANITIZE}")
  foreach(_s IN LISTS _tavrin_sanitizers)
    add_compile_options(-fsanitize=${_s})
    add_link_options(-fsanitize=${_s})
  endforeach()
  add_compile_options(-fno-omit-frame-pointer)
endif()

find_program(TAVRIN_CCACHE ccache)
if(TAVRIN_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${TAVRIN_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${TAVRIN_CCACHE})
endif()

# The version of project(VERSION), as a header for the program and the simulator.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/tavrin/version.h @ONLY)
add_library(tavrin_version INTERFACE)
target_include_directories(tavrin_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
