#include "cli/json_output.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace kestra::cli {
namespace {

// What the command printed before it wrote its JSON itself: the library's document, pretty printed.
std::string libraryJson(const std::string& kind, const ReportRecords& records,
                        const std::vector<std::string>& messages)
{
    const auto object = [](const ReportRecord& record) {
        nlohmann::ordered_json o = nlohmann::ordered_json::object();
        for (const auto& [name, value] : record.fields())
            std::visit([&, n = name](const auto& v) { o[n] = v; }, value);
        return o;
    };
    nlohmann::ordered_json doc;
    doc["kind"] = kind;
    doc["header"] = object(records.header);
    doc["details"] = nlohmann::ordered_json::array();
    for (const auto& d : records.details) doc["details"].push_back(object(d));
    doc["messages"] = nlohmann::ordered_json::array();
    for (const auto& m : messages) doc["messages"].push_back(m);
    return doc.dump(2) + "\n";
}

TEST(ComputeJson, WritesWhatTheJsonLibraryWrote)
{
    ReportRecords records;
    records.header.set("ID", std::int64_t{1});
    records.header.set("METODO", std::string("HPLC \"rapido\", a\\b"));
    records.header.set("UM", std::string("µg/l – °C"));
    records.header.set("CONCLUSIONI", std::string("riga 1\r\nriga 2\ttab\b\f\x01\x1f\x7f"));
    records.header.set("NEG", std::int64_t{-9223372036854775807 - 1});
    records.header.set("REALE", 0.1);
    records.header.set("GRANDE", 1.5e300);
    records.header.set("INTERO", 3.0);
    records.header.set("PICCOLO", -2.5e-7);
    for (int i = 0; i < 3; ++i) {
        ReportRecord row;
        row.set("NDATI", std::int64_t{i});
        row.set("COLA", std::to_string(i) + ",5");
        records.details.push_back(row);
    }
    records.details.emplace_back();  // an empty row
    const std::vector<std::string> messages = {"Attenzione: \"dati\"", "seconda"};
    EXPECT_EQ(ComputeJson("PRIN", records, messages), libraryJson("PRIN", records, messages));

    const ReportRecords empty;
    EXPECT_EQ(ComputeJson("LIMI", empty, {}), libraryJson("LIMI", empty, {}));
}

TEST(ComputeJson, BytesThatAreNotUtf8BecomeTheReplacementCharacter)
{
    std::string out;
    AppendJsonString(out, "a\xE9z");  // a Windows-1252 é
    EXPECT_EQ(out, "\"a\xEF\xBF\xBDz\"");
    out.clear();
    AppendJsonString(out,
                     "\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xE2\x82");  // overlong, surrogate, too big, cut
    EXPECT_EQ(out,
              "\"\xEF\xBF\xBD\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD|"
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD\"");
    out.clear();
    AppendJsonString(out, "\xF0\x9F\x98\x80 \xE2\x82\xAC \xC3\xA8");  // valid 4, 3 and 2 byte forms stay
    EXPECT_EQ(out, "\"\xF0\x9F\x98\x80 \xE2\x82\xAC \xC3\xA8\"");
    EXPECT_EQ(nlohmann::json::parse(out).get<std::string>(), "\xF0\x9F\x98\x80 \xE2\x82\xAC \xC3\xA8");
}

}  // namespace
}  // namespace kestra::cli
