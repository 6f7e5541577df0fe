# Windows: what the program needs beside it to run on a machine without Qt,
# and the NSIS installer and portable zip made from that install tree
# (scripts/build-windows.sh drives it from a Linux cross build).

set(_ais_win_dest "${AIS_INSTALL_APPDIR}")

# Qt plugins the program loads: the platform plugin (without it no window
# opens) and the Vista style, which Qt prefers on Windows for its message
# boxes and dialogs. No image-format plugin: every image is a PNG, which Qt
# reads itself.
install(FILES $<TARGET_FILE:Qt5::QWindowsIntegrationPlugin> DESTINATION "${_ais_win_dest}/platforms")
install(FILES $<TARGET_FILE:Qt5::QWindowsVistaStylePlugin> DESTINATION "${_ais_win_dest}/styles")

# The Qt and mingw runtime DLLs the program and those plugins import, taken
# from the folder that holds Qt5Core.dll (the SDK's bin/, where the mingw
# runtime lies too).
get_target_property(_ais_qtcore_dll Qt5::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(_ais_qt_bin "${_ais_qtcore_dll}" DIRECTORY)
find_program(AIS_WIN_OBJDUMP NAMES ${CMAKE_OBJDUMP} x86_64-w64-mingw32-objdump objdump REQUIRED)
install(CODE "
  set(AIS_DEPLOY_BINARIES \"$<TARGET_FILE:AisFirmwareUpgrade>;$<TARGET_FILE:Qt5::QWindowsIntegrationPlugin>;$<TARGET_FILE:Qt5::QWindowsVistaStylePlugin>\")
  set(AIS_DEPLOY_SEARCH_DIR \"${_ais_qt_bin}\")
  set(AIS_DEPLOY_OBJDUMP \"${AIS_WIN_OBJDUMP}\")
  set(AIS_DEPLOY_DEST \"\${CMAKE_INSTALL_PREFIX}/${_ais_win_dest}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/DeployRuntime.cmake\")
")

# Licences: the program's notice, Qt's LGPL v3 (which builds on the GPL v3),
# where the sources of Qt and the mingw runtime can be had, and the notices
# of everything inside those DLLs, taken from the Debian packages whose
# sources they were built from (the same Qt and compiler on the build host).
set(_ais_notices
  /usr/share/common-licenses/LGPL-3 LGPL-3.0.txt
  /usr/share/common-licenses/GPL-3 GPL-3.0.txt
  /usr/share/doc/libqt5core5a/copyright qtbase-copyright.txt
  /usr/share/doc/libqt5serialport5/copyright qtserialport-copyright.txt
  /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright gcc-mingw-w64-runtime-copyright.txt
  /usr/share/doc/mingw-w64-x86-64-dev/copyright mingw-w64-copyright.txt
)
while(_ais_notices)
  list(POP_FRONT _ais_notices _from _to)
  if(NOT EXISTS "${_from}")
    message(FATAL_ERROR "${_from} is missing: the Windows packages must carry it as licenses/${_to}")
  endif()
  install(FILES "${_from}" DESTINATION "${_ais_win_dest}/licenses" RENAME "${_to}")
endwhile()
install(FILES "${CMAKE_CURRENT_LIST_DIR}/LICENSE.txt" DESTINATION "${_ais_win_dest}")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/ThirdPartyNotices.txt" DESTINATION "${_ais_win_dest}/licenses")

# No symbol table in the shipped program. Stripped when linked, not when
# installed: strip stamps the time into the program, and the deployable
# folder and the packages must carry the same bytes.
target_link_options(AisFirmwareUpgrade PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)

# Packages: AisFirmwareUpgrade-<version>-win64-setup.exe and -win64.zip.
set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_VENDOR "TORV")
set(CPACK_PACKAGE_FILE_NAME "AisFirmwareUpgrade-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "AIS Firmware Upgrade")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "AisFirmwareUpgrade")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_CURRENT_LIST_DIR}/LICENSE.txt")
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/CPackOptions.cmake")

# A 64-bit installer for a 64-bit program: it installs into the real
# Program Files and writes the uninstall entry without registry redirection.
# The Start-menu folder keeps one name across versions.
set(CPACK_NSIS_DEFINES "Target amd64-unicode
  !define MUI_STARTMENUPAGE_DEFAULTFOLDER 'AIS Firmware Upgrade'")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "AIS Firmware Upgrade ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "AIS Firmware Upgrade")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# Beyond the template (InstallerSteps.nsh): the program must be closed before
# an install or uninstall touches its folder; an earlier version is removed
# by its own uninstaller before the new files are written; the uninstaller
# also removes the vendor key the template leaves empty.
string(APPEND CPACK_NSIS_DEFINES "
  !define AIS_VENDOR '${CPACK_PACKAGE_VENDOR}'
  !include '${CMAKE_CURRENT_LIST_DIR}/InstallerSteps.nsh'")
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "!insertmacro AisBeforeInstall ${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro AisBeforeUninstall")
# The Start-menu entry runs the program from its install folder, where it
# finds FirmwareBin/ and Help/.
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_PACKAGE_EXECUTABLES "AisFirmwareUpgrade" "AIS Firmware Upgrade")
set(CPACK_NSIS_INSTALLED_ICON_NAME "AisFirmwareUpgrade.exe")
# The program's icon, made from the logo by app/win/win.cmake, on the
# installer and the uninstaller. The Start-menu shortcut and the uninstall
# entry (DisplayIcon, above) show the one inside the program.
get_target_property(_ais_icon AisFirmwareUpgrade AIS_ICON)
set(CPACK_NSIS_MUI_ICON "${_ais_icon}")
set(CPACK_NSIS_MUI_UNIICON "${_ais_icon}")

# The installer speaks the program's languages: it offers them at its start
# (NSIS's language dialog, preset to the user's display language), the
# uninstaller speaks the one chosen, and an installer run with its window
# (not a silent one) keeps the choice as "Installer Language" (a LANGID)
# under HKLM\Software\TORV\AisFirmwareUpgrade, where the program reads it
# when the operator has not chosen a language in the program; the
# uninstaller removes it with that key. CPack's own template loads 63
# languages and offers none: ours is that template with the shipped
# languages in their place, made at configure time (which fails if the
# template no longer has the places edited here).
set(_ais_nsis_names
  en English de German fr French es Spanish it Italian nl Dutch nb Norwegian sv Swedish da Danish
  fi Finnish pl Polish pt_BR PortugueseBR zh_CN SimpChinese ja Japanese)
set(_ais_nsis_languages "")
foreach(_code ${AIS_SHIPPED_LANGUAGES})
  list(FIND _ais_nsis_names ${_code} _at)
  if(_at EQUAL -1)
    message(FATAL_ERROR "the installer has no NSIS language for ${_code}: add it here and to InstallerTexts.nsh")
  endif()
  math(EXPR _at "${_at} + 1")
  list(GET _ais_nsis_names ${_at} _name)
  string(APPEND _ais_nsis_languages "  !insertmacro MUI_LANGUAGE \"${_name}\"\n")
endforeach()
file(READ "${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in" _ais_template)
string(REGEX MATCH "  !insertmacro MUI_LANGUAGE \"English\"[^\n]*\n(  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"\n)+"
       _ais_template_languages "${_ais_template}")
# (Each edit by itself: the template's lines hold semicolons.)
function(_ais_template_edit _from _to)
  string(FIND "${_ais_template}" "${_from}" _at)
  if("${_from}" STREQUAL "" OR _at EQUAL -1)
    message(FATAL_ERROR "CMake's NSIS.template.in has changed: no place for the installer's languages")
  endif()
  string(REPLACE "${_from}" "${_to}" _edited "${_ais_template}")
  set(_ais_template "${_edited}" PARENT_SCOPE)
endfunction()
_ais_template_edit("${_ais_template_languages}"
  "${_ais_nsis_languages}  !insertmacro MUI_RESERVEFILE_LANGDLL\n  !include /CHARSET=UTF8 '${CMAKE_CURRENT_LIST_DIR}/InstallerTexts.nsh'\n")
_ais_template_edit("Function .onInit\n" "Function .onInit\n  !insertmacro MUI_LANGDLL_DISPLAY\n")
_ais_template_edit("Function un.onInit\n" "Function un.onInit\n  !insertmacro MUI_UNGETLANGUAGE\n")
file(WRITE "${CMAKE_BINARY_DIR}/packaging/nsis/NSIS.template.in" "${_ais_template}")
list(PREPEND CMAKE_MODULE_PATH "${CMAKE_BINARY_DIR}/packaging/nsis")
string(APPEND CPACK_NSIS_DEFINES "
  !define MUI_LANGDLL_ALLLANGUAGES
  !define MUI_LANGDLL_REGISTRY_ROOT HKLM
  !define MUI_LANGDLL_REGISTRY_KEY 'Software\\\\${CPACK_PACKAGE_VENDOR}\\\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}'
  !define MUI_LANGDLL_REGISTRY_VALUENAME 'Installer Language'")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "\${IfNot} \${Silent}
  !insertmacro MUI_LANGDLL_SAVELANGUAGE
\${EndIf}")
