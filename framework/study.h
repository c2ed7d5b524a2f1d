// The study document every study kind shares: file binding, modified state, number format, header fields,
// and the operations the document commands, the windows, the reports and the command line call.
#pragma once

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "framework/chart_data.h"
#include "framework/data_grid.h"
#include "framework/extended_statistics.h"
#include "framework/number_pattern.h"
#include "framework/report_records.h"
#include "framework/study_file_notes.h"
#include "framework/study_kind.h"

namespace kestra {

class StudyFileReader;
class StudyFileWriter;

// A message a calculation wants shown (it never opens a dialog itself).
struct StudyMessage {
    enum class Severity { Information, Warning, Critical };
    Severity severity = Severity::Warning;
    std::string text;
    std::string title;  // empty: the application title
    int beeps = 0;
    // The data add up to zero, taken for data not entered yet: after a file that could not be read the
    // reading fault says enough.
    bool noData = false;
};

struct CalcOutcome {
    bool computed = false;  // false: stopped or refused, the previous results stay
    std::vector<StudyMessage> messages;
};

class Study {
public:
    explicit Study(StudyKindId kind);
    virtual ~Study() = default;
    Study(const Study&) = delete;
    Study& operator=(const Study&) = delete;

    const StudyKind& kind() const { return KindInfo(m_kind); }
    StudyKindId kindId() const { return m_kind; }

    // --- document state
    const std::string& loadFileName() const { return m_loadFileName; }
    std::string title() const;  // prefix + "no file" or prefix + path
    bool isModify() const { return m_isModify; }
    void setModify(bool modified) { m_isModify = modified; }
    // IsModify or any grid's changed flag.
    bool isModified() const { return m_isModify || gridsChanged(); }
    virtual bool gridsChanged() const;
    virtual void clearGridsChanged();
    // Whether the results shown were computed from the data as they are now. A calculation that computed
    // and a reset make them current; a read leaves them stale until the calculation that follows it;
    // an edit of the data, a dimension or an option makes them stale
    // (the window says so). A refused calculation leaves the flag as it was, like the results.
    bool resultsCurrent() const { return m_resultsCurrent; }
    void setResultsCurrent(bool current) { m_resultsCurrent = current; }
    // Whether a calculation has computed results since the last reset (the reset results belong to no data).
    // Together with resultsCurrent(): the results shown were computed from the data as they are now.
    bool resultsCalculated() const { return m_resultsCalculated; }
    bool resultsFromCurrentData() const { return m_resultsCurrent && m_resultsCalculated; }

    // --- number format: builds the window's pattern (also the process-wide one) and applies it to the grids
    const NumberFormat& numberFormat() const { return m_format; }
    const std::string& numberPattern() const { return m_pattern; }
    virtual void setNumberFormat(const NumberFormat& format);
    // The user's format change: sets the format and marks the document modified when that changes what a
    // save would write.
    void changeNumberFormat(const NumberFormat& format);

    // --- descriptive fields 0..3 (method, analyte, sample, unit); some studies have only 0..2
    virtual int headerFieldCount() const { return 4; }
    const std::string& header(int index) const { return m_header.at(static_cast<std::size_t>(index)); }
    void setHeader(int index, std::string text)
    {
        m_header.at(static_cast<std::size_t>(index)) = std::move(text);
    }

    // --- the main data grid (the first one, for studies with several)
    virtual DataGrid& grid() = 0;
    const DataGrid& grid() const { return const_cast<Study*>(this)->grid(); }

    // --- operations
    // The new-document state; unbinds the document and clears the modified flags.
    void reset();
    // Computes the results (kept as display texts by the study) and both conclusions.
    virtual CalcOutcome calculate() = 0;
    // Resets, then reads the file; binds the document to it when the reading completes.
    // Throws StudyFileError: what was read before the fault stays in the study.
    void read(const std::filesystem::path& path);
    // The places of the last read file that were not read as written (also when the reading stopped).
    const ReadingNotes& readingNotes() const { return m_readingNotes; }
    // Writes safely (ReplaceFileSafely); on success binds the document to the path and clears the modified
    // flags. Throws StudyWriteError and then changes nothing.
    void write(const std::filesystem::path& path);
    // The study file a save would write now.
    std::string fileContents() const;
    // The header record and the detail records of the study's report tables.
    virtual ReportRecords reportRecords(Language language) const = 0;
    // The charts the study shows, with their texts in the language asked for.
    virtual std::vector<ChartData> charts(Language) const { return {}; }
    // The conclusion as the window shows it.
    virtual std::string conclusionText() const = 0;
    // The extended statistics of the data as they are now (not available while the results are not current).
    virtual ExtendedStatistics extendedStatistics() const { return {}; }

protected:
    virtual void resetData() = 0;
    virtual void readContents(StudyFileReader& reader) = 0;
    virtual void writeContents(StudyFileWriter& writer) const = 0;
    // Applies the format to the study's grids (the base class sets it on grid()).
    virtual void applyFormatToGrids(const NumberFormat& format);
    void bind(const std::filesystem::path& path);
    // Called by a calculation that computed, where it writes its results.
    void markCalculated() { m_resultsCalculated = true; }

    std::array<std::string, 4> m_header;

private:
    StudyKindId m_kind;
    std::string m_loadFileName;
    bool m_isModify = false;
    bool m_resultsCurrent = true;
    bool m_resultsCalculated = false;
    NumberFormat m_format;
    std::string m_pattern;
    ReadingNotes m_readingNotes;
};

// Runs the study's calculation; an arithmetic or other fault inside it becomes a critical message and the
// results stay as they were (the calculation writes its results only at its end).
CalcOutcome RunCalculation(Study& study);

// The warning of a calculation that stops because its values add up to zero, which it takes for data not
// entered yet; `what` names the values ("i valori della griglia", "i recuperi del livello superiore").
StudyMessage ZeroSumWarning(std::span<const double> values, const std::string& what);

}  // namespace kestra
