# Cross-compiling for 64-bit Windows with the mingw-w64 compilers of the posix thread
# model (std::thread and std::mutex need it). Tests built this way run under Wine
# through scripts/wine-run.sh, which keeps its own prefix under build/.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_ovalin_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_ovalin_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_ovalin_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_ovalin_triple}-windres)
set(CMAKE_AR ${_ovalin_triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${_ovalin_triple}-ranlib CACHE FILEPATH "")

# Headers and libraries come from the mingw-w64 sysroot and the prefix of the
# cross-built libraries (scripts/bootstrap.sh); programs from the host.
# Static libraries first, so that no DLL (zlib1.dll, libpng16.dll...) is needed.
set(CMAKE_FIND_ROOT_PATH /usr/${_ovalin_triple})
if(OVALIN_DEPS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH "${OVALIN_DEPS_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_FIND_LIBRARY_SUFFIXES .a .dll.a .lib)
set(ZLIB_USE_STATIC_LIBS ON)

# Test programs (ctest, gtest discovery) run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
