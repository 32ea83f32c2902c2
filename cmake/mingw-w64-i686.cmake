# 32-bit Windows. Nothing here runs its programs (64-bit Wine runs no 32-bit one), so its tests
# are built but not registered; the export test reads the library's table instead.
set(RAVELIN_MINGW_TRIPLET i686-w64-mingw32)
set(RAVELIN_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
