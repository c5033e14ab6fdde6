# lumetra --list on a fixture, and its failure path.
execute_process(COMMAND ${LUMETRA} --list --from-dump ${DATA}/pc-default/dump.bin
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "--list failed: ${rc}")
endif()
string(FIND "${out}" "0 type 0 handle 0x0000 length 24 \"SeaBIOS\"" at)
if(at EQUAL -1)
  message(FATAL_ERROR "unexpected --list output:\n${out}")
endif()
execute_process(COMMAND ${LUMETRA} --list --from-dump ${DATA}/missing.bin
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^No DMI Function\n.*missing.bin: No such file")
  message(FATAL_ERROR "missing dump: rc ${rc}, stderr:\n${err}")
endif()
execute_process(COMMAND ${LUMETRA} --bogus RESULT_VARIABLE rc ERROR_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "usage error gave ${rc}")
endif()
