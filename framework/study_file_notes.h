// What a study file held that was not read as written: the places, and the one warning that lists them.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestra {

// One place: the physical line of the file and what was found there, e.g. `"0,412" letto come 0`.
struct ReadingNote {
    int line = 0;
    std::string text;
    int times = 1;  // the same place noted again and again (a line of empty fields)
};

// The places of one reading. Only the first ones are kept (a malformed file may have millions); total
// counts them all. The same note again on the same line is counted on the note before.
struct ReadingNotes {
    static constexpr std::size_t kMaxKept = 100;
    std::vector<ReadingNote> kept;
    std::size_t total = 0;
    bool lastKept = false;

    bool empty() const { return total == 0; }
    void add(int line, std::string text);
};

// The warning shown after a file was opened: "Alcuni valori del file non sono stati letti come scritti:",
// then one line per place (at most 10) and "... e altri N"; empty when every value was read as written.
std::string ReadingWarningText(const ReadingNotes& notes);

}  // namespace kestra
