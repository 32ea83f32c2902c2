# 64-bit Windows. The tests run under Wine through scripts/wine.sh.
set(RAVELIN_MINGW_TRIPLET x86_64-w64-mingw32)
set(RAVELIN_MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine.sh)
