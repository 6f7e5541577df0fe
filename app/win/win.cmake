# Windows resources of the program: the manifest (administrator rights,
# supported Windows versions) embedded as RT_MANIFEST 1 through the .rc file,
# and the version block. Included after the target AisFirmwareUpgrade exists;
# does nothing on other systems.
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

  # A GUI program: no console window behind the wizard.
  set_target_properties(AisFirmwareUpgrade PROPERTIES WIN32_EXECUTABLE ON)

  if(MSVC)
    # The linker would otherwise add a second manifest of its own (duplicate
    # RT_MANIFEST 1), and that one asks for no elevation.
    target_link_options(AisFirmwareUpgrade PRIVATE /MANIFEST:NO)
  endif()

  unset(_ais_win_rc)
  unset(_ais_win_dir)
endif()
