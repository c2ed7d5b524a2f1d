// The start-up configuration: data folder, configuration file, private database copy, study and backup
// folders.
#pragma once

#include <string>

#include "app/app_settings.h"
#include "app/data_folders.h"
#include "reporting/report_database_check.h"

namespace kestra {

struct StartupPaths {
    std::string documentsFolder;  // the user's documents folder
    std::string programFolder;    // the program's data: DB/KESTRA73.MDB and the help documents
    // The desktop's own documents folder is created when missing, as the desktop's user-folders tool would
    // (a new account may have none); a folder named by the user must already be there.
    bool createDocumentsFolder = false;
};

struct StartupResult {
    bool ok = false;
    AppSettings settings;
    // The user's report database as found; a damaged one is not reported through show (the program offers
    // to replace it, kestra-cli says why it cannot print).
    DatabaseCheck database;
};

// Runs the whole preparation, showing its messages through show. A failure (no usable data folder, no
// configuration file, no database copy, an unreadable key) returns ok false: the program must end.
// Missing study or backup folders that cannot be made are reported and do not fail the start.
StartupResult RunStartupConfiguration(const StartupPaths& paths, const MessageSink& show);

// Writes the five default lines, replacing any file; reports faults as routine "CreaIni".
bool CreaIni(const std::string& iniPath, const MessageSink& show);

// The five lines of a new configuration file.
constexpr const char* kDefaultIniText = "[Percorsi]\nOpenSave=0\nBackup=0\n[Parametri]\nBkAutoSave=0\n";

}  // namespace kestra
