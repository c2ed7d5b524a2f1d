// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/dossier.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "framework/study_file.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

// No dossier comes near this; a larger file is not one and is never loaded whole.
constexpr std::uintmax_t kMaxDossierBytes = 16u * 1024u * 1024u;

std::string describeParseFault(const std::string& what)
{
    // the library's reason follows "column N: "; its English words are kept after an Italian lead
    std::string reason = what;
    if (const auto at = reason.find("column"); at != std::string::npos)
        if (const auto colon = reason.find(": ", at); colon != std::string::npos)
            reason = reason.substr(colon + 2);
    if (reason.rfind("syntax error while parsing ", 0) == 0) reason = reason.substr(27);
    return Msg("errore di sintassi JSON (%1)", {reason});
}

// Builds the document like the library's own parser does and keeps the text of every real number, so a
// limit keeps the decimals it was written with ("2.0" is not "2").
class LexemeKeepingBuilder {
public:
    explicit LexemeKeepingBuilder(OrderedJson& root) : m_root(root) {}

    std::map<std::string, std::string> lexemes;  // JSON pointer -> number text
    std::size_t faultPosition = 0;
    std::string faultText;

    bool null() { return put(nullptr); }
    bool boolean(bool v) { return put(v); }
    bool number_integer(OrderedJson::number_integer_t v) { return putNumber(v, std::to_string(v)); }
    bool number_unsigned(OrderedJson::number_unsigned_t v) { return putNumber(v, std::to_string(v)); }
    bool number_float(OrderedJson::number_float_t v, const std::string& text) { return putNumber(v, text); }
    bool string(std::string& v) { return put(std::move(v)); }
    bool binary(OrderedJson::binary_t&) { return false; }
    bool start_object(std::size_t) { return open(OrderedJson::object()); }
    bool key(std::string& k)
    {
        m_stack.back().key = k;
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t) { return open(OrderedJson::array()); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e)
    {
        faultPosition = position;
        faultText = e.what();
        return false;
    }

private:
    struct Frame {
        OrderedJson* value;
        std::string pointer;
        std::string key;
    };

    std::string childPointer() const
    {
        if (m_stack.empty()) return "";
        const Frame& f = m_stack.back();
        if (f.value->is_array()) return f.pointer + "/" + std::to_string(f.value->size());
        return f.pointer + "/" + f.key;
    }
    OrderedJson* place(OrderedJson v)
    {
        if (m_stack.empty()) {
            m_root = std::move(v);
            return &m_root;
        }
        OrderedJson& parent = *m_stack.back().value;
        if (parent.is_array()) {
            parent.push_back(std::move(v));
            return &parent.back();
        }
        OrderedJson& slot = parent[m_stack.back().key];
        slot = std::move(v);
        return &slot;
    }
    bool put(OrderedJson v)
    {
        place(std::move(v));
        return true;
    }
    bool putNumber(OrderedJson v, std::string text)
    {
        lexemes[childPointer()] = std::move(text);
        return put(std::move(v));
    }
    bool open(OrderedJson v)
    {
        const std::string pointer = childPointer();
        m_stack.push_back({place(std::move(v)), pointer, {}});
        return true;
    }
    bool close()
    {
        m_stack.pop_back();
        return true;
    }

    OrderedJson& m_root;
    std::vector<Frame> m_stack;
};

// Reads the parts of a dossier, naming the place of any value of the wrong type.
class Reader {
public:
    Reader(const std::string& name, const std::map<std::string, std::string>& lexemes)
        : m_name(name), m_lexemes(lexemes)
    {
    }

    [[noreturn]] void fail(const std::string& where, const std::string& what) const
    {
        throw DossierFileError(m_name, 0, 0, where + ": " + what);
    }

    // Takes key out of object (what stays is kept as unknown keys).
    std::string text(OrderedJson& object, const char* key, const std::string& where, bool required = false)
    {
        auto it = object.find(key);
        if (it == object.end() || it->is_null()) {
            if (required) fail(where, Msg("manca \"%1\"", {key}));
            if (it != object.end()) object.erase(it);
            return {};
        }
        if (!it->is_string()) fail(where + "." + key, Msg("atteso un testo"));
        std::string value = it->get<std::string>();
        object.erase(it);
        return value;
    }
    std::optional<WrittenNumber> number(OrderedJson& object, const char* key, const std::string& pointer,
                                        const std::string& where)
    {
        auto it = object.find(key);
        if (it == object.end()) return std::nullopt;
        if (it->is_null()) {
            object.erase(it);
            return std::nullopt;
        }
        std::optional<WrittenNumber> n = numberValue(*it, pointer + "/" + key, where + "." + key);
        object.erase(it);
        return n;
    }
    WrittenNumber numberValue(const OrderedJson& value, const std::string& pointer, const std::string& where)
    {
        if (!value.is_number()) fail(where, Msg("atteso un numero"));
        WrittenNumber n;
        n.value = value.get<double>();
        const auto lexeme = m_lexemes.find(pointer);
        n.text = lexeme != m_lexemes.end() ? lexeme->second : value.dump();
        if (!std::isfinite(n.value)) fail(where, Msg("numero fuori dall'intervallo rappresentabile"));
        return n;
    }
    OrderedJson object(OrderedJson& parent, const char* key, const std::string& where)
    {
        auto it = parent.find(key);
        if (it == parent.end() || it->is_null()) {
            if (it != parent.end()) parent.erase(it);
            return OrderedJson::object();
        }
        if (!it->is_object()) fail(where + "." + key, Msg("atteso un oggetto"));
        OrderedJson value = std::move(*it);
        parent.erase(it);
        return value;
    }
    OrderedJson array(OrderedJson& parent, const char* key)
    {
        auto it = parent.find(key);
        if (it == parent.end() || it->is_null()) {
            if (it != parent.end()) parent.erase(it);
            return OrderedJson::array();
        }
        if (!it->is_array()) fail(key, Msg("atteso un elenco"));
        OrderedJson value = std::move(*it);
        parent.erase(it);
        return value;
    }

private:
    const std::string& m_name;
    const std::map<std::string, std::string>& m_lexemes;
};

std::string elementName(const char* list, std::size_t index)
{
    return std::string(list) + "[" + std::to_string(index + 1) + "]";
}

void readCriterion(Reader& r, OrderedJson c, const std::string& pointer, const std::string& where,
                   DossierCriterion& out)
{
    if (!c.is_object()) r.fail(where, Msg("atteso un oggetto"));
    out.characteristic = r.text(c, "characteristic", where, true);
    if (auto it = c.find("study"); it != c.end()) {
        if (it->is_string())
            out.study = it->get<std::string>();
        else if (!it->is_null())
            r.fail(where + ".study", Msg("atteso un testo o null"));
        c.erase(it);
    }
    out.quantity = r.text(c, "quantity", where, true);
    out.test = r.text(c, "test", where, true);
    if (auto it = c.find("limit"); it != c.end()) {
        if (it->is_array()) {
            out.limitIsPair = true;
            if (it->size() != 2) r.fail(where + ".limit", Msg("attesi due valori [minimo, massimo]"));
            for (std::size_t i = 0; i < 2; ++i)
                out.limit.push_back(r.numberValue((*it)[i], pointer + "/limit/" + std::to_string(i),
                                                  where + ".limit"));
        } else if (!it->is_null()) {
            out.limit.push_back(r.numberValue(*it, pointer + "/limit", where + ".limit"));
        }
        c.erase(it);
    }
    if (auto it = c.find("proposed"); it != c.end()) {
        if (!it->is_boolean()) r.fail(where + ".proposed", Msg("atteso true o false"));
        out.proposed = it->get<bool>();
        c.erase(it);
    }
    out.extra = std::move(c);
}

// Numbers that must be written as their own text go in as unique strings and are put back after dumping.
class NumberSlots {
public:
    explicit NumberSlots(std::string marker) : m_marker(std::move(marker)) {}
    const std::string& marker() const { return m_marker; }
    std::size_t count() const { return m_texts.size(); }
    OrderedJson slot(const WrittenNumber& n)
    {
        m_texts.push_back(n.text);
        return m_marker + std::to_string(m_texts.size() - 1) + "@";
    }
    std::string fill(const std::string& dumped) const
    {
        std::string out;
        out.reserve(dumped.size());
        const std::string open = "\"" + m_marker;
        std::size_t from = 0;
        for (;;) {
            const std::size_t at = dumped.find(open, from);
            if (at == std::string::npos) break;
            const std::size_t end = dumped.find("@\"", at + open.size());
            std::size_t index = 0;
            const char* first = dumped.data() + at + open.size();
            const auto [ptr, ec] = std::from_chars(first, dumped.data() + end, index);
            if (end == std::string::npos || ec != std::errc() || ptr != dumped.data() + end ||
                index >= m_texts.size()) {
                out.append(dumped, from, at + 1 - from);
                from = at + 1;
                continue;
            }
            out.append(dumped, from, at - from);
            out += m_texts[index];
            from = end + 2;
        }
        out.append(dumped, from, std::string::npos);
        return out;
    }

private:
    std::string m_marker;
    std::vector<std::string> m_texts;
};

void mergeExtra(OrderedJson& object, const OrderedJson& extra)
{
    if (!extra.is_object()) return;
    for (const auto& [k, v] : extra.items())
        if (!object.contains(k)) object[k] = v;
}

OrderedJson toJson(const Dossier& d, const NumberSlot& slot, bool withSignaturesAndEvaluation)
{
    OrderedJson j = OrderedJson::object();
    j["format"] = Dossier::kFormat;
    j["version"] = d.version;
    j["title"] = d.title;
    j["document"] = d.document;
    j["revision"] = d.revision;
    OrderedJson method = OrderedJson::object();
    method["analytical_method"] = d.method.analyticalMethod;
    method["analyte"] = d.method.analyte;
    method["sample"] = d.method.sample;
    method["unit"] = d.method.unit;
    method["technique"] = d.method.technique;
    mergeExtra(method, d.method.extra);
    j["method"] = std::move(method);
    j["purpose"] = d.purpose;
    OrderedJson range = OrderedJson::object();
    range["low"] = d.range.low ? slot(*d.range.low) : OrderedJson(nullptr);
    range["high"] = d.range.high ? slot(*d.range.high) : OrderedJson(nullptr);
    range["unit"] = d.range.unit;
    mergeExtra(range, d.range.extra);
    j["range"] = std::move(range);
    OrderedJson studies = OrderedJson::array();
    for (const auto& s : d.studies) {
        OrderedJson o = {{"id", s.id}, {"label", s.label}, {"file", s.file}};
        mergeExtra(o, s.extra);
        studies.push_back(std::move(o));
    }
    j["studies"] = std::move(studies);
    OrderedJson criteria = OrderedJson::array();
    for (const auto& c : d.criteria) criteria.push_back(CriterionToJson(c, slot));
    j["criteria"] = std::move(criteria);
    if (withSignaturesAndEvaluation) {
        OrderedJson signatures = OrderedJson::array();
        for (const auto& s : d.signatures) {
            OrderedJson o = {{"role", s.role}, {"name", s.name}};
            mergeExtra(o, s.extra);
            signatures.push_back(std::move(o));
        }
        j["signatures"] = std::move(signatures);
        if (!d.evaluated.is_null()) j["evaluated"] = d.evaluated;
    }
    mergeExtra(j, d.extra);
    return j;
}

}  // namespace

OrderedJson CriterionToJson(const DossierCriterion& c, const NumberSlot& slot)
{
    OrderedJson o = OrderedJson::object();
    o["characteristic"] = c.characteristic;
    o["study"] = c.study ? OrderedJson(*c.study) : OrderedJson(nullptr);
    o["quantity"] = c.quantity;
    o["test"] = c.test;
    if (c.limitIsPair && c.limit.size() == 2) {
        o["limit"] = OrderedJson::array({slot(c.limit[0]), slot(c.limit[1])});
    } else if (!c.limit.empty()) {
        o["limit"] = slot(c.limit[0]);
    }
    if (c.proposed) o["proposed"] = true;
    mergeExtra(o, c.extra);
    return o;
}

DossierFileError::DossierFileError(const std::string& file, int line, int column, const std::string& reason)
    : std::runtime_error(line > 0 ? Msg("Il dossier \"%1\" non può essere letto: riga %2, colonna %3: %4.",
                                        {file, std::to_string(line), std::to_string(column), reason})
                                  : Msg("Il dossier \"%1\" non può essere letto: %2.", {file, reason})),
      m_line(line),
      m_column(column)
{
}

int WrittenNumber::decimals() const
{
    std::string_view t = text;
    int exponent = 0;
    if (const auto e = t.find_first_of("eE"); e != std::string_view::npos) {
        std::string_view ex = t.substr(e + 1);
        if (!ex.empty() && ex.front() == '+') ex.remove_prefix(1);
        std::from_chars(ex.data(), ex.data() + ex.size(), exponent);
        t = t.substr(0, e);
    }
    int fraction = 0;
    if (const auto dot = t.find('.'); dot != std::string_view::npos)
        fraction = static_cast<int>(t.size() - dot - 1);
    return std::clamp(fraction - exponent, 0, 15);
}

WrittenNumber WrittenNumber::of(double value, int decimals)
{
    return {RoundToDecimals(value, decimals), FormatNumber(value, std::clamp(decimals, 0, 15), '.')};
}

std::optional<WrittenNumber> WrittenNumber::parse(const std::string& typed)
{
    std::string t = Trim(typed);
    std::replace(t.begin(), t.end(), ',', '.');
    const auto value = ParseNumber(t, '.');
    if (!value || !std::isfinite(*value)) return std::nullopt;
    // the text keeps the decimals as typed, in plain JSON form
    const auto dot = t.find('.');
    const int decimals = dot == std::string::npos ? 0 : static_cast<int>(t.size() - dot - 1);
    return of(*value, decimals);
}

bool DossierCriterion::operator==(const DossierCriterion& o) const
{
    auto same = [](const std::vector<WrittenNumber>& a, const std::vector<WrittenNumber>& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
                   return x.text == y.text;
               });
    };
    return characteristic == o.characteristic && study == o.study && quantity == o.quantity && test == o.test &&
           same(limit, o.limit) && limitIsPair == o.limitIsPair && proposed == o.proposed && extra == o.extra;
}

Dossier Dossier::makeNew()
{
    Dossier d;
    d.signatures = {{"prepared", "", OrderedJson::object()},
                    {"reviewed", "", OrderedJson::object()},
                    {"approved", "", OrderedJson::object()}};
    return d;
}

Dossier Dossier::read(const std::filesystem::path& path)
{
    const std::string name = path.string();
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) throw DossierFileError(name, 0, 0, Msg("il file non esiste o non è accessibile"));
    if (size > kMaxDossierBytes)
        throw DossierFileError(name, 0, 0, Msg("il file è troppo grande per un dossier"));
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DossierFileError(name, 0, 0, Msg("il file non può essere aperto"));
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) throw DossierFileError(name, 0, 0, Msg("errore di lettura"));
    return parse(buffer.str(), name);
}

Dossier Dossier::parse(const std::string& text, const std::string& name)
{
    OrderedJson root;
    LexemeKeepingBuilder builder(root);
    const bool ok = nlohmann::ordered_json::sax_parse(text, &builder);
    if (!ok) {
        // the place is the byte the library stopped at, counted as it counts lines and columns; input that
        // ends too early is faulted where it ends
        const std::size_t at = std::min(builder.faultPosition, text.size());
        const bool cutShort = builder.faultText.find("end of input") != std::string::npos;
        const std::size_t stop = cutShort ? text.size() : (at > 0 ? at - 1 : 0);
        int line = 1;
        std::size_t lineStart = 0;
        for (std::size_t i = 0; i < stop; ++i)
            if (text[i] == '\n') {
                ++line;
                lineStart = i + 1;
            }
        const int column = static_cast<int>(stop - lineStart) + 1;
        throw DossierFileError(name, line, column, describeParseFault(builder.faultText));
    }
    if (!root.is_object()) throw DossierFileError(name, 0, 0, Msg("il contenuto non è un oggetto JSON"));
    Reader r(name, builder.lexemes);
    Dossier d;
    if (root.value("format", std::string()) != kFormat)
        throw DossierFileError(name, 0, 0,
                               Msg("non è un dossier di convalida (manca \"format\": \"kestra-dossier\")"));
    root.erase("format");
    if (auto it = root.find("version"); it != root.end()) {
        if (!it->is_number_integer() || it->get<long long>() < 1)
            r.fail("version", Msg("atteso un numero intero positivo"));
        d.version = static_cast<int>(std::min<long long>(it->get<long long>(), 1'000'000));
        root.erase(it);
    }
    d.title = r.text(root, "title", "dossier");
    d.document = r.text(root, "document", "dossier");
    d.revision = r.text(root, "revision", "dossier");
    OrderedJson method = r.object(root, "method", "dossier");
    d.method.analyticalMethod = r.text(method, "analytical_method", "method");
    d.method.analyte = r.text(method, "analyte", "method");
    d.method.sample = r.text(method, "sample", "method");
    d.method.unit = r.text(method, "unit", "method");
    d.method.technique = r.text(method, "technique", "method");
    d.method.extra = std::move(method);
    d.purpose = r.text(root, "purpose", "dossier");
    OrderedJson range = r.object(root, "range", "dossier");
    d.range.low = r.number(range, "low", "/range", "range");
    d.range.high = r.number(range, "high", "/range", "range");
    d.range.unit = r.text(range, "unit", "range");
    d.range.extra = std::move(range);

    OrderedJson studies = r.array(root, "studies");
    for (std::size_t i = 0; i < studies.size(); ++i) {
        const std::string where = elementName("studies", i);
        OrderedJson& s = studies[i];
        if (!s.is_object()) r.fail(where, Msg("atteso un oggetto"));
        DossierStudy study;
        study.id = r.text(s, "id", where, true);
        study.label = r.text(s, "label", where);
        study.file = r.text(s, "file", where, true);
        if (study.id.empty()) r.fail(where + ".id", Msg("l'identificativo è vuoto"));
        if (d.findStudy(study.id))
            r.fail(where + ".id", Msg("l'identificativo \"%1\" è ripetuto", {study.id}));
        study.extra = std::move(s);
        d.studies.push_back(std::move(study));
    }
    OrderedJson criteria = r.array(root, "criteria");
    for (std::size_t i = 0; i < criteria.size(); ++i) {
        DossierCriterion c;
        readCriterion(r, std::move(criteria[i]), "/criteria/" + std::to_string(i), elementName("criteria", i), c);
        d.criteria.push_back(std::move(c));
    }
    OrderedJson signatures = r.array(root, "signatures");
    for (std::size_t i = 0; i < signatures.size(); ++i) {
        const std::string where = elementName("signatures", i);
        OrderedJson& s = signatures[i];
        if (!s.is_object()) r.fail(where, Msg("atteso un oggetto"));
        DossierSignature signature;
        signature.role = r.text(s, "role", where);
        signature.name = r.text(s, "name", where);
        signature.extra = std::move(s);
        d.signatures.push_back(std::move(signature));
    }
    if (auto it = root.find("evaluated"); it != root.end()) {
        d.evaluated = std::move(*it);
        root.erase(it);
    }
    d.extra = std::move(root);
    return d;
}

std::string DumpWrittenJson(const std::function<OrderedJson(const NumberSlot&)>& build, int indent, bool sortKeys)
{
    std::string marker = "@kvd-number-";
    for (;;) {
        NumberSlots slots(marker);
        const NumberSlot slot = [&slots](const WrittenNumber& n) { return slots.slot(n); };
        const OrderedJson j = build(slot);
        const std::string dumped = sortKeys
                                       ? nlohmann::json(j).dump(indent, ' ', false, nlohmann::json::error_handler_t::replace)
                                       : j.dump(indent, ' ', false, OrderedJson::error_handler_t::replace);
        // the marker is made longer until no text of the document contains it
        std::size_t found = 0;
        for (auto at = dumped.find(marker); at != std::string::npos; at = dumped.find(marker, at + 1)) ++found;
        if (found == slots.count()) return slots.fill(dumped);
        marker += "x";
    }
}

OrderedJson Dossier::json(const NumberSlot& slot) const
{
    return toJson(*this, slot, true);
}

std::string Dossier::text() const
{
    return DumpWrittenJson([this](const NumberSlot& slot) { return toJson(*this, slot, true); }, 2, false) + "\n";
}

std::string Dossier::canonicalContent() const
{
    // keys sorted, no blanks: the same content always gives the same bytes
    return DumpWrittenJson([this](const NumberSlot& slot) { return toJson(*this, slot, false); }, -1, true);
}

void Dossier::write(const std::filesystem::path& path) const
{
    ReplaceFileSafely(path, text());
}

const DossierStudy* Dossier::findStudy(const std::string& id) const
{
    for (const auto& s : studies)
        if (s.id == id) return &s;
    return nullptr;
}

std::filesystem::path Dossier::resolve(const std::filesystem::path& folder, const std::string& file)
{
    const std::filesystem::path p(file);
    return p.is_absolute() ? p : folder / p;
}

bool IsDossierFile(const std::filesystem::path& path)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".kvd";
}

}  // namespace kestra
