# lumetra --list on a fixture.
execute_process(COMMAND ${LUMETRA} --list --from-dump ${DATA}/pc-default/dump.bin
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "--list failed: ${rc}")
endif()
string(FIND "${out}" "0 type 0 handle 0x0000 length 24 \"SeaBIOS\"" at)
if(at EQUAL -1)
  message(FATAL_ERROR "unexpected --list output:\n${out}")
endif()
execute_process(COMMAND ${LUMETRA} --bogus RESULT_VARIABLE rc ERROR_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "usage error gave ${rc}")
endif()
# Every fixture: the text view runs, its root names the file or folder read, and the JSON parses.
foreach(dump pc-default/dump.bin q35-workstation/dump.bin sm3/dump.bin pc-default/sysfs sm3/sysfs/)
  execute_process(COMMAND ${LUMETRA} --text --from-dump ${DATA}/${dump} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  execute_process(COMMAND ${LUMETRA} --json --from-dump ${DATA}/${dump} COMMAND python3 -m json.tool
                  OUTPUT_QUIET RESULTS_VARIABLE rcs)
  if(NOT rc EQUAL 0 OR NOT rcs STREQUAL "0;0" OR NOT out MATCHES "\n\nSaved Table : (dump\\.bin|sysfs)\n")
    message(FATAL_ERROR "${dump}: --text gave ${rc}, --json | json.tool gave ${rcs}, text:\n${out}")
  endif()
endforeach()
# Without a table every view says so, with the reason, and ends with status 1.
foreach(view --list --json --text --html --summary)
  execute_process(COMMAND ${LUMETRA} ${view} --from-dump ${DATA}/missing.bin
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 1 OR NOT err MATCHES "^No DMI Function\n.*missing.bin: No such file")
    message(FATAL_ERROR "${view} without a table: rc ${rc}, stderr:\n${err}")
  endif()
endforeach()
execute_process(COMMAND ${LUMETRA} --json --text RESULT_VARIABLE rc ERROR_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "two views at once gave ${rc}")
endif()
# The command-line views load no Qt (LD_DEBUG lists every library the loader opens); the
# static program has no loader at all, so it lists nothing.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LD_DEBUG=libs
                        ${LUMETRA} --text --from-dump ${DATA}/pc-default/dump.bin
                OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE rc)
if(STATIC)
  set(want_libc "^$")
else()
  set(want_libc "libc\\.so")
endif()
if(NOT rc EQUAL 0 OR NOT err MATCHES "${want_libc}" OR err MATCHES "libQt6")
  message(FATAL_ERROR "--text: rc ${rc}; the loader (static: ${STATIC}) said:\n${err}")
endif()
# Without a display, or without the window program beside it, lumetra says so and
# points to --text.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
                        ${LUMETRA} --from-dump ${DATA}/pc-default/dump.bin
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT err MATCHES "no display" OR NOT err MATCHES "--text")
  message(FATAL_ERROR "no display: rc ${rc}, stderr:\n${err}")
endif()
file(REMOVE_RECURSE ${WORK}/alone)
file(COPY ${LUMETRA} DESTINATION ${WORK}/alone)
get_filename_component(name ${LUMETRA} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                        ${WORK}/alone/${name} --from-dump ${DATA}/pc-default/dump.bin
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^lumetra: cannot run the window program [^\n]*/alone/lumetra-gui: No such file[^\n]*\nUse --text to see the table as text[.]\n$")
  message(FATAL_ERROR "no window program: rc ${rc}, stderr:\n${err}")
endif()
execute_process(COMMAND ${LUMETRA} --list --from-dump "" RESULT_VARIABLE rc ERROR_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "an empty dump path gave ${rc}")
endif()
file(MAKE_DIRECTORY ${WORK})
# A table cut short: --list keeps one line per structure on standard output and tells
# what is wrong on standard error.
execute_process(COMMAND python3 -c "import sys; d = open(sys.argv[1], 'rb').read(); open(sys.argv[2], 'wb').write(d[:-6])"
                        ${DATA}/sm3/dump.bin ${WORK}/cut.bin RESULT_VARIABLE rc)
execute_process(COMMAND ${LUMETRA} --list --from-dump ${WORK}/cut.bin
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT err MATCHES "^Problem: [^\n]*without an End-of-Table structure[^\n]*\n$" OR out MATCHES "Problem")
  message(FATAL_ERROR "--list on a cut table: rc ${rc}, stderr:\n${err}")
endif()
