# What `cmake --install` puts where (GNUInstallDirs, honouring DESTDIR and the
# prefix), and the Debian package that CPack builds from it.
set(LUMETRA_APP_ID org.lumetra.Lumetra)

install(TARGETS lumetra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS lumetra-read-table RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR})
if(TARGET lumetra-gui)
  # Beside lumetra, which execs it from its own folder.
  install(TARGETS lumetra-gui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# polkit wants the helper's absolute path, which is known only when installing
# (CPack installs under its own prefix), so the action file is written then.
install(CODE "
  set(LUMETRA_HELPER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/lumetra-read-table\")
  configure_file(${PROJECT_SOURCE_DIR}/data/${LUMETRA_APP_ID}.policy.in
                 ${CMAKE_BINARY_DIR}/install/${LUMETRA_APP_ID}.policy @ONLY)")
install(FILES ${CMAKE_BINARY_DIR}/install/${LUMETRA_APP_ID}.policy
        DESTINATION ${CMAKE_INSTALL_DATADIR}/polkit-1/actions)

install(FILES doc/lumetra.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES doc/lumetra.schema.json DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumetra)
install(FILES data/${LUMETRA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${LUMETRA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES res/icons/128-mainboard.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${LUMETRA_APP_ID}.svg)
install(FILES data/lumetra.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME lumetra)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumetra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for the SMBIOS (DMI) structure table")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "viewer for the SMBIOS (DMI) structure table\n Lumetra shows the SMBIOS table that the firmware publishes as a tree\n of structure types, and decodes each structure into Description/Value\n rows. Its --list, --json, --text, --html and --summary views serve scripts\n and people, and --dump-bin saves a table to read on another machine.")
set(CPACK_PACKAGE_CONTACT "Lumetra maintainers <maintainers@lumetra.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# pkexec asks for the administrator's password when the windows need this machine's table.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS pkexec)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
