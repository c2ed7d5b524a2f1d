#include "reporting/report_settings.h"

#include "app/app_settings.h"

namespace kestra {

namespace {

struct Settings {
    std::filesystem::path database;
    std::optional<std::string> logo;
    Language language = Language::Italian;
    bool printDate = false;
};

Settings& settings()
{
    static Settings s;
    return s;
}

}  // namespace

void SetReportDatabasePath(std::filesystem::path path)
{
    settings().database = std::move(path);
}

const std::filesystem::path& ReportDatabasePath()
{
    // The start-up configuration keeps the user's database in the application settings.
    static thread_local std::filesystem::path fromStartup;
    if (!settings().database.empty()) return settings().database;
    fromStartup = CurrentAppSettings().databasePath;
    return fromStartup;
}

void SetReportLogoPath(std::string path)
{
    AppSettings app = CurrentAppSettings();
    app.logoPath = path;
    SetCurrentAppSettings(std::move(app));
    settings().logo = std::move(path);
}

std::optional<std::string> ReportLogoPath()
{
    if (settings().logo) return settings().logo;
    // The start-up read LOGOTXT along with the database path; before any start-up there is no process value.
    if (!CurrentAppSettings().databasePath.empty()) return CurrentAppSettings().logoPath;
    return std::nullopt;
}

Language OutputLanguage()
{
    return settings().language;
}

void SetOutputLanguage(Language language)
{
    settings().language = language;
}

bool PrintDateFlag()
{
    return settings().printDate;
}

void SetPrintDateFlag(bool printDate)
{
    settings().printDate = printDate;
}

}  // namespace kestra
