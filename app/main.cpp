// kestra: the desktop program. Study files named on the command line (as the file manager passes them) open
// in their windows, exactly as File > Apri... opens them.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QMdiArea>
#include <QStringList>
#include <QTimer>

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
    kestra::InstallQtItalianTranslations(app);

    kestra::Kestra window(kestra::ShellEnvironment::fromSystem());
    if (!window.start()) return 1;
    QuitAfterFirstPaint quitter;
    if (qEnvironmentVariableIntValue("KESTRA_QUIT_AFTER_START") == 1)
        window.mdiArea()->viewport()->installEventFilter(&quitter);
    window.showMaximized();

    const QStringList files = app.arguments().mid(1);
    for (const QString& file : files) window.openFile(file);
    return app.exec();
}
