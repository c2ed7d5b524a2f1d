# The installed tree and the Debian package:
#   bin/kestra, bin/kestra-cli            the two programs
#   libexec/kestra/kestra-cli-render      the drawing half of kestra-cli, started by it
#   share/kestra/                         template report database (DB/KESTRA73.MDB), help documents and
#                                         the self-test's reference set (selftest/)
#   share/applications/kestra.desktop     the desktop menu entry, opening study files
#   share/mime/packages/kestra.xml        the seven kinds of study file
#   share/icons/hicolor/scalable/         the program's icon and one per kind of study file
#   share/metainfo/                       what software centres show (AppStream)
#   share/man/man1/                       kestra(1), kestra-cli(1)
#   share/doc/kestra/                     copyright, changelog, the pictures of the user guide
# The programs find share/kestra from their own folder, so any prefix works.
# SPDX-License-Identifier: GPL-3.0-or-later

# A cache entry of its own, so a build tree configured with an earlier default takes this one.
set(KESTRA_MAINTAINER "Kestra 2006 maintainers <maintainers@kestra2006.org>" CACHE STRING
    "Maintainer of the Debian package, in its changelog too")
set(KESTRA_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/kestra)

if(TARGET kestra)
  install(TARGETS kestra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS kestra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${KESTRA_RENDERER_NAME} RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/kestra)

install(FILES ${CMAKE_BINARY_DIR}/bin/DB/KESTRA73.MDB DESTINATION ${KESTRA_DATA_DESTINATION}/DB)
install(FILES ${KESTRA_HELP_FILES} DESTINATION ${KESTRA_DATA_DESTINATION})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/selftest/ DESTINATION ${KESTRA_DATA_DESTINATION}/selftest)
install(FILES ${CMAKE_SOURCE_DIR}/data/tabf_seed.sql DESTINATION ${KESTRA_DATA_DESTINATION}/selftest)

install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/kestra.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/kestra.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/kestra.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/org.kestra2006.kestra.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
file(GLOB KESTRA_MIME_ICONS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/icons/mime/*.svg)
install(FILES ${KESTRA_MIME_ICONS} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)

include(cmake/manual.cmake)
include(cmake/guide_pictures.cmake)

# The tree as the package ships it, checked from a scratch prefix (needs everything built).
add_test(NAME InstalledTree COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-install ${CMAKE_BINARY_DIR})

# --- Debian package (scripts/package): dependencies from dpkg-shlibdeps, installed under /usr --------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestra)
set(CPACK_PACKAGE_VENDOR "Kestra 2006")
set(CPACK_PACKAGE_VERSION ${KESTRA_PACKAGE_VERSION})
set(CPACK_DEBIAN_PACKAGE_VERSION ${KESTRA_PACKAGE_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "validation of analytical methods along ICH Q2")
# CPack puts the summary first; lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION "Kestra 2006 is a desktop workbench for the validation of analytical
(chemical) methods along the ICH Q2 guideline: detection and quantitation
limits, repeatability, calibration, accuracy, specificity, intermediate
precision and reproducibility studies, with charts, conclusions and reports in
Italian and English, and a self-test of the installed copy against reference
data.

kestra-cli computes studies and writes reports and charts without a window.")
set(CPACK_PACKAGE_CONTACT "${KESTRA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTRA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Italian texts of Qt's own dialogs, a font,
# the opener of the PDF documents.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core, xdg-utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
