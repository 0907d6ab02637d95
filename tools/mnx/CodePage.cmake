# Strings between JSON text and the 8-bit places of the file, in the code page --codepage names.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(mnx expected_rc)
  execute_process(COMMAND ${MNX} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "mnx ${ARGN}: expected status ${expected_rc}, got ${rc}: ${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# Code page 1252 holds the euro sign as byte 80, and no block follows.
file(WRITE ${WORK}/euro.json [[{"Form": {"Caption": "\u20ac"}, "Trailer": []}]])
mnx(0 build ${WORK}/euro.json ${WORK}/euro.mnx)
file(READ ${WORK}/euro.mnx hex HEX)
if(NOT hex MATCHES "0100000080" OR hex MATCHES "4d4e582b$")
  message(FATAL_ERROR "the euro sign is not byte 80 in the caption's place, or a block was written: ${hex}")
endif()
mnx(0 dump ${WORK}/euro.mnx)
if(NOT out MATCHES "\"Caption\": \"€\"")
  message(FATAL_ERROR "byte 80 in code page 1252 does not dump as the euro sign: ${out}")
endif()
# The same byte read as Cyrillic.
mnx(0 dump ${WORK}/euro.mnx --codepage 1251)
if(NOT out MATCHES "\"Caption\": \"Ђ\"")
  message(FATAL_ERROR "byte 80 in code page 1251 does not dump as U+0402: ${out}")
endif()

# Greek in a Western file goes into the extension block and comes back from it.
file(WRITE ${WORK}/greek.json [[{"Form": {"Caption": "\u039c\u03b5\u03bd\u03bf\u03cd"}}]])
mnx(0 build --codepage 1252 ${WORK}/greek.json ${WORK}/greek.mnx)
file(READ ${WORK}/greek.mnx hex HEX)
if(NOT hex MATCHES "4d4e582b$")
  message(FATAL_ERROR "no extension block at the end: ${hex}")
endif()
mnx(0 dump ${WORK}/greek.mnx)
if(NOT out MATCHES "\"Caption\": \"Μενού\"" OR NOT err STREQUAL "")
  message(FATAL_ERROR "the Greek caption does not come back: ${out}${err}")
endif()

# Code pages without a table are refused with one line that says which are taken.
foreach(page 932 65001 1249 x "")
  mnx(2 dump ${WORK}/euro.mnx --codepage ${page})
  if(NOT err MATCHES "^mnx: --codepage takes [^\n]*1250 to 1258[^\n]*\n$")
    message(FATAL_ERROR "--codepage ${page}: expected one line naming 1250 to 1258, got: ${err}")
  endif()
endforeach()
