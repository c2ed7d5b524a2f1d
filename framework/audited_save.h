// The one way a study or dossier reaches its file: the audit trail records the save (hashes, field changes,
// reason) before the file is written, and an opening learns whether the file changed outside the program.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/prompts.h"
#include "framework/study_changes.h"

namespace kestra {

// The places of a file's text and their values, for the field changes of a save.
using FileFieldsReader = std::function<std::vector<FileField>(std::string_view contents)>;

struct SaveRequest {
    std::filesystem::path path;       // where the document is written
    std::filesystem::path boundFile;  // the file the document came from; empty when never saved
    std::string kind;                 // the study's extension, "dossier"
    std::string contents;             // the bytes the write puts into the file
    FileFieldsReader fields;
    // The save changes content that carries a valid signature: the reason cannot be left out.
    bool signedContent = false;
};

// Asks the reason of a save: (document, required) -> the reason, nullopt when the user cancelled.
using ReasonSource = std::function<std::optional<std::string>(const std::string&, bool)>;

// Asks the reason when it is required or the user wants to give one at every save, records the save in the
// process's trail and then runs write. Returns false when the user cancelled the reason: nothing written.
// Throws AuditError (with "Il file non è stato salvato" first) when the trail cannot record the save: then
// nothing is written. A write that fails is recorded as such and its exception passed on. Without a trail
// (tests, tools that keep none) it only writes.
bool AuditedSave(const SaveRequest& request, const ReasonSource& askReason, const std::function<void()>& write);
// The same with the reason dialog of the prompts and the busy pointer while the trail is written.
bool AuditedSave(const SaveRequest& request, Prompts& prompts, const std::function<void()>& write);

// The optional reason at every save: off at start, remembered until the program closes.
void SetAskSaveReason(bool ask);
bool AskSaveReason();

// Said once when a file opened differs from the last save the trail recorded for it.
constexpr const char* kChangedOutsideText =
    "Il file è stato modificato fuori dal programma dopo l'ultimo salvataggio registrato";

// After a file was read: records (and says once) a file changed since the trail last recorded it, and an
// opening with reading warnings (`warnings`, empty for none). A trail fault is shown as a warning.
void RecordOpening(const std::filesystem::path& path, const std::string& kind, const std::string& warnings,
                   Prompts& prompts);

// Whether the trail holds a signature bound to the file as it is on disk now (false without a trail).
// Throws AuditError when the trail cannot be read.
bool HasValidTrailSignature(const std::filesystem::path& path);

// The file's SHA-256, "" when there is no file or it cannot be read.
std::string FileSha256OrEmpty(const std::filesystem::path& path);

}  // namespace kestra
