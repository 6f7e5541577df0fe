# ais_view: the wizard form, the program's texts and the view.
add_library(ais_view STATIC ${AIS_VIEW_SOURCES})
target_include_directories(ais_view PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ais_view PUBLIC ais_ui ais_log ais_transfer Qt5::Widgets)
# The identification check may still be on its way; linked once it exists.
if(TARGET ais_device)
  target_link_libraries(ais_view PUBLIC ais_device)
endif()
