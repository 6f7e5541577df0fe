# ais_view: the wizard form, the program's texts and the view.
add_library(ais_view STATIC ${AIS_VIEW_SOURCES})
target_include_directories(ais_view PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ais_view PUBLIC ais_log Qt5::Widgets)
if(TARGET ais_ui)
  target_link_libraries(ais_view PUBLIC ais_ui)
endif()
# Peers that may still be on their way; linked as soon as they exist.
if(TARGET ais_device)
  target_link_libraries(ais_view PUBLIC ais_device)
endif()
if(TARGET ais_transfer)
  target_link_libraries(ais_view PUBLIC ais_transfer)
endif()
