// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/chart_print_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "audit/audit_trail.h"
#include "framework/number_pattern.h"
#include "framework/study_kind.h"
#include "framework/ui/dialog_folders.h"
#include "framework/ui/fixed_dialog.h"
#include "framework/ui/study_window.h"
#include "reporting/ui/chart_print.h"
#include "reporting/ui/flag_icons.h"
#include "reporting/ui/report_preview.h"
#include "text/number_format.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

constexpr float kMaxMargin = 100;  // millimetres; more leaves no room for a chart on any usual paper

void warnBox(QWidget* parent, const QString& text)
{
    ShowPlainMessage(parent, QMessageBox::Warning, text);
}

QRadioButton* addOption(QGroupBox* frame, QLayout* layout, const QString& text, const QString& name)
{
    auto* option = new QRadioButton(text, frame);
    option->setObjectName(name);
    layout->addWidget(option);
    return option;
}

}  // namespace

// ---------------------------------------------------------------- MyLayoutDialog

MyLayoutDialog::MyLayoutDialog(ChartView& oGraf, QWidget* parent) : QDialog(parent), m_chart(oGraf)
{
    setObjectName(QStringLiteral("MyLayoutDialog"));
    setWindowTitle(Ui::tr("Layout di stampa"));
    SetFixedDialogFrame(*this);
    warn = [this](const QString& text) { warnBox(this, text); };

    auto* orientation = new QGroupBox(Ui::tr("Orientamento"), this);
    auto* orientationRow = new QVBoxLayout(orientation);
    m_portrait =
        addOption(orientation, orientationRow, Ui::tr("&Verticale"), QStringLiteral("OptVerticale"));
    m_landscape = addOption(orientation, orientationRow, Ui::tr("&Orizzontale"),
                            QStringLiteral("OptOrizzontale"));

    auto* margins = new QGroupBox(Ui::tr("Margini"), this);
    auto* marginGrid = new QGridLayout(margins);
    const QString names[4] = {Ui::tr("Sinistro"), Ui::tr("Destro"), Ui::tr("Alto"),
                              Ui::tr("Basso")};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(names[i], margins);
        m_margins[i] = new QLineEdit(margins);
        m_margins[i]->setObjectName(QStringLiteral("Txt") + names[i]);
        m_margins[i]->setAccessibleName(names[i]);
        m_margins[i]->setMaximumWidth(70);
        m_margins[i]->setAlignment(Qt::AlignRight);
        label->setBuddy(m_margins[i]);
        marginGrid->addWidget(label, i, 0);
        marginGrid->addWidget(m_margins[i], i, 1);
        marginGrid->addWidget(new QLabel(QStringLiteral("mm"), margins), i, 2);
    }

    auto* size = new QGroupBox(Ui::tr("Dimensioni", "grafico"), this);
    auto* sizeRow = new QVBoxLayout(size);
    m_wholePage =
        addOption(size, sizeRow, Ui::tr("&Pagina intera"), QStringLiteral("OptPaginaIntera"));
    m_currentSize = addOption(size, sizeRow, Ui::tr("&Attuale"), QStringLiteral("OptAttuale"));

    auto* target = new QGroupBox(Ui::tr("Layout"), this);
    auto* targetRow = new QVBoxLayout(target);
    m_printerLayout =
        addOption(target, targetRow, Ui::tr("S&tampante"), QStringLiteral("OptStampante"));
    m_screenLayout = addOption(target, targetRow, Ui::tr("&Schermo"), QStringLiteral("OptSchermo"));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(Ui::tr("Annulla"), this);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (store()) accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(orientation);
    left->addWidget(size);
    left->addWidget(target);
    auto* right = new QVBoxLayout;
    right->addWidget(margins);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const ChartPrintSettings& s = oGraf.printSettings();
    (s.orientation == 0 ? m_portrait : m_landscape)->setChecked(true);
    const float values[4] = {s.leftMargin, s.rightMargin, s.topMargin, s.bottomMargin};
    for (int i = 0; i < 4; ++i)
        m_margins[i]->setText(QString::fromStdString(FormatPlain(values[i], UserDecimalSeparator())));
    (s.scaling == ChartPrintSettings::Scaling::WholePage ? m_wholePage : m_currentSize)->setChecked(true);
    (s.screenLayout ? m_screenLayout : m_printerLayout)->setChecked(true);
}

bool MyLayoutDialog::store()
{
    const QString names[4] = {Ui::tr("Sinistro"), Ui::tr("Destro"), Ui::tr("Alto"),
                              Ui::tr("Basso")};
    float values[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const auto value = ParseNumber(m_margins[i]->text().toStdString(), UserDecimalSeparator());
        if (!value || *value < 0 || *value > kMaxMargin) {
            // nothing is stored: the user corrects the box and tries again
            warn(Ui::tr("Il margine \"%1\" non è valido: scrivere un numero di millimetri da 0 a %2.")
                     .arg(names[i])
                     .arg(static_cast<int>(kMaxMargin)));
            m_margins[i]->setFocus();
            m_margins[i]->selectAll();
            return false;
        }
        values[i] = static_cast<float>(*value);
    }
    ChartPrintSettings s = m_chart.printSettings();
    s.orientation = m_portrait->isChecked() ? 0 : 1;
    s.leftMargin = values[0];
    s.rightMargin = values[1];
    s.topMargin = values[2];
    s.bottomMargin = values[3];
    s.scaling = m_wholePage->isChecked() ? ChartPrintSettings::Scaling::WholePage
                                         : ChartPrintSettings::Scaling::CurrentSize;
    s.screenLayout = m_screenLayout->isChecked();
    m_chart.setPrintSettings(s);
    return true;
}

// ---------------------------------------------------------------- MyPrintGrafDlg

MyPrintGrafDlg::MyPrintGrafDlg(ChartOwner& owner, QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_owner(owner), m_printer(printer)
{
    setObjectName(QStringLiteral("MyPrintGrafDlg"));
    setWindowTitle(Ui::tr("Stampa grafico"));
    SetFixedDialogFrame(*this);
    const std::vector<ChartView*> views = owner.chartViews();
    m_oGraf = views.empty() ? nullptr : views.front();
    m_second = views.size() > 1 ? views[1] : nullptr;
    m_third = views.size() > 2 ? views[2] : nullptr;

    runDialog = [](QDialog& d) { return d.exec(); };
    setupPrinter = [](QPrinter& p, QWidget* parentWidget) {
        QPrintDialog dialog(&p, parentWidget);
        dialog.setWindowTitle(Ui::tr("Imposta stampante"));
        SetFixedDialogFrame(dialog);
        return dialog.exec() == QDialog::Accepted;
    };
    warn = [this](const QString& text) { warnBox(this, text); };
    chooseSaveFile = [](QWidget* parentWidget) {
        return QFileDialog::getSaveFileName(parentWidget, Ui::tr("Salva grafico"),
                                            ProposedSavePath(parentWidget, QStringLiteral(".pdf")),
                                            Ui::tr("Documento PDF (*.pdf);;Immagine PNG (*.png)"));
    };

    auto* languages = new QGroupBox(Ui::tr("Scegli la lingua del grafico"), this);
    auto* languageRow = new QHBoxLayout(languages);
    auto* group = new QButtonGroup(this);
    const QSize flagSize(60, 30);
    const QPixmap flags[2] = {DrawItalianFlag(flagSize), DrawUnitedKingdomFlag(flagSize)};
    const QString names[2] = {QStringLiteral("Italiano"), QStringLiteral("English")};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QToolButton(languages);
        button->setObjectName(QStringLiteral("OptLan%1").arg(i));
        button->setCheckable(true);
        button->setIcon(QIcon(flags[i]));
        button->setIconSize(flagSize);
        button->setToolTip(names[i]);
        button->setAccessibleName(names[i]);
        button->setAutoRaise(true);
        group->addButton(button, i);
        languageRow->addWidget(button);
        m_optLan[i] = button;
    }
    languageRow->addStretch();
    connect(group, &QButtonGroup::idClicked, this, &MyPrintGrafDlg::selectLanguage);

    m_chartFrame = new QGroupBox(Ui::tr("Grafico da stampare"), this);
    auto* chartRow = new QHBoxLayout(m_chartFrame);
    m_regression = new QCheckBox(Ui::tr("Regressione"), m_chartFrame);
    m_proportionality = new QCheckBox(Ui::tr("Proporzionalità"), m_chartFrame);
    m_regression->setChecked(true);
    m_proportionality->setChecked(true);
    chartRow->addWidget(m_regression);
    chartRow->addWidget(m_proportionality);
    m_residuals = new QCheckBox(Ui::tr("Residui"), m_chartFrame);
    m_residuals->setChecked(false);
    m_residuals->setVisible(m_third != nullptr);
    chartRow->addWidget(m_residuals);

    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(new QLabel(Ui::tr("Stampante:"), this));
    m_printerName = new QLabel(this);
    m_printerName->setObjectName(QStringLiteral("LblStampante"));
    m_printerName->setMinimumWidth(200);
    printerRow->addWidget(m_printerName, 1);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel = new QPushButton(Ui::tr("Annulla"), this);
    m_layout = new QPushButton(Ui::tr("Layout..."), this);
    m_setup = new QPushButton(Ui::tr("Imposta..."), this);
    m_save = new QPushButton(Ui::tr("Salva come file..."), this);
    m_save->setToolTip(Ui::tr("Salva il grafico in un documento PDF o in un'immagine PNG"));
    for (QPushButton* b : {m_cancel, m_layout, m_setup, m_save}) b->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &MyPrintGrafDlg::print);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_layout, &QPushButton::clicked, this, &MyPrintGrafDlg::editLayout);
    connect(m_setup, &QPushButton::clicked, this, &MyPrintGrafDlg::choosePrinter);
    connect(m_save, &QPushButton::clicked, this, &MyPrintGrafDlg::saveToFile);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_ok, m_cancel, m_layout, m_setup, m_save}) buttons->addWidget(b);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(languages);
    left->addWidget(m_chartFrame);
    left->addLayout(printerRow);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    m_optLan[1]->setChecked(true);
    selectLanguage(1);
    m_optLan[1]->setFocus(Qt::OtherFocusReason);  // the first choice: the language
    refresh();
}

bool MyPrintGrafDlg::isRegressionChart() const
{
    if (!m_oGraf || !m_second) return false;
    return m_oGraf->objectName() == QLatin1String("VtGrafRegr") || m_oGraf->chartData().name == "VtGrafRegr";
}

void MyPrintGrafDlg::selectLanguage(int index)
{
    m_language = index == 0 ? Language::Italian : Language::English;
}

void MyPrintGrafDlg::refresh()
{
    const bool printers = frmRepView::printersInstalled()();
    m_printerName->setText(printers ? m_printer.printerName() : QString());
    for (QPushButton* b : {m_ok, m_layout, m_setup}) b->setEnabled(printers && m_oGraf);
    m_save->setEnabled(m_oGraf != nullptr);
    m_chartFrame->setVisible(isRegressionChart());
}

void MyPrintGrafDlg::showEvent(QShowEvent* event)
{
    refresh();
    QDialog::showEvent(event);
}

void MyPrintGrafDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refresh();
    QDialog::changeEvent(event);
}

std::vector<ChartView*> MyPrintGrafDlg::chartsToPrint() const
{
    if (!m_oGraf) return {};
    if (!isRegressionChart()) return {m_oGraf};
    std::vector<ChartView*> charts;
    if (m_regression->isChecked()) charts.push_back(m_oGraf);
    if (m_proportionality->isChecked()) charts.push_back(m_second);
    if (m_third && m_residuals->isChecked()) charts.push_back(m_third);
    return charts;
}

void MyPrintGrafDlg::print()
{
    if (!m_ok->isEnabled()) return;
    m_owner.setLanGraf(m_language);
    std::vector<ChartPrintJob> jobs;
    for (ChartView* view : chartsToPrint()) jobs.push_back(MakePrintJob(*view));
    if (jobs.empty()) return;
    QString error;
    if (!PrintCharts(m_printer, jobs, &error)) {
        warn(error);
        return;
    }
    recordOutput(audit_action::kPrinted, "Grafico, stampante " + m_printer.printerName().toStdString());
}

void MyPrintGrafDlg::recordOutput(const char* action, const std::string& detail)
{
    if (m_sourcePath.empty()) return;
    const std::string fault = RecordFileAction(action, m_sourcePath, m_sourceKind, detail);
    if (!fault.empty()) warn(QString::fromStdString(fault));
}

void MyPrintGrafDlg::editLayout()
{
    if (!m_oGraf || !m_layout->isEnabled()) return;
    // QDialog::hide() would end this dialog's own modal run; the plain widget hide only takes it off screen
    QWidget::setVisible(false);
    {
        MyLayoutDialog layout(*m_oGraf, parentWidget());
        runDialog(layout);
    }
    if (isRegressionChart() && m_proportionality->isChecked())
        m_second->setPrintSettings(m_oGraf->printSettings());
    if (isRegressionChart() && m_third && m_residuals->isChecked())
        m_third->setPrintSettings(m_oGraf->printSettings());
    show();
    activateWindow();
}

void MyPrintGrafDlg::choosePrinter()
{
    if (!m_setup->isEnabled()) return;
    if (setupPrinter(m_printer, this)) m_printerName->setText(m_printer.printerName());
}

void MyPrintGrafDlg::saveToFile()
{
    if (!m_oGraf) return;
    QString path = chooseSaveFile(this);
    if (path.isEmpty()) return;
    m_owner.setLanGraf(m_language);
    std::vector<ChartPrintJob> jobs;
    for (ChartView* view : chartsToPrint()) jobs.push_back(MakePrintJob(*view));
    if (jobs.empty()) return;
    QString error;
    const QFileInfo info(path);
    if (info.suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0) {
        // one picture per chart: the second beside the first, with "-2" in its name
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            const QString file = i == 0
                                     ? path
                                     : info.dir().filePath(info.completeBaseName() +
                                                           QStringLiteral("-%1.").arg(i + 1) + info.suffix());
            if (!SaveChartPng(file, jobs[i].data, jobs[i].screenSize, &error)) {
                warn(error);
                return;
            }
        }
        recordOutput(audit_action::kExported, "Grafico PNG " + TrailPath(path.toStdString()));
        return;
    }
    if (info.suffix().isEmpty()) path += QStringLiteral(".pdf");
    if (!SaveChartsPdf(path, jobs, &error)) {
        warn(error);
        return;
    }
    recordOutput(audit_action::kExported, "Grafico PDF " + TrailPath(path.toStdString()));
}

void PrintStudyCharts(QWidget& window, QPrinter& printer)
{
    auto* owner = dynamic_cast<ChartOwner*>(&window);
    if (!owner) return;
    MyPrintGrafDlg dialog(*owner, printer, &window);
    if (auto* study = dynamic_cast<StudyWindow*>(&window))
        dialog.setSource(study->study().loadFileName(), study->study().kind().extension);
    dialog.exec();
    // the texts of the language chosen were for the paper; on screen the charts speak Italian again
    owner->setLanGraf(Language::Italian);
}

}  // namespace kestra
