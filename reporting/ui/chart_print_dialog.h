// MyPrintGrafDlg "Stampa grafico" and MyLayoutDialog "Layout di stampa": printing a study window's charts.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "framework/ui/chart_view.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kestra {

// Edits the print settings of one chart; OK stores them, Annulla changes nothing.
class MyLayoutDialog : public QDialog {
    Q_OBJECT
public:
    explicit MyLayoutDialog(ChartView& oGraf, QWidget* parent = nullptr);

    // How a refused margin is reported; replaceable so tests see the text instead of a modal box.
    std::function<void(const QString&)> warn;

    QRadioButton* portraitOption() const { return m_portrait; }
    QRadioButton* landscapeOption() const { return m_landscape; }
    QLineEdit* marginBox(int index) const { return m_margins[index]; }  // Sinistro, Destro, Alto, Basso
    QRadioButton* wholePageOption() const { return m_wholePage; }
    QRadioButton* currentSizeOption() const { return m_currentSize; }
    QRadioButton* printerLayoutOption() const { return m_printerLayout; }
    QRadioButton* screenLayoutOption() const { return m_screenLayout; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // OK: stores the settings and closes; a margin that is not a number of millimetres is refused.
    bool store();

private:
    ChartView& m_chart;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QLineEdit* m_margins[4] = {nullptr, nullptr, nullptr, nullptr};
    QRadioButton* m_wholePage = nullptr;
    QRadioButton* m_currentSize = nullptr;
    QRadioButton* m_printerLayout = nullptr;
    QRadioButton* m_screenLayout = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

// The chart-printing dialog of a charted study window. OK sets the chart texts in the chosen language on the
// window and prints; the dialog stays open until Annulla.
class MyPrintGrafDlg : public QDialog {
    Q_OBJECT
public:
    MyPrintGrafDlg(ChartOwner& owner, QPrinter& printer, QWidget* parent = nullptr);

    // --- seams: how the inner dialogs run, how the printer is chosen, messages, the file to save
    std::function<int(QDialog&)> runDialog;
    std::function<bool(QPrinter&, QWidget*)> setupPrinter;  // true when a printer was chosen
    std::function<void(const QString&)> warn;
    std::function<QString(QWidget*)> chooseSaveFile;  // "" when cancelled
    // The study file the charts show, for the audit trail's print and export entries (empty: none).
    void setSource(std::string path, std::string kind)
    {
        m_sourcePath = std::move(path);
        m_sourceKind = std::move(kind);
    }

    Language language() const { return m_language; }
    ChartView* oGraf() const { return m_oGraf; }
    // Whether oGraf is the calibration regression chart, which offers the proportionality chart too.
    bool isRegressionChart() const;

    QToolButton* languageButton(int index) const { return m_optLan[index]; }
    QGroupBox* chartFrame() const { return m_chartFrame; }
    QCheckBox* regressionBox() const { return m_regression; }
    QCheckBox* proportionalityBox() const { return m_proportionality; }
    // calibration only, when the window has its residuals chart; not ticked when the dialog opens
    QCheckBox* residualsBox() const { return m_residuals; }
    QLabel* printerLabel() const { return m_printerName; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* layoutButton() const { return m_layout; }
    QPushButton* setupButton() const { return m_setup; }
    QPushButton* saveButton() const { return m_save; }

    // The commands of the buttons.
    void print();
    void editLayout();
    void choosePrinter();
    void saveToFile();
    // What the dialog shows each time it becomes active: the printer, the commands, the chart frame.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void selectLanguage(int index);
    std::vector<ChartView*> chartsToPrint() const;
    void recordOutput(const char* action, const std::string& detail);

    ChartOwner& m_owner;
    QPrinter& m_printer;
    ChartView* m_oGraf = nullptr;
    ChartView* m_second = nullptr;
    ChartView* m_third = nullptr;
    Language m_language = Language::English;
    QToolButton* m_optLan[2] = {nullptr, nullptr};
    QGroupBox* m_chartFrame = nullptr;
    QCheckBox* m_regression = nullptr;
    QCheckBox* m_proportionality = nullptr;
    QCheckBox* m_residuals = nullptr;
    QLabel* m_printerName = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_layout = nullptr;
    QPushButton* m_setup = nullptr;
    QPushButton* m_save = nullptr;
    std::string m_sourcePath;
    std::string m_sourceKind;
};

// "Stampa &grafico..." of a study window: the dialog on the window's charts, shown modally. A window
// without charts is left alone.
void PrintStudyCharts(QWidget& window, QPrinter& printer);

}  // namespace kestra
