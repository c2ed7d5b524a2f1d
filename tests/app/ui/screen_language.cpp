// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/screen_language.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QXmlStreamReader>

#include "text/messages.h"

namespace kestra::test {

namespace {

QString plain(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
    return text.trimmed();
}

void addText(QStringList& texts, const QString& text)
{
    const QString p = plain(text);
    if (!p.isEmpty()) texts << p;
}

void addActions(QStringList& texts, const QList<QAction*>& actions)
{
    for (QAction* a : actions) {
        addText(texts, a->text());
        addText(texts, a->toolTip());
        if (a->menu()) addActions(texts, a->menu()->actions());
    }
}

}  // namespace

QStringList VisibleTexts(const QWidget& root)
{
    QStringList texts;
    addText(texts, root.windowTitle());
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(const_cast<QWidget*>(&root));
    for (QWidget* w : widgets) {
        // a hidden page of a tab or stack is still the window's; only what is explicitly hidden is skipped
        if (w != &root && w->isHidden() && !w->parentWidget()->isHidden()) continue;
        addText(texts, w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w)) addText(texts, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) addText(texts, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) addText(texts, g->title());
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) addText(texts, t->tabText(i));
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) addText(texts, c->itemText(i));
        if (auto* m = qobject_cast<QMenuBar*>(w)) addActions(texts, m->actions());
        if (auto* v = qobject_cast<QTableView*>(w); v && v->model()) {
            for (int c = 0; c < v->model()->columnCount(); ++c)
                addText(texts, v->model()->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < v->model()->rowCount(); ++r) {
                addText(texts, v->model()->headerData(r, Qt::Vertical).toString());
                for (int c = 0; c < v->model()->columnCount(); ++c)
                    addText(texts, v->model()->index(r, c).data().toString());
            }
        }
        addActions(texts, w->actions());
    }
    return texts;
}

const std::map<QString, QString>& ItalianToEnglish()
{
    static const std::map<QString, QString> pairs = [] {
        std::map<QString, QString> m;
        QFile file(QStringLiteral(KESTRA_SOURCE_DIR "/translations/kestra_en.ts"));
        if (file.open(QIODevice::ReadOnly)) {
            QXmlStreamReader xml(&file);
            QString source;
            while (!xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement) continue;
                if (xml.name() == QLatin1String("source")) source = xml.readElementText();
                if (xml.name() == QLatin1String("translation")) {
                    const QString english = xml.readElementText();
                    if (!english.isEmpty() && plain(english) != plain(source))
                        m[plain(source)] = plain(english);
                }
            }
        }
        for (const MessageEntry& e : MessageCatalogue()) {
            const QString italian = QString::fromUtf8(e.italian.data(), static_cast<int>(e.italian.size()));
            const QString english = QString::fromUtf8(e.english.data(), static_cast<int>(e.english.size()));
            if (plain(italian) != plain(english)) m.emplace(plain(italian), plain(english));
        }
        return m;
    }();
    return pairs;
}

QStringList TextsInTheWrongLanguage(const QStringList& texts, bool lookForEnglish)
{
    static const std::map<QString, QString> englishToItalian = [] {
        std::map<QString, QString> m;
        for (const auto& [italian, english] : ItalianToEnglish()) m.emplace(english, italian);
        return m;
    }();
    // words only one of the two languages writes: they find a text the catalogues do not know either
    static const QRegularExpression italianWords(
        QStringLiteral(
            R"(\b(il|lo|gli|dei|delle|della|dello|del|di|non|che|con|una|uno|sono|alla|nella|è|Impossibile|Apri|Salva|Chiudi|Annulla|Stampa)\b)"),
        QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression englishWords(
        QStringLiteral(R"(\b(the|of|and|with|is|are|from|this|which|Open|Save|Close|Cancel|Print)\b)"));
    QStringList wrong;
    for (const QString& t : texts) {
        const bool isItalian = ItalianToEnglish().count(t) > 0 || t.contains(italianWords);
        const bool isEnglish = englishToItalian.count(t) > 0 || t.contains(englishWords);
        // a word both languages share ("Layout", "OK") counts for neither
        if (lookForEnglish ? isEnglish && !isItalian : isItalian && !isEnglish) wrong << t;
    }
    wrong.removeDuplicates();
    return wrong;
}

}  // namespace kestra::test
