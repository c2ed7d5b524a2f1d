// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <ostream>

#include "app/app_settings.h"
#include "app/user_folders.h"
#include "audit/audit_export.h"
#include "audit/audit_trail.h"
#include "audit/sqlite_audit_store.h"
#include "cli/cli_commands.h"
#include "text/messages.h"

namespace kestra::cli {

std::filesystem::path UserAuditTrailPath()
{
    const StartupPaths paths = SystemStartupPaths();
    return std::filesystem::path(WithTrailingSlash(paths.documentsFolder)) / kDataFolderName /
           kAuditFolderName / kAuditFileName;
}

int RunAudit(const AuditOptions& options, std::ostream& out, std::ostream& err)
{
    for (const std::string* date : {&options.from, &options.to}) {
        if (!date->empty() && !IsTrailDate(*date)) {
            err << "kestra-cli audit: " << Msg("data non valida \"%1\" (usare AAAA-MM-GG)", {*date}) << "\n";
            return 2;
        }
    }
    const std::filesystem::path path = options.trail.empty() ? UserAuditTrailPath() : options.trail;
    try {
        // reading never creates the trail: a missing one is a fault, not an empty record
        const SqliteAuditStore store(path, SqliteAuditStore::Mode::ReadOnly);
        if (options.verify) {
            const ChainCheck check = store.verify();
            (check.ok ? out : err) << ChainCheckText(check) << "\n";
            return check.ok ? 0 : 1;
        }
        AuditFilter filter;
        filter.file = options.file.empty() ? std::string() : TrailPath(options.file);
        filter.fromDate = options.from;
        filter.toDate = options.to;
        const std::vector<AuditEntry> entries = store.entries(filter);
        out << (options.json ? AuditJson(entries) : options.csv ? AuditCsv(entries) : AuditText(entries));
    } catch (const AuditError& e) {
        err << "kestra-cli audit: " << e.what() << "\n";
        return 2;
    }
    return 0;
}

}  // namespace kestra::cli
