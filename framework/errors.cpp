// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/errors.h"

#include <cerrno>

namespace kestra {

namespace {
std::string compose(const std::string& file, int line, const std::string& reason)
{
    std::string text = "File " + file;
    if (line > 0) text += ", riga " + std::to_string(line);
    return text + ": " + reason;
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
            return "file o cartella inesistente";
        case EACCES:
            return "permesso negato";
        case EPERM:
            return "operazione non permessa";
        case ENOSPC:
            return "spazio esaurito sul disco";
        case EDQUOT:
            return "quota del disco superata";
        case EROFS:
            return "file system di sola lettura";
        case EISDIR:
            return "è una cartella";
        case ENOTDIR:
            return "una parte del percorso non è una cartella";
        case ENAMETOOLONG:
            return "nome del file troppo lungo";
        case EEXIST:
            return "il file esiste già";
        case EIO:
            return "errore di lettura o scrittura sul dispositivo";
        case EFBIG:
            return "file troppo grande";
        case ELOOP:
            return "troppi collegamenti simbolici";
        case EMFILE:
        case ENFILE:
            return "troppi file aperti";
        case ETXTBSY:
        case EBUSY:
            return "file o dispositivo in uso";
        case EXDEV:
            return "spostamento tra dispositivi diversi non consentito";
        case ENOMEM:
            return "memoria insufficiente";
        case EINVAL:
            return "argomento non valido";
        case ENXIO:
        case ENODEV:
            return "dispositivo non disponibile";
        default:
            return "errore di sistema n. " + std::to_string(errorNumber);
    }
}

std::string SystemErrorText(const std::error_code& error)
{
    if (error.category() == std::generic_category() || error.category() == std::system_category())
        return SystemErrorText(error.value());
    return error.message();
}

}  // namespace kestra
