// The help documents: the help window over Kestra2006.html, the text viewer WinGui, and reading the files.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QTextBrowser;
class QPushButton;

namespace kestra {

// The text of a help document; UTF-8, or Windows-1252 for files written on older systems.
// nullopt when the file cannot be read.
std::optional<QString> ReadHelpText(const QString& path);

// WinGui: the modal text viewer with its text area filling it and a "Chiudi" button.
class WinGui : public QDialog {
    Q_OBJECT
public:
    explicit WinGui(QWidget* parent = nullptr);
    void setPlainDocument(const QString& caption, const QString& text);
    // An HTML document; links to other files open beside it.
    void setHtmlDocument(const QString& caption, const QString& html, const QString& folder);
    QTextBrowser* textArea() const { return m_text; }
    QPushButton* closeButton() const { return m_close; }

private:
    QTextBrowser* m_text;
    QPushButton* m_close;
};

// The help window: a browser over our HTML help, opened at its contents, not modal. The guide's pictures
// are found beside the document or, installed, in the documentation folder <prefix>/share/doc/kestra.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // False when the file is not there; the window then shows nothing new.
    bool showContents(const QString& path);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

}  // namespace kestra
