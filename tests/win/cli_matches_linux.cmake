# lumetra-cli.exe under Wine and the Linux lumetra, on every saved table: the same
# JSON, text, list, HTML and summary, byte for byte (a saved table's root names the file,
# not the computer).
file(MAKE_DIRECTORY ${WORK})
file(GLOB fixtures RELATIVE ${SOURCE} ${SOURCE}/tests/data/*/dump.bin ${SOURCE}/tests/data/*/sysfs)
if(NOT fixtures)
  message(FATAL_ERROR "no fixtures under ${SOURCE}/tests/data")
endif()
set(checked 0)
foreach(fixture ${fixtures})
  foreach(view --json --text --list --html --summary)
    execute_process(COMMAND ${LINUX_PROGRAM} ${view} --from-dump ${fixture} WORKING_DIRECTORY ${SOURCE}
      OUTPUT_VARIABLE linux RESULT_VARIABLE linux_rc)
    execute_process(COMMAND ${WINE} ${CLI} ${view} --from-dump ${fixture} WORKING_DIRECTORY ${SOURCE}
      OUTPUT_VARIABLE windows RESULT_VARIABLE windows_rc)
    if(NOT linux_rc EQUAL 0 OR NOT windows_rc EQUAL 0)
      message(FATAL_ERROR "${view} ${fixture}: status ${linux_rc} on Linux, ${windows_rc} under Wine")
    endif()
    string(REPLACE "/" "_" name "${fixture}${view}")
    file(WRITE ${WORK}/${name}.linux "${linux}")
    file(WRITE ${WORK}/${name}.windows "${windows}")
    if(NOT linux STREQUAL windows)
      message(FATAL_ERROR "${view} ${fixture} differs: diff ${WORK}/${name}.linux ${WORK}/${name}.windows")
    endif()
    math(EXPR checked "${checked} + 1")
  endforeach()
endforeach()
message(STATUS "${checked} outputs identical")
