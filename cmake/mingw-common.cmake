# Cross-compiling the Windows programs with mingw-w64 (posix threads) for the
# triple that the including toolchain file names.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TIKKANO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TIKKANO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TIKKANO_MINGW_TRIPLE}-windres)
# Archives of objects optimised at the link need the compiler's archiver.
set(CMAKE_AR ${TIKKANO_MINGW_TRIPLE}-gcc-ar-posix)
set(CMAKE_RANLIB ${TIKKANO_MINGW_TRIPLE}-gcc-ranlib-posix)
set(CMAKE_FIND_ROOT_PATH /usr/${TIKKANO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
