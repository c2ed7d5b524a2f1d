#include "framework/document_commands.h"

#include <fstream>

#include "audit/sha256.h"
#include "audit/audit_trail.h"
#include "framework/errors.h"
#include "framework/study_changes.h"

namespace kestra {

namespace {

// The file's SHA-256, "" when there is no file to read (a first save, an unreadable old file).
std::string fileSha256(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    try {
        return Sha256OfFile(path);
    } catch (const std::exception&) {
        return {};
    }
}

// The study file's text as it stands, "" when there is none or it cannot be read (or is beyond any study's
// size: a save is not held up by a huge foreign file).
std::string previousContents(const std::filesystem::path& path, bool bound)
{
    std::error_code ec;
    if (!bound || !std::filesystem::is_regular_file(path, ec)) return {};
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > 64u * 1024 * 1024) return {};
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// The trail's entry for a save of the study to path, before it is written.
AuditEntry saveEntry(const Study& study, const std::filesystem::path& path)
{
    AuditEntry entry;
    const bool bound = !study.loadFileName().empty();
    entry.objectPath = TrailPath(path);
    entry.objectKind = study.kind().extension;
    if (!bound) {
        entry.action = audit_action::kCreated;
    } else if (TrailPath(study.loadFileName()) == entry.objectPath) {
        entry.action = audit_action::kSaved;
    } else {
        entry.action = audit_action::kSavedAs;
        entry.oldPath = TrailPath(study.loadFileName());
    }
    entry.sha256Before = fileSha256(path);
    const std::string contents = study.fileContents();
    entry.sha256After = Sha256Hex(contents);
    // compared with the file as it is on disk: the one replaced, or for Save as the one the document came
    // from; a first save lists every value it writes
    const std::filesystem::path previous = bound ? std::filesystem::path(study.loadFileName()) : path;
    entry.changes =
        FieldChanges(StudyFileFields(previousContents(previous, bound)), StudyFileFields(contents));
    return entry;
}

// After a read: a file changed since the trail last recorded it, and a reading with warnings.
void recordOpening(const Study& study, Prompts& prompts, const std::filesystem::path& path,
                   const std::string& readFault)
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail) return;
    const std::string notes = ReadingWarningText(study.readingNotes());
    std::string trailFault;
    try {
        const std::string sha = fileSha256(path);
        const std::optional<std::string> last = trail->lastSha256(path);
        AuditEntry entry;
        entry.objectPath = TrailPath(path);
        entry.objectKind = study.kind().extension;
        entry.sha256Before = entry.sha256After = sha;
        if (last && *last != sha) {
            entry.action = audit_action::kChangedOutside;
            entry.sha256Before = *last;
            trail->record(entry);
            prompts.warning(kChangedOutsideText);
        }
        if (!readFault.empty() || !notes.empty()) {
            entry.action = audit_action::kOpenedWithWarnings;
            entry.sha256Before = sha;
            entry.detail = readFault.empty() ? notes : readFault + (notes.empty() ? "" : "\n" + notes);
            trail->record(entry);
        }
    } catch (const AuditError& e) {
        trailFault = e.what();
    }
    if (!trailFault.empty()) prompts.warning(trailFault);
}

}  // namespace

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
            readFault = "File " + path.string() + ": " + e.what();
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
    recordOpening(m_study, m_prompts, path, readFault);
    if (!readFault.empty())
        m_prompts.critical("Impossibile leggere completamente il file.\r\n\r\n" + readFault +
                           "\r\n\r\nLa finestra mostra i dati letti fino all'errore.");
    // what was read differently from the file is said once, before the calculation's own messages
    const std::string notes = ReadingWarningText(m_study.readingNotes());
    if (!notes.empty()) m_prompts.warning(notes);
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
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    std::optional<AuditEntry> recorded;
    {
        BusyPointer busy(m_prompts);
        try {
            // the trail first: a save it cannot record does not happen, so the trail has no gaps
            if (trail) {
                AuditEntry entry = saveEntry(m_study, path);
                try {
                    trail->record(entry);
                } catch (const AuditError& e) {
                    throw AuditError(
                        std::string("Il file non è stato salvato: impossibile registrare la modifica "
                                    "nel registro delle modifiche.\n\n") +
                        e.what());
                }
                recorded = std::move(entry);
            }
            m_study.write(path);
        } catch (const std::exception& e) {
            fault = e.what();
        }
    }
    if (!fault.empty() && recorded) {
        // the trail said the file was saved: it must also say it was not
        AuditEntry failed;
        failed.action = audit_action::kSaveFailed;
        failed.objectPath = recorded->objectPath;
        failed.objectKind = recorded->objectKind;
        failed.sha256Before = recorded->sha256Before;
        failed.sha256After = fileSha256(path);
        failed.detail = "Voce " + std::to_string(recorded->sequence) + " non applicata: " + fault;
        try {
            trail->record(failed);
        } catch (const AuditError& e) {
            fault += std::string("\n\n") + e.what();
        }
    }
    if (!fault.empty()) {
        // the study is unchanged: still modified, still bound to its previous file (if any)
        m_prompts.critical(fault);
        return false;
    }
    if (m_view) m_view->showDocument();
    return true;
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
