# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, which std::thread and std::mutex need).
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake
#
# The libraries built by scripts/windows-deps are found through the file it
# writes, $TARVELO_WINDOWS_ROOT/prefixes.cmake (default root
# /var/tmp/tarvelo-windows); that script builds Qt with this file too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVELO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVELO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVELO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVELO_MINGW}-windres)
set(CMAKE_AR ${TARVELO_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${TARVELO_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")

if(DEFINED ENV{TARVELO_WINDOWS_ROOT})
  set(TARVELO_WINDOWS_ROOT "$ENV{TARVELO_WINDOWS_ROOT}")
elseif(NOT TARVELO_WINDOWS_ROOT)
  set(TARVELO_WINDOWS_ROOT /var/tmp/tarvelo-windows)
endif()
# Lists the libraries whose build finished; a half-built one is never listed.
include(${TARVELO_WINDOWS_ROOT}/prefixes.cmake OPTIONAL)

set(CMAKE_FIND_ROOT_PATH /usr/${TARVELO_MINGW} ${TARVELO_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees the Windows libraries only, never the host's.
set(TARVELO_PKG_CONFIG_DIRS "")
foreach(prefix IN LISTS TARVELO_WINDOWS_PREFIXES)
  list(APPEND TARVELO_PKG_CONFIG_DIRS "${prefix}/lib/pkgconfig")
endforeach()
string(REPLACE ";" ":" TARVELO_PKG_CONFIG_DIRS "${TARVELO_PKG_CONFIG_DIRS}")
set(ENV{PKG_CONFIG_LIBDIR} "${TARVELO_PKG_CONFIG_DIRS}")
set(ENV{PKG_CONFIG_PATH} "")
