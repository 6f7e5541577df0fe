# A cross build cannot render the manual: it installs AIS_MANUAL_PDF as
# Help/TORV_FW_Manual_EN.pdf (and puts it beside the program in its build
# tree), and without it leaves Help/ out with a configure-time message.
# Run with -DAIS_SOURCE_DIR=... -DRENDERED=<a rendered manual> -DWORK=<folder>.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
# A name of the release engineer's choosing: the install renames it.
configure_file("${RENDERED}" "${WORK}/manual-1.5.3.pdf" COPYONLY)

function(cross_build name)
  execute_process(COMMAND ${CMAKE_COMMAND} -S "${AIS_SOURCE_DIR}/tests/packaging/cross" -B "${WORK}/${name}"
                          -DAIS_SOURCE_DIR=${AIS_SOURCE_DIR} ${ARGN}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(rc)
    message(FATAL_ERROR "${name}: configure failed:\n${out}${err}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build "${WORK}/${name}" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(rc)
    message(FATAL_ERROR "${name}: build failed")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --install "${WORK}/${name}" --prefix "${WORK}/${name}-root"
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(rc)
    message(FATAL_ERROR "${name}: install failed")
  endif()
  set(configure_output "${out}${err}" PARENT_SCOPE)
endfunction()

cross_build(given -DAIS_MANUAL_PDF=${WORK}/manual-1.5.3.pdf)
foreach(f "${WORK}/given-root/Help/TORV_FW_Manual_EN.pdf" "${WORK}/given/Help/TORV_FW_Manual_EN.pdf")
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${RENDERED}" "${f}" RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "AIS_MANUAL_PDF did not become ${f}")
  endif()
endforeach()

cross_build(none)
if(EXISTS "${WORK}/none-root/Help")
  message(FATAL_ERROR "Help/ installed without a manual")
endif()
if(NOT configure_output MATCHES "AIS_MANUAL_PDF.*Help/ is left out")
  message(FATAL_ERROR "no configure-time message about the missing manual:\n${configure_output}")
endif()
message(STATUS "cross builds: manual installed from AIS_MANUAL_PDF; left out without it")
