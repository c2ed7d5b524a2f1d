# The template report database bin/DB/KESTRA73.MDB (an SQLite file, whatever its historical name),
# built from the schema and seed scripts in data/. Start-up copies it into the user's data folder.
# SPDX-License-Identifier: GPL-3.0-or-later

find_program(SQLITE3_EXECUTABLE sqlite3 REQUIRED)

set(KESTRA_DB_SOURCES
  ${CMAKE_SOURCE_DIR}/data/schema.sql
  ${CMAKE_SOURCE_DIR}/data/anagrafica_seed.sql
  ${CMAKE_SOURCE_DIR}/data/tabf_seed.sql)
set(KESTRA_DB_DIR ${CMAKE_BINARY_DIR}/bin/DB)
set(KESTRA_DB_FILE ${KESTRA_DB_DIR}/KESTRA73.MDB)
set(KESTRA_DB_TEMP ${KESTRA_DB_DIR}/KESTRA73.MDB.tmp)

set(read_commands)
foreach(sql ${KESTRA_DB_SOURCES})
  list(APPEND read_commands ".read ${sql}")
endforeach()

# Built into a temporary file and renamed at the end, so a failed build never leaves half a database.
add_custom_command(
  OUTPUT ${KESTRA_DB_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTRA_DB_DIR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${KESTRA_DB_TEMP}
  COMMAND ${SQLITE3_EXECUTABLE} -batch -bail ${KESTRA_DB_TEMP} ${read_commands}
  COMMAND ${CMAKE_COMMAND} -E rename ${KESTRA_DB_TEMP} ${KESTRA_DB_FILE}
  DEPENDS ${KESTRA_DB_SOURCES}
  COMMENT "Building the template report database KESTRA73.MDB"
  VERBATIM)
add_custom_target(template_database ALL DEPENDS ${KESTRA_DB_FILE})

# The F table seed is generated text, committed with the sources; regenerating it needs Boost.Math.
option(KESTRA_REGENERATE_TABF "Build tools/gen_tabf and regenerate data/tabf_seed.sql" OFF)
if(KESTRA_REGENERATE_TABF)
  find_package(Boost REQUIRED)
  add_executable(gen_tabf ${CMAKE_SOURCE_DIR}/tools/gen_tabf.cpp)
  target_link_libraries(gen_tabf PRIVATE Boost::headers)
  set_target_properties(gen_tabf PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
  add_custom_target(regenerate_tabf
    COMMAND gen_tabf ${CMAKE_SOURCE_DIR}/data/tabf_seed.sql
    COMMENT "Regenerating data/tabf_seed.sql"
    VERBATIM)
endif()
