#include "framework/study_changes.h"

#include <nlohmann/json.hpp>
#include <unordered_map>
#include <unordered_set>

#include "framework/study_kind.h"

namespace kestra {

namespace {

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool isInteger(std::string_view s)
{
    if (!s.empty() && s.front() == '-') s.remove_prefix(1);
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Collects the scalars of a JSON text with their paths; SAX, so numbers keep their text and nesting costs
// no recursion.
class JsonFlattener final : public nlohmann::json_sax<nlohmann::json> {
public:
    std::vector<FileField> fields;

    bool null() override { return add("null"); }
    bool boolean(bool value) override { return add(value ? "true" : "false"); }
    bool number_integer(number_integer_t value) override { return add(std::to_string(value)); }
    bool number_unsigned(number_unsigned_t value) override { return add(std::to_string(value)); }
    bool number_float(number_float_t, const string_t& text) override { return add(text); }
    bool string(string_t& value) override { return add(value); }
    bool binary(binary_t&) override { return add(""); }
    bool start_object(std::size_t) override { return open(false); }
    bool key(string_t& name) override
    {
        m_levels.back().key = name;
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(true); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override
    {
        return false;
    }

private:
    struct Level {
        std::string path;
        bool array = false;
        int index = 0;
        std::string key;
    };
    // The path of the value about to be read at the current level.
    std::string nextPath()
    {
        if (m_levels.empty()) return "(valore)";
        Level& level = m_levels.back();
        if (level.array) return level.path + "[" + std::to_string(++level.index) + "]";
        return level.path.empty() ? level.key : level.path + "." + level.key;
    }
    bool add(std::string value)
    {
        fields.push_back({nextPath(), std::move(value)});
        return true;
    }
    bool open(bool array)
    {
        // no document of ours nests this deep; the paths of a deeper one would grow without bound
        if (m_levels.size() >= 64) return false;
        std::string path = m_levels.empty() ? std::string() : nextPath();
        m_levels.push_back({std::move(path), array, 0, {}});
        return true;
    }
    bool close()
    {
        m_levels.pop_back();
        return true;
    }
    std::vector<Level> m_levels;
};

}  // namespace

std::vector<FileField> JsonFileFields(std::string_view contents)
{
    JsonFlattener flattener;
    nlohmann::json::sax_parse(contents.begin(), contents.end(), &flattener, nlohmann::json::input_format_t::json,
                              false);
    return std::move(flattener.fields);
}

std::vector<FileField> StudyFileFields(std::string_view contents)
{
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < contents.size();) {
        std::size_t end = contents.find('\n', pos);
        if (end == std::string_view::npos) end = contents.size();
        std::string_view line = contents.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        pos = end + 1;
    }
    std::vector<FileField> fields;
    std::size_t i = 0;
    if (!lines.empty() && lines[0] == kProgramBanner) {
        // the banner and the layout number are the program's, not the user's
        if (lines.size() > 1) fields.push_back({"Cifre intere", std::string(lines[1])});
        if (lines.size() > 2) fields.push_back({"Cifre decimali", std::string(lines[2])});
        i = 4;
    }
    int texts = 0, integers = 0, options = 0, grid = 0, lastRow = 0;
    for (; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const auto comma = line.find(',');
        if (comma != std::string_view::npos && isInteger(trimmed(line.substr(0, comma)))) {
            const int row = std::stoi(std::string(trimmed(line.substr(0, comma))));
            // row numbers start again with each grid of a study that has several
            if (grid == 0 || row <= lastRow) ++grid;
            lastRow = row;
            const std::string place =
                (grid > 1 ? "Griglia " + std::to_string(grid) + ", riga " : std::string("Riga ")) +
                std::to_string(row) + ", colonna ";
            int column = 0;
            for (std::size_t pos = comma + 1;;) {
                const auto next = line.find(',', pos);
                const std::string_view item =
                    line.substr(pos, next == std::string_view::npos ? next : next - pos);
                fields.push_back({place + std::to_string(++column), std::string(trimmed(item))});
                if (next == std::string_view::npos) break;
                pos = next + 1;
            }
        } else if (line == "Vero" || line == "Falso") {
            fields.push_back({"Opzione " + std::to_string(++options), std::string(line)});
        } else if (isInteger(line)) {
            fields.push_back({"Dimensione " + std::to_string(++integers), std::string(line)});
        } else {
            fields.push_back({"Campo " + std::to_string(++texts), std::string(line)});
        }
    }
    return fields;
}

std::vector<FieldChange> FieldChanges(const std::vector<FileField>& before,
                                      const std::vector<FileField>& after)
{
    std::unordered_map<std::string, const std::string*> old;
    old.reserve(before.size());
    for (const FileField& f : before) old.emplace(f.what, &f.value);
    std::vector<FieldChange> changes;
    std::unordered_set<std::string> seen;
    seen.reserve(after.size());
    for (const FileField& f : after) {
        seen.insert(f.what);
        const auto it = old.find(f.what);
        const std::string previous = it == old.end() ? std::string() : *it->second;
        if (previous != f.value) changes.push_back({f.what, previous, f.value});
    }
    for (const FileField& f : before)
        if (!seen.contains(f.what) && !f.value.empty()) changes.push_back({f.what, f.value, ""});
    return changes;
}

}  // namespace kestra
