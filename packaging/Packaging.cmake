# Install layout and packages.
#
# `cmake --install` is the one description of how the program is laid out
# when it runs: the program with its firmware package (FirmwareBin/) and the
# operator manual (Help/) beside it, because it looks for both in its own
# folder. Every package is made by CPack from that one install tree:
#   packaging/windows/  NSIS installer and portable zip (scripts/build-windows.sh)
#   packaging/linux/    Debian package, desktop entry, icons, udev rule (scripts/build-deb.sh)
#   packaging/manual/   the operator manual, rendered to PDF at build time

# Folder of the program inside the install prefix.
if(WIN32)
  set(_ais_default_appdir ".")
else()
  set(_ais_default_appdir "lib/ais-firmware-upgrade")
endif()
set(AIS_INSTALL_APPDIR "${_ais_default_appdir}" CACHE STRING
    "Folder of the program, its FirmwareBin/ and Help/ inside the install prefix")

# The maker's firmware package. Only a folder the release engineer names is
# ever shipped: the simulator's test image must never reach a transponder.
set(AIS_FIRMWARE_PACKAGE_DIR "" CACHE PATH
    "Folder with the maker's firmware package (Firmware.csv, App_470.Sbin), shipped as FirmwareBin/; empty: none shipped")

install(TARGETS AisFirmwareUpgrade RUNTIME DESTINATION "${AIS_INSTALL_APPDIR}")

include(${CMAKE_CURRENT_LIST_DIR}/manual/Manual.cmake)

if(AIS_FIRMWARE_PACKAGE_DIR)
  foreach(_f Firmware.csv App_470.Sbin)
    if(NOT EXISTS "${AIS_FIRMWARE_PACKAGE_DIR}/${_f}")
      message(FATAL_ERROR "AIS_FIRMWARE_PACKAGE_DIR=${AIS_FIRMWARE_PACKAGE_DIR} holds no ${_f}")
    endif()
    install(FILES "${AIS_FIRMWARE_PACKAGE_DIR}/${_f}" DESTINATION "${AIS_INSTALL_APPDIR}/FirmwareBin")
  endforeach()
endif()

set(CPACK_PACKAGE_NAME "ais-firmware-upgrade")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Firmware upgrade wizard for the AIS-B-470 Class B transponder")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows/WindowsPackaging.cmake OPTIONAL)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/linux/LinuxPackaging.cmake OPTIONAL)
endif()

include(CPack)
