#include "cli/json_output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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
    const auto written = [](const std::string& text) {
        ReportRecords records;
        records.header.set("T", text);
        const std::string json = ComputeJson("LIMI", records, {});
        // what a reader takes from the document, and the bytes of the document itself
        const std::size_t at = json.find("\"T\": ") + 5;
        return std::pair{nlohmann::json::parse(json)["header"]["T"].get<std::string>(),
                         json.substr(at, json.find('\n', at) - at)};
    };
    const std::string r = "\xEF\xBF\xBD";
    const struct {
        std::string text, read;
    } cases[] = {
        {"a\xE9z", "a" + r + "z"},            // a Windows-1252 e acute
        {"\xC0\xAF", r + r},                  // an overlong form
        {"\xED\xA0\x80", r + r + r},          // a surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},  // beyond U+10FFFF
        // a sequence cut short is one replacement (the maximal subpart), before a character and at the end
        {"\xE2\x82|\xE2\x82", r + "|" + r},
        {"\xF0\x9F\x98\x80 \xE2\x82\xAC \xC3\xA8",
         "\xF0\x9F\x98\x80 \xE2\x82\xAC \xC3\xA8"},  // valid forms stay
    };
    for (const auto& c : cases) {
        const auto [read, bytes] = written(c.text);
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(bytes, "\"" + c.read + "\"");
    }
}

TEST(ComputeJson, ExtendedValuesKeepTheirShortestForm)
{
    ExtendedStatistics extended;
    extended.available = true;
    const auto number = [](const char* key, std::optional<double> v) {
        ExtendedValue value;
        value.key = key;
        value.number = v;
        return value;
    };
    extended.values = {number("due", 2.0),
                       number("piccolo", 1e-4),
                       number("grande", 1e15),
                       number("decimo", 0.1),
                       number("vuoto", std::nullopt),
                       number("infinito", std::numeric_limits<double>::infinity())};
    ExtendedValue list;
    list.key = "r\"esidui";
    list.type = ExtendedValue::Type::Array;
    list.numbers = {-2.5e-7, 3.0, std::nan("")};
    extended.values.push_back(list);
    ExtendedValue none;
    none.key = "nessuno";
    none.type = ExtendedValue::Type::Array;
    extended.values.push_back(none);

    EXPECT_EQ(ComputeJson("TARA", {}, {"m"}, extended),
              "{\n"
              "  \"kind\": \"TARA\",\n"
              "  \"header\": {},\n"
              "  \"details\": [],\n"
              "  \"messages\": [\n"
              "    \"m\"\n"
              "  ],\n"
              "  \"extended\": {\n"
              "    \"due\": 2,\n"
              "    \"piccolo\": 1e-04,\n"
              "    \"grande\": 1e+15,\n"
              "    \"decimo\": 0.1,\n"
              "    \"vuoto\": null,\n"
              "    \"infinito\": null,\n"
              "    \"r\\\"esidui\": [\n"
              "      -2.5e-07,\n"
              "      3,\n"
              "      null\n"
              "    ],\n"
              "    \"nessuno\": []\n"
              "  }\n"
              "}\n");
    ExtendedStatistics empty;
    empty.available = true;
    EXPECT_NE(ComputeJson("LIMI", {}, {}, empty).find("\"extended\": {}\n}\n"), std::string::npos);
    EXPECT_NE(ComputeJson("LIMI", {}, {}, ExtendedStatistics{}).find("\"extended\": null\n}\n"),
              std::string::npos);
}

}  // namespace
}  // namespace kestra::cli
