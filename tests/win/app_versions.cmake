# Gives each listed program its own Windows version in Wine: VERSIONS is "a.exe=win7;...".
foreach(pair ${VERSIONS})
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 program)
  list(GET parts 1 version)
  execute_process(COMMAND ${WINE} reg add "HKCU\\Software\\Wine\\AppDefaults\\${program}" /v Version /d ${version} /f
    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not set Windows version ${version} for ${program} (status ${rc})")
  endif()
endforeach()
