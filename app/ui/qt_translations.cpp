// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

// The English catalogue is a resource of the static GUI library; naming its initialiser here keeps it linked.
static void initTranslationResources()
{
    Q_INIT_RESOURCE(translations);
}

namespace kestra {

namespace {

QPointer<QTranslator>& installed()
{
    static QPointer<QTranslator> translator;
    return translator;
}

}  // namespace

QTranslator* InstallQtItalianTranslations(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

bool InstallInterfaceTranslations(QCoreApplication& application, InterfaceLanguage language)
{
    RemoveInterfaceTranslations(application);
    if (language == InterfaceLanguage::Italian) {
        installed() = InstallQtItalianTranslations(application);
        return installed() != nullptr;
    }
    // the built-in catalogue lives in the program's resources
    initTranslationResources();
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral(":/i18n/kestra_en.qm"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed() = translator;
    return true;
}

void RemoveInterfaceTranslations(QCoreApplication& application)
{
    Q_UNUSED(application);
    if (QTranslator* translator = installed()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed() = nullptr;
}

}  // namespace kestra
