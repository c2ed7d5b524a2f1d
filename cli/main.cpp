// kestra-cli: computes studies and prints their report records. Writing reports, drawing charts and the
// self-test's certificate need the drawing libraries, so those run in the renderer beside it; compute and the
// self-test as text start without them.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "app/user_folders.h"
#include "cli/command_line.h"
#include "framework/errors.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "text/messages.h"

namespace {

namespace fs = std::filesystem;

// In the build tree the renderer sits beside kestra-cli; installed, in the program's private folder.
fs::path rendererPath()
{
    const fs::path folder = kestra::ExecutableFolder();
    std::error_code ec;
    if (fs::path beside = folder / KESTRA_RENDERER_NAME; fs::exists(beside, ec)) return beside;
    return (folder / KESTRA_RENDERER_FROM_BIN).lexically_normal();
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace kestra;
    cli::CommandLine line;
    if (const auto done = cli::ParseCommandLine(argc, argv, line)) return *done;

    if (line.command == cli::Command::Audit) return cli::RunAudit(line.audit, std::cout, std::cerr);
    if (line.command == cli::Command::Sign) return cli::RunSign(line.sign, std::cin, std::cout, std::cerr);
    if (line.command == cli::Command::SelfTest && line.selfTest.output.empty())
        return cli::RunSelfTestText(line.selfTest, std::cout, std::cerr);
    const bool validateHere = line.command == cli::Command::Validate && line.validate.output.empty();
    if (line.command != cli::Command::Compute && !validateHere) {
        // The renderer parses the very same arguments again; argv[0] stays as the user typed it.
        const fs::path renderer = rendererPath();
        ::execv(renderer.c_str(), argv);
        std::cerr << "kestra-cli: " << kestra::Msg("impossibile avviare %1", {renderer.string()}) << ": "
                  << kestra::SystemErrorText(errno) << "\n";
        return 2;
    }
    SetFTableLookup(std::make_shared<DatabaseFTable>(cli::ProgramFolder() / "DB" / "KESTRA73.MDB"));
    if (validateHere) {
        if (const int fault = cli::InstallCommandTrail(line, std::cerr)) return fault;
        return cli::RunValidate(line.validate, std::cout, std::cerr, std::cin);
    }
    return cli::RunCompute(line.compute, std::cout, std::cerr);
}
