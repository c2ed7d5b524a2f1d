# The pictures of the user guide (the help, F1), made at build time by the widget tests' picture run
# (UserGuidePictures in tests/app/ui/user_guide_pictures_test.cpp), so they always show the program as built:
# bin/immagini/<language>/*.png beside the help in the build tree, share/doc/kestra/immagini/ installed,
# where the help window finds them. One run per language of KESTRA_GUIDE_LANGUAGES.
# SPDX-License-Identifier: GPL-3.0-or-later

# Both languages always: the Italian and the English help each name their own pictures, and a build folder
# configured before the English help existed must not keep a cached "it" alone.
set(KESTRA_GUIDE_LANGUAGES it en)
set(KESTRA_GUIDE_PICTURES_DIR ${CMAKE_BINARY_DIR}/bin/immagini)

if(TARGET kestra_gui_tests)
  set(stamps)
  foreach(language ${KESTRA_GUIDE_LANGUAGES})
    set(stamp ${KESTRA_GUIDE_PICTURES_DIR}/${language}.made)
    add_custom_command(
      OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${KESTRA_GUIDE_PICTURES_DIR}/${language} ${stamp}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen KESTRA_SCREENSHOTS=${KESTRA_GUIDE_PICTURES_DIR}
              KESTRA_SCREENSHOTS_LANGUAGE=${language}
              $<TARGET_FILE:kestra_gui_tests> --gtest_filter=UserGuidePictures.* --gtest_brief=1
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS kestra_gui_tests ${KESTRA_HELP_FILES} ${KESTRA_SELFTEST_OUTPUTS}
      COMMENT "Pictures of the user guide (${language})"
      VERBATIM)
    list(APPEND stamps ${stamp})
  endforeach()
  add_custom_target(guide_pictures ALL DEPENDS ${stamps})
  install(DIRECTORY ${KESTRA_GUIDE_PICTURES_DIR}/ DESTINATION ${KESTRA_DOC_DESTINATION}/immagini
          FILES_MATCHING PATTERN "*.png")
endif()
