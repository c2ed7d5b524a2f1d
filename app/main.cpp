// kestra: the desktop program. Study files named on the command line (as the file manager passes them) open
// in their windows, exactly as File > Apri... opens them.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLocale>
#include <QMdiArea>
#include <QStringList>
#include <QTimer>

#include "app/app_settings.h"
#include "app/language_setting.h"
#include "app/ui/language_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/qt_translations.h"
#include "app/ui/shell_icons.h"

namespace {

// KESTRA_QUIT_AFTER_START=1 ends the program once the main window has been painted the first time: the
// start-up measurement of scripts/bench and the fresh-account checks use it.
class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            // after this paint has finished
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestra 2006"));
    // Ties the windows to kestra.desktop, so the desktop shows the program's name and icon for them.
    QGuiApplication::setDesktopFileName(QStringLiteral("kestra"));
    QApplication::setWindowIcon(kestra::ProgramIcon());

    // The language comes first: every window is built in it. KESTRA_LANGUAGE overrides the stored choice.
    using kestra::InterfaceLanguage;
    const kestra::ShellEnvironment environment = kestra::ShellEnvironment::fromSystem();
    const std::string fromEnvironment = qEnvironmentVariable("KESTRA_LANGUAGE").toStdString();
    const auto stored =
        kestra::StoredInterfaceLanguage(kestra::IniPathOf(environment.documentsFolder.toStdString()));
    InterfaceLanguage language = kestra::ChooseInterfaceLanguage(
        fromEnvironment, stored ? kestra::InterfaceLanguageCode(*stored) : "");
    std::optional<InterfaceLanguage> asked;
    // a system without a language (the C locale) asks for nothing: Italian, as always
    const QLocale::Language system = QLocale::system().language();
    if (kestra::ShouldAskInterfaceLanguage(fromEnvironment, stored,
                                           system == QLocale::Italian || system == QLocale::C)) {
        kestra::frmLingua question;
        question.exec();
        asked = question.choice();
        // closed without a choice: English, the likelier of the two here, and the question comes again
        language = asked.value_or(InterfaceLanguage::English);
    }
    kestra::SetInterfaceLanguage(language);
    kestra::InstallInterfaceTranslations(app, language);

    kestra::Kestra window(environment);
    if (!window.start()) return 1;
    // the first start's answer, once the start has made the configuration file
    if (asked) kestra::StoreInterfaceLanguage(kestra::CurrentAppSettings().iniPath, *asked);
    QuitAfterFirstPaint quitter;
    if (qEnvironmentVariableIntValue("KESTRA_QUIT_AFTER_START") == 1)
        window.mdiArea()->viewport()->installEventFilter(&quitter);
    window.showMaximized();

    const QStringList files = app.arguments().mid(1);
    for (const QString& file : files) window.openFile(file);
    return app.exec();
}
