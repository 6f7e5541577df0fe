# Windows resources of the program: the manifest (administrator rights,
# supported Windows versions, display scaling) embedded as RT_MANIFEST 1
# through the .rc file, the version block and the program's icon, made from
# the logo at build time (AppIcon.cmake). Included after the target
# AisFirmwareUpgrade exists; does nothing on other systems.
if(WIN32 AND TARGET AisFirmwareUpgrade)
  set(_ais_win_dir ${CMAKE_CURRENT_LIST_DIR})
  set(_ais_win_rc ${_ais_win_dir}/AisFirmwareUpgrade.rc)

  enable_language(RC)
  target_sources(AisFirmwareUpgrade PRIVATE ${_ais_win_rc})
  # The .rc names the manifest by its bare file name.
  set_property(SOURCE ${_ais_win_rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${_ais_win_dir})
  # Rebuild the resource when only the manifest changed.
  set_property(SOURCE ${_ais_win_rc} APPEND PROPERTY OBJECT_DEPENDS
    ${_ais_win_dir}/AisFirmwareUpgrade.manifest)

  # The icon, beside the build's other outputs; the packages take it from the
  # target's AIS_ICON property (installer, uninstaller).
  include(${_ais_win_dir}/AppIcon.cmake)
  set(_ais_win_ico ${CMAKE_CURRENT_BINARY_DIR}/AisFirmwareUpgrade.ico)
  add_custom_command(OUTPUT ${_ais_win_ico}
    COMMAND ${CMAKE_COMMAND} -DAIS_ICO=${_ais_win_ico} -P ${_ais_win_dir}/AppIcon.cmake
    DEPENDS ${_ais_win_dir}/AppIcon.cmake ${AIS_APP_ICON_PNGS}
    COMMENT "Making the program's icon from the logo"
    VERBATIM)
  target_sources(AisFirmwareUpgrade PRIVATE ${_ais_win_ico})
  set_property(SOURCE ${_ais_win_rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${CMAKE_CURRENT_BINARY_DIR})
  set_property(SOURCE ${_ais_win_rc} APPEND PROPERTY OBJECT_DEPENDS ${_ais_win_ico})
  set_target_properties(AisFirmwareUpgrade PROPERTIES AIS_ICON ${_ais_win_ico})

  # A GUI program: no console window behind the wizard.
  set_target_properties(AisFirmwareUpgrade PROPERTIES WIN32_EXECUTABLE ON)

  if(MSVC)
    # The linker would otherwise add a second manifest of its own (duplicate
    # RT_MANIFEST 1), and that one asks for no elevation.
    target_link_options(AisFirmwareUpgrade PRIVATE /MANIFEST:NO)
  endif()

  unset(_ais_win_ico)
  unset(_ais_win_rc)
  unset(_ais_win_dir)
endif()
