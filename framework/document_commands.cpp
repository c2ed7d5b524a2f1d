// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/document_commands.h"

#include "framework/audited_save.h"
#include "framework/errors.h"
#include "framework/signature_command.h"
#include "text/interface_language.h"
#include "text/messages.h"

namespace kestra {

DocumentCommands::DocumentCommands(Study& study, Prompts& prompts, DocumentView* view)
    : m_study(study), m_prompts(prompts), m_view(view)
{
}

bool DocumentCommands::settleChanges()
{
    m_study.setModify(m_study.isModified());
    if (!m_study.isModify()) return true;
    switch (m_prompts.askSaveChanges(m_study.title())) {
        case Answer::Cancel:
            return false;
        case Answer::No:
            return true;
        case Answer::Yes:
            saveStudyFile();
            // a cancelled file dialog or a failed write leaves the document modified: stop
            return !m_study.isModified();
    }
    return false;
}

bool DocumentCommands::newDocument()
{
    if (!settleChanges()) return false;
    m_study.reset();
    if (m_view) {
        m_view->showDocument();
        m_view->enableDocumentCommands(false);
    }
    return true;
}

bool DocumentCommands::openStudyFile()
{
    if (!settleChanges()) return false;
    const auto path = m_prompts.chooseOpenPath(m_study.kindId());
    if (!path || path->empty()) return false;
    // a name typed past the dialog's filter: another kind's file read as this one would show nonsense
    if (const auto kind = KindFromExtension(path->extension().string());
        kind && *kind != m_study.kindId() && m_view && m_view->openInItsOwnWindow(*path, *kind))
        return false;
    return readAndCalculate(*path);
}

bool DocumentCommands::openStudyFile(const std::filesystem::path& path)
{
    if (!settleChanges()) return false;
    return readAndCalculate(path);
}

bool DocumentCommands::readAndCalculate(const std::filesystem::path& path)
{
    std::string readFault;
    CalcOutcome outcome;
    {
        BusyPointer busy(m_prompts);
        try {
            m_study.read(path);
        } catch (const StudyFileError& e) {
            readFault = e.what();
        } catch (const std::exception& e) {
            readFault = Msg("File %1: %2", {path.string(), e.what()});
        }
        // study files hold data only: the results are always computed again, also from a partial read
        outcome = RunCalculation(m_study);
        m_study.setModify(false);
        m_study.clearGridsChanged();
    }
    if (m_view) {
        m_view->showDocument();
        m_view->enableDocumentCommands(true);
    }
    {
        const std::string notes = ReadingWarningText(m_study.readingNotes());
        RecordOpening(path, m_study.kind().extension, readFault.empty() ? notes : readFault + (notes.empty() ? "" : "\n" + notes),
                      m_prompts);
        // a signature the file no longer matches is said, never left unseen
        const bool english = InterfaceIsEnglish();
        const std::string signatures = TrailSignatureText(m_study.loadFileName(), english);
        if (signatures.find(english ? kSignatureInvalidEn : kSignatureInvalidIt) != std::string::npos)
            m_prompts.warning(Msg("Firme elettroniche del file:") + "\n" + signatures);
    }
    if (!readFault.empty())
        m_prompts.critical(
            Msg("Impossibile leggere completamente il file.\r\n\r\n%1\r\n\r\nLa finestra mostra i "
                "dati letti fino all'errore.",
                {readFault}));

    // what was read differently from the file is said once, before the calculation's own messages
    const std::string notes = ReadingWarningText(m_study.readingNotes());
    if (!notes.empty()) m_prompts.warning(notes);
    if (!readFault.empty()) std::erase_if(outcome.messages, [](const StudyMessage& m) { return m.noData; });
    showMessages(outcome);
    return true;
}

bool DocumentCommands::saveStudyFile()
{
    if (!m_study.loadFileName().empty()) return writeTo(m_study.loadFileName());
    const auto path = m_prompts.chooseSavePath(m_study.kindId());
    if (!path || path->empty()) return false;
    return writeTo(*path);
}

bool DocumentCommands::saveStudyFileAs()
{
    const auto path = m_prompts.chooseSavePath(m_study.kindId());
    if (!path || path->empty()) return false;
    return writeTo(*path);
}

bool DocumentCommands::writeTo(const std::filesystem::path& path)
{
    std::string fault;
    try {
        // a study's signatures live in the trail, bound to its file as it was signed
        const SaveRequest request{path, m_study.loadFileName(), m_study.kind().extension, m_study.fileContents(),
                                  StudyFileFields, HasValidTrailSignature(m_study.loadFileName())};
        const bool saved = AuditedSave(request, m_prompts, [&] { m_study.write(path); });
        if (!saved) return false;
    } catch (const std::exception& e) {
        fault = e.what();
    }
    if (!fault.empty()) {
        // the study is unchanged: still modified, still bound to its previous file (if any)
        m_prompts.critical(fault);
        return false;
    }
    if (m_view) m_view->showDocument();
    return true;
}

bool DocumentCommands::signStudyFile()
{
    const std::string file = m_study.loadFileName();
    if (file.empty() || m_study.isModified()) {
        m_prompts.warning(Msg("Salvare lo studio prima di firmarlo: la firma vale per il file salvato."));
        return false;
    }
    return RunSignatureCommand(
        std::filesystem::path(file).filename().string(), TrailSignatureText(file, InterfaceIsEnglish()), m_prompts,
        [&](const SignatureRequest& r, SignaturePassword& p, AuditTrail& t, SignatureRecord* made) {
            return SignFileInTrail(file, m_study.kind().extension, r, p, t, made);
        });
}

bool DocumentCommands::close()
{
    return settleChanges();
}

bool DocumentCommands::calculate()
{
    CalcOutcome outcome;
    {
        BusyPointer busy(m_prompts);
        outcome = RunCalculation(m_study);
    }
    if (m_view) m_view->showDocument();
    showMessages(outcome);
    return outcome.computed;
}

void DocumentCommands::showMessages(const CalcOutcome& outcome)
{
    for (const StudyMessage& m : outcome.messages) {
        for (int i = 0; i < m.beeps; ++i) m_prompts.beep();
        const MessageIcon icon = m.severity == StudyMessage::Severity::Information ? MessageIcon::Information
                                 : m.severity == StudyMessage::Severity::Critical  ? MessageIcon::Critical
                                                                                   : MessageIcon::Warning;
        m_prompts.message(icon, m.text, m.title);
    }
}

}  // namespace kestra
