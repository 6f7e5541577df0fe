# The operator manual: TORV_FW_Manual_EN.md with its pictures (and each
# translated TORV_FW_Manual_<LANG>.md with its own), rendered to PDF at
# build time (target ais_manual_pdf, part of the default build) by
# pandoc (Markdown to HTML, with the contents) and WeasyPrint (HTML and
# manual.css to an A4 PDF with page numbers, bookmarks and links) into Help/
# beside the program in the build tree, and installed as
# ${AIS_INSTALL_APPDIR}/Help/TORV_FW_Manual_<LANG>.pdf.
#
# A cross build cannot run the renderer: it installs the PDF named by
# AIS_MANUAL_PDF (rendered by a native build) instead, and without one it
# leaves Help/ out.
set(AIS_MANUAL_PDF "" CACHE FILEPATH
    "Cross builds: an already rendered TORV_FW_Manual_EN.pdf to install as Help/TORV_FW_Manual_EN.pdf")
set(AIS_MANUAL_TRANSLATED_PDFS "" CACHE STRING
    "Cross builds: the other languages' rendered manuals (TORV_FW_Manual_<LANG>.pdf), installed beside it")

set(_manual_dir ${CMAKE_CURRENT_LIST_DIR})
set(_manual_name TORV_FW_Manual_EN.pdf)
# Help/ goes where the program lands in the build tree.
get_target_property(_ais_program_dir AisFirmwareUpgrade RUNTIME_OUTPUT_DIRECTORY)
if(NOT _ais_program_dir)
  get_target_property(_ais_program_dir AisFirmwareUpgrade BINARY_DIR)
endif()
set(AIS_MANUAL_OUTPUT "${_ais_program_dir}/Help/${_manual_name}")

if(NOT CMAKE_CROSSCOMPILING)
  # Debian's pandoc and weasyprint (scripts/setup.sh).
  find_program(AIS_PANDOC pandoc REQUIRED)
  find_program(AIS_WEASYPRINT weasyprint REQUIRED)
  # The edition the manual names (edition.lua fills it in): the project's
  # version, and as the document's date the commit's, as the release
  # scripts take it (SOURCE_DATE_EPOCH, else the last commit's time), so
  # two renderings of one commit carry the same date. Taken when CMake
  # configures (the release scripts configure on every run); the file
  # changes, and the PDF with it, only when the edition does.
  set(_manual_epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(_manual_epoch STREQUAL "")
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
                    OUTPUT_VARIABLE _manual_epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(_manual_epoch MATCHES "^[0-9]+$")
    set(_saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
    set(ENV{SOURCE_DATE_EPOCH} "${_manual_epoch}")
    string(TIMESTAMP _manual_date "%Y-%m-%d" UTC)
    set(ENV{SOURCE_DATE_EPOCH} "${_saved_epoch}")
  else()
    message(WARNING "No commit and no SOURCE_DATE_EPOCH: the manual carries today's date")
    string(TIMESTAMP _manual_date "%Y-%m-%d" UTC)
  endif()
  set(_manual_edition "${CMAKE_CURRENT_BINARY_DIR}/manual/edition.yaml")
  file(CONFIGURE OUTPUT "${_manual_edition}"
       CONTENT "version: ${PROJECT_VERSION}\ndate: ${_manual_date}\n" @ONLY)
  # One manual per source TORV_FW_Manual_<LANG>.md, each with the pictures
  # it names (English: images/, another language: images/<code>/) and, where
  # there is one, manual-<code>.css with that language's running texts.
  file(GLOB _manual_sources CONFIGURE_DEPENDS ${_manual_dir}/TORV_FW_Manual_*.md)
  set(AIS_MANUAL_OUTPUTS)
  foreach(_source ${_manual_sources})
    get_filename_component(_stem ${_source} NAME_WE)
    string(REGEX REPLACE "^TORV_FW_Manual_" "" _lang ${_stem})
    # The program's code of the language: "DE" is de, "PT_BR" is pt_BR.
    string(REGEX MATCH "^[A-Z]+" _code "${_lang}")
    string(TOLOWER "${_code}" _code)
    if(_lang MATCHES "_([A-Z]+)$")
      string(APPEND _code "_${CMAKE_MATCH_1}")
    endif()
    set(_output "${_ais_program_dir}/Help/${_stem}.pdf")
    set(_html "${CMAKE_CURRENT_BINARY_DIR}/manual/${_stem}.html")
    set(_styles --stylesheet ${_manual_dir}/manual.css)
    set(_style_files ${_manual_dir}/manual.css)
    if(EXISTS ${_manual_dir}/manual-${_code}.css)
      list(APPEND _styles --stylesheet ${_manual_dir}/manual-${_code}.css)
      list(APPEND _style_files ${_manual_dir}/manual-${_code}.css)
    endif()
    if(_code STREQUAL "en")
      file(GLOB _images CONFIGURE_DEPENDS ${_manual_dir}/images/*.png)
    else()
      file(GLOB _images CONFIGURE_DEPENDS ${_manual_dir}/images/${_code}/*.png)
    endif()
    add_custom_command(OUTPUT "${_output}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${_ais_program_dir}/Help" "${CMAKE_CURRENT_BINARY_DIR}/manual"
      # No smart quotes: the program's texts are quoted with straight ones.
      COMMAND ${AIS_PANDOC} --from=markdown-smart --to=html5 --standalone
              --template=${_manual_dir}/manual-template.html --toc --toc-depth=2 --number-sections
              --metadata-file=${_manual_edition} --lua-filter=${_manual_dir}/edition.lua
              --output=${_html} ${_source}
      # Pictures are named relative to the source.
      COMMAND ${AIS_WEASYPRINT} --quiet --base-url ${_manual_dir}/ ${_styles} ${_html} "${_output}"
      DEPENDS ${_source} ${_manual_dir}/manual-template.html ${_style_files} ${_manual_dir}/edition.lua
              ${_manual_edition} ${_images}
      COMMENT "Rendering the operator manual ${_stem}.pdf"
      VERBATIM)
    list(APPEND AIS_MANUAL_OUTPUTS "${_output}")
  endforeach()
  # A sanitizer build tests code, not the manual: it renders it only for a
  # test that reads it.
  if(AIS_SANITIZE_ADDRESS OR AIS_SANITIZE_THREAD)
    add_custom_target(ais_manual_pdf DEPENDS ${AIS_MANUAL_OUTPUTS})
  else()
    add_custom_target(ais_manual_pdf ALL DEPENDS ${AIS_MANUAL_OUTPUTS})
  endif()
  install(FILES ${AIS_MANUAL_OUTPUTS} DESTINATION "${AIS_INSTALL_APPDIR}/Help")
elseif(AIS_MANUAL_PDF)
  if(NOT EXISTS "${AIS_MANUAL_PDF}")
    message(FATAL_ERROR "AIS_MANUAL_PDF=${AIS_MANUAL_PDF} does not exist")
  endif()
  # The same place in the build tree, so the program finds it there too.
  add_custom_command(OUTPUT "${AIS_MANUAL_OUTPUT}"
    COMMAND ${CMAKE_COMMAND} -E copy "${AIS_MANUAL_PDF}" "${AIS_MANUAL_OUTPUT}"
    DEPENDS "${AIS_MANUAL_PDF}"
    COMMENT "Copying the operator manual ${_manual_name}"
    VERBATIM)
  add_custom_target(ais_manual_pdf ALL DEPENDS "${AIS_MANUAL_OUTPUT}")
  install(FILES "${AIS_MANUAL_PDF}" DESTINATION "${AIS_INSTALL_APPDIR}/Help" RENAME ${_manual_name})
  foreach(_pdf ${AIS_MANUAL_TRANSLATED_PDFS})
    if(NOT _pdf MATCHES "TORV_FW_Manual_[A-Z_]+\\.pdf$" OR NOT EXISTS "${_pdf}")
      message(FATAL_ERROR "AIS_MANUAL_TRANSLATED_PDFS: ${_pdf} is no rendered TORV_FW_Manual_<LANG>.pdf")
    endif()
    get_filename_component(_name "${_pdf}" NAME)
    configure_file("${_pdf}" "${_ais_program_dir}/Help/${_name}" COPYONLY)
    install(FILES "${_pdf}" DESTINATION "${AIS_INSTALL_APPDIR}/Help")
  endforeach()
else()
  message(WARNING "Cross build without AIS_MANUAL_PDF: the operator manual is not rendered here, "
                  "so Help/ is left out. Render it with a native build (target ais_manual_pdf) and pass "
                  "-DAIS_MANUAL_PDF=<native build>/app/Help/${_manual_name}.")
  add_custom_target(ais_manual_pdf
    COMMAND ${CMAKE_COMMAND} -E echo "No operator manual in this cross build: set AIS_MANUAL_PDF"
    VERBATIM)
endif()
