# The same sources for 64-bit Windows: used to run the tests under Wine's
# 64-bit side on machines that cannot run 32-bit programs (see scripts/wine-env.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TIKKANO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
