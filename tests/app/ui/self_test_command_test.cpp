// "Verifica del programma..." from a window: the summary with the failed cases, the certificate in the
// language chosen, and the failures that leave nothing written.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/self_test_command.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "framework/scripted_prompts.h"
#include "reporting/ui/report_test_support.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

const fs::path kBin = fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path();

class SelfTestCommandTest : public ::testing::Test {
protected:
    void SetUp() override { fs::copy_file(KESTRA_TEMPLATE_DB, m_db); }
    void run() { RunSelfTestCommand(m_prompts, kBin / "selftest", m_db, std::nullopt); }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    test::ScriptedPrompts m_prompts;
};

TEST_F(SelfTestCommandTest, SummaryThenTheItalianCertificate)
{
    const fs::path pdf = m_dir / "certificato.pdf";
    m_prompts.answers = {Answer::Yes};
    m_prompts.pdfPaths = {pdf};
    run();
    ASSERT_EQ(m_prompts.questions.size(), 1u);
    EXPECT_EQ(m_prompts.questions[0].icon, MessageIcon::Information);
    const std::string& text = m_prompts.questions[0].text;
    EXPECT_EQ(text.rfind("Verifica del programma eseguita.\r\n", 0), 0u) << text;
    EXPECT_NE(text.find(" superati, 0 falliti\r\n\r\nVuoi salvare il certificato in PDF?"), std::string::npos);
    EXPECT_EQ(text.find("Casi falliti"), std::string::npos);
    ASSERT_EQ(m_prompts.pdfDialogs.size(), 1u);
    EXPECT_EQ(m_prompts.pdfDialogs[0].rfind("Verifica_Kestra2006_20", 0), 0u) << m_prompts.pdfDialogs[0];
    EXPECT_TRUE(m_prompts.messages.empty()) << m_prompts.lastMessage();
    EXPECT_GT(m_prompts.busyCalls, 0);
    EXPECT_EQ(m_prompts.busyDepth, 0);
    const std::string pages = test::PdfText(pdf);
    EXPECT_NE(pages.find("CERTIFICATO DI VERIFICA DEL PROGRAMMA"), std::string::npos);
    EXPECT_NE(pages.find("SUPERATO"), std::string::npos);
}

TEST_F(SelfTestCommandTest, FailedCasesAreListedAndNoGivesTheEnglishCertificate)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_db.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "UPDATE TabF SET VAL_F = 5.15 WHERE GDL_1 = 2 AND GDL_2 = 6", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const fs::path pdf = m_dir / "certificate.pdf";
    m_prompts.answers = {Answer::No};
    m_prompts.pdfPaths = {pdf};
    run();
    ASSERT_EQ(m_prompts.questions.size(), 1u);
    EXPECT_EQ(m_prompts.questions[0].icon, MessageIcon::Warning);
    const std::string& text = m_prompts.questions[0].text;
    EXPECT_NE(text.find("\r\n\r\nCasi falliti:\r\nTabF GDL_1 = 2 VAL_F: atteso 1000 righe come il modello, "
                        "ottenuto 999 righe uguali\r\nTabF GDL_1 = 2, GDL_2 = 6 VAL_F: atteso 5.14, ottenuto 5.15"),
              std::string::npos)
        << text;
    // nineteen failures: ten are named, the other nine counted
    EXPECT_NE(text.find("\r\n... e altri 9 (elencati nel certificato)\r\n"), std::string::npos) << text;
    const std::string pages = test::PdfText(pdf);
    EXPECT_NE(pages.find("PROGRAM VERIFICATION CERTIFICATE"), std::string::npos);
    EXPECT_NE(pages.find("FAIL"), std::string::npos);
    EXPECT_NE(pages.find("19 failed"), std::string::npos);
}

TEST_F(SelfTestCommandTest, CancelAndFailuresWriteNothing)
{
    m_prompts.answers = {Answer::Cancel};
    run();
    EXPECT_TRUE(m_prompts.pdfDialogs.empty());

    m_prompts.answers = {Answer::Yes};
    m_prompts.pdfPaths = {std::nullopt};
    run();
    EXPECT_EQ(m_prompts.pdfDialogs.size(), 1u);
    EXPECT_TRUE(m_prompts.messages.empty());

    m_prompts.answers = {Answer::Yes};
    m_prompts.pdfPaths = {m_dir / "no" / "x.pdf"};
    run();
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(m_prompts.lastMessage().rfind("Certificato non salvato:\r\n", 0), 0u) << m_prompts.lastMessage();

    RunSelfTestCommand(m_prompts, m_dir / "none", m_db, std::nullopt);
    ASSERT_EQ(m_prompts.messages.size(), 2u);
    EXPECT_EQ(m_prompts.lastMessage(),
              "Verifica del programma non eseguita:\r\ncartella dei dati di riferimento mancante: " +
                  (m_dir / "none").string());
    EXPECT_EQ(m_prompts.questions.size(), 3u) << "no question when the checks could not run";
    EXPECT_EQ(m_prompts.busyDepth, 0);
    EXPECT_TRUE(m_prompts.allAnswersUsed());
}

}  // namespace
}  // namespace kestra
