// The settings the start-up fixes for the whole run: data folders, database path, backup flag, logo path.
#pragma once

#include <string>

namespace kestra {

struct AppSettings {
    std::string baseFolder;            // documents folder + "Kestra2006/"
    std::string iniPath;               // base + "KesSet.ini"
    std::string databasePath;          // base + "DB/KESTRA73.MDB", the user's own ReportDatabase
    std::string templateDatabasePath;  // program folder + "DB/KESTRA73.MDB", the template it is copied from
    std::string openSaveFolder;        // study files; ends with "/"
    std::string backupFolder;          // ends with "/"
    std::string bkAutoSave;            // the text read under "BkAutoSave"
    std::string logoPath;              // LOGOTXT of Anagrafica, "" for none

    bool autoBackup() const { return AutoBackupOn(bkAutoSave); }
    // "1" (any non-zero number) or a true word turns the automatic backup on; anything else leaves it off.
    static bool AutoBackupOn(const std::string& text);
};

// The settings of this run; the options dialog replaces the folders and the backup flag.
const AppSettings& CurrentAppSettings();
void SetCurrentAppSettings(AppSettings settings);

constexpr const char* kDataFolderName = "Kestra2006/";
constexpr const char* kIniFileName = "KesSet.ini";
constexpr const char* kDatabaseFolderName = "DB/";
constexpr const char* kDatabaseFileName = "KESTRA73.MDB";

// Texts and documents the shell shares with the study windows.
constexpr const char* kStatusGridText = "Griglia per l'inserimento dei dati";
constexpr const char* kStatusResultsText = "Mostra i risultati dell'elaborazione";
constexpr const char* kStatusConclusionsText = "Mostra il testo delle conclusioni";
constexpr const char* kMissingViewerMessage =
    "Devi avere installato Acrobat Reader per visualizzare questo documento";
constexpr const char* kGuidelineDocument = "Ich/Q2.pdf";                        // under the program folder
constexpr const char* kReferenceBook = "Libro/r.brenzi_metodi_statistici.pdf";  // under the program folder
constexpr int kLogoMaxHeightTwips = 1425;
constexpr int kLogoMaxWidthTwips = 5700;

}  // namespace kestra
