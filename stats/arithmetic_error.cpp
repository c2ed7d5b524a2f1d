// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/arithmetic_error.h"

#include <limits>

#include "text/messages.h"

namespace kestra {

ArithmeticError ArithmeticError::divisionByZero(const std::string& detail)
{
    return {Kind::DivisionByZero, Msg("Divisione per zero: %1", {Msg(detail)})};
}

ArithmeticError ArithmeticError::overflow(const std::string& detail)
{
    return {Kind::Overflow, Msg("Overflow numerico: %1", {Msg(detail)})};
}

ArithmeticError ArithmeticError::invalidArgument(const std::string& detail)
{
    return {Kind::InvalidArgument, Msg("Argomento non valido: %1", {Msg(detail)})};
}

std::int16_t checkedInt16(long long value, const std::string& what)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw ArithmeticError::overflow(
            Msg("valore fuori dall'intervallo degli interi a 16 bit (da -32768 a 32767) per %1: %2.",
                {Msg(what), std::to_string(value)}));
    return static_cast<std::int16_t>(value);
}

}  // namespace kestra
