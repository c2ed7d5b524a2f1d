// What a user types or pastes into a number cell of a grid, read the same way on every system.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/number_pattern.h"

namespace kestra {

// No grid groups digits, so a "," or a "." in a number is its decimal separator whatever the user's
// setting (the numeric keypad's key works on any system). Blanks around the number are allowed.
// Returns nullopt for a text that is not a plain number; the sign and an exponent are read as written.
std::optional<double> ParseGridNumber(std::string_view text);

// A text typed into a cell, checked against the cell's format when it is confirmed.
struct TypedEntry {
    enum class Status { Empty, Number, Refused };
    Status status = Status::Empty;
    double value = 0;
};

// Empty text empties the cell. A number is taken only as typed: digits with at most one separator, no sign,
// no more integer digits than the format (leading zeros do not count) and no more decimals (trailing zeros
// do not count). Anything else is refused, never shortened or rounded.
TypedEntry ReadTypedEntry(std::string_view text, const NumberFormat& format);

// "Valore non valido: inserire un numero da 0,000 a 999,999" (the user's separator).
std::string InvalidEntryMessage(const NumberFormat& format, char separator);

}  // namespace kestra
