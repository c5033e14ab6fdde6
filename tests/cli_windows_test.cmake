# The real program, offscreen: lumetra hands the windows over to lumetra-gui. With LUMETRA_GRAB_DIR set,
# each window comes up, is saved as a PNG and closed, and the program ends.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LUMETRA_GRAB_TYPES} "0 17")
set(shots ${WORK}/shots)

file(REMOVE_RECURSE ${shots})
set(ENV{LUMETRA_GRAB_DIR} ${shots})
execute_process(COMMAND ${LUMETRA} --from-dump ${DATA}/q35-workstation/dump.bin
                ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "windows on a table: rc ${rc}, stderr:\n${err}")
endif()
foreach(shot main detail-0 detail-17 find find-detail summary about)
  if(NOT EXISTS ${shots}/${shot}.png)
    message(FATAL_ERROR "${shot}.png was not saved; stderr:\n${err}")
  endif()
endforeach()

# No table: the message box, the reason on stderr, no main window, status 1.
file(REMOVE_RECURSE ${shots})
execute_process(COMMAND ${LUMETRA} --from-dump ${DATA}/missing.bin
                ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 1 OR NOT err MATCHES "No DMI Function: [^\n]*missing.bin: No such file")
  message(FATAL_ERROR "windows without a table: rc ${rc}, stderr:\n${err}")
endif()
if(NOT EXISTS ${shots}/no-dmi.png OR EXISTS ${shots}/main.png)
  message(FATAL_ERROR "without a table only the message box may show")
endif()

# A display that cannot be reached: a plain message that points to --text, status 1.
unset(ENV{LUMETRA_GRAB_DIR})
set(ENV{QT_QPA_PLATFORM} xcb)
set(ENV{DISPLAY} :97)
execute_process(COMMAND ${LUMETRA} --from-dump ${DATA}/q35-workstation/dump.bin
                ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 1 OR NOT err MATCHES "Use --text")
  message(FATAL_ERROR "unreachable display: rc ${rc}, stderr:\n${err}")
endif()
