// Opens the user's audit trail at start-up and makes it the one every save records into.
#pragma once

#include "app/app_settings.h"
#include "app/data_folders.h"

namespace kestra {

// <data folder>/Audit/audit.db; the signature password's files sit beside it.
std::string AuditTrailPath(const AppSettings& settings);

// Opens <data folder>/Audit/audit.db and sets it as the process's trail. When it cannot be opened the fault
// is shown and a trail that refuses every entry is set instead, so saves fail with that reason rather than
// go unrecorded. Returns whether the trail opened.
bool InstallUserAuditTrail(const AppSettings& settings, const MessageSink& show);

}  // namespace kestra
