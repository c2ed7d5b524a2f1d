// Creates the window of a study kind: the one place that knows every study window class (above the
// framework, which asks for windows through its host).
#pragma once

#include <memory>

#include "framework/study_kind.h"

class QWidget;

namespace kestra {

class StudyWindow;
class StudyWindowHost;

// nullptr for a kind whose window is not built yet.
std::unique_ptr<StudyWindow> CreateStudyWindow(StudyKindId kind, StudyWindowHost& host,
                                               QWidget* parent = nullptr);
// Whether CreateStudyWindow can build the kind's window (menus of the other kinds are disabled otherwise).
bool HasStudyWindow(StudyKindId kind);

}  // namespace kestra
