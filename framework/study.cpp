// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study.h"

#include <algorithm>

#include "framework/study_file.h"
#include "stats/arithmetic_error.h"
#include "text/messages.h"

namespace kestra {

Study::Study(StudyKindId kind) : m_kind(kind)
{
    const StudyKind& k = KindInfo(kind);
    m_format = {k.defaultIntegers, k.defaultDecimals};
    m_pattern = BuildNumberPattern(m_format.integers, m_format.decimals);
}

std::string Study::title() const
{
    return Msg(kind().titlePrefix) + (m_loadFileName.empty() ? std::string("no file") : m_loadFileName);
}

bool Study::gridsChanged() const
{
    return grid().changed();
}

void Study::clearGridsChanged()
{
    grid().setChanged(false);
}

void Study::setNumberFormat(const NumberFormat& format)
{
    m_format = format;
    m_pattern = MakeNumberPattern(format.integers, format.decimals);
    applyFormatToGrids(format);
}

void Study::changeNumberFormat(const NumberFormat& format)
{
    const std::string before = fileContents();
    setNumberFormat(format);
    if (fileContents() != before) m_isModify = true;
}

std::string Study::fileContents() const
{
    StudyFileWriter writer;
    writeContents(writer);
    return writer.contents();
}

void Study::applyFormatToGrids(const NumberFormat& format)
{
    grid().setFormat(format);
}

void Study::reset()
{
    m_loadFileName.clear();
    for (auto& h : m_header) h.clear();
    setNumberFormat({kind().defaultIntegers, kind().defaultDecimals});
    resetData();
    m_readingNotes = {};
    m_isModify = false;
    m_resultsCurrent = true;  // the new-document results belong to the empty data
    m_resultsCalculated = false;
    clearGridsChanged();
}

void Study::read(const std::filesystem::path& path)
{
    reset();
    // the reset results do not belong to the data read: only a calculation makes them current again
    m_resultsCurrent = false;
    StudyFileReader reader = StudyFileReader::fromFile(path);
    try {
        readContents(reader);
        reader.noteUnreadLines();
    } catch (...) {
        m_readingNotes = reader.takeNotes();
        throw;
    }
    m_readingNotes = reader.takeNotes();
    bind(path);
}

void Study::write(const std::filesystem::path& path)
{
    StudyFileWriter writer;
    writeContents(writer);
    writer.commit(path);
    bind(path);
}

void Study::bind(const std::filesystem::path& path)
{
    m_loadFileName = std::filesystem::absolute(path).lexically_normal().string();
    m_isModify = false;
    clearGridsChanged();
}

CalcOutcome RunCalculation(Study& study)
{
    try {
        CalcOutcome outcome = study.calculate();
        if (outcome.computed) study.setResultsCurrent(true);
        return outcome;
    } catch (const ArithmeticError& e) {
        CalcOutcome outcome;
        outcome.messages.push_back({StudyMessage::Severity::Critical, e.what(), {}, 0});
        return outcome;
    } catch (const std::exception& e) {
        CalcOutcome outcome;
        outcome.messages.push_back(
            {StudyMessage::Severity::Critical, Msg("Errore durante il calcolo: %1", {e.what()}), {}, 0});

        return outcome;
    }
}

StudyMessage ZeroSumWarning(std::span<const double> values, const std::string& what)
{
    const bool allZero = std::all_of(values.begin(), values.end(), [](double v) { return v == 0; });
    std::string text =
        allZero ? Msg("Impossibile calcolare: %1 sono tutti uguali a zero.\nInserire i dati misurati e premere di "
                      "nuovo Calcola.",
                      {Msg(what)})
                : Msg("Impossibile calcolare: %1 hanno somma zero, che il calcolo prende per dati non inseriti.\n"
                      "Controllare i dati e premere di nuovo Calcola.",
                      {Msg(what)});
    return {StudyMessage::Severity::Warning, std::move(text), {}, 0, true};
}

}  // namespace kestra
