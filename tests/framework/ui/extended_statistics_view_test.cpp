// The "Statistica estesa" page: last in every study window, values after a calculation, the reason when there
// are none, read-only, reached and copied from the keyboard.
#include "framework/ui/extended_statistics_view.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <cstdlib>

#include "framework/extended_statistics_text.h"
#include "framework/services.h"
#include "framework/ui/data_grid_view.h"
#include "framework/ui/study_window.h"
#include "reporting/f_table.h"
#include "sample_studies.h"
#include "studies/ui/study_window_factory.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"
#include "tests/framework/ui/typing.h"

namespace kestra {
namespace {

// A study whose extended statistics are known: one of each kind of value, given once it has calculated.
class KnownStudy final : public Study {
public:
    KnownStudy() : Study(StudyKindId::Limi) { m_grid.resize(3, 1); }
    DataGrid& grid() override { return m_grid; }
    using Study::grid;
    CalcOutcome calculate() override
    {
        m_calculated = true;
        CalcOutcome outcome;
        outcome.computed = true;
        return outcome;
    }
    ReportRecords reportRecords(Language) const override { return {}; }
    std::string conclusionText() const override { return {}; }
    ExtendedStatistics extendedStatistics() const override
    {
        ExtendedStatistics s;
        if (!m_calculated || !resultsCurrent()) return s;
        s.available = true;
        s.values.push_back({"t_critical_exact",
                            "t critico esatto",
                            "exact critical t",
                            ExtendedValue::Type::Number,
                            2.7764451051977934,
                            {},
                            "t(0,975; 4); il valore storico usa la tabella",
                            "t(0.975; 4)"});
        s.values.push_back({"grubbs_suspect_row",
                            "Riga sospetta (Grubbs)",
                            "Suspect row (Grubbs)",
                            ExtendedValue::Type::Integer,
                            3.0,
                            {},
                            "riga del valore più lontano",
                            "row"});
        s.values.push_back({"p_exact",
                            "p esatto",
                            "exact p",
                            ExtendedValue::Type::Number,
                            std::nullopt,
                            {},
                            "nessun test",
                            "no test"});
        s.values.push_back({"residuals",
                            "Residui",
                            "Residuals",
                            ExtendedValue::Type::Array,
                            std::nullopt,
                            {0.0125, -1.5e-7, 40.0},
                            "y - (a + b x)",
                            "y - (a + b x)"});
        return s;
    }

protected:
    void resetData() override
    {
        m_grid.resize(3, 1);
        m_calculated = false;
    }
    void readContents(StudyFileReader&) override {}
    void writeContents(StudyFileWriter&) const override {}

private:
    DataGrid m_grid;
    bool m_calculated = false;
};

class KnownWindow final : public StudyWindow {
public:
    explicit KnownWindow(StudyWindowHost& host)
        : StudyWindow(std::make_unique<KnownStudy>(), host, StudyWindowOptions{})
    {
        QWidget* page = addTab(QStringLiteral("Dati"));
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(createDataGrid(study().grid(), page));
        showDocument();
    }

protected:
    void showStudyData() override {}
};

class ExtendedStatisticsViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator(',');
        window = std::make_unique<KnownWindow>(host);
        window->resize(900, 600);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        view = window->extendedStatisticsView();
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    QString cell(int row, int column) const { return view->table()->item(row, column)->text(); }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(k), modifiers);
        QApplication::processEvents();
    }

    test::TestHost host;
    std::unique_ptr<KnownWindow> window;
    ExtendedStatisticsView* view = nullptr;
};

TEST_F(ExtendedStatisticsViewTest, ValuesAfterACalculationAndTheReasonWhenThereAreNone)
{
    QTabWidget* tabs = window->tabs();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), "Statistica estesa");
    EXPECT_TRUE(tabs->widget(1)->isAncestorOf(view));
    // a new study: nothing calculated yet
    tabs->setCurrentIndex(1);
    EXPECT_TRUE(view->notice()->isVisible());
    EXPECT_FALSE(view->table()->isVisible());
    EXPECT_EQ(view->notice()->text(), "Eseguire il calcolo per vedere la statistica estesa.");

    // typed data, then F9 from the grid
    tabs->setCurrentIndex(0);
    DataGridView* grid = window->dataGrid();
    grid->setActiveCell(0, 0);
    test::typeText(grid, "5");
    key(Qt::Key_Return);
    key(Qt::Key_F9);
    tabs->setCurrentIndex(1);
    ASSERT_TRUE(view->table()->isVisible());
    EXPECT_FALSE(view->notice()->isVisible());
    ASSERT_EQ(view->table()->rowCount(), 6);  // three values, the residuals one line each
    EXPECT_EQ(cell(0, 0), "t critico esatto");
    EXPECT_EQ(cell(0, 1), "2,77645");  // six significant digits, the user's separator
    EXPECT_EQ(view->table()->item(0, 1)->toolTip(), "Valore completo: 2,7764451051977934");
    EXPECT_EQ(view->table()->item(0, 0)->toolTip(), "Chiave: t_critical_exact");
    EXPECT_EQ(cell(0, 2), "t(0,975; 4); il valore storico usa la tabella");
    EXPECT_EQ(cell(1, 1), "3");
    EXPECT_EQ(cell(2, 1), "non applicabile");
    EXPECT_EQ(cell(3, 0), "Residui 1");
    EXPECT_EQ(cell(3, 1), "0,0125");
    EXPECT_EQ(cell(3, 2), "y - (a + b x)");
    EXPECT_EQ(cell(4, 1), "-1,5E-07");
    EXPECT_EQ(cell(4, 2), "");  // the note once, on the first element
    EXPECT_EQ(cell(5, 0), "Residui 3");
    EXPECT_EQ(cell(5, 1), "40");
    for (int r = 0; r < view->table()->rowCount(); ++r)
        for (int c = 0; c < 3; ++c) EXPECT_FALSE(view->table()->item(r, c)->flags() & Qt::ItemIsEditable);

    // a changed cell: the values no longer belong to the data
    tabs->setCurrentIndex(0);
    grid->setActiveCell(1, 0);
    test::typeText(grid, "6");
    key(Qt::Key_Return);
    tabs->setCurrentIndex(1);
    EXPECT_FALSE(view->table()->isVisible());
    EXPECT_TRUE(view->notice()->text().startsWith("I dati sono cambiati dopo l'ultimo calcolo"));
    window->action("StrumentiCalcola")->trigger();
    EXPECT_TRUE(view->table()->isVisible());

    // New: back to the reason
    host.script.answers.push_back(Answer::No);  // do not save the changes
    window->action("FileNuovo")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(view->table()->isVisible());
    EXPECT_EQ(view->notice()->text(), "Eseguire il calcolo per vedere la statistica estesa.");
}

TEST_F(ExtendedStatisticsViewTest, ReachedAndCopiedByKeyboardOnly)
{
    DataGridView* grid = window->dataGrid();
    grid->setActiveCell(0, 0);
    test::typeText(grid, "5");
    key(Qt::Key_Return);
    key(Qt::Key_F9);
    // from the first page, Ctrl+PgUp goes round to the last one and puts the focus in the table
    key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(window->tabs()->currentIndex(), 1);
    ASSERT_EQ(QApplication::focusWidget(), view->table())
        << QApplication::focusWidget()->metaObject()->className() << " "
        << QApplication::focusWidget()->objectName().toStdString();
    key(Qt::Key_Down);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Riga sospetta (Grubbs)\t3\triga del valore più lontano\n"
              "p esatto\tnon applicabile\tnessun test");
    // typing does not change a value, and Tab leaves the table
    key(Qt::Key_5);
    EXPECT_EQ(cell(1, 1), "3");
    // the window's own Copia acts on the table too
    QApplication::clipboard()->clear();
    window->action("ModificaCopia")->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Riga sospetta (Grubbs)\t3"));
    key(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), view->table());
}

// Every study window ends with the page: why it is empty on a new document, and after opening a study file
// (which calculates) every value the study gives, in its order, as the display rule writes it.
class EveryWindowTest : public ::testing::TestWithParam<StudyKindId> {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator(',');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }
    test::TempDir dir;
};

TEST_P(EveryWindowTest, EndsWithTheExtendedStatisticsPage)
{
    test::TestHost host;
    std::unique_ptr<StudyWindow> window = CreateStudyWindow(GetParam(), host);
    ASSERT_TRUE(window);
    window->resize(1100, 760);
    window->show();
    QTabWidget* tabs = window->tabs();
    ExtendedStatisticsView* view = window->extendedStatisticsView();
    EXPECT_EQ(tabs->tabText(tabs->count() - 1), "Statistica estesa");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(tabs->widget(tabs->count() - 1)->isAncestorOf(view));
    tabs->setCurrentIndex(tabs->count() - 1);
    EXPECT_TRUE(view->notice()->isVisible());
    EXPECT_EQ(view->notice()->text(), "Eseguire il calcolo per vedere la statistica estesa.");

    const std::string file = std::string("sample.") + KindInfo(GetParam()).extension;
    test::SampleStudy(GetParam())->write(dir / file);
    ASSERT_TRUE(window->openStudyFile(QString::fromStdString((dir / file).string())));
    QApplication::processEvents();
    const ExtendedStatistics expected = window->study().extendedStatistics();
    ASSERT_TRUE(expected.available);
    const std::vector<ExtendedLine> lines = ExtendedLines(expected, Language::Italian, ',');
    if (lines.empty()) {
        // a study whose tests use no t or F
        EXPECT_EQ(view->notice()->text().toStdString(), ExtendedNoValuesText(Language::Italian));
        EXPECT_FALSE(view->table()->isVisible());
    } else {
        ASSERT_TRUE(view->table()->isVisible());
        ASSERT_EQ(view->table()->rowCount(), static_cast<int>(lines.size()));
        for (std::size_t r = 0; r < lines.size(); ++r) {
            const int row = static_cast<int>(r);
            EXPECT_EQ(view->table()->item(row, 0)->toolTip().toStdString(), "Chiave: " + lines[r].key);
            EXPECT_EQ(view->table()->item(row, 1)->text().toStdString(), lines[r].value) << lines[r].key;
            EXPECT_FALSE(view->table()->item(row, 2)->text().isEmpty() &&
                         lines[r].key.find('[') == std::string::npos)
                << lines[r].key << " has no note";
        }
        // filled while another page shows, then shown at another width: each row fits its note as wrapped at
        // the width it is shown with (every note fits one line of a wide page, two at most)
        tabs->setCurrentIndex(0);
        window->showDocument();
        window->resize(1600, 1000);
        QApplication::processEvents();
        tabs->setCurrentIndex(tabs->count() - 1);
        QApplication::processEvents();
        const int lineSpacing = view->table()->fontMetrics().lineSpacing();
        for (std::size_t r = 0; r < lines.size(); ++r)
            EXPECT_LE(view->table()->rowHeight(static_cast<int>(r)), 2 * lineSpacing + 14) << lines[r].key;
    }
    if (const char* folder = std::getenv("KESTRA_SCREENSHOTS")) {
        QApplication::processEvents();
        const QString name = QString::fromLatin1(folder) + QStringLiteral("/extended-") +
                             QString::fromLatin1(KindInfo(GetParam()).windowName);
        window->grab().save(name + QStringLiteral(".png"));
        // the calibration's charts page and its residuals page
        if (GetParam() == StudyKindId::Tara)
            for (int page = 2; page <= 3; ++page) {
                tabs->setCurrentIndex(page);
                QApplication::processEvents();
                window->grab().save(name + QStringLiteral("-%1.png").arg(tabs->tabText(page)));
            }
    }
    // data that no longer match the calculation: the page says so
    window->study().setResultsCurrent(false);
    window->showDocument();
    EXPECT_TRUE(view->notice()->text().startsWith("I dati sono cambiati"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryWindowTest,
                         ::testing::Values(StudyKindId::Limi, StudyKindId::Prec, StudyKindId::Tara,
                                           StudyKindId::Accu, StudyKindId::Spec, StudyKindId::Prin,
                                           StudyKindId::Ripr),
                         [](const auto& info) { return std::string(KindInfo(info.param).windowName); });

}  // namespace
}  // namespace kestra
