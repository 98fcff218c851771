# Cross-building for 32-bit Windows with Debian's MinGW-w64: the host that loads the maker's
# 32-bit libraries, and the 32-bit libraries its tests load. The posix thread model is named
# explicitly: the win32 one has no std::thread or std::mutex, and installing it switches the plain
# compiler names.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(QTM418_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QTM418_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QTM418_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QTM418_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QTM418_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
