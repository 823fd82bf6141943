# Installing as a desktop program: `cmake --install build --prefix P`, or the Debian package that
# CPack makes in the build folder. The layout is fixed: the program takes its data from
# P/share/tintwright/ when it runs as P/bin/tintwright (src/app/ProgramFolder.h), so bin/ and
# share/ are not GNUInstallDirs' to choose.
set(TINTWRIGHT_APP_ID org.tintwright.tintwright)

# The help reader lies beside the editor, which starts it for each help file it opens.
install(TARGETS tintwright tintwright-open tintwright_chm_reader RUNTIME DESTINATION bin)
install(DIRECTORY data/schemes data/previews data/languages DESTINATION share/tintwright)
install(DIRECTORY data/Help DESTINATION share/tintwright FILES_MATCHING PATTERN "*.chm")
install(DIRECTORY resources/icons/hicolor DESTINATION share/icons)
install(FILES resources/linux/${TINTWRIGHT_APP_ID}.mime.xml
  DESTINATION share/mime/packages RENAME ${TINTWRIGHT_APP_ID}.xml)

# The manual page of the command line, compressed as Debian keeps manual pages.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/tintwright.1.gz
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/resources/linux/tintwright.1 > ${CMAKE_BINARY_DIR}/tintwright.1.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/linux/tintwright.1
  COMMENT "Compressing the manual page")
add_custom_target(tintwright_manual ALL DEPENDS ${CMAKE_BINARY_DIR}/tintwright.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/tintwright.1.gz DESTINATION share/man/man1)

# The desktop file and the bus's service file name the programs by absolute path, so they are
# written when installing, with the prefix of that install (the package's is /usr).
foreach(entry
    "${TINTWRIGHT_APP_ID}.desktop.in|share/applications/${TINTWRIGHT_APP_ID}.desktop"
    "${TINTWRIGHT_APP_ID}.service.in|share/dbus-1/services/${TINTWRIGHT_APP_ID}.service"
    "${TINTWRIGHT_APP_ID}.metainfo.xml.in|share/metainfo/${TINTWRIGHT_APP_ID}.metainfo.xml")
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 source)
  list(GET entry 1 target)
  install(CODE "
    set(TINTWRIGHT_BINDIR \"\${CMAKE_INSTALL_PREFIX}/bin\")
    set(TINTWRIGHT_VERSION \"${PROJECT_VERSION}\")
    set(TINTWRIGHT_RELEASE_DATE \"${TINTWRIGHT_RELEASE_DATE}\")
    set(written \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${target}\")
    message(STATUS \"Installing: \${written}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/resources/linux/${source}\" \"\${written}\" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${written}\")
  ")
endforeach()

# The Debian package: `cpack -G DEB` in the build folder writes tintwright_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintwright)
set(CPACK_PACKAGE_VENDOR Tintwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tintwright developers <developers@tintwright.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# CPack indents the lines of the long description itself.
set(CPACK_PACKAGE_DESCRIPTION "Tintwright opens a TomTom Navigator colour file (.clr), lets you
recolour each item from a palette, the colour dialog or a hexadecimal code,
with undo and redo, and shows a live preview of a navigator screen in the
colours you edit. It also writes reference schemes and turns screenshots of
them into preview files (.cpf).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tintwright.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, where dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
include(CPack)
