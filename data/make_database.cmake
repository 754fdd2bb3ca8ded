# Makes an encrypted settings database from a SQL file:
#   cmake -DSQLCIPHER=... -DSQL=schema.sql -DOUT=default.dat -DKEY=... -P make_database.cmake
file(REMOVE ${OUT})
file(READ ${SQL} statements)
file(WRITE ${OUT}.sql "PRAGMA key='${KEY}';\n${statements}")
execute_process(COMMAND ${SQLCIPHER} ${OUT} INPUT_FILE ${OUT}.sql RESULT_VARIABLE result ERROR_VARIABLE errors)
file(REMOVE ${OUT}.sql)
if(NOT result EQUAL 0 OR errors)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "sqlcipher failed: ${errors}")
endif()
