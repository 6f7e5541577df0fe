# Run at install time (cmake -P style, from install(CODE)): copies beside the
# program every DLL that the program and its Qt plugins load from the Qt SDK,
# following imports transitively. Windows' own DLLs are not in the SDK and are
# left to the system. Names in import tables are case-insensitive on Windows,
# files on the build host are not: the SDK's files are matched by lower case.
#
# Inputs: AIS_DEPLOY_BINARIES (the program and the plugins, as installed),
# AIS_DEPLOY_SEARCH_DIR (the SDK's bin/), AIS_DEPLOY_OBJDUMP, AIS_DEPLOY_DEST.

file(GLOB _candidates "${AIS_DEPLOY_SEARCH_DIR}/*.dll")
foreach(_file IN LISTS _candidates)
  get_filename_component(_name "${_file}" NAME)
  string(TOLOWER "${_name}" _lower)
  set("_sdk_${_lower}" "${_file}")
endforeach()

set(_queue ${AIS_DEPLOY_BINARIES})
set(_seen "")
set(_deploy "")
while(_queue)
  list(POP_FRONT _queue _binary)
  execute_process(COMMAND "${AIS_DEPLOY_OBJDUMP}" -p "${_binary}"
                  OUTPUT_VARIABLE _headers RESULT_VARIABLE _rc ERROR_VARIABLE _err)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "${AIS_DEPLOY_OBJDUMP} -p ${_binary} failed: ${_err}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" _imports "${_headers}")
  foreach(_import IN LISTS _imports)
    string(REGEX REPLACE "^DLL Name: " "" _dll "${_import}")
    string(STRIP "${_dll}" _dll)
    string(TOLOWER "${_dll}" _lower)
    list(FIND _seen "${_lower}" _at)
    if(NOT _at EQUAL -1)
      continue()
    endif()
    list(APPEND _seen "${_lower}")
    if(DEFINED "_sdk_${_lower}")
      list(APPEND _deploy "${_sdk_${_lower}}")
      list(APPEND _queue "${_sdk_${_lower}}")
    endif()
  endforeach()
endwhile()

if(NOT _deploy)
  message(FATAL_ERROR "no DLL of ${AIS_DEPLOY_SEARCH_DIR} is imported by ${AIS_DEPLOY_BINARIES}")
endif()
list(SORT _deploy)
file(INSTALL DESTINATION "${AIS_DEPLOY_DEST}" TYPE SHARED_LIBRARY FILES ${_deploy})
