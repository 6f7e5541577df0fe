# Makes a Qt catalogue (qtbase_<code>.qm) for a language that Debian's
# qttranslations5-l10n carries only as Qt 4's qt_<code>.qm: Qt 5 asks for the
# buttons of its boxes (OK, Yes, No, Cancel, ...) in the context
# QPlatformTheme, Qt 4's catalogue has the same texts in QDialogButtonBox.
# The result is Qt 4's catalogue with those texts under both names.
# Run with -DLCONVERT=<lconvert> -DIN=<qt_sv.qm> -DWORK=<folder> -DOUT=<qtbase_sv.qm>
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${LCONVERT}" -i "${IN}" -o "${WORK}/qt4.ts" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "lconvert could not read ${IN}")
endif()
file(READ "${WORK}/qt4.ts" ts)
string(REGEX MATCH "<context>[ \t\r\n]*<name>QDialogButtonBox</name>.*" buttons "${ts}")
string(FIND "${buttons}" "</context>" end)
if(NOT buttons OR end EQUAL -1)
  message(FATAL_ERROR "${IN} has no QDialogButtonBox texts")
endif()
string(SUBSTRING "${buttons}" 0 ${end} buttons)
string(REPLACE "<name>QDialogButtonBox</name>" "<name>QPlatformTheme</name>" buttons "${buttons}")
string(REGEX MATCH "<TS[^>]*>" head "${ts}")
file(WRITE "${WORK}/buttons.ts" "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n${head}\n${buttons}</context>\n</TS>\n")
execute_process(COMMAND "${LCONVERT}" -i "${IN}" -i "${WORK}/buttons.ts" -o "${OUT}" RESULT_VARIABLE rc)
if(rc OR NOT EXISTS "${OUT}")
  message(FATAL_ERROR "lconvert could not write ${OUT}")
endif()
