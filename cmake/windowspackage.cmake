# What the Windows installer (NSIS, 64-bit) and the portable zip hold besides the project's own
# files: Qt's DLLs with the plugins the program loads, curl's and libarchive's, the MinGW runtime,
# the toolkit's own translations, and a qt.conf that makes Qt look for all of it beside the program.
set(QTM418_WINDOWS_QT "" CACHE PATH "Qt built for MinGW (scripts/windows-qt)")
if(NOT QTM418_WINDOWS_QT)
  get_filename_component(QTM418_WINDOWS_QT "${Qt6_DIR}/../../.." ABSOLUTE)
endif()

set(qt_bin ${QTM418_WINDOWS_QT}/bin)
set(qt_plugins ${QTM418_WINDOWS_QT}/plugins)
install(FILES ${qt_bin}/Qt6Core.dll ${qt_bin}/Qt6Gui.dll ${qt_bin}/Qt6Widgets.dll
  DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${qt_plugins}/platforms/qwindows.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES ${qt_plugins}/imageformats/qgif.dll ${qt_plugins}/imageformats/qico.dll
  ${qt_plugins}/imageformats/qjpeg.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/imageformats)
install(FILES ${qt_plugins}/styles/qwindowsvistastyle.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)

# What downloading code collections loads (scripts/windows-deps), with the licences that ask for
# their notices to travel with them.
if(QTM418_DOWNLOADS)
  file(GLOB download_libraries ${QTM418_WINDOWS_DEPS}/bin/*.dll)
  file(GLOB download_licences ${QTM418_WINDOWS_DEPS}/licences/*.txt)
  if(NOT download_libraries OR NOT download_licences)
    message(FATAL_ERROR "curl and libarchive's DLLs and licences are not in '${QTM418_WINDOWS_DEPS}' "
                        "(QTM418_WINDOWS_DEPS; scripts/windows-deps builds them)")
  endif()
  install(FILES ${download_libraries} DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${download_licences} DESTINATION ${CMAKE_INSTALL_BINDIR}/licences)
endif()

# The C++ runtime of the posix-thread MinGW, which the programs and Qt load.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "the MinGW runtime ${runtime} was not found")
  endif()
  install(FILES ${runtime_path} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# The toolkit's own dialogs in the window's language: Debian's qt6-translations-l10n serves
# Windows as well.
file(GLOB toolkit_translations /usr/share/qt6/translations/qtbase_*.qm)
install(FILES ${toolkit_translations} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
file(WRITE ${CMAKE_BINARY_DIR}/qt.conf "[Paths]\nPrefix=.\nPlugins=.\nTranslations=translations\n")
install(FILES ${CMAKE_BINARY_DIR}/qt.conf DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "QTM-418")
set(CPACK_NSIS_DISPLAY_NAME "QTM-418")
set(CPACK_NSIS_PACKAGE_NAME "QTM-418")
# Debian's makensis builds a 32-bit installer by default, which a 64-bit-only system cannot run.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_EXECUTABLES qtm418 "QTM-418")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\qtm418.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The installer is qtm418-<version>-win64-setup.exe, the zip qtm418-<version>-win64.zip.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windowspackagenames.cmake)
set(CPACK_PACKAGE_FILE_NAME "qtm418-${PROJECT_VERSION}-win64")

# The page "Use the remote's own device library" (makerpage.nsh), added to CMake's own NSIS
# template before the files are installed; its functions come after the languages, whose
# strings they use. CPack finds the template through CMAKE_MODULE_PATH.
set(nsis_template ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${nsis_template} template)
set(maker_page ${CMAKE_CURRENT_LIST_DIR}/makerpage.nsh)
foreach(anchor "  !insertmacro MUI_PAGE_INSTFILES\n" "@CPACK_NSIS_INSTALLATION_TYPES@\n")
  string(FIND "${template}" "${anchor}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${nsis_template} has no '${anchor}': the maker's page cannot be added")
  endif()
endforeach()
string(REPLACE "  !insertmacro MUI_PAGE_INSTFILES\n"
  "  Page custom MakerPageShow MakerPageLeave\n  !insertmacro MUI_PAGE_INSTFILES\n" template "${template}")
string(REPLACE "@CPACK_NSIS_INSTALLATION_TYPES@\n" "!include \"${maker_page}\"\n@CPACK_NSIS_INSTALLATION_TYPES@\n"
  template "${template}")
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${template}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "Call MakerInstall")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
  "Delete \\\"$INSTDIR\\\\bin\\\\maker\\\\kestrio.dll\\\"\nDelete \\\"$INSTDIR\\\\bin\\\\maker\\\\ConLCode.dll\\\"\nRMDir \\\"$INSTDIR\\\\bin\\\\maker\\\"")
