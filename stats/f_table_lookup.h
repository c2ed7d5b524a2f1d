// The table of F critical values at P = 0.05, as the statistics routines see it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace kestra {

// Source of the tabulated upper 5 % points of F for small numerator degrees of freedom.
// The report database provides the real one; tests provide their own.
class FTableLookup {
public:
    virtual ~FTableLookup();
    // The value of the first row with these degrees of freedom, or nothing when the table has none.
    virtual std::optional<double> find(int gdl1, int gdl2) const = 0;
};

}  // namespace kestra
