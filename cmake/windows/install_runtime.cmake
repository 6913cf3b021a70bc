# Install-time half of TavrinWindowsRuntime.cmake: installs the DLLs that the
# given programs, libraries and plugins import, found through the folder of
# lower-case links, under their real names. Only the DLLs we bring: the others
# (KERNEL32, USER32, winmm, ...) are Windows' own.
file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES ${TAVRIN_RUNTIME_EXECUTABLES}
  LIBRARIES ${TAVRIN_RUNTIME_LIBRARIES}
  MODULES ${TAVRIN_RUNTIME_MODULES}
  DIRECTORIES ${TAVRIN_RUNTIME_DLL_NAMES}
  PRE_INCLUDE_REGEXES "^qt6[a-z]+\\.dll$" "^lib[^/]+\\.dll$"
  PRE_EXCLUDE_REGEXES ".*"
  RESOLVED_DEPENDENCIES_VAR _resolved
  UNRESOLVED_DEPENDENCIES_VAR _unresolved)
if(_unresolved)
  message(FATAL_ERROR "Windows DLLs not found in the tool chain: ${_unresolved}")
endif()
foreach(_link IN LISTS _resolved)
  file(REAL_PATH "${_link}" _dll)
  file(INSTALL DESTINATION "${TAVRIN_RUNTIME_DESTINATION}" TYPE SHARED_LIBRARY FILES "${_dll}")
endforeach()
