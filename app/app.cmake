# ais_app: the main window with its start-up check (and later its workflow
# and report); AisFirmwareUpgrade: the program.
add_library(ais_app STATIC ${AIS_APP_SOURCES})
target_include_directories(ais_app PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ais_app PUBLIC ais_view ais_sysprep ais_ui ais_log ais_platform_clock Qt5::Widgets)
# Workers of the workflow, linked as their libraries appear.
foreach(_lib ais_device ais_transfer ais_comm ais_platform_volume)
  if(TARGET ${_lib})
    target_link_libraries(ais_app PUBLIC ${_lib})
  endif()
endforeach()

add_executable(AisFirmwareUpgrade ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(AisFirmwareUpgrade PRIVATE ais_app)

if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/win/win.cmake)
  include(${CMAKE_CURRENT_LIST_DIR}/win/win.cmake)
endif()

# ThreadSanitizer builds only: the program gets the Qt mutex annotations the
# tests have, so its own runs under the test suite report real races only.
if(AIS_SANITIZE_THREAD)
  target_sources(AisFirmwareUpgrade PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/TsanQtMutex.cpp)
  target_link_libraries(AisFirmwareUpgrade PRIVATE ${CMAKE_DL_LIBS})
endif()
