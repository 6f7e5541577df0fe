# The translation sources as the test command checks them: every
# AisFirmwareUpgrade_<code>.ts against the texts the code holds now (lupdate
# run into a folder of its own, the committed files untouched), every
# CopyRight_<code>.ts against CopyRight_en.ts: complete, nothing unfinished
# or empty, the same placeholders as the source, nothing the code no longer
# has. A control first: the pseudo-language made from the code passes, and
# the same file short of one text fails, naming it.
# Run with -DSOURCE=<repo> -DWORK=<folder> -DLUPDATE=<lupdate> -DTOOL=<ais_ts_tool>
#          -DDIRS=<lupdate folders, comma-separated>
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
string(REPLACE "," ";" DIRS "${DIRS}")
execute_process(COMMAND "${LUPDATE}" -silent ${DIRS} -no-obsolete -locations none -ts "${WORK}/code.ts"
                WORKING_DIRECTORY "${SOURCE}" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc OR NOT EXISTS "${WORK}/code.ts")
  message(FATAL_ERROR "lupdate failed (${rc}): ${err}")
endif()

function(ts_check expect_rc template)
  execute_process(COMMAND "${TOOL}" check "${template}" ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  set(ts_out "${out}" PARENT_SCOPE)
  if(NOT rc EQUAL expect_rc)
    message(FATAL_ERROR "ais_ts_tool check ${ARGN}: exit status ${rc}, expected ${expect_rc}:\n${out}")
  endif()
endfunction()

# Control.
execute_process(COMMAND "${TOOL}" pseudo "${WORK}/code.ts" "${WORK}/pseudo.ts" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "ais_ts_tool pseudo failed (${rc})")
endif()
ts_check(0 "${WORK}/code.ts" "${WORK}/pseudo.ts")
file(READ "${WORK}/pseudo.ts" pseudo)
string(REGEX MATCH "<message>[^<]*<source>Please wait a moment</source>.*</message>" one "${pseudo}")
string(FIND "${one}" "</message>" end)
string(SUBSTRING "${one}" 0 ${end} one)
string(REPLACE "${one}</message>" "" shortened "${pseudo}")
file(WRITE "${WORK}/AisFirmwareUpgrade_en_XA.ts" "${shortened}")
ts_check(1 "${WORK}/code.ts" "${WORK}/AisFirmwareUpgrade_en_XA.ts")
if(NOT ts_out MATCHES "AisFirmwareUpgrade_en_XA.ts: no translation[^\n]*\"Please wait a moment\"")
  message(FATAL_ERROR "a missing text was not named:\n${ts_out}")
endif()

file(GLOB program "${SOURCE}/ui/translations/AisFirmwareUpgrade_*.ts")
set(notices)
foreach(ts ${program})
  string(REGEX REPLACE ".*/AisFirmwareUpgrade_(.*)\\.ts$" "\\1" code "${ts}")
  if(NOT EXISTS "${SOURCE}/ui/translations/CopyRight_${code}.ts")
    message(FATAL_ERROR "AisFirmwareUpgrade_${code}.ts ships ${code} without CopyRight_${code}.ts")
  endif()
  list(APPEND notices "${SOURCE}/ui/translations/CopyRight_${code}.ts")
endforeach()
if(NOT program)
  message(STATUS "control passed; no language besides English is shipped")
  return()
endif()
set(faults "")
execute_process(COMMAND "${TOOL}" check "${WORK}/code.ts" ${program} RESULT_VARIABLE rc1 OUTPUT_VARIABLE out1)
execute_process(COMMAND "${TOOL}" check "${SOURCE}/ui/translations/CopyRight_en.ts" ${notices}
                RESULT_VARIABLE rc2 OUTPUT_VARIABLE out2)
message(STATUS "${out1}${out2}")
if(rc1 OR rc2)
  message(FATAL_ERROR "translation sources are not complete or not up to date (see above)")
endif()
