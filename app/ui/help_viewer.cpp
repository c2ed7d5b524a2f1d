// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/help_viewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "text/text_helpers.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

// The help's browser: a picture that is not beside the document is looked for in the other folders given,
// as the package puts the guide's pictures with the documentation (share/doc/kestra beside share/kestra).
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    // folders[0] is the document's own folder
    void setPictureFolders(QStringList folders) { m_pictureFolders = std::move(folders); }

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type == QTextDocument::ImageResource && !m_pictureFolders.isEmpty()) {
            // the document's address has made the picture's name absolute: take it relative to it again
            const QString path = name.isLocalFile() ? name.toLocalFile() : name.path();
            const QString relative =
                QFileInfo(path).isAbsolute() ? QDir(m_pictureFolders.front()).relativeFilePath(path) : path;
            if (!relative.isEmpty() && !relative.startsWith(QStringLiteral("..")))
                for (const QString& folder : m_pictureFolders) {
                    const QString candidate = QDir(folder).filePath(relative);
                    if (QFileInfo(candidate).isFile())
                        return QTextBrowser::loadResource(type, QUrl::fromLocalFile(candidate));
                }
        }
        return QTextBrowser::loadResource(type, name);
    }

private:
    QStringList m_pictureFolders;
};

}  // namespace

std::optional<QString> ReadHelpText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    std::string text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!IsValidUtf8(text)) text = Windows1252ToUtf8(text);
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

WinGui::WinGui(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("WinGui"));
    setModal(true);
    resize(760, 560);
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("RichTextBox"));
    m_text->setOpenExternalLinks(true);
    m_close = new QPushButton(Ui::tr("Chiudi"), this);
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
}

void WinGui::setPlainDocument(const QString& caption, const QString& text)
{
    setWindowTitle(caption);
    m_text->setPlainText(text);
}

void WinGui::setHtmlDocument(const QString& caption, const QString& html, const QString& folder)
{
    setWindowTitle(caption);
    m_text->setSearchPaths({folder});
    m_text->setHtml(html);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Ui::tr("Guida di Kestra 2006"));
    resize(860, 640);

    m_browser = new HelpBrowser(this);
    m_browser->setOpenLinks(true);
    // PDF and web links go to the system's programs; our own pages stay in the browser.
    m_browser->setOpenExternalLinks(true);

    auto* back = new QToolButton(this);
    back->setText(Ui::tr("< Indietro"));
    back->setEnabled(false);
    auto* forward = new QToolButton(this);
    forward->setText(Ui::tr("Avanti >"));
    forward->setEnabled(false);
    auto* contents = new QToolButton(this);
    contents->setText(Ui::tr("Sommario"));
    auto* close = new QPushButton(Ui::tr("Chiudi"), this);
    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(contents, &QToolButton::clicked, m_browser, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch(1);
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
    // a window of its own, closed with Escape like the program's dialogs; the keys start in the text
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    setFocusProxy(m_browser);
}

bool HelpWindow::showContents(const QString& path)
{
    if (!QFileInfo(path).isFile()) return false;
    const QString folder = QFileInfo(path).absolutePath();
    m_browser->setSearchPaths({folder});
    static_cast<HelpBrowser*>(m_browser)->setPictureFolders(
        {folder, QDir::cleanPath(folder + QStringLiteral("/../doc/kestra"))});
    m_browser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    m_browser->clearHistory();
    return true;
}

}  // namespace kestra
