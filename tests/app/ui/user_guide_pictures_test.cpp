// The pictures of the user guide: the main window, every study window with a worked example, the main
// dialogs and a report page, made from the program itself so they follow it. Made only when
// KESTRA_SCREENSHOTS names a folder (the build does it for the help), into <folder>/<language>/, where the
// language is KESTRA_SCREENSHOTS_LANGUAGE ("it", the default, or "en"): the interface and the reports in that
// language, numbers with that language's decimal separator.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QRegularExpression>
#include <QTabWidget>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "app/ui/main_window.h"
#include "framework/number_pattern.h"
#include "framework/scripted_prompts.h"
#include "framework/services.h"
#include "framework/ui/form_numero.h"
#include "framework/ui/study_window.h"
#include "reporting/f_table.h"
#include "reporting/report_database.h"
#include "reporting/report_settings.h"
#include "reporting/ui/company_data_dialog.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/print_language_dialog.h"
#include "app/ui/qt_translations.h"
#include "framework/ui/ui_text.h"
#include "text/interface_language.h"
#include "reporting/ui/report_renderer.h"
#include "reporting/ui/report_test_support.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

// The widths of the pictures in the help window, in pixels.
constexpr int kWindowWidth = 800;
constexpr int kPageWidth = 560;

// The worked examples of the reference set (and the example of the sources), one per study window, and the
// page each picture shows.
struct StudyPicture {
    const char* file;     // under the source folder
    const char* picture;  // file name without .png
    const char* tab;      // the page shown: the first whose title starts with it
};
constexpr StudyPicture kStudies[] = {
    {"examples/esempio.LIM", "studio-limiti", "Info"},
    {"data/selftest/studies/ripetibilita.PRE", "studio-ripetibilita", "Info"},
    {"data/selftest/studies/taratura.TAR", "studio-taratura", "Dati"},
    {"data/selftest/studies/taratura.TAR", "studio-taratura-grafici", "Grafici"},
    {"data/selftest/studies/accuratezza_3.ACC", "studio-accuratezza", "Dati"},
    {"data/selftest/studies/specificita_1.SPC", "studio-specificita", "Dati"},
    {"data/selftest/studies/precisione_intermedia.PRI", "studio-precisione-intermedia", "Dati"},
    {"data/selftest/studies/riproducibilita.RIP", "studio-riproducibilita", "Dati"},
    {"data/selftest/studies/precisione_intermedia.PRI", "studio-statistica-estesa", "Statistica estesa"},
};

// A reference study with the descriptive texts a laboratory would type instead of the placeholders of the
// reference set; its data lines are copied as they are.
fs::path withLaboratoryTexts(const fs::path& study, const fs::path& folder)
{
    std::string text = test::readFile(study);
    for (const auto& [placeholder, typed] :
         {std::pair<std::string, std::string>{"Metodo di prova", "HPLC-UV, metodo interno MI-12/B"},
          {"Analita di prova", "Paracetamolo"},
          {"Campione di prova", "Compresse 500 mg, lotto 2231"}})
        if (const auto at = text.find(placeholder); at != std::string::npos) text.replace(at, placeholder.size(), typed);
    const fs::path copy = folder / study.filename();
    test::writeFile(copy, text);
    return copy;
}

// The pictures the help documents show for a language: every "immagini/<language>/NAME.png" they name.
std::set<std::string> picturesNamedByTheHelp(const std::string& language)
{
    std::set<std::string> names;
    const QRegularExpression reference(QStringLiteral("immagini/%1/([A-Za-z0-9_-]+\\.png)")
                                           .arg(QString::fromStdString(language)));
    for (const auto& entry : fs::directory_iterator(fs::path(KESTRA_SOURCE_DIR) / "data" / "help")) {
        const QString html = QString::fromStdString(test::readFile(entry.path()));
        for (auto it = reference.globalMatch(html); it.hasNext();)
            names.insert(it.next().captured(1).toStdString());
    }
    return names;
}

class UserGuidePictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* folder = std::getenv("KESTRA_SCREENSHOTS");
        if (!folder) GTEST_SKIP() << "KESTRA_SCREENSHOTS not set";
        const char* language = std::getenv("KESTRA_SCREENSHOTS_LANGUAGE");
        m_language = language && *language ? language : "it";
        ASSERT_TRUE(m_language == "it" || m_language == "en") << m_language;
        m_folder = fs::path(folder) / m_language;
        fs::create_directories(m_folder);
        // the windows in the language of the help that shows them
        const InterfaceLanguage screen =
            m_language == "en" ? InterfaceLanguage::English : InterfaceLanguage::Italian;
        SetInterfaceLanguage(screen);
        InstallInterfaceTranslations(*QCoreApplication::instance(), screen);

        fs::create_directories(m_dir / "home");
        m_window = std::make_unique<Kestra>(
            ShellEnvironment{QString::fromStdString((m_dir / "home").string()), binFolder()}, &m_prompts);
        m_window->setDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
        m_window->setDocumentOpener([](const QUrl&) { return true; });
        ASSERT_TRUE(m_window->start());
        SetUserDecimalSeparator(separator());
        writeCompanyData();
        m_window->resize(1120, 760);
        m_window->show();
        settle();
    }
    void TearDown() override
    {
        if (m_window)
            for (StudyWindow* w : m_window->openStudyWindows()) {
                w->study().setModify(false);
                w->study().clearGridsChanged();
            }
        m_window.reset();
        RemoveInterfaceTranslations(*QCoreApplication::instance());
        SetInterfaceLanguage(InterfaceLanguage::Italian);
        SetUserDecimalSeparator(m_savedSeparator);
        SetReportDatabasePath(m_savedDatabase);
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    }

    static QString binFolder()
    {
        return QString::fromStdString(fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path().string());
    }
    static void settle()
    {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    // The company heading every report shows, as a laboratory fills it.
    static void writeCompanyData()
    {
        ReportDatabase(ReportDatabasePath(), ReportDatabase::Mode::ReadWrite).writeAnagrafica(test::FilledCompanyData());
    }
    // Saved at the width the help shows it (0: as it is), scaled smoothly here rather than by the browser.
    void save(QImage image, const std::string& name, int width = 0)
    {
        ASSERT_FALSE(image.isNull()) << name;
        if (width > 0 && image.width() > width)
            image = image.scaledToWidth(width, Qt::SmoothTransformation);
        // a picture of one colour is a window that did not paint
        const QRgb first = image.pixel(0, 0);
        bool varied = false;
        for (int y = 0; y < image.height() && !varied; y += 7)
            for (int x = 0; x < image.width() && !varied; x += 7) varied = image.pixel(x, y) != first;
        EXPECT_TRUE(varied) << name << " is blank";
        const fs::path path = m_folder / (name + ".png");
        ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG")) << path;
        m_written.insert(name + ".png");
    }
    void grabDialog(QDialog& dialog, const std::string& name)
    {
        dialog.show();
        settle();
        save(dialog.grab().toImage(), name);
        dialog.reject();
    }
    Language reportLanguage() const { return m_language == "en" ? Language::English : Language::Italian; }
    // the decimal separator of a user of that language
    char separator() const { return m_language == "en" ? '.' : ','; }

    test::TempDir m_dir;
    test::ScriptedPrompts m_prompts;
    std::unique_ptr<Kestra> m_window;
    std::string m_language;
    fs::path m_folder;
    std::set<std::string> m_written;
    char m_savedSeparator = UserDecimalSeparator();
    fs::path m_savedDatabase = ReportDatabasePath();
};

TEST_F(UserGuidePictures, EveryWindowADialogOfEachKindAndAReportPage)
{
    save(m_window->grab().toImage(), "finestra-principale", kWindowWidth);

    fs::create_directories(m_dir / "studi");
    for (const StudyPicture& p : kStudies) {
        const fs::path file = withLaboratoryTexts(fs::path(KESTRA_SOURCE_DIR) / p.file, m_dir / "studi");
        ASSERT_TRUE(m_window->openFile(QString::fromStdString(file.string()))) << p.file;
        settle();
        QMdiSubWindow* sub = m_window->mdiArea()->activeSubWindow();
        ASSERT_NE(sub, nullptr) << p.file;
        auto* study = qobject_cast<StudyWindow*>(sub->widget());
        ASSERT_NE(study, nullptr) << p.file;
        EXPECT_TRUE(study->study().resultsFromCurrentData()) << p.file << ": the example was not calculated";
        int tab = -1;
        for (int i = 0; i < study->tabs()->count() && tab < 0; ++i)
            if (study->tabs()->tabText(i).trimmed().startsWith(Ui::tr(p.tab))) tab = i;
        ASSERT_GE(tab, 0) << p.file << " has no page " << p.tab;
        study->tabs()->setCurrentIndex(tab);
        sub->showMaximized();
        settle();
        save(m_window->grab().toImage(), p.picture, kWindowWidth);
    }
    EXPECT_TRUE(m_prompts.messages.empty()) << m_prompts.lastMessage();

    // the dialogs of the menus, filled as the program fills them
    MyPrintLanDlg language(m_window.get());
    grabDialog(language, "dialogo-stampa");
    FormNumero format(m_prompts, NumberFormat{3, 3}, m_window.get());
    grabDialog(format, "dialogo-formato-numeri");
    frmAnagraf company(m_window.get());
    grabDialog(company, "dialogo-anagrafica");
    m_window->setDialogRunner([this](QDialog& d) {
        // the folders as on a user's machine, not the scratch folder of this run
        const QString scratch = QString::fromStdString((m_dir / "home").string());
        for (QLineEdit* field : d.findChildren<QLineEdit*>())
            field->setText(field->text().replace(scratch, QStringLiteral("/home/utente/Documenti")));
        grabDialog(d, "dialogo-opzioni");
        return int(QDialog::Rejected);
    });
    m_window->showOptions();

    // the first page of the calibration report as the preview draws it (96 dpi), scaled to the help's width
    StudyWindow* calibration = m_window->studyWindow(StudyKindId::Tara);
    ASSERT_NE(calibration, nullptr);
    ReportRequest request;
    request.database = ReportDatabasePath();
    request.language = reportLanguage();
    request.printDate = true;
    request.decimalSeparator = separator();
    request.today = "10/12/2026";
    const RenderedReport report(PrepareStudyReport(calibration->study(), request, ReadLogoSize));
    ASSERT_GE(report.pageCount(), 1);
    constexpr double dotsPerInch = 96;
    QImage page(qRound(RenderedReport::kPageWidth / 72 * dotsPerInch),
                qRound(RenderedReport::kPageHeight / 72 * dotsPerInch), QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    page.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        report.paintPage(painter, 0);
    }
    save(page, "report-taratura", kPageWidth);

    // the help shows these pictures: each one it names is made here
    for (const std::string& name : picturesNamedByTheHelp(m_language))
        EXPECT_TRUE(m_written.count(name)) << "the help shows immagini/" << m_language << "/" << name
                                           << ", which no picture here makes";
}

}  // namespace
}  // namespace kestra
