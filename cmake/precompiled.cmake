# Precompiled headers: most of a file's compile time here is the C++ library, Qt and GoogleTest
# headers parsed again for every file, so each target with many files parses them once.
# KIND: CORE (no Qt), QT (Qt's core and widgets), and TESTS added for a test's GoogleTest and QtTest.
set(QTM418_PCH_STD
  <algorithm> <array> <cstdint> <filesystem> <fstream> <functional> <map> <optional> <set>
  <sstream> <string> <string_view> <variant> <vector>)
set(QTM418_PCH_QT
  <QCoreApplication> <QDir> <QFile> <QFileInfo> <QString> <QStringList> <QThread> <QTimer>
  <QApplication> <QDialog> <QImage> <QLabel> <QPainter> <QPushButton> <QWidget>)

option(QTM418_PRECOMPILE "Precompile the headers every file of a target includes" ON)

function(qtm418_precompile target)
  cmake_parse_arguments(ARG "CORE;QT;TESTS" "" "" ${ARGN})
  if(NOT QTM418_PRECOMPILE)
    return()
  endif()
  set(headers ${QTM418_PCH_STD})
  if(ARG_QT)
    list(APPEND headers ${QTM418_PCH_QT})
  endif()
  if(ARG_TESTS)
    list(APPEND headers <gtest/gtest.h>)
    if(ARG_QT)
      list(APPEND headers <QTest>)
    endif()
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
