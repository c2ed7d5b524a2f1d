// The dossier window driven as a user does: edits through its tables with undo, the modified prompt, the
// evaluation, the proposals, and the main window opening a dossier with its menus.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/ui/dossier_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QUndoStack>

#include "app/ui/main_window.h"
#include "framework/number_pattern.h"
#include "framework/scripted_prompts.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "reporting/report_settings.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

const fs::path kExample = fs::path(KESTRA_SOURCE_DIR) / "examples" / "dossier";

class DossierWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator(',');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
        fs::copy(kExample, m_dir.path(), fs::copy_options::recursive);
        DossierWindowHost host;
        host.prompts = [this]() -> Prompts& { return m_prompts; };
        host.openStudy = [this](const fs::path& p) { m_opened.push_back(p); };
        host.unsavedStudies = [this] { return m_unsaved; };
        m_window = std::make_unique<DossierWindow>(std::move(host));
        ASSERT_TRUE(m_window->openFile(m_file));
    }
    void TearDown() override
    {
        SetUserDecimalSeparator('.');
        m_window->undoStack()->setClean();
    }
    QTableWidget* criteria() { return m_window->criteriaTable(); }

    test::TempDir m_dir;
    fs::path m_file = m_dir / "convalida_paracetamolo.kvd";
    test::ScriptedPrompts m_prompts;
    std::vector<fs::path> m_opened, m_unsaved;
    std::unique_ptr<DossierWindow> m_window;
};

TEST_F(DossierWindowTest, ALimitTypedWithACommaIsOneUndoableEditSavedAsTyped)
{
    // repeatability cv <= 2.0 is the sixth criterion
    EXPECT_EQ(criteria()->item(5, 4)->text(), "2,0");
    criteria()->item(5, 4)->setText("1,50");
    EXPECT_EQ(m_window->dossier().criteria[5].limit[0].text, "1.50");
    EXPECT_TRUE(m_window->isModified());
    EXPECT_TRUE(m_window->windowTitle().contains("convalida_paracetamolo.kvd"));
    m_window->undoStack()->undo();
    EXPECT_EQ(m_window->dossier().criteria[5].limit[0].text, "2.0");
    EXPECT_EQ(criteria()->item(5, 4)->text(), "2,0");
    EXPECT_FALSE(m_window->isModified());
    m_window->undoStack()->redo();
    ASSERT_TRUE(m_window->save());
    EXPECT_NE(test::readFile(m_file).find("\"limit\": 1.50"), std::string::npos);
    EXPECT_FALSE(m_window->isModified());

    // a text that is no number changes nothing and says so
    criteria()->item(5, 4)->setText("1,5x");
    EXPECT_EQ(m_window->dossier().criteria[5].limit[0].text, "1.50");
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_NE(m_prompts.messages[0].text.find("non è un numero"), std::string::npos);
    EXPECT_EQ(criteria()->item(5, 4)->text(), "1,50");
    EXPECT_FALSE(m_window->isModified());
}

TEST_F(DossierWindowTest, RenamingAStudyCarriesItsCriteriaAndTheMethodFieldsEdit)
{
    m_window->studiesTable()->item(1, 0)->setText("linearita");
    EXPECT_EQ(m_window->dossier().studies[1].id, "linearita");
    EXPECT_EQ(*m_window->dossier().criteria[1].study, "linearita");
    // an id another study has is refused
    m_window->studiesTable()->item(1, 0)->setText("spec");
    EXPECT_EQ(m_window->dossier().studies[1].id, "linearita");
    EXPECT_EQ(m_prompts.messages.size(), 1u);

    QLineEdit* title = m_window->methodField("title");
    title->setText("Nuovo titolo");
    emit title->editingFinished();
    EXPECT_EQ(m_window->dossier().title, "Nuovo titolo");
    QLineEdit* low = m_window->methodField("range_low");
    low->setText("70,0");
    emit low->editingFinished();
    EXPECT_EQ(m_window->dossier().range.low->text, "70.0");
    EXPECT_EQ(m_window->undoStack()->count(), 3);
}

TEST_F(DossierWindowTest, EvaluationShowsEachVerdictAndNamesAStudyOpenWithUnsavedChanges)
{
    m_unsaved = {m_dir / "studi" / "linearita.TAR"};
    m_window->evaluate();
    ASSERT_TRUE(m_window->evaluation());
    EXPECT_EQ(m_window->verdictLabel()->text(), "Esito: Conforme");
    EXPECT_EQ(m_window->resultsTable()->rowCount(), 10);
    EXPECT_EQ(m_window->resultsTable()->item(5, 4)->text(), "0,319");
    EXPECT_EQ(m_window->resultsTable()->item(5, 5)->text(), "0,3");
    EXPECT_TRUE(m_window->notesBox()->toPlainText().contains("aperto con modifiche non salvate"));
    EXPECT_EQ(m_window->studiesTable()->item(1, 4)->text(), "letto e calcolato");

    // saved right after the evaluation, the file records it
    criteria()->item(5, 4)->setText("0,2");
    m_window->evaluate();
    EXPECT_EQ(m_window->verdictLabel()->text(), "Esito: Non conforme");
    ASSERT_TRUE(m_window->save());
    const Dossier saved = Dossier::read(m_file);
    EXPECT_EQ(saved.evaluated["verdict"], "fail");
    EXPECT_EQ(saved.evaluated["studies"].size(), 7u);
}

TEST_F(DossierWindowTest, ProposalsAskTheImpurityThresholdAndStayMarkedUntilConfirmed)
{
    m_window->purposeBox()->setCurrentIndex(m_window->purposeBox()->findData("impurity_quantitative"));
    emit m_window->purposeBox()->activated(m_window->purposeBox()->currentIndex());
    EXPECT_EQ(m_window->dossier().purpose, "impurity_quantitative");
    const std::size_t before = m_window->dossier().criteria.size();
    m_prompts.texts = {std::string("soglia"), std::string("0,05")};
    m_window->proposeCriteria();
    const auto& criteria = m_window->dossier().criteria;
    ASSERT_EQ(criteria.size(), before + 5);
    EXPECT_EQ(criteria[before + 1].quantity, "quantitation_limit");
    EXPECT_EQ(criteria[before + 1].limit[0].text, "0.05");
    EXPECT_EQ(m_prompts.messages.size(), 1u);  // "soglia" is no number
    // bound to the study whose kind gives the quantity
    EXPECT_EQ(*criteria[before + 1].study, "lim");
    EXPECT_EQ(this->criteria()->item(static_cast<int>(before), 5)->text(), "proposto");
    m_window->confirmProposals();
    EXPECT_FALSE(m_window->dossier().criteria[before].proposed);
    // a cancelled question proposes nothing
    m_prompts.texts = {std::nullopt};
    m_window->proposeCriteria();
    EXPECT_EQ(m_window->dossier().criteria.size(), before + 5);
}

TEST_F(DossierWindowTest, ClosingAModifiedDossierAsksFirst)
{
    criteria()->item(5, 4)->setText("1,0");
    m_prompts.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(m_window->closeDocument());
    EXPECT_TRUE(m_window->closeDocument());
    EXPECT_NE(m_prompts.questions.at(0).text.find("convalida_paracetamolo.kvd"), std::string::npos);
    // the file is as it was
    EXPECT_NE(test::readFile(m_file).find("\"limit\": 2.0"), std::string::npos);
}

TEST(DossierMainWindow, OpensADossierFileWithItsMenusAndKeepsOneWindowPerFile)
{
    test::TempDir dir;
    fs::create_directories(dir / "home");
    fs::copy(kExample, dir / "d", fs::copy_options::recursive);
    test::ScriptedPrompts prompts;
    const auto bin = QString::fromStdString(fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path().string());
    const char savedSeparator = UserDecimalSeparator();
    const fs::path savedDatabase = ReportDatabasePath();
    {
        Kestra window(ShellEnvironment{QString::fromStdString((dir / "home").string()), bin}, &prompts);
        window.setDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
        ASSERT_TRUE(window.start());
        window.show();
        const QString file = QString::fromStdString((dir / "d" / "convalida_paracetamolo.kvd").string());
        ASSERT_TRUE(window.openFile(file));
        ASSERT_TRUE(window.openFile(file));  // the second time brings the same window forward
        QApplication::processEvents();
        ASSERT_EQ(window.openDossierWindows().size(), 1u);
        QStringList menus;
        for (QAction* a : window.menuBar()->actions()) menus << a->text();
        EXPECT_EQ(menus, (QStringList{"&File", "Mo&difica", "&Convalida", "&Metodi", "&Finestre", "&?"}));
        DossierWindow* w = window.openDossierWindows().front();
        EXPECT_EQ(w->dossier().studies.size(), 7u);
        // a malformed dossier is refused with its place and leaves no window behind
        test::writeFile(dir / "d" / "rotto.kvd", "{\n  \"format\": \"kestra-dossier\",\n  \"title\" \"x\"\n}");
        EXPECT_FALSE(window.openFile(QString::fromStdString((dir / "d" / "rotto.kvd").string())));
        QApplication::processEvents();
        ASSERT_FALSE(prompts.messages.empty());
        EXPECT_NE(prompts.messages.back().text.find("riga 3"), std::string::npos);
        EXPECT_EQ(window.openDossierWindows().size(), 1u);
        // the main window's File menu offers the dossier commands
        window.newDossier();
        EXPECT_EQ(window.openDossierWindows().size(), 2u);
    }
    SetUserDecimalSeparator(savedSeparator);
    SetReportDatabasePath(savedDatabase);
    SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
}

}  // namespace
}  // namespace kestra
