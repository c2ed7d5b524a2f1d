// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study_kind.h"

#include <array>

#include "text/text_helpers.h"

namespace kestra {

namespace {
constexpr std::array<StudyKind, 7> kKinds = {{
    {StudyKindId::Limi, "Limi", "LIMI", "Limiti - ", "LIM", "Limiti (*.LIM)", "Limi", "Limiti", "CalcLimi", 3, 3},
    {StudyKindId::Prec, "Prec", "PREC", "Ripetibilità - ", "PRE", "Precisione (*.PRE)", "Ripe", "Precisione",
     "CalcPrec", 3, 3},
    {StudyKindId::Tara, "Tara", "TARA", "Taratura - ", "TAR", "Taratura (*.TAR)", "Tara", "Taratura", "CalcRegr", 7,
     3},
    {StudyKindId::Accu, "Accu", "ACCU", "Accuratezza - ", "ACC", "Accuratezza (*.ACC)", "Accu", "Accuratezza",
     "CalcAccu", 7, 3},
    {StudyKindId::Spec, "Spec", "SPEC", "Specificità - ", "SPC", "Specificità (*.SPC)", "Spec", "Specificità",
     "CalcSpec", 6, 3},
    {StudyKindId::Prin, "Prin", "PRIN", "Precisione intermedia - ", "PRI", "Precisione intermedia (*.PRI)", "Prin",
     "Precisione intermedia", "CalcPrin", 7, 3},
    {StudyKindId::Ripr, "Ripr", "RIPR", "Riproducibilità - ", "RIP", "Riproducibilità (*.RIP)", "Ripr",
     "Riproducibilità", "CalcRipr", 7, 3},
}};
}  // namespace

std::span<const StudyKind> AllStudyKinds()
{
    return kKinds;
}

const StudyKind& KindInfo(StudyKindId id)
{
    return kKinds[static_cast<std::size_t>(id)];
}

std::optional<StudyKindId> KindFromExtension(std::string_view extension)
{
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    for (const auto& k : kKinds)
        if (EqualsIgnoreCase(extension, k.extension)) return k.id;
    return std::nullopt;
}

std::optional<StudyKindId> KindFromCode(std::string_view code)
{
    for (const auto& k : kKinds)
        if (EqualsIgnoreCase(code, k.kindCode)) return k.id;
    return std::nullopt;
}

std::string FileFilter(StudyKindId id)
{
    const StudyKind& k = KindInfo(id);
    return std::string(k.filterName) + "|*." + k.extension;
}

}  // namespace kestra
