// kestra: the desktop program. Study files named on the command line open in their windows.
#include <QApplication>
#include <QStringList>

#include "app/ui/main_window.h"
#include "app/ui/qt_translations.h"
#include "app/ui/shell_icons.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestra 2006"));
    QApplication::setWindowIcon(kestra::ProgramIcon());
    kestra::InstallQtItalianTranslations(app);

    kestra::Kestra window(kestra::ShellEnvironment::fromSystem());
    if (!window.start()) return 1;
    window.showMaximized();

    const QStringList files = app.arguments().mid(1);
    for (const QString& file : files) window.openFile(file);
    return app.exec();
}
