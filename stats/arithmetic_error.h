// Typed arithmetic faults of the calculations: division by zero, 16-bit overflow, invalid argument.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace kestra {

// Raised where the arithmetic of a calculation has no meaningful result. what() is an Italian
// sentence the calculation shows to the user as it stands.
struct ArithmeticError : std::runtime_error {
    enum class Kind { DivisionByZero, Overflow, InvalidArgument };

    ArithmeticError(Kind kind, const std::string& message) : std::runtime_error(message), kind(kind) {}

    static ArithmeticError divisionByZero(const std::string& detail);
    static ArithmeticError overflow(const std::string& detail);
    static ArithmeticError invalidArgument(const std::string& detail);

    Kind kind;
};

// Counts and degrees of freedom are 16-bit signed integers; a value outside that range is an
// overflow. `what` names the quantity in the message (e.g. "i gradi di libertà").
std::int16_t checkedInt16(long long value, const std::string& what);

}  // namespace kestra
