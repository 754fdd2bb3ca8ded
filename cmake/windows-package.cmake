# The Windows program folder, shipped as a zip and as a per-user installer:
# the programs, their companion files, and the DLLs and plugins they load.

# The program folder.
install(TARGETS kasamat kasamat-batch RUNTIME DESTINATION .)
install(FILES ${KASAMAT_BIN_DIR}/default.dat ${KASAMAT_BIN_DIR}/release.nfo ${KASAMAT_BIN_DIR}/TeamViewerQS_sk.exe
        $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> ${KASAMAT_RUNTIME_DLLS}
        DESTINATION .)
install(FILES ${KASAMAT_QT_SLOVENCINA} DESTINATION translations)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

set(CPACK_PACKAGE_NAME Kasamat)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Kasamat)
set(CPACK_PACKAGE_FILE_NAME Kasamat-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kasamat)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_MUI_ICON ${KASAMAT_ICON})
set(CPACK_NSIS_MUI_UNIICON ${KASAMAT_ICON})
# The installer's own template (per user, no administrator rights).
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/windows)
include(CPack)
