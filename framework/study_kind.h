// The seven study kinds and their fixed attributes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kestra {

enum class StudyKindId { Limi, Prec, Tara, Accu, Spec, Prin, Ripr };

struct StudyKind {
    StudyKindId id;
    const char* windowName;   // "Limi"
    const char* kindCode;     // "LIMI"
    const char* titlePrefix;  // "Limiti - "
    const char* extension;    // "LIM"
    const char* filterName;   // "Limiti (*.LIM)"
    const char* panelKey;     // "Limi"
    const char* methodName;   // method-description name, "Limiti"
    const char* calculation;  // "CalcLimi"
    int defaultIntegers;
    int defaultDecimals;
};

std::span<const StudyKind> AllStudyKinds();
const StudyKind& KindInfo(StudyKindId id);
// The kind whose extension matches, in any letter case ("x.lim", "X.LIM").
std::optional<StudyKindId> KindFromExtension(std::string_view extension);
std::optional<StudyKindId> KindFromCode(std::string_view code);
// The file filter as "description|pattern", e.g. "Limiti (*.LIM)|*.LIM".
std::string FileFilter(StudyKindId id);

constexpr const char* kProgramBanner = "Kestra for Windows";
constexpr const char* kApplicationTitle = "Kestra 2006";

}  // namespace kestra
