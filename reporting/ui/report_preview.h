// frmRepView "Anteprima di stampa": the modal preview of a rendered report, with printing and PDF export.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class QToolBar;

namespace kestra {

class RenderedReport;

class frmRepView : public QDialog {
    Q_OBJECT
public:
    explicit frmRepView(QWidget* parent = nullptr);
    ~frmRepView() override;

    // Shows the report modally with the busy pointer while it is laid out; returns when the window closes.
    void MyShow(const RenderedReport& report);
    // Gives the report to the viewer without showing the window.
    void setReport(const RenderedReport* report);

    // The viewer's print button: "Nessuna stampante installata" when there is no printer, otherwise the
    // print dialog.
    void printReport();
    // Shows a warning over the preview; replaceable so tests answer without a modal box.
    std::function<void(const QString&)> warn;
    // Writes the report as PDF; a failure is shown in a message box. True when written.
    bool exportPdf(const QString& path);

    // Whether a printer is installed; replaceable so tests decide.
    static std::function<bool()>& printersInstalled();

    QWidget* viewer() const { return m_viewer; }
    QPrintPreviewWidget* previewWidget() const { return m_preview; }
    QPushButton* closeButton() const { return m_close; }
    QPushButton* exportButton() const { return m_export; }
    int currentPage() const;
    int pageCount() const;
    QString pageCounterText() const;  // "2 / 3", as the toolbar shows it

    // Places the viewer and the buttons in the inner rectangle (done on every resize).
    void arrange(const QRect& inner);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updatePageLabel();
    // An entry in the audit trail for the report's file (a fault of the trail shown as a warning).
    void recordOutput(const char* action, const std::string& detail);
    int twipsToPixels(int twips) const;

    const RenderedReport* m_report = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    QWidget* m_viewer = nullptr;
    QToolBar* m_toolbar = nullptr;
    QPrintPreviewWidget* m_preview = nullptr;
    QLabel* m_pageLabel = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace kestra
