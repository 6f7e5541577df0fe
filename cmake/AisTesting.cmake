# Build flavours: every test runs in the plain build; a sanitizer build holds
# only the tests that name its flavour (FLAVOURS asan and/or tsan), which
# also become labels. tsan: the test runs code on more than one thread (the
# communication thread, the logger's writer, the copy thread). asan: the
# test drives code that parses, copies or frees (sentences, INI and CSV
# files, FAT16 images, frames and queues, records). Each registration says
# why it is in its flavours.
if(AIS_SANITIZE_ADDRESS)
  set(AIS_TEST_FLAVOUR asan)
elseif(AIS_SANITIZE_THREAD)
  set(AIS_TEST_FLAVOUR tsan)
else()
  set(AIS_TEST_FLAVOUR plain)
endif()

# Tests that pace real serial traffic and wait on the device's answers within
# fixed windows (the identification's 1.5 s) take a slot of the resource
# "pacing" (PACED). ctest runs at most as many of them side by side as
# test-resources.json in the build folder gives slots (one more than the
# cores), when given that file: scripts/run-tests.sh passes it. Without it
# (ctest run by hand) nothing limits them.
include(ProcessorCount)
ProcessorCount(_ais_cores)
if(_ais_cores LESS 1)
  set(_ais_cores 1)
endif()
math(EXPR _ais_pacing_slots "${_ais_cores} + 1")
file(WRITE ${CMAKE_BINARY_DIR}/test-resources.json
  "{\"version\": {\"major\": 1, \"minor\": 0},\n \"local\": [{\"pacing\": [{\"id\": \"0\", \"slots\": ${_ais_pacing_slots}}]}]}\n")

# ais_test_wanted(<var> <flavours...>): whether this build runs a test of these flavours.
function(ais_test_wanted out)
  if(AIS_TEST_FLAVOUR STREQUAL plain OR AIS_TEST_FLAVOUR IN_LIST ARGN)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# ais_add_test(NAME <name> SOURCES <files...> LIBS <libs...> LABELS <labels...>
#              [FLAVOURS asan|tsan...] [ENV <VAR=value...>] [TIMEOUT <s>]
#              [LAUNCHER <cmd...>] [RESOURCE_LOCK <names...>] [COST <s>] [PACED])
# Every test runs in its own empty working directory, so a stray "logger.log"
# or "comm.ini" from another test never changes its behaviour. Tests run side
# by side; RESOURCE_LOCK names what one must not share with another. COST
# (about its seconds) lets ctest start the long ones first when it has no
# timings of its own yet (a fresh build folder).
function(ais_add_test)
  cmake_parse_arguments(T "PACED" "NAME;TIMEOUT;COST" "SOURCES;LIBS;LABELS;FLAVOURS;ENV;LAUNCHER;RESOURCE_LOCK" ${ARGN})
  ais_test_wanted(wanted ${T_FLAVOURS})
  if(NOT wanted)
    return()
  endif()
  if(AIS_SANITIZE_THREAD)
    # Qt 5 locks QMutex inside uninstrumented libQt5Core: every test program
    # gets the annotating definitions (they must be in the executable to
    # interpose Qt's), and the suppressions for what TSan cannot see.
    list(APPEND T_SOURCES ${CMAKE_SOURCE_DIR}/tests/support/TsanQtMutex.cpp)
    # Its definitions must stay out of the test's own code in a unity build.
    set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/support/TsanQtMutex.cpp
      PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    list(APPEND T_LIBS ${CMAKE_DL_LIBS})
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ais_testsupport)
  set(paced)
  if(T_PACED)
    set(paced PACED)
  endif()
  ais_add_test_run(NAME ${T_NAME} PROGRAM ${T_NAME} LABELS ${T_LABELS} FLAVOURS ${T_FLAVOURS} ENV ${T_ENV}
    TIMEOUT ${T_TIMEOUT} LAUNCHER ${T_LAUNCHER} RESOURCE_LOCK ${T_RESOURCE_LOCK} COST ${T_COST} ${paced})
endfunction()

# ais_add_test_run(NAME <name> PROGRAM <target> LABELS <labels...>
#                  [FLAVOURS ...] [ENV <VAR=value...>] [TIMEOUT <s>]
#                  [LAUNCHER <cmd...>] [RESOURCE_LOCK <names...>] [COST <s>] [PACED])
# One run of a test program made by ais_add_test; a program may be run more
# than once (under another launcher or other settings), each run with a
# working directory of its own.
function(ais_add_test_run)
  cmake_parse_arguments(T "PACED" "NAME;PROGRAM;TIMEOUT;COST" "LABELS;FLAVOURS;ENV;LAUNCHER;RESOURCE_LOCK" ${ARGN})
  ais_test_wanted(wanted ${T_FLAVOURS})
  if(NOT wanted OR NOT TARGET ${T_PROGRAM})
    return()
  endif()
  if(AIS_SANITIZE_THREAD)
    list(APPEND T_ENV "TSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/support/tsan.supp halt_on_error=1 second_deadlock_stack=1")
  endif()
  set(wd "${CMAKE_BINARY_DIR}/test-work/${T_NAME}")
  file(MAKE_DIRECTORY "${wd}")
  add_test(NAME ${T_NAME} COMMAND ${T_LAUNCHER} $<TARGET_FILE:${T_PROGRAM}> WORKING_DIRECTORY "${wd}")
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(labels ${T_LABELS} ${T_FLAVOURS})
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS "${labels}"
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${T_ENV}")
  if(T_RESOURCE_LOCK)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_RESOURCE_LOCK}")
  endif()
  if(T_COST)
    set_tests_properties(${T_NAME} PROPERTIES COST ${T_COST})
  endif()
  if(T_PACED)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_GROUPS "pacing:1")
  endif()
endfunction()
