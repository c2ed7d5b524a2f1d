#include "reporting/report_settings.h"

namespace kestra {

namespace {

struct Settings {
    std::filesystem::path database;
    std::filesystem::path templateDatabase;
    std::optional<std::string> logo;
    Language language = Language::Italian;
    bool printDate = false;
    bool extendedAppendix = false;
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
    return settings().database;
}

void SetTemplateDatabasePath(std::filesystem::path path)
{
    settings().templateDatabase = std::move(path);
}

const std::filesystem::path& TemplateDatabasePath()
{
    return settings().templateDatabase;
}

void SetReportLogoPath(std::string path)
{
    settings().logo = std::move(path);
}

std::optional<std::string> ReportLogoPath()
{
    return settings().logo;
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

bool ExtendedAppendixFlag()
{
    return settings().extendedAppendix;
}

void SetExtendedAppendixFlag(bool appendix)
{
    settings().extendedAppendix = appendix;
}

}  // namespace kestra
