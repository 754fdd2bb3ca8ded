# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers.
#
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKASAMAT_WINDOWS_PREFIX=DIR ...
#
# DIR is the folder that scripts/windows/deps.sh fills with the third-party
# parts built for Windows (Qt, SQLCipher, OpenSSL's libcrypto, GoogleTest); the
# same file builds Qt itself into that folder. The prefix may also come from the
# environment variable of the same name. KASAMAT_WINDOWS_PUGIXML_PREFIX (cache
# variable or environment), when set, is the folder that
# scripts/windows/pugixml.sh fills with pugixml, kept apart so that it never
# makes Qt rebuild.
#
# The posix thread model is used because std::thread, std::mutex and friends
# need it with GCC 12; the program then ships libwinpthread-1.dll beside
# libstdc++-6.dll and libgcc_s_seh-1.dll (no static runtime: Qt is shared too,
# and one runtime per process keeps exceptions and allocations consistent).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KASAMAT_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KASAMAT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KASAMAT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KASAMAT_MINGW_TRIPLE}-windres)

if(NOT KASAMAT_WINDOWS_PREFIX AND DEFINED ENV{KASAMAT_WINDOWS_PREFIX})
  set(KASAMAT_WINDOWS_PREFIX "$ENV{KASAMAT_WINDOWS_PREFIX}")
endif()
if(NOT KASAMAT_WINDOWS_PREFIX)
  message(FATAL_ERROR "Set KASAMAT_WINDOWS_PREFIX (cache variable or environment) to the folder "
                      "that scripts/windows/deps.sh prints")
endif()
set(KASAMAT_WINDOWS_PREFIX "${KASAMAT_WINDOWS_PREFIX}" CACHE PATH
    "Folder with the third-party parts built for Windows")
if(NOT KASAMAT_WINDOWS_PUGIXML_PREFIX AND DEFINED ENV{KASAMAT_WINDOWS_PUGIXML_PREFIX})
  set(KASAMAT_WINDOWS_PUGIXML_PREFIX "$ENV{KASAMAT_WINDOWS_PUGIXML_PREFIX}")
endif()
set(KASAMAT_WINDOWS_PUGIXML_PREFIX "${KASAMAT_WINDOWS_PUGIXML_PREFIX}" CACHE PATH
    "Folder with pugixml built for Windows")

# Qt's code generators (moc, rcc, uic, ...) run on the build machine: they come
# from Debian's own Qt, which must be the same version as the Qt in the prefix.
set(QT_HOST_PATH /usr CACHE PATH "Qt installation whose tools run on the build machine")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
    "CMake package folder of the Qt whose tools run on the build machine")

# Checks that compile a small project (try_compile) read this file again
# without the outer cache; these variables have to travel with them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES
     KASAMAT_WINDOWS_PREFIX KASAMAT_WINDOWS_PUGIXML_PREFIX QT_HOST_PATH QT_HOST_PATH_CMAKE_DIR)
list(REMOVE_DUPLICATES CMAKE_TRY_COMPILE_PLATFORM_VARIABLES)

# Libraries, headers and CMake packages come only from the prefix and the
# MinGW system folder; programs that run during the build come from the host.
set(CMAKE_FIND_ROOT_PATH "${KASAMAT_WINDOWS_PREFIX}" ${KASAMAT_WINDOWS_PUGIXML_PREFIX} /usr/${KASAMAT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must describe Windows libraries, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} "${KASAMAT_WINDOWS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
