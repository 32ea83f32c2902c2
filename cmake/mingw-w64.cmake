# Cross-building for Windows with Debian's mingw-w64 compilers, included by the toolchain file of
# each architecture once RAVELIN_MINGW_TRIPLET is set. The POSIX-threads compilers give std::thread
# and std::mutex; the runtime is linked statically, so the programs and the library need no DLL of
# the compiler's beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${RAVELIN_MINGW_PROCESSOR})
set(CMAKE_C_COMPILER ${RAVELIN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RAVELIN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RAVELIN_MINGW_TRIPLET}-windres)

# Libraries and headers come from the target's own tree only; programs run on the build machine.
# A Qt built for the target (scripts/qt-windows.sh) is a second such tree.
set(CMAKE_FIND_ROOT_PATH /usr/${RAVELIN_MINGW_TRIPLET} ${RAVELIN_QT_PREFIX})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RAVELIN_QT_PREFIX)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
