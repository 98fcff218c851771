# The 32-bit pieces, built by a build of their own with the i686 MinGW compiler (one CMake build
# has one compiler): qtm418-host32.exe beside the program, and for the tests the maker's stand-ins
# (our own kestrio and ConLCode as 32-bit DLLs, once with MinGW's decorated export names and once
# with plain ones) and libraries that misbehave. The build is quick to redo: nothing of Qt.
# The core-only build checks lib/ for Windows quickly and leaves it out.
set(host32_default ON)
if(QTM418_CORE_ONLY)
  set(host32_default OFF)
endif()
option(QTM418_WITH_HOST32 "Build the 32-bit host of the maker's libraries (needs i686 MinGW)" ${host32_default})
# The sanitizer build takes the normal build's host and stand-ins rather than building them again.
set(QTM418_HOST32_FROM "" CACHE PATH "A build folder whose 32-bit host and maker's stand-ins to take")
find_program(QTM418_I686_CXX i686-w64-mingw32-g++-posix)
set(QTM418_HOST32_BUILT OFF)
if(QTM418_WITH_HOST32 AND QTM418_HOST32_FROM)
  set(QTM418_MAKER_STANDINS ${QTM418_HOST32_FROM}/makerfiles)
  set(QTM418_HOST32_PROGRAM ${QTM418_OUTPUT_DIR}/qtm418-host32.exe)
  add_custom_target(host32
    COMMAND ${CMAKE_COMMAND} -E copy ${QTM418_HOST32_FROM}/bin/qtm418-host32.exe ${QTM418_OUTPUT_DIR}/
    BYPRODUCTS ${QTM418_HOST32_PROGRAM})
  add_dependencies(qtm418bridge host32)
  set(QTM418_HOST32_BUILT ON)
elseif(QTM418_WITH_HOST32 AND QTM418_I686_CXX)
  include(ExternalProject)
  set(QTM418_MAKER_STANDINS ${CMAKE_BINARY_DIR}/makerfiles)
  set(QTM418_HOST32_PROGRAM ${QTM418_OUTPUT_DIR}/qtm418-host32.exe)
  # -O1: the host only passes calls on, and the stand-ins are for the tests.
  ExternalProject_Add(host32
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/host32
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-i686.cmake
      -DQTM418_HOST32=ON
      -DQTM418_HOST32_OUTPUT_DIR=${QTM418_OUTPUT_DIR}
      -DQTM418_HOST32_STANDINS=${QTM418_BUILD_TESTS}
      -DQTM418_MAKER_STANDINS=${QTM418_MAKER_STANDINS}
      -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG"
      -DCMAKE_EXE_LINKER_FLAGS=-static -DCMAKE_SHARED_LINKER_FLAGS=-static
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${QTM418_HOST32_PROGRAM})
  add_dependencies(qtm418bridge host32)
  set(QTM418_HOST32_BUILT ON)
  if(WIN32)
    install(PROGRAMS ${QTM418_HOST32_PROGRAM} DESTINATION ${CMAKE_INSTALL_BINDIR})
  else()
    install(PROGRAMS ${QTM418_HOST32_PROGRAM} DESTINATION ${QTM418_INSTALL_LIBDIR}/qtm418)
  endif()
else()
  message(STATUS "qtm418: no i686 MinGW compiler: the 32-bit host of the maker's libraries is not built")
endif()
