// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study_file_notes.h"

#include <algorithm>

#include "text/messages.h"

namespace kestra {

namespace {
constexpr std::size_t kShownPlaces = 10;
}

void ReadingNotes::add(int line, std::string text)
{
    if (lastKept && kept.back().line == line && kept.back().text == text) {
        ++kept.back().times;
        return;
    }
    ++total;
    lastKept = kept.size() < kMaxKept;
    if (lastKept) kept.push_back({line, std::move(text), 1});
}

std::string ReadingWarningText(const ReadingNotes& notes)
{
    if (notes.empty()) return {};
    // a reader may note a place after the lines that follow it (a count checked later): list by line
    std::vector<ReadingNote> places = notes.kept;
    std::stable_sort(places.begin(), places.end(),
                     [](const ReadingNote& a, const ReadingNote& b) { return a.line < b.line; });
    std::string text = Msg("Alcuni valori del file non sono stati letti come scritti:");
    const std::size_t shown = std::min(places.size(), kShownPlaces);
    for (std::size_t i = 0; i < shown; ++i) {
        text += "\n" + Msg("riga %1: %2", {std::to_string(places[i].line), places[i].text});
        if (places[i].times > 1) text += " " + Msg("(%1 volte)", {std::to_string(places[i].times)});
    }
    if (notes.total > shown) text += "\n" + Msg("... e altri %1", {std::to_string(notes.total - shown)});

    return text;
}

}  // namespace kestra
