#include "cli/json_output.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace kestra::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string dump(const Json& value, int indent)
{
    return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

Json recordJson(const ReportRecord& record)
{
    Json object = Json::object();
    for (const auto& [name, value] : record.fields())
        std::visit([&object, &name](const auto& v) { object[name] = v; }, value);
    return object;
}

// The library writes a double in a form of its own (2.0, 0.0001); the extended values have always had the
// shortest form that reads back as the same double (2, 1e-04), which scripts reading them may compare.
std::string shortestNumber(double value)
{
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// The "extended" object laid out as the library lays out the rest, one level down.
std::string extendedJson(const ExtendedStatistics& extended)
{
    if (!extended.available) return "null";
    if (extended.values.empty()) return "{}";
    std::string out = "{";
    for (std::size_t i = 0; i < extended.values.size(); ++i) {
        const ExtendedValue& v = extended.values[i];
        out += i == 0 ? "\n    " : ",\n    ";
        out += dump(Json(v.key), -1) + ": ";
        if (v.type != ExtendedValue::Type::Array) {
            out += v.number ? shortestNumber(*v.number) : "null";
        } else if (v.numbers.empty()) {
            out += "[]";
        } else {
            out += '[';
            for (std::size_t k = 0; k < v.numbers.size(); ++k)
                out += (k == 0 ? "\n      " : ",\n      ") + shortestNumber(v.numbers[k]);
            out += "\n    ]";
        }
    }
    return out + "\n  }";
}

}  // namespace

std::string ComputeJson(const std::string& kind, const ReportRecords& records,
                        const std::vector<std::string>& messages,
                        const std::optional<ExtendedStatistics>& extended)
{
    Json doc = Json::object();
    doc["kind"] = kind;
    doc["header"] = recordJson(records.header);
    Json details = Json::array();
    for (const ReportRecord& record : records.details) details.push_back(recordJson(record));
    doc["details"] = std::move(details);
    doc["messages"] = messages;
    std::string out = dump(doc, 2);
    if (extended) {
        // the document ends in "\n}": the extended object goes in before that brace
        out.resize(out.size() - 2);
        out += ",\n  \"extended\": " + extendedJson(*extended) + "\n}";
    }
    out += '\n';
    return out;
}

}  // namespace kestra::cli
