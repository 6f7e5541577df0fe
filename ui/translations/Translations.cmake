# The program's languages, compiled into its resources at build time (no .qm
# is ever committed):
#   :/Translations/Lang/AisFirmwareUpgrade_<code>.qm  the program's texts, one
#       per AisFirmwareUpgrade_<code>.ts here: a .ts file ships its language
#   :/Translations/Lang/CopyRight_<code>.qm           the About box's notices
#   :/Translations/Qt/qtbase_<code>.qm                Qt's own texts (message
#       box buttons, the file dialog), from Debian's qttranslations5-l10n
#       (for Swedish, which it has only as Qt 4's catalogue, made from that
#       by QtButtons.cmake)
# and, for the tests and the demo only (ais_pseudo_translation), the
# pseudo-language en_XA made from the code's English texts by lupdate and
# ais_ts_tool.
set(_tr_dir ${CMAKE_CURRENT_LIST_DIR})
set(AIS_QT_TRANSLATIONS_DIR "/usr/share/qt5/translations" CACHE PATH
    "Qt's own translations (qtbase_<code>.qm) to ship with each language (Debian: qttranslations5-l10n)")
# Where Qt has no catalogue of a language, the nearest one that reads the
# same on the buttons the program shows: Bokmål takes Nynorsk's ("OK",
# "Avbryt", "Ja", "Nei").
set(_qtbase_nb nn)

file(GLOB _program_ts CONFIGURE_DEPENDS ${_tr_dir}/AisFirmwareUpgrade_*.ts)
file(GLOB _notice_ts CONFIGURE_DEPENDS ${_tr_dir}/CopyRight_*.ts)
set_source_files_properties(${_program_ts} ${_notice_ts} PROPERTIES OUTPUT_LOCATION ${CMAKE_CURRENT_BINARY_DIR}/qm)
qt5_add_translation(AIS_UI_QM ${_program_ts} ${_notice_ts})

get_target_property(_lconvert Qt5::lconvert IMPORTED_LOCATION)
set(_qrc_body "<RCC>\n  <qresource prefix=\"/Translations\">\n")
foreach(_qm ${AIS_UI_QM})
  get_filename_component(_name ${_qm} NAME)
  string(APPEND _qrc_body "    <file alias=\"Lang/${_name}\">${_qm}</file>\n")
endforeach()
set(AIS_SHIPPED_LANGUAGES en)
set(AIS_QTBASE_MISSING)
foreach(_ts ${_program_ts})
  get_filename_component(_name ${_ts} NAME_WE)
  string(REGEX REPLACE "^AisFirmwareUpgrade_" "" _code ${_name})
  list(APPEND AIS_SHIPPED_LANGUAGES ${_code})
  if(NOT EXISTS ${_tr_dir}/CopyRight_${_code}.ts)
    message(WARNING "${_name}.ts has no CopyRight_${_code}.ts: the About box shows the English notices")
  endif()
  set(_qt_code ${_code})
  if(NOT EXISTS ${AIS_QT_TRANSLATIONS_DIR}/qtbase_${_code}.qm AND DEFINED _qtbase_${_code})
    set(_qt_code ${_qtbase_${_code}})
  endif()
  if(EXISTS ${AIS_QT_TRANSLATIONS_DIR}/qtbase_${_qt_code}.qm)
    string(APPEND _qrc_body "    <file alias=\"Qt/qtbase_${_code}.qm\">${AIS_QT_TRANSLATIONS_DIR}/qtbase_${_qt_code}.qm</file>\n")
  elseif(EXISTS ${AIS_QT_TRANSLATIONS_DIR}/qt_${_code}.qm AND NOT EXISTS ${AIS_QT_TRANSLATIONS_DIR}/qtbase_${_code}.qm
         AND _lconvert)
    # Only Qt 4's catalogue (Swedish): its button texts made Qt 5's.
    set(_qt4 ${CMAKE_CURRENT_BINARY_DIR}/qt4/qtbase_${_code}.qm)
    add_custom_command(OUTPUT ${_qt4}
      COMMAND ${CMAKE_COMMAND} -DLCONVERT=${_lconvert} -DIN=${AIS_QT_TRANSLATIONS_DIR}/qt_${_code}.qm
              -DWORK=${CMAKE_CURRENT_BINARY_DIR}/qt4/${_code} -DOUT=${_qt4} -P ${_tr_dir}/QtButtons.cmake
      DEPENDS ${AIS_QT_TRANSLATIONS_DIR}/qt_${_code}.qm ${_tr_dir}/QtButtons.cmake
      COMMENT "Making Qt's button texts for ${_code} from Qt 4's catalogue"
      VERBATIM)
    list(APPEND AIS_UI_QM ${_qt4})
    string(APPEND _qrc_body "    <file alias=\"Qt/qtbase_${_code}.qm\">${_qt4}</file>\n")
  else()
    list(APPEND AIS_QTBASE_MISSING ${_code})
  endif()
endforeach()
if(AIS_QTBASE_MISSING)
  message(STATUS "No Qt translation (qtbase_<code>.qm) for: ${AIS_QTBASE_MISSING}: Qt's buttons stay English there")
endif()
string(APPEND _qrc_body "  </qresource>\n</RCC>\n")
set(AIS_UI_LANG_QRC ${CMAKE_CURRENT_BINARY_DIR}/translations.qrc)
file(WRITE ${AIS_UI_LANG_QRC}.in "${_qrc_body}")
configure_file(${AIS_UI_LANG_QRC}.in ${AIS_UI_LANG_QRC} COPYONLY)
set_source_files_properties(${AIS_UI_LANG_QRC} PROPERTIES SKIP_AUTORCC ON)
# Every catalogue compressed (zlib, which every Qt build reads): a third
# smaller, and Qt's own catalogues keep some source texts in plain bytes that
# lintian would take for an embedded copy of PCRE.
qt5_add_resources(AIS_UI_LANG_RCC ${AIS_UI_LANG_QRC}
                  OPTIONS -name ais_ui_translations --compress-algo zlib --threshold 0)
set(AIS_SHIPPED_LANGUAGES ${AIS_SHIPPED_LANGUAGES} PARENT_SCOPE)

# What lupdate reads: the folders of every text the operator sees. The same
# command makes and refreshes the translators' files (see the README).
set(AIS_LUPDATE_DIRS app ui device transfer sysprep comm log)
set(AIS_LUPDATE_DIRS ${AIS_LUPDATE_DIRS} PARENT_SCOPE)

if(NOT CMAKE_CROSSCOMPILING)
  add_executable(ais_ts_tool ${CMAKE_CURRENT_LIST_DIR}/../tools/TsTool.cpp)
  target_link_libraries(ais_ts_tool PRIVATE Qt5::Core)

  get_target_property(_lupdate Qt5::lupdate IMPORTED_LOCATION)
  get_target_property(_lrelease Qt5::lrelease IMPORTED_LOCATION)
  set(AIS_LUPDATE ${_lupdate} PARENT_SCOPE)
  set(_code_files)
  foreach(_d ${AIS_LUPDATE_DIRS})
    file(GLOB_RECURSE _f CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${_d}/*.cpp ${CMAKE_SOURCE_DIR}/${_d}/*.h
         ${CMAKE_SOURCE_DIR}/${_d}/*.ui)
    list(APPEND _code_files ${_f})
  endforeach()
  set(_pseudo ${CMAKE_CURRENT_BINARY_DIR}/pseudo)
  add_custom_command(OUTPUT ${_pseudo}/AisFirmwareUpgrade_en_XA.qm ${_pseudo}/CopyRight_en_XA.qm
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_pseudo}
    COMMAND ${CMAKE_COMMAND} -E remove -f ${_pseudo}/code.ts
    COMMAND ${_lupdate} -silent ${AIS_LUPDATE_DIRS} -no-obsolete -locations none -ts ${_pseudo}/code.ts
    COMMAND ais_ts_tool pseudo ${_pseudo}/code.ts ${_pseudo}/AisFirmwareUpgrade_en_XA.ts
    COMMAND ais_ts_tool pseudo ${_tr_dir}/CopyRight_en.ts ${_pseudo}/CopyRight_en_XA.ts
    COMMAND ${_lrelease} -silent ${_pseudo}/AisFirmwareUpgrade_en_XA.ts -qm ${_pseudo}/AisFirmwareUpgrade_en_XA.qm
    COMMAND ${_lrelease} -silent ${_pseudo}/CopyRight_en_XA.ts -qm ${_pseudo}/CopyRight_en_XA.qm
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    DEPENDS ais_ts_tool ${_code_files} ${_tr_dir}/CopyRight_en.ts
    COMMENT "Making the pseudo-language en_XA from the code's texts"
    VERBATIM)
  file(WRITE ${_pseudo}.qrc.in
    "<RCC>\n  <qresource prefix=\"/Translations\">\n"
    "    <file alias=\"Lang/AisFirmwareUpgrade_en_XA.qm\">${_pseudo}/AisFirmwareUpgrade_en_XA.qm</file>\n"
    "    <file alias=\"Lang/CopyRight_en_XA.qm\">${_pseudo}/CopyRight_en_XA.qm</file>\n"
    "  </qresource>\n</RCC>\n")
  configure_file(${_pseudo}.qrc.in ${_pseudo}.qrc COPYONLY)
  set_source_files_properties(${_pseudo}.qrc PROPERTIES SKIP_AUTORCC ON)
  qt5_add_resources(_pseudo_rcc ${_pseudo}.qrc OPTIONS -name ais_pseudo_translation)
  set_source_files_properties(${_pseudo_rcc} PROPERTIES OBJECT_DEPENDS
    "${_pseudo}/AisFirmwareUpgrade_en_XA.qm;${_pseudo}/CopyRight_en_XA.qm")
  # Linked whole by the tests and the demo: the pseudo-language is theirs only.
  add_library(ais_pseudo_translation OBJECT ${_pseudo_rcc} ${_pseudo}/AisFirmwareUpgrade_en_XA.qm ${_pseudo}/CopyRight_en_XA.qm)
  target_link_libraries(ais_pseudo_translation PRIVATE Qt5::Core)
endif()
