// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_settings.h"

#include <charconv>

#include "text/text_helpers.h"

namespace kestra {

namespace {
AppSettings& settings()
{
    static AppSettings s;
    return s;
}
}  // namespace

bool AppSettings::AutoBackupOn(const std::string& text)
{
    const std::string t = Trim(text);
    if (EqualsIgnoreCase(t, "true") || EqualsIgnoreCase(t, "vero")) return true;
    double value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    return ec == std::errc() && end == t.data() + t.size() && value != 0;
}

const AppSettings& CurrentAppSettings()
{
    return settings();
}

void SetCurrentAppSettings(AppSettings s)
{
    settings() = std::move(s);
}

}  // namespace kestra
