// The validation dossier document (.kvd): method, studies, acceptance criteria, signatures; read and written
// as JSON with every key a newer program added kept as it was.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestra {

using OrderedJson = nlohmann::ordered_json;

// A dossier that cannot be read: what() names the file and, for a JSON fault, its line and column.
class DossierFileError : public std::runtime_error {
public:
    DossierFileError(const std::string& file, int line, int column, const std::string& reason);
    int line() const { return m_line; }      // 0 when the fault has no place in the text
    int column() const { return m_column; }  // 1-based, in bytes

private:
    int m_line;
    int m_column;
};

// A number as written in the file: its value and its text, whose decimals the rounding rule uses.
struct WrittenNumber {
    double value = 0;
    std::string text;  // a JSON number ("2.0", "0.999", "1e-3")

    // Decimals the text is written with ("2.0" 1, "100" 0, "1.5e-3" 4).
    int decimals() const;
    // From a value and the decimals it is to keep.
    static WrittenNumber of(double value, int decimals);
    // From a number typed with "." or ","; nullopt when it is not one.
    static std::optional<WrittenNumber> parse(const std::string& typed);
};

struct DossierMethod {
    std::string analyticalMethod, analyte, sample, unit, technique;
    OrderedJson extra = OrderedJson::object();
};

struct DossierRange {
    std::optional<WrittenNumber> low, high;
    std::string unit;
    OrderedJson extra = OrderedJson::object();
};

struct DossierStudy {
    std::string id;
    std::string label;
    std::string file;  // as written: relative to the dossier's folder, or absolute
    OrderedJson extra = OrderedJson::object();
};

struct DossierCriterion {
    std::string characteristic;
    std::optional<std::string> study;  // null in a proposal not yet bound to a study
    std::string quantity;
    std::string test;
    // none; one value; or [low, high] (between, outside)
    std::vector<WrittenNumber> limit;
    bool limitIsPair = false;
    bool proposed = false;  // a proposal the laboratory has not confirmed or edited yet
    OrderedJson extra = OrderedJson::object();

    bool operator==(const DossierCriterion& other) const;
};

struct DossierSignature {
    std::string role;  // "prepared", "reviewed", "approved", or the laboratory's own
    std::string name;
    OrderedJson extra = OrderedJson::object();  // what later programs add (login, time, meaning ...)
};

class Dossier {
public:
    static constexpr const char* kFormat = "kestra-dossier";
    static constexpr int kVersion = 1;

    std::string title, document, revision;
    DossierMethod method;
    std::string purpose = "assay";
    DossierRange range;
    std::vector<DossierStudy> studies;
    std::vector<DossierCriterion> criteria;
    std::vector<DossierSignature> signatures;
    OrderedJson evaluated;  // the last recorded evaluation; null when none
    OrderedJson extra = OrderedJson::object();
    int version = kVersion;

    // A new dossier: the three usual signatures, nothing else.
    static Dossier makeNew();

    // Reads the file; throws DossierFileError.
    static Dossier read(const std::filesystem::path& path);
    // Reads JSON text; `name` is the file named in messages. Throws DossierFileError.
    static Dossier parse(const std::string& text, const std::string& name);
    // The file's contents: indented JSON with a final line end, limits as they were written.
    std::string text() const;
    // Writes safely through the study files' save path; throws StudyWriteError and then changes nothing.
    void write(const std::filesystem::path& path) const;
    // The document as JSON, its numbers placed through the slot (see DumpWrittenJson).
    OrderedJson json(const std::function<OrderedJson(const WrittenNumber&)>& slot) const;
    // The dossier without "signatures" and "evaluated", keys sorted, no blanks: what a signature binds to.
    std::string canonicalContent() const;

    const DossierStudy* findStudy(const std::string& id) const;
    // Where the study file is, for a dossier in `folder`.
    static std::filesystem::path resolve(const std::filesystem::path& folder, const std::string& file);

    bool operator==(const Dossier& other) const { return text() == other.text(); }
};

// JSON in which the numbers placed through the slot keep the text they were written with ("2.0", "10").
using NumberSlot = std::function<OrderedJson(const WrittenNumber&)>;
std::string DumpWrittenJson(const std::function<OrderedJson(const NumberSlot&)>& build, int indent,
                            bool sortKeys = false);
// A criterion as the file holds it.
OrderedJson CriterionToJson(const DossierCriterion& criterion, const NumberSlot& slot);

// Whether the file name ends in .kvd, either letter case.
bool IsDossierFile(const std::filesystem::path& path);

}  // namespace kestra
