# Fails when a C++ file under the given folders is not laid out as the style
# file says, naming every such file.
#   cmake -DCLANG_FORMAT=<program> -DSTYLE=<.clang-format> -DFOLDERS="<dir>|<dir>"
#         -P format-check.cmake
set(files)
string(REPLACE "|" ";" FOLDERS "${FOLDERS}")
foreach(folder IN LISTS FOLDERS)
  file(GLOB_RECURSE found "${folder}/*.cpp" "${folder}/*.c" "${folder}/*.h")
  list(APPEND files ${found})
endforeach()
if(NOT files)
  message(FATAL_ERROR "No C++ file found under ${FOLDERS}")
endif()
set(misformatted)
foreach(file IN LISTS files)
  execute_process(COMMAND "${CLANG_FORMAT}" "--style=file:${STYLE}" --dry-run --Werror "${file}"
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(NOT status EQUAL 0)
    list(APPEND misformatted "${file}")
  endif()
endforeach()
if(misformatted)
  list(JOIN misformatted "\n  " list)
  message(FATAL_ERROR "Not formatted (run clang-format -i on them):\n  ${list}")
endif()
