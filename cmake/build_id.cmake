# Writes OUTPUT with the git commit of SOURCE_DIR ("" outside a git checkout, "-dirty" when files differ
# from it), rewriting it only when it changes so an unchanged commit rebuilds nothing.
# SPDX-License-Identifier: GPL-3.0-or-later
execute_process(COMMAND git -C "${SOURCE_DIR}" rev-parse --short=12 HEAD
                OUTPUT_VARIABLE build_id OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  set(build_id "")
else()
  execute_process(COMMAND git -C "${SOURCE_DIR}" status --porcelain --untracked-files=no
                  OUTPUT_VARIABLE changes OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(changes)
    set(build_id "${build_id}-dirty")
  endif()
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated at build time.\n#pragma once\n#define KESTRA_BUILD_ID \"${build_id}\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.tmp" "${OUTPUT}")
file(REMOVE "${OUTPUT}.tmp")
