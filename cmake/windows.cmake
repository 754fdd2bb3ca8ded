# The Windows build, before its targets: the version resource every program
# reads its version from, MinGW's runtime, and Wine to run the tests.

set(KASAMAT_ICON ${PROJECT_SOURCE_DIR}/data/kasamat.ico)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/kasamat.rc.in ${CMAKE_BINARY_DIR}/kasamat.rc @ONLY)

# MinGW's runtime, loaded by every program.
set(KASAMAT_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "MinGW runtime ${dll} not found")
  endif()
  list(APPEND KASAMAT_RUNTIME_DLLS ${path})
endforeach()

# Programs of the build run under Wine, finding the DLLs where they lie.
set(KASAMAT_WINEPREFIX "$ENV{HOME}/.cache/kasamat-windows/wine" CACHE PATH "Wine prefix the tests run in")
set(wine_path)
foreach(dll ${KASAMAT_WINDOWS_PREFIX}/bin/Qt6Core.dll ${KASAMAT_RUNTIME_DLLS})
  get_filename_component(folder ${dll} DIRECTORY)
  string(REPLACE "/" "\\" folder "Z:${folder}")
  list(APPEND wine_path "${folder}")
endforeach()
list(REMOVE_DUPLICATES wine_path)
list(JOIN wine_path ";" KASAMAT_WINEPATH)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/wine.sh.in ${CMAKE_BINARY_DIR}/wine.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine.sh)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/qt-test.sh.in ${CMAKE_BINARY_DIR}/qt-test.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)


# Qt's Slovak texts: the prefix has no translations of its own, so Debian's
# ship beside the programs, and beside the test programs for their runs.
find_file(KASAMAT_QT_SLOVENCINA qtbase_sk.qm PATHS /usr/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${KASAMAT_QT_SLOVENCINA} DESTINATION ${KASAMAT_BIN_DIR}/translations)
file(COPY ${KASAMAT_QT_SLOVENCINA} DESTINATION ${CMAKE_BINARY_DIR}/tests/translations)
