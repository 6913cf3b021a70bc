# What Tavrin.exe needs beside itself on Windows: the DLLs it and its tools
# import (Qt, curl, libpng, zlib, the mingw runtime), found in the tool chain
# cache and the compiler's folders, and the Qt plugins it loads at run time.
# Qt's deploy tool does not exist in a cross build, so the imports are read
# with mingw's objdump (set in mingw64.cmake); see install_runtime.cmake.

# One folder a plugin type, beside the program, where Qt looks first.
set(_tavrin_plugin_files)
foreach(_plugin
    QWindowsIntegrationPlugin
    QWindowsVistaStylePlugin
    QSQLiteDriverPlugin
    QGifPlugin
    QICOPlugin
    QJpegPlugin)
  if(TARGET Qt6::${_plugin})
    get_target_property(_type Qt6::${_plugin} QT_PLUGIN_TYPE)
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::${_plugin}
      LIBRARY DESTINATION ${TAVRIN_INSTALL_PROGRAM_DIR}/${_type}
      RUNTIME DESTINATION ${TAVRIN_INSTALL_PROGRAM_DIR}/${_type})
    list(APPEND _tavrin_plugin_files "$<TARGET_FILE:Qt6::${_plugin}>")
  endif()
endforeach()

set(_tavrin_dll_dirs ${TAVRIN_WIN_PREFIX}/bin)
foreach(_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
    OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(IS_ABSOLUTE "${_path}")
    file(REAL_PATH "${_path}" _path)
    get_filename_component(_dir "${_path}" DIRECTORY)
    list(APPEND _tavrin_dll_dirs ${_dir})
  endif()
endforeach()
list(REMOVE_DUPLICATES _tavrin_dll_dirs)

# CMake before 3.27 looks a DLL up under its name in lower case, which a Linux
# file system does not match: a folder of lower-case links to them.
set(_tavrin_dll_names ${CMAKE_BINARY_DIR}/windows-dll-names)
file(REMOVE_RECURSE ${_tavrin_dll_names})
file(MAKE_DIRECTORY ${_tavrin_dll_names})
foreach(_dir IN LISTS _tavrin_dll_dirs)
  file(GLOB _dlls LIST_DIRECTORIES false ${_dir}/*.dll)
  foreach(_dll IN LISTS _dlls)
    get_filename_component(_name "${_dll}" NAME)
    string(TOLOWER "${_name}" _lower)
    if(NOT EXISTS ${_tavrin_dll_names}/${_lower})
      file(CREATE_LINK ${_dll} ${_tavrin_dll_names}/${_lower} SYMBOLIC)
    endif()
  endforeach()
endforeach()

install(CODE "
  set(TAVRIN_RUNTIME_EXECUTABLES \"$<TARGET_FILE:Tavrin>;$<TARGET_FILE:tavrin-quote>\")
  set(TAVRIN_RUNTIME_LIBRARIES \"$<TARGET_FILE:Lumeve>\")
  set(TAVRIN_RUNTIME_MODULES \"${_tavrin_plugin_files}\")
  set(TAVRIN_RUNTIME_DLL_NAMES \"${_tavrin_dll_names}\")
  set(TAVRIN_RUNTIME_DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${TAVRIN_INSTALL_PROGRAM_DIR}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/install_runtime.cmake\")
")
