// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/errors.h"

#include <cerrno>

#include "text/messages.h"

namespace kestra {

namespace {
std::string compose(const std::string& file, int line, const std::string& reason)
{
    if (line > 0) return Msg("File %1, riga %2: %3", {file, std::to_string(line), reason});
    return Msg("File %1: %2", {file, reason});
}
}  // namespace

StudyFileError::StudyFileError(std::string file, int line, std::string reason)
    : std::runtime_error(compose(file, line, reason)),
      m_file(std::move(file)),
      m_line(line),
      m_reason(std::move(reason))
{
}

std::string SystemErrorText(int errorNumber)
{
    switch (errorNumber) {
        case ENOENT:
            return Msg("file o cartella inesistente");
        case EACCES:
            return Msg("permesso negato");
        case EPERM:
            return Msg("operazione non permessa");
        case ENOSPC:
            return Msg("spazio esaurito sul disco");
        case EDQUOT:
            return Msg("quota del disco superata");
        case EROFS:
            return Msg("file system di sola lettura");
        case EISDIR:
            return Msg("è una cartella");
        case ENOTDIR:
            return Msg("una parte del percorso non è una cartella");
        case ENAMETOOLONG:
            return Msg("nome del file troppo lungo");
        case EEXIST:
            return Msg("il file esiste già");
        case EIO:
            return Msg("errore di lettura o scrittura sul dispositivo");
        case EFBIG:
            return Msg("file troppo grande");
        case ELOOP:
            return Msg("troppi collegamenti simbolici");
        case EMFILE:
        case ENFILE:
            return Msg("troppi file aperti");
        case ETXTBSY:
        case EBUSY:
            return Msg("file o dispositivo in uso");
        case EXDEV:
            return Msg("spostamento tra dispositivi diversi non consentito");
        case ENOMEM:
            return Msg("memoria insufficiente");
        case EINVAL:
            return Msg("argomento non valido");
        case ENXIO:
        case ENODEV:
            return Msg("dispositivo non disponibile");
        default:
            return Msg("errore di sistema n. %1", {std::to_string(errorNumber)});
    }
}

std::string SystemErrorText(const std::error_code& error)
{
    if (error.category() == std::generic_category() || error.category() == std::system_category())
        return SystemErrorText(error.value());
    return error.message();
}

}  // namespace kestra
