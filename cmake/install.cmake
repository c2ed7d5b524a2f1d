# The installed tree and the Debian package:
#   bin/kestra, bin/kestra-cli            the two programs
#   libexec/kestra/kestra-cli-render      the drawing half of kestra-cli, started by it
#   share/kestra/                         template report database (DB/KESTRA73.MDB), help documents and
#                                         the self-test's reference set (selftest/)
#   share/applications/kestra.desktop     the desktop menu entry, opening study files
#   share/mime/packages/kestra.xml        the seven kinds of study file
#   share/icons/hicolor/scalable/         the program's icon and one per kind of study file
# The programs find share/kestra from their own folder, so any prefix works.

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
file(GLOB KESTRA_MIME_ICONS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/icons/mime/*.svg)
install(FILES ${KESTRA_MIME_ICONS} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)

# The tree as the package ships it, checked from a scratch prefix (needs everything built).
add_test(NAME InstalledTree COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-install ${CMAKE_BINARY_DIR})

# --- Debian package (scripts/package): dependencies from dpkg-shlibdeps, installed under /usr --------------
set(KESTRA_PACKAGE_MAINTAINER "Kestra 2006 <kestra2006@localhost>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestra)
set(CPACK_PACKAGE_VENDOR "Kestra 2006")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Convalida dei metodi analitici secondo ICH Q2 (Kestra 2006)")
set(CPACK_PACKAGE_DESCRIPTION "Desktop workbench for the validation of analytical (chemical) methods along \
the ICH Q2 guideline: detection and quantitation limits, repeatability, calibration, accuracy, specificity, \
intermediate precision and reproducibility studies, with reports in Italian and English. \
kestra-cli computes studies and writes reports without a window.")
set(CPACK_PACKAGE_CONTACT "${KESTRA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTRA_PACKAGE_MAINTAINER}")
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
