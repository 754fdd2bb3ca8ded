# The Debian package of an installed Kasamat (built with KASAMAT_INSTALLED):
# the programs in /usr/bin, the files that ship with them in
# /usr/share/kasamat, a desktop entry, an icon, AppStream metadata and the
# package's documents. user.dat is each user's, made at the first start.

set(linux ${PROJECT_SOURCE_DIR}/data/linux)
set(id example.vzorsoft.Kasamat)

install(TARGETS kasamat kasamat-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KASAMAT_BIN_DIR}/default.dat ${KASAMAT_BIN_DIR}/release.nfo ${KASAMAT_BIN_DIR}/TeamViewerQS_sk.exe
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kasamat)
install(FILES ${linux}/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/kasamat.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${linux}/${id}.metainfo.xml ${CMAKE_BINARY_DIR}/${id}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The documents every Debian package carries, compressed without a time
# stamp, so that two builds give the same package.
set(compressed)
foreach(document changelog kasamat.1 kasamat-batch.1)
  configure_file(${linux}/${document} ${CMAKE_BINARY_DIR}/${document} @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${document}.gz
                     COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/${document}
                     DEPENDS ${CMAKE_BINARY_DIR}/${document})
  list(APPEND compressed ${CMAKE_BINARY_DIR}/${document}.gz)
endforeach()
add_custom_target(kasamat_documents ALL DEPENDS ${compressed})
install(FILES ${linux}/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kasamat)
install(FILES ${CMAKE_BINARY_DIR}/kasamat.1.gz ${CMAKE_BINARY_DIR}/kasamat-batch.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kasamat)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vzorsoft s.r.o.")
set(CPACK_PACKAGE_CONTACT "Vzorsoft s.r.o. <podpora@vzorsoft.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bank statement converter for accounting systems")
set(CPACK_PACKAGE_DESCRIPTION "Kasamat converts the statement exports of Tatra banka (TXT and CSV),
TrustPay and Fio banka into the CLR and ABO statement files that
accounting systems import. It keeps a list of conversion tasks and runs
them all at once; kasamat-batch runs them without a window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's font and Qt's Slovak texts are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
