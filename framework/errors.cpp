#include "framework/errors.h"

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

}  // namespace kestra
