// Creates the study document of a kind: the one place that knows every study class.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "framework/study.h"

namespace kestra {

std::unique_ptr<Study> CreateStudy(StudyKindId kind);

}  // namespace kestra
