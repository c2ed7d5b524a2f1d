// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/self_test_command.h"

#include <QCoreApplication>

#include "app/self_test.h"
#include "app/self_test_report.h"
#include "audit/audit_trail.h"
#include "framework/prompts.h"
#include "framework/ui/ui_text.h"
#include "reporting/report_database.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/report_renderer.h"

namespace kestra {

namespace {

constexpr std::size_t kFailuresShown = 10;

std::string certificateName(const SelfTestFacts& facts)
{
    // dd/mm/yyyy hh:mm:ss -> yyyy-mm-dd, so the files sort by date
    const std::string& d = facts.dateTime;
    const std::string date =
        d.size() >= 10 ? d.substr(6, 4) + "-" + d.substr(3, 2) + "-" + d.substr(0, 2) : "";
    return "Verifica_Kestra2006_" + date + ".pdf";
}

}  // namespace

std::string SelfTestQuestionText(const SelfTestRun& run)
{
    std::string text =
        QCoreApplication::translate("Kestra", "Verifica del programma eseguita.").toStdString() + "\r\n" +
        SelfTestSummary(run, ScreenLanguage());
    if (run.failed() > 0) {
        text += "\r\n\r\n" + QCoreApplication::translate("Kestra", "Casi falliti:").toStdString();
        std::size_t shown = 0;
        for (const SelfTestLine& line : run.lines) {
            if (line.passed) continue;
            if (shown++ == kFailuresShown) {
                text += "\r\n" +
                        QCoreApplication::translate("Kestra", "... e altri %1 (elencati nel certificato)")
                            .arg(run.failed() - static_cast<int>(kFailuresShown))
                            .toStdString();
                break;
            }
            text += "\r\n" + line.name + " " + line.item + ": " +
                    QCoreApplication::translate("Kestra", "atteso %1, ottenuto %2")
                        .arg(QString::fromStdString(CaseCellText(line.expected, line.obtained, 40)),
                             QString::fromStdString(CaseCellText(line.obtained, line.expected, 40)))
                        .toStdString();
        }
    }
    text += "\r\n\r\n" + QCoreApplication::translate(
                             "Kestra",
                             "Vuoi salvare il certificato in PDF?\r\nSì: certificato in italiano\r\nNo: "
                             "certificato in inglese\r\nAnnulla: nessun certificato")
                             .toStdString();
    return text;
}

void RunSelfTestCommand(Prompts& prompts, const std::filesystem::path& referenceFolder,
                        const std::filesystem::path& database, const std::optional<std::string>& logoPath)
{
    SelfTestRun run;
    try {
        BusyPointer busy(prompts);
        run = RunSelfTest(referenceFolder, database);
    } catch (const std::exception& e) {
        prompts.critical(
            QCoreApplication::translate("Kestra", "Verifica del programma non eseguita:").toStdString() +
            "\r\n" + e.what());
        return;
    }
    const Answer answer = prompts.ask(run.allPassed() ? MessageIcon::Information : MessageIcon::Warning,
                                      SelfTestQuestionText(run));
    if (answer == Answer::Cancel) return;
    const Language language = answer == Answer::Yes ? Language::Italian : Language::English;

    const SelfTestFacts facts = GatherSelfTestFacts(run);
    const auto path = prompts.choosePdfSavePath(certificateName(facts));
    if (!path) return;
    try {
        BusyPointer busy(prompts);
        const CompanyData company = ReportDatabase(database, ReportDatabase::Mode::ReadOnly).readAnagrafica();
        const RenderedReport certificate(
            SelfTestCertificate(run, facts, company, language, logoPath, ReadLogoSize));
        certificate.writePdf(QString::fromStdString(path->string()));
    } catch (const std::exception& e) {
        prompts.critical(QCoreApplication::translate("Kestra", "Certificato non salvato:").toStdString() +
                         "\r\n" + e.what());
        return;
    }
    const std::string fault =
        RecordFileAction(audit_action::kExported, *path, "certificato",
                         std::string("Certificato della verifica del programma: ") +
                             (run.allPassed() ? "tutti i casi superati" : "casi non superati"));
    if (!fault.empty()) prompts.warning(fault);
}

}  // namespace kestra
