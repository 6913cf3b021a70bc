# Install layout and the Debian package.
#
# The program loads libLumeve.so from its own folder and keeps its data beside
# itself when that folder is writable, so the program and the library always
# share one folder. On Linux that folder is lib/tavrin (private to the package)
# and bin/Tavrin is a symlink to it: applicationDirPath() resolves the link
# through /proc/self/exe, so the library is still found beside the program and,
# the folder being read-only for users, the data goes to the per-user folder.
# On Windows the folder is flat: Tavrin.exe, Lumeve.dll and the Qt runtime.
include(GNUInstallDirs)

if(WIN32)
  set(TAVRIN_INSTALL_PROGRAM_DIR .)
else()
  set(TAVRIN_INSTALL_PROGRAM_DIR lib/tavrin)
endif()

if(TARGET Tavrin)
  install(TARGETS Tavrin RUNTIME DESTINATION ${TAVRIN_INSTALL_PROGRAM_DIR})
  # Only the shared library itself: nobody links against it, so no import library.
  install(TARGETS Lumeve
    RUNTIME DESTINATION ${TAVRIN_INSTALL_PROGRAM_DIR}
    LIBRARY DESTINATION ${TAVRIN_INSTALL_PROGRAM_DIR} NAMELINK_SKIP
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} EXCLUDE_FROM_ALL)
  # The value page's browser, loaded from beside the program when its tab is first shown.
  if(TARGET tavrin_web_view)
    install(TARGETS tavrin_web_view LIBRARY DESTINATION ${TAVRIN_INSTALL_PROGRAM_DIR})
  endif()
  # The alert clips' player, loaded from beside the program at the first play.
  if(TARGET tavrin_clip_sound)
    install(TARGETS tavrin_clip_sound LIBRARY DESTINATION ${TAVRIN_INSTALL_PROGRAM_DIR})
  endif()

  if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows/TavrinWindowsRuntime.cmake)
  else()
    # A relative link made here and installed as a link, so DESTDIR and CPack keep it.
    file(RELATIVE_PATH _tavrin_link_target
      /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${TAVRIN_INSTALL_PROGRAM_DIR}/Tavrin)
    set(_tavrin_link ${CMAKE_BINARY_DIR}/install-links/Tavrin)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
    file(CREATE_LINK ${_tavrin_link_target} ${_tavrin_link} SYMBOLIC)
    install(FILES ${_tavrin_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

    install(FILES ${PROJECT_SOURCE_DIR}/packaging/tavrin.desktop
      DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    # The sizes the hicolor theme has folders for; the others are for Windows' .ico.
    foreach(_size 16 24 32 36 48 64 128 256)
      install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/tavrin_${_size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
        RENAME tavrin.png)
    endforeach()
  endif()
endif()

set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VENDOR Tavrin)
set(CPACK_PACKAGE_CONTACT "Tavrin developers <tavrin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "禾岫股价监控 - Shanghai/Shenzhen A-share price monitor")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: libcurl, the SQLite driver,
# the platform plugins, the Chinese fonts and Qt's own Chinese translations. (The
# sound module's own libraries it does see.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libcurl4, libqt6sql6-sqlite, qt6-qpa-plugins, fonts-noto-cjk, qt6-translations-l10n")

if(WIN32)
  # A zip of the flat folder, unpacked as Tavrin-win64/.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Tavrin-win64)
  set(CPACK_PACKAGING_INSTALL_PREFIX "")
endif()

include(CPack)
