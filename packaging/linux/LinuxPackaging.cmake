# Linux: desktop integration beside the program's folder, and the Debian
# package (scripts/build-deb.sh). Included by packaging/Packaging.cmake,
# which installs the program, FirmwareBin/ and Help/ into AIS_INSTALL_APPDIR.
#
# Everything here goes below the install prefix (/usr for the package):
#   bin/ais-firmware-upgrade          launcher, a symbolic link to the program;
#                                     the program finds its folder through
#                                     /proc/self/exe, so the link is enough
#   share/applications, share/metainfo, share/icons/hicolor
#   share/man/man1, share/doc/ais-firmware-upgrade (copyright, changelog)
#   AIS_UDEV_RULES_DIR                the transponder's serial port for the
#                                     user at the seat (uaccess)
# and the package's postinst and postrm, which reload udev's rules.

set(_ais_linux_dir "${CMAKE_CURRENT_LIST_DIR}")
set(AIS_APP_ID "com.torv.AisFirmwareUpgrade")
set(AIS_LAUNCHER "ais-firmware-upgrade")

# udev reads /usr/lib/udev/rules.d (and /etc/udev/rules.d for the
# administrator's own rules); with another prefix, point this at one of them.
set(AIS_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Folder of the udev rule, relative to the install prefix or absolute")

# Launcher on the PATH.
file(RELATIVE_PATH _ais_launcher_target "/prefix/bin" "/prefix/${AIS_INSTALL_APPDIR}/AisFirmwareUpgrade")
install(CODE "
  set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(MAKE_DIRECTORY \"\${_bin}\")
  file(REMOVE \"\${_bin}/${AIS_LAUNCHER}\")
  file(CREATE_LINK \"${_ais_launcher_target}\" \"\${_bin}/${AIS_LAUNCHER}\" SYMBOLIC)
  message(STATUS \"Installing: \${_bin}/${AIS_LAUNCHER} -> ${_ais_launcher_target}\")
")

install(FILES "${_ais_linux_dir}/${AIS_APP_ID}.desktop" DESTINATION share/applications)
install(FILES "${_ais_linux_dir}/${AIS_APP_ID}.metainfo.xml" DESTINATION share/metainfo)
# Drawn from the program's logo by ui/tools (ais_theme_icons).
install(DIRECTORY "${_ais_linux_dir}/icons/hicolor" DESTINATION share/icons)
install(FILES "${_ais_linux_dir}/70-ais-firmware-upgrade.rules" DESTINATION "${AIS_UDEV_RULES_DIR}")
install(FILES "${_ais_linux_dir}/copyright" DESTINATION share/doc/ais-firmware-upgrade)

# Man page and changelog, compressed as Debian wants them (no time stamp).
find_program(AIS_GZIP gzip REQUIRED)
set(_ais_gz_dir "${CMAKE_BINARY_DIR}/packaging/linux")
set(_ais_gz_files)
foreach(_src "${AIS_LAUNCHER}.1" changelog)
  set(_gz "${_ais_gz_dir}/${_src}.gz")
  add_custom_command(OUTPUT "${_gz}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${_ais_gz_dir}"
    COMMAND ${AIS_GZIP} -9 -n -c "${_ais_linux_dir}/${_src}" > "${_gz}"
    DEPENDS "${_ais_linux_dir}/${_src}"
    VERBATIM)
  list(APPEND _ais_gz_files "${_gz}")
endforeach()
add_custom_target(ais_linux_packaging_files ALL DEPENDS ${_ais_gz_files})
install(FILES "${_ais_gz_dir}/${AIS_LAUNCHER}.1.gz" DESTINATION share/man/man1)
install(FILES "${_ais_gz_dir}/changelog.gz" DESTINATION share/doc/ais-firmware-upgrade)

# Debian package.
set(CPACK_GENERATOR "DEB")
# A stand-in until the maker names the address that answers for the package
# (the changelog's trailer carries the same).
set(CPACK_PACKAGE_CONTACT "TORV <support@torv.invalid>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION
"A wizard that upgrades the firmware of the AIS-B-470 Class B transponder
over USB: it finds the transponder on its USB serial port, compares its
firmware version with the firmware package installed beside the program,
switches it into its bootloader and copies the new firmware onto the
bootloader's USB volume.
.
The package installs a udev rule that gives the user logged in at the seat
access to the transponder's serial port.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help opens the manual through xdg-open. Chinese and Japanese need a CJK
# font (Noto CJK, Debian's usual one); the other languages do not, so it is
# recommended (installed by default) rather than required. Qt's own texts
# for its boxes are inside the program (qtbase_<code>.qm from
# qttranslations5-l10n at build time): no package for them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-noto-cjk")
# postinst and postrm tell a running udev that the rule came or went, so a
# transponder plugged in already need not be plugged in again.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${_ais_linux_dir}/postinst;${_ais_linux_dir}/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
