# ais_add_test(NAME <name> SOURCES <files...> LIBS <libs...> LABELS <labels...>
#              [ENV <VAR=value...>] [TIMEOUT <s>] [LAUNCHER <cmd...>])
# Every test runs in its own empty working directory, so a stray "logger.log"
# or "comm.ini" from another test never changes its behaviour.
function(ais_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;ENV;LAUNCHER" ${ARGN})
  if(AIS_SANITIZE_THREAD)
    # Qt 5 locks QMutex inside uninstrumented libQt5Core: every test program
    # gets the annotating definitions (they must be in the executable to
    # interpose Qt's), and the suppressions for what TSan cannot see.
    list(APPEND T_SOURCES ${CMAKE_SOURCE_DIR}/tests/support/TsanQtMutex.cpp)
    list(APPEND T_LIBS ${CMAKE_DL_LIBS})
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ais_testsupport)
  ais_add_test_run(NAME ${T_NAME} PROGRAM ${T_NAME} LABELS ${T_LABELS} ENV ${T_ENV} TIMEOUT ${T_TIMEOUT}
    LAUNCHER ${T_LAUNCHER})
endfunction()

# ais_add_test_run(NAME <name> PROGRAM <target> LABELS <labels...>
#                  [ENV <VAR=value...>] [TIMEOUT <s>] [LAUNCHER <cmd...>])
# One run of a test program made by ais_add_test; a program may be run more
# than once (under another launcher or other settings), each run with a
# working directory of its own.
function(ais_add_test_run)
  cmake_parse_arguments(T "" "NAME;PROGRAM;TIMEOUT" "LABELS;ENV;LAUNCHER" ${ARGN})
  if(AIS_SANITIZE_THREAD)
    list(APPEND T_ENV "TSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/support/tsan.supp halt_on_error=1 second_deadlock_stack=1")
  endif()
  set(wd "${CMAKE_BINARY_DIR}/test-work/${T_NAME}")
  file(MAKE_DIRECTORY "${wd}")
  add_test(NAME ${T_NAME} COMMAND ${T_LAUNCHER} $<TARGET_FILE:${T_PROGRAM}> WORKING_DIRECTORY "${wd}")
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS "${T_LABELS}"
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${T_ENV}")
endfunction()
