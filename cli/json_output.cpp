#include "cli/json_output.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace kestra::cli {

namespace {

// Length of the well-formed UTF-8 sequence at text[i] (RFC 3629: no overlong forms, no surrogates, nothing
// beyond U+10FFFF), 0 when the bytes there are not one.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0) low = 0xA0;
        if (b0 == 0xED) high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0) low = 0x90;
        if (b0 == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

void indent(std::string& out, int level)
{
    out.append(static_cast<std::size_t>(level) * 2, ' ');
}

void appendValue(std::string& out, const FieldValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) {
        AppendJsonString(out, *text);
    } else if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, *integer).ptr;
        out.append(buffer, end);
    } else {
        // Reals are rare in the records; the library writes them in its own shortest form.
        out += nlohmann::json(std::get<double>(value)).dump();
    }
}

void appendRecord(std::string& out, const ReportRecord& record, int level)
{
    if (record.empty()) {
        out += "{}";
        return;
    }
    out += "{\n";
    bool first = true;
    for (const auto& [name, value] : record.fields()) {
        if (!first) out += ",\n";
        first = false;
        indent(out, level + 1);
        AppendJsonString(out, name);
        out += ": ";
        appendValue(out, value);
    }
    out += '\n';
    indent(out, level);
    out += '}';
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            if (const std::size_t n = utf8SequenceLength(text, i)) {
                out.append(text.substr(i, n));
                i += n;
            } else {
                out += "\xEF\xBF\xBD";
                ++i;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += static_cast<char>(c);
                }
        }
        ++i;
    }
    out += '"';
}

void AppendJsonNumber(std::string& out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

namespace {

void appendExtended(std::string& out, const ExtendedStatistics& extended)
{
    if (!extended.available) {
        out += "null";
        return;
    }
    if (extended.values.empty()) {
        out += "{}";
        return;
    }
    out += "{\n";
    for (std::size_t i = 0; i < extended.values.size(); ++i) {
        const ExtendedValue& v = extended.values[i];
        if (i > 0) out += ",\n";
        indent(out, 2);
        AppendJsonString(out, v.key);
        out += ": ";
        if (v.type == ExtendedValue::Type::Array) {
            if (v.numbers.empty()) {
                out += "[]";
                continue;
            }
            out += "[\n";
            for (std::size_t k = 0; k < v.numbers.size(); ++k) {
                if (k > 0) out += ",\n";
                indent(out, 3);
                AppendJsonNumber(out, v.numbers[k]);
            }
            out += '\n';
            indent(out, 2);
            out += ']';
        } else if (v.number) {
            AppendJsonNumber(out, *v.number);
        } else {
            out += "null";
        }
    }
    out += "\n  }";
}

}  // namespace

std::string ComputeJson(const std::string& kind, const ReportRecords& records,
                        const std::vector<std::string>& messages,
                        const std::optional<ExtendedStatistics>& extended)
{
    std::string out;
    out.reserve(4096 + records.details.size() * 256);
    out += "{\n  \"kind\": ";
    AppendJsonString(out, kind);
    out += ",\n  \"header\": ";
    appendRecord(out, records.header, 1);
    out += ",\n  \"details\": ";
    if (records.details.empty()) {
        out += "[]";
    } else {
        out += "[\n";
        for (std::size_t i = 0; i < records.details.size(); ++i) {
            if (i > 0) out += ",\n";
            indent(out, 2);
            appendRecord(out, records.details[i], 2);
        }
        out += "\n  ]";
    }
    out += ",\n  \"messages\": ";
    if (messages.empty()) {
        out += "[]";
    } else {
        out += "[\n";
        for (std::size_t i = 0; i < messages.size(); ++i) {
            if (i > 0) out += ",\n";
            indent(out, 2);
            AppendJsonString(out, messages[i]);
        }
        out += "\n  ]";
    }
    if (extended) {
        out += ",\n  \"extended\": ";
        appendExtended(out, *extended);
    }
    out += "\n}\n";
    return out;
}

}  // namespace kestra::cli
