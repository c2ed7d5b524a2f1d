// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/report_pipeline.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <limits>

#include "audit/audit_trail.h"
#include "audit/signing.h"
#include "framework/study.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

constexpr const char* kDescriptiveFields[] = {"METODO", "ANALITA", "CAMPIONE", "UM"};

// The other separator is accepted too: values typed on another system may carry it.
std::optional<double> parseEither(const std::string& text, char separator)
{
    if (auto v = ParseNumber(text, separator)) return v;
    return ParseNumber(text, separator == '.' ? ',' : '.');
}

}  // namespace

ReportPipelineError::ReportPipelineError(std::string step, const std::string& detail)
    : std::runtime_error(Msg("Stampa del report non riuscita (%1): %2", {step, detail})),
      m_step(std::move(step))
{
}

void WriteReportTables(const std::filesystem::path& database, ReportRecords records)
{
    for (const char* field : kDescriptiveFields) {
        if (const auto* value = records.header.find(field)) {
            if (const auto* text = std::get_if<std::string>(value); text && Utf8Length(*text) > kDescriptiveFieldWidth)
                records.header.set(field, Utf8Left(*text, kDescriptiveFieldWidth));
        }
    }
    std::optional<ReportDatabase> db;
    try {
        db.emplace(database, ReportDatabase::Mode::ReadWrite);
    } catch (const std::exception& e) {
        throw ReportPipelineError(Msg("apertura del database dei report"), e.what());
    }
    try {
        db->writeReport(records);
    } catch (const std::exception& e) {
        throw ReportPipelineError(
            Msg("scrittura delle tabelle %1 e %2", {records.headerTable, records.detailTable}), e.what());
    }
}

std::int16_t LogoTwipsFromHimetric(long long himetric)
{
    // x 0.55 in integers, so a box of exact HIMETRIC never loses a twip to rounding noise.
    long long twips = himetric * 55;
    twips = twips >= 0 ? twips / 100 : -((-twips + 99) / 100);
    return static_cast<std::int16_t>(std::clamp<long long>(twips, std::numeric_limits<std::int16_t>::min(),
                                                          std::numeric_limits<std::int16_t>::max()));
}

void ApplyReportLogo(ReportLayout& layout, const std::string& logoPath, const LogoSizeReader& readLogoSize)
{
    if (logoPath.empty()) {
        layout.logo.visible = false;
        return;
    }
    const std::optional<LogoSize> size = readLogoSize(logoPath);
    if (!size) {
        // A logo file that has gone leaves no empty box in the heading.
        layout.logo.visible = false;
        return;
    }
    layout.logo.visible = true;
    layout.logo.heightTwips = std::min(size->heightTwips, kMaxLogoHeightTwips);
    layout.logo.widthTwips = std::min(size->widthTwips, kMaxLogoWidthTwips);
}

std::string ReportLogoFor(const CompanyData& company, const std::optional<std::string>& processLogoPath)
{
    if (company.noLogoFlag == -1) return {};
    return processLogoPath ? *processLogoPath : company.logoPath;
}

namespace {

// The company row, the language, the print date and the logo of a report whose rows are read.
ReportDocument finishDocument(ReportDocument doc, ReportLayout layout, const ReportRequest& request,
                              const LogoSizeReader& readLogoSize)
{
    try {
        layout.printDateVisible = request.printDate;
        if (request.language == Language::English) layout.replaceLabelTexts(layout.englishLabels);
    } catch (const std::exception& e) {
        throw ReportPipelineError(Msg("preparazione del report %1", {layout.name}), e.what());
    }

    doc.logoPath = ReportLogoFor(doc.company, request.processLogoPath);
    try {
        ApplyReportLogo(layout, doc.logoPath, readLogoSize);
    } catch (const ReportPipelineError&) {
        throw;
    } catch (const std::exception& e) {
        throw ReportPipelineError(Msg("lettura del logo \"%1\"", {doc.logoPath}), e.what());
    }
    if (!layout.logo.visible) doc.logoPath.clear();
    doc.layout = std::move(layout);
    return doc;
}

ReportDocument startDocument(const ReportRequest& request)
{
    ReportDocument doc;
    doc.language = request.language;
    doc.decimalSeparator = request.decimalSeparator;
    doc.printDate = request.today.empty() ? TodayText() : request.today;
    return doc;
}

}  // namespace

ReportDocument ReadReportDocument(ReportLayout layout, const ReportRequest& request,
                                  const LogoSizeReader& readLogoSize)
{
    ReportDocument doc = startDocument(request);
    try {
        const ReportDatabase db(request.database, ReportDatabase::Mode::ReadOnly);
        auto headers = db.readAll(layout.headerTable);
        // The table is meant to hold one row; if older rows survived, the report is the one just written.
        if (!headers.empty()) doc.header = std::move(headers.back());
        doc.details = db.readAll(layout.detailTable);
        doc.company = db.readAnagrafica();
    } catch (const std::exception& e) {
        throw ReportPipelineError(Msg("lettura dei dati del report %1", {layout.name}), e.what());
    }
    return finishDocument(std::move(doc), std::move(layout), request, readLogoSize);
}

ReportDocument ReportDocumentOf(ReportLayout layout, ReportRecord header, std::vector<ReportRecord> details,
                                const ReportRequest& request, const LogoSizeReader& readLogoSize)
{
    ReportDocument doc = startDocument(request);
    try {
        const ReportDatabase db(request.database, ReportDatabase::Mode::ReadOnly);
        doc.company = db.readAnagrafica();
    } catch (const std::exception& e) {
        throw ReportPipelineError(Msg("lettura dei dati del report %1", {layout.name}), e.what());
    }
    doc.header = std::move(header);
    doc.details = std::move(details);
    return finishDocument(std::move(doc), std::move(layout), request, readLogoSize);
}

ReportDocument PrepareStudyReport(const Study& study, const ReportRequest& request, const LogoSizeReader& readLogoSize)
{
    // The layout is built first: a study without one touches no table.
    ReportLayout layout;
    try {
        layout = BuildLayout(study);
    } catch (const std::exception& e) {
        throw ReportPipelineError(Msg("preparazione del report"), e.what());
    }
    ReportRecords records;
    try {
        records = study.reportRecords(request.language);
    } catch (const std::exception& e) {
        throw ReportPipelineError(Msg("raccolta dei dati dello studio"), e.what());
    }
    ExtendedStatistics extended;
    if (request.extended) {
        try {
            extended = study.extendedStatistics();
        } catch (const std::exception& e) {
            throw ReportPipelineError(Msg("calcolo della statistica estesa"), e.what());
        }
    }
    WriteReportTables(request.database, std::move(records));
    ReportDocument document = ReadReportDocument(std::move(layout), request, readLogoSize);
    document.extendedAppendix = request.extended;
    document.extended = std::move(extended);
    ReadStudySignatures(study, request, document);
    return document;
}

void ReadStudySignatures(const Study& study, const ReportRequest& request, ReportDocument& document)
{
    document.signatures.clear();
    document.signaturesFault.clear();
    if (study.loadFileName().empty()) return;
    if (!request.trail) {
        document.signaturesFault = request.trailFault;
        return;
    }
    try {
        document.signatures = TrailSignatureTexts(*request.trail, study.loadFileName(),
                                                  request.language == Language::English, study.isModified());
    } catch (const std::exception& e) {
        // printing goes on: the report says in their place that the signatures could not be read
        document.signaturesFault = e.what();
    }
}

std::string FieldDisplayText(const ReportRecord& record, const std::string& field, char separator)
{
    const FieldValue* value = record.find(field);
    if (!value) return {};
    if (const auto* text = std::get_if<std::string>(value)) return *text;
    if (const auto* integer = std::get_if<std::int64_t>(value)) return std::to_string(*integer);
    return FormatPlain(std::get<double>(*value), separator);
}

std::string FormatDetailNumber(const std::string& text, int decimals, char separator)
{
    if (Trim(text).empty()) return {};
    const std::optional<double> value = parseEither(text, separator);
    if (!value) return text;
    return FormatNumber(*value, std::max(decimals, 0), separator);
}

std::string TodayText()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    return buffer;
}

}  // namespace kestra
