// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/services.h"

#include <stdexcept>

#include "stats/f_table_lookup.h"
#include "text/messages.h"

namespace kestra {

namespace {
std::shared_ptr<const FTableLookup> g_fTable;
}

void SetFTableLookup(std::shared_ptr<const FTableLookup> lookup)
{
    g_fTable = std::move(lookup);
}

std::shared_ptr<const FTableLookup> CurrentFTableLookup()
{
    return g_fTable;
}

const FTableLookup& CurrentFTable()
{
    if (!g_fTable) throw std::runtime_error(Msg("Tabella dei valori critici di F non disponibile"));

    return *g_fTable;
}

}  // namespace kestra
