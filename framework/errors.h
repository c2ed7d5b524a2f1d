// Typed errors of the core; the screen layer turns them into Italian message boxes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

namespace kestra {

// A fault while reading a study file: the file, the line (1-based, 0 when the file could not be read at all)
// and what was wrong. what() is a complete Italian sentence for the user.
class StudyFileError : public std::runtime_error {
public:
    StudyFileError(std::string file, int line, std::string reason);
    const std::string& file() const { return m_file; }
    int line() const { return m_line; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_file;
    int m_line;
    std::string m_reason;
};

// A study file that could not be written; the previous file is left untouched.
class StudyWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The system's description of an error number, in Italian ("permesso negato", "spazio esaurito sul disco"
// ...), for every message in which an error of the operating system reaches the user.
std::string SystemErrorText(int errorNumber);
std::string SystemErrorText(const std::error_code& error);

}  // namespace kestra
