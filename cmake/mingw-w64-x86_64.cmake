# Cross-building for 64-bit Windows with Debian's MinGW-w64. The posix thread model is named
# explicitly: the win32 one has no std::thread or std::mutex, and installing it switches the plain
# compiler names.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QTM418_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QTM418_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QTM418_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QTM418_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QTM418_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
