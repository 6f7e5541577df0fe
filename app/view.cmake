# ais_view: the wizard form, the program's texts and the view.
add_library(ais_view STATIC ${AIS_VIEW_SOURCES})
target_include_directories(ais_view PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ais_view PUBLIC ais_ui ais_device ais_transfer ais_log Qt5::Widgets)
