// kestra-cli-render: the commands of kestra-cli that draw (report, chart, the self-test certificate), started by kestra-cli with the
// user's arguments. It runs compute too, so it answers every command line kestra-cli accepts.
#include <iostream>

#include "cli/command_line.h"
#include "framework/services.h"
#include "reporting/f_table.h"

int main(int argc, char** argv)
{
    using namespace kestra;
    cli::CommandLine line;
    if (const auto done = cli::ParseCommandLine(argc, argv, line)) return *done;
    if (const int fault = cli::InstallCommandTrail(line, std::cerr)) return fault;

    SetFTableLookup(std::make_shared<DatabaseFTable>(cli::ProgramFolder() / "DB" / "KESTRA73.MDB"));
    switch (line.command) {
        case cli::Command::Compute:
            return cli::RunCompute(line.compute, std::cout, std::cerr);
        case cli::Command::Report:
            return cli::RunReport(line.report, std::cerr);
        case cli::Command::Chart:
            return cli::RunChart(line.chart, std::cerr);
        case cli::Command::Validate:
            if (line.validate.output.empty())
                return cli::RunValidate(line.validate, std::cout, std::cerr, std::cin);
            return cli::RunValidateReport(line.validate, std::cout, std::cerr, std::cin);
        case cli::Command::Audit:
            return cli::RunAudit(line.audit, std::cout, std::cerr);
        case cli::Command::Sign:
            return cli::RunSign(line.sign, std::cin, std::cout, std::cerr);
        case cli::Command::SelfTest:
            if (line.selfTest.output.empty()) return cli::RunSelfTestText(line.selfTest, std::cout, std::cerr);
            return cli::RunSelfTestCertificate(line.selfTest, std::cout, std::cerr);
    }
    return 2;
}
