# The program's Windows icon, made from the logo as drawn for the desktop
# (packaging/linux/icons, by ui/tools/ThemeIconPainter at each size): the
# sizes Explorer, the taskbar, the Start menu and Apps ask for from 100 % to
# 200 % scaling, 256 px kept as PNG, the others as bitmaps every Windows reads.
#   include(AppIcon.cmake)                   sets AIS_APP_ICON_PNGS (its inputs)
#   cmake -DAIS_ICO=<file> -P AppIcon.cmake  writes the icon (the build, and
#                                            scripts/check-windows-build.sh)
set(AIS_APP_ICON_PNGS)
foreach(_ais_size 16 24 32 48 64 128 256)
  get_filename_component(_ais_png
    "${CMAKE_CURRENT_LIST_DIR}/../../packaging/linux/icons/hicolor/${_ais_size}x${_ais_size}/apps/com.torv.AisFirmwareUpgrade.png"
    ABSOLUTE)
  list(APPEND AIS_APP_ICON_PNGS "${_ais_png}")
endforeach()
unset(_ais_png)
unset(_ais_size)

if(CMAKE_SCRIPT_MODE_FILE AND AIS_ICO)
  find_program(AIS_ICOTOOL icotool)
  if(NOT AIS_ICOTOOL)
    message(FATAL_ERROR "icotool is missing (Debian package icoutils; see scripts/setup.sh)")
  endif()
  set(_ais_bitmaps ${AIS_APP_ICON_PNGS})
  list(POP_BACK _ais_bitmaps _ais_largest)
  execute_process(COMMAND "${AIS_ICOTOOL}" --create --output=${AIS_ICO} ${_ais_bitmaps} --raw=${_ais_largest}
    RESULT_VARIABLE _ais_rc ERROR_VARIABLE _ais_err)
  if(NOT _ais_rc EQUAL 0)
    file(REMOVE "${AIS_ICO}")
    message(FATAL_ERROR "icotool could not write ${AIS_ICO}: ${_ais_err}")
  endif()
endif()
