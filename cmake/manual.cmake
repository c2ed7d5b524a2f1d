# Manual pages and the package's changelog:
#   man/kestra.1.gz          from data/man/kestra.1 (hand-written)
#   man/kestra-cli.1.gz      help2man over kestra-cli's own --help and --version, with the hand-written sections
#                            of data/man/kestra-cli.h2m (exit status, files, environment), so it never drifts
#   doc/changelog.gz         the Debian changelog made from CHANGELOG.md by scripts/debian-changelog (at
#                            configure time, with the package version it implies)
# Compressed with gzip -9n, as Debian wants them (no name, no time stamp).
# SPDX-License-Identifier: GPL-3.0-or-later

find_program(GZIP_EXECUTABLE gzip REQUIRED)
find_program(HELP2MAN_EXECUTABLE help2man)
if(NOT HELP2MAN_EXECUTABLE)
  message(WARNING "help2man not found (scripts/deps installs it): no manual page for kestra-cli")
endif()

set(KESTRA_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(KESTRA_PACKAGE_DOC_DIR ${CMAKE_BINARY_DIR}/doc)
set(KESTRA_CHANGELOG ${CMAKE_SOURCE_DIR}/CHANGELOG.md)
# The package version and its changelog follow CHANGELOG.md: a new line there reconfigures.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KESTRA_CHANGELOG})
execute_process(
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/debian-changelog --version ${KESTRA_CHANGELOG} ${PROJECT_VERSION}
          "${KESTRA_MAINTAINER}"
  OUTPUT_VARIABLE KESTRA_PACKAGE_VERSION OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_VARIABLE changelog_error RESULT_VARIABLE changelog_rc)
if(NOT changelog_rc EQUAL 0)
  message(FATAL_ERROR "CHANGELOG.md: ${changelog_error}")
endif()

# kestra.1 with the version and the date of the newest release of CHANGELOG.md.
file(STRINGS ${KESTRA_CHANGELOG} newest_release REGEX "^## [0-9.]+ - [0-9-]+$" LIMIT_COUNT 1)
string(REGEX REPLACE "^## [0-9.]+ - " "" KESTRA_RELEASE_DATE "${newest_release}")
configure_file(${CMAKE_SOURCE_DIR}/data/man/kestra.1 ${KESTRA_MAN_DIR}/kestra.1 @ONLY)
set(KESTRA_MAN_PAGES ${KESTRA_MAN_DIR}/kestra.1.gz)
add_custom_command(
  OUTPUT ${KESTRA_MAN_DIR}/kestra.1.gz
  COMMAND sh -c "${GZIP_EXECUTABLE} -9n < \"$1\" > \"$2\"" gzip ${KESTRA_MAN_DIR}/kestra.1 ${KESTRA_MAN_DIR}/kestra.1.gz
  DEPENDS ${KESTRA_MAN_DIR}/kestra.1
  VERBATIM)

if(HELP2MAN_EXECUTABLE)
  add_custom_command(
    OUTPUT ${KESTRA_MAN_DIR}/kestra-cli.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTRA_MAN_DIR}
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
            ${HELP2MAN_EXECUTABLE} --no-info --locale=C.UTF-8 --section=1 "--source=Kestra 2006" "--manual=Comandi utente"
            --include=${CMAKE_SOURCE_DIR}/data/man/kestra-cli.h2m --output=${KESTRA_MAN_DIR}/kestra-cli.1
            "${CMAKE_SOURCE_DIR}/data/man/kestra-cli-help $<TARGET_FILE:kestra-cli>"
    COMMAND sh -c "${GZIP_EXECUTABLE} -9n < \"$1\" > \"$2\"" gzip ${KESTRA_MAN_DIR}/kestra-cli.1
            ${KESTRA_MAN_DIR}/kestra-cli.1.gz
    DEPENDS kestra-cli ${CMAKE_SOURCE_DIR}/data/man/kestra-cli.h2m ${CMAKE_SOURCE_DIR}/data/man/kestra-cli-help
    COMMENT "Manual page of kestra-cli (help2man)"
    VERBATIM)
  list(APPEND KESTRA_MAN_PAGES ${KESTRA_MAN_DIR}/kestra-cli.1.gz)
endif()

# Made at configure time with the package version, so the two always agree.
file(MAKE_DIRECTORY ${KESTRA_PACKAGE_DOC_DIR})
execute_process(
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/debian-changelog ${KESTRA_CHANGELOG} ${PROJECT_VERSION}
          "${KESTRA_MAINTAINER}"
  COMMAND ${GZIP_EXECUTABLE} -9n
  OUTPUT_FILE ${KESTRA_PACKAGE_DOC_DIR}/changelog.gz
  RESULT_VARIABLE changelog_rc)
if(NOT changelog_rc EQUAL 0)
  message(FATAL_ERROR "CHANGELOG.md: the package changelog could not be made")
endif()

# The changelog's maker against small changelogs, read back by dpkg-parsechangelog.
add_test(NAME DebianChangelog COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/debian-changelog-test)

add_custom_target(manual_pages ALL DEPENDS ${KESTRA_MAN_PAGES})

install(FILES ${KESTRA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(KESTRA_DOC_DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kestra)
install(FILES ${KESTRA_PACKAGE_DOC_DIR}/changelog.gz ${CMAKE_SOURCE_DIR}/data/debian/copyright
        DESTINATION ${KESTRA_DOC_DESTINATION})
