# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads: Qt
# needs std::thread). Libraries come from the tool chain cache that
# scripts/windows/toolchain.sh fills; TAVRIN_WIN_CACHE moves it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVRIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVRIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRIN_MINGW_TRIPLE}-windres)

if(DEFINED ENV{TAVRIN_WIN_CACHE} AND NOT "$ENV{TAVRIN_WIN_CACHE}" STREQUAL "")
  set(TAVRIN_WIN_CACHE "$ENV{TAVRIN_WIN_CACHE}")
else()
  set(TAVRIN_WIN_CACHE "$ENV{HOME}/.cache/tavrin/windows")
endif()
set(TAVRIN_WIN_PREFIX "${TAVRIN_WIN_CACHE}/prefix")

# Headers and libraries only from the cache and the mingw sysroot; programs
# (moc, rcc, ...) from the host.
set(CMAKE_FIND_ROOT_PATH "${TAVRIN_WIN_PREFIX}" /usr/${TAVRIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config, where a project asks it, sees only the cache.
set(ENV{PKG_CONFIG_LIBDIR} "${TAVRIN_WIN_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# install(RUNTIME_DEPENDENCY_SET) reads a program's imports with mingw's objdump.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${TAVRIN_MINGW_TRIPLE}-objdump)

# The host's rcc compresses with zstd when it can, but this Qt is built without
# it: resources would then need qResourceFeatureZstd(), which it lacks.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)
