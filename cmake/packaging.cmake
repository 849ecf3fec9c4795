# The Windows download: `cmake --build build/win --target package` gives the
# installer ULMAR-<version>-win64.exe (NSIS, built with Debian's makensis too)
# and the portable ULMAR-<version>-win64.zip, both in the build folder.
#
# The installer is for the current user and needs no administrator rights:
# the program goes to the user's own programs folder
# (%LOCALAPPDATA%\Programs\ULMAR), a Start-menu shortcut "ULMAR" starts it in
# the user's log folder Documents\ULMAR (made by the installer), where
# CURLOG.DTA and MYLOG.ULM then live. The uninstaller removes the program and
# the shortcuts, never a log. The script is installer/NSIS.template.in.
install(TARGETS ulmar RUNTIME DESTINATION .)

set(CPACK_PACKAGE_NAME "ULMAR")
set(CPACK_PACKAGE_VENDOR "ULMAR developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A logbook for broadcast-radio listeners")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "ULMAR")
set(CPACK_GENERATOR "NSIS;ZIP")

set(CPACK_NSIS_PACKAGE_NAME "ULMAR ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_MUI_ICON "${CMAKE_SOURCE_DIR}/resources/ulmar.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_SOURCE_DIR}/resources/ulmar.ico")
# A 64-bit installer: Debian's nsis ships the amd64 stubs, and a 32-bit
# installer does nothing under a 64-bit-only Wine.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# CPack takes NSIS.template.in from the module path before its own.
list(PREPEND CMAKE_MODULE_PATH "${CMAKE_SOURCE_DIR}/installer")

include(CPack)
