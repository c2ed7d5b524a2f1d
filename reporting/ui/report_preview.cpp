// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/report_preview.h"

#include <QApplication>
#include <QFileDialog>
#include <QGraphicsView>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "audit/audit_trail.h"
#include "framework/study_kind.h"
#include "framework/ui/dialog_folders.h"
#include "framework/ui/fixed_dialog.h"
#include "reporting/ui/report_renderer.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

void prepareA4(QPrinter& printer)
{
    printer.setFullPage(true);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

void showError(QWidget* parent, const QString& text)
{
    ShowPlainMessage(parent, QMessageBox::Critical, text);
}

class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

std::function<bool()>& frmRepView::printersInstalled()
{
    static std::function<bool()> installed = [] { return !QPrinterInfo::availablePrinters().isEmpty(); };
    return installed;
}

frmRepView::frmRepView(QWidget* parent)
    : QDialog(parent), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("frmRepView"));
    warn = [this](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok,
                        this);
        SetFixedDialogFrame(box);
        box.exec();
    };
    setWindowTitle(Ui::tr("Anteprima di stampa"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    prepareA4(*m_printer);

    // The viewer: toolbar and pages, placed by hand with the close button (see arrange()).
    m_viewer = new QWidget(this);
    m_viewer->setObjectName(QStringLiteral("CRViewer1"));
    auto* layout = new QVBoxLayout(m_viewer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolbar = new QToolBar(m_viewer);
    m_preview = new QPrintPreviewWidget(m_printer.get(), m_viewer);
    m_preview->setViewMode(QPrintPreviewWidget::SinglePageView);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_preview, 1);

    QStyle* st = style();
    auto* print =
        m_toolbar->addAction(QIcon::fromTheme(QStringLiteral("document-print")), Ui::tr("Stampa..."));
    print->setObjectName(QStringLiteral("actionPrint"));
    m_toolbar->addSeparator();
    auto* first =
        m_toolbar->addAction(st->standardIcon(QStyle::SP_MediaSkipBackward), Ui::tr("Prima pagina"));
    auto* previous = m_toolbar->addAction(st->standardIcon(QStyle::SP_MediaSeekBackward),
                                          Ui::tr("Pagina precedente"));
    m_pageLabel = new QLabel(m_toolbar);
    m_pageLabel->setMinimumWidth(90);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    m_toolbar->addWidget(m_pageLabel);
    auto* next = m_toolbar->addAction(st->standardIcon(QStyle::SP_MediaSeekForward),
                                      Ui::tr("Pagina successiva"));
    auto* last =
        m_toolbar->addAction(st->standardIcon(QStyle::SP_MediaSkipForward), Ui::tr("Ultima pagina"));
    m_toolbar->addSeparator();
    auto* zoomOut = m_toolbar->addAction(QStringLiteral("−"));
    zoomOut->setToolTip(Ui::tr("Riduci"));
    auto* zoomIn = m_toolbar->addAction(QStringLiteral("+"));
    zoomIn->setToolTip(Ui::tr("Ingrandisci"));
    auto* fitWidth = m_toolbar->addAction(Ui::tr("Larghezza pagina"));
    auto* fitPage = m_toolbar->addAction(Ui::tr("Pagina intera"));

    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    first->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
    previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    next->setShortcut(QKeySequence(Qt::Key_PageDown));
    last->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
    for (QAction* a : {print, first, previous, next, last})
        a->setToolTip(a->text() + QStringLiteral(" (") + a->shortcut().toString(QKeySequence::NativeText) +
                      QLatin1Char(')'));
    const auto goTo = [this](int page) {
        m_preview->setCurrentPage(std::clamp(page, 1, std::max(1, m_preview->pageCount())));
        updatePageLabel();
    };
    connect(print, &QAction::triggered, this, &frmRepView::printReport);
    connect(first, &QAction::triggered, this, [goTo] { goTo(1); });
    connect(previous, &QAction::triggered, this, [this, goTo] { goTo(m_preview->currentPage() - 1); });
    connect(next, &QAction::triggered, this, [this, goTo] { goTo(m_preview->currentPage() + 1); });
    connect(last, &QAction::triggered, this, [this, goTo] { goTo(m_preview->pageCount()); });
    // scrolling (wheel, scroll bar, keys) moves between the pages too: the counter follows it
    if (auto* pages = m_preview->findChild<QGraphicsView*>()) {
        connect(pages->verticalScrollBar(), &QScrollBar::valueChanged, this, &frmRepView::updatePageLabel);
        connect(pages->horizontalScrollBar(), &QScrollBar::valueChanged, this, &frmRepView::updatePageLabel);
    }
    connect(zoomIn, &QAction::triggered, this, [this] {
        m_preview->zoomIn(1.2);
        updatePageLabel();
    });
    connect(zoomOut, &QAction::triggered, this, [this] {
        m_preview->zoomOut(1.2);
        updatePageLabel();
    });
    connect(fitWidth, &QAction::triggered, this, [this] {
        m_preview->fitToWidth();
        updatePageLabel();
    });
    connect(fitPage, &QAction::triggered, this, [this] {
        m_preview->fitInView();
        updatePageLabel();
    });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &frmRepView::updatePageLabel);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        if (m_report) m_report->paintAll(*printer);
    });

    m_export = new QPushButton(Ui::tr("Esporta PDF..."), this);
    m_export->setObjectName(QStringLiteral("cmdEsporta"));
    m_close = new QPushButton(Ui::tr("Chiudi"), this);
    m_close->setObjectName(QStringLiteral("cmdChiudi"));
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_export, &QPushButton::clicked, this, [this] {
        // the study's folder and name, as the user saved it
        const QString path = QFileDialog::getSaveFileName(this, Ui::tr("Esporta PDF"),
                                                          ProposedSavePath(parentWidget(), ".pdf"),
                                                          Ui::tr("Documenti PDF (*.pdf)"));
        if (path.isEmpty()) return;
        exportPdf(path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? path
                                                                            : path + QStringLiteral(".pdf"));
    });

    // A4 upright at a comfortable size on the screen.
    QSize size(820, 900);
    if (const QScreen* screen = QApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
    updatePageLabel();
}

frmRepView::~frmRepView() = default;

void frmRepView::setReport(const RenderedReport* report)
{
    m_report = report;
    m_preview->updatePreview();
    m_preview->setCurrentPage(1);
    updatePageLabel();
}

void frmRepView::MyShow(const RenderedReport& report)
{
    {
        BusyPointer busy;
        setReport(&report);
        m_preview->fitToWidth();
    }
    exec();
    m_report = nullptr;
}

int frmRepView::currentPage() const
{
    return m_preview->currentPage();
}

int frmRepView::pageCount() const
{
    return m_preview->pageCount();
}

QString frmRepView::pageCounterText() const
{
    return m_pageLabel->text();
}

void frmRepView::updatePageLabel()
{
    const int count = m_preview->pageCount();
    m_pageLabel->setText(count > 0 ? QStringLiteral("%1 / %2").arg(m_preview->currentPage()).arg(count)
                                   : QString());
}

void frmRepView::printReport()
{
    if (!m_report) return;
    if (!printersInstalled()()) {
        warn(Ui::tr("Nessuna stampante installata"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    prepareA4(printer);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted) return;
    prepareA4(printer);
    try {
        m_report->paintAll(printer);
    } catch (const std::exception& e) {
        showError(this, QString::fromStdString(e.what()));
        return;
    }
    recordOutput(audit_action::kPrinted, "Stampante " + printer.printerName().toStdString());
}

void frmRepView::recordOutput(const char* action, const std::string& detail)
{
    if (!m_report || m_report->sourcePath().empty()) return;
    const std::string fault = RecordFileAction(action, m_report->sourcePath(), m_report->sourceKind(), detail);
    if (!fault.empty()) warn(QString::fromStdString(fault));
}

bool frmRepView::exportPdf(const QString& path)
{
    if (!m_report) return false;
    try {
        {
            BusyPointer busy;
            m_report->writePdf(path);
        }
        recordOutput(audit_action::kExported, "PDF " + TrailPath(path.toStdString()));
        return true;
    } catch (const std::exception& e) {
        showError(this, QString::fromStdString(e.what()));
        return false;
    }
}

int frmRepView::twipsToPixels(int twips) const
{
    return static_cast<int>(twips * logicalDpiY() / 1440.0 + 0.5);
}

void frmRepView::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    arrange(contentsRect());
}

// The viewer fills the window above a strip of 600 twips; "Chiudi" sits 1400 twips from the right edge,
// 100 twips below the viewer. A window with no inner height leaves the viewer as it is.
void frmRepView::arrange(const QRect& inner)
{
    if (inner.height() > 0)
        m_viewer->setGeometry(inner.left(), inner.top(), inner.width(),
                              std::max(0, inner.height() - twipsToPixels(600)));
    const int top = m_viewer->height() + twipsToPixels(100);
    const int width = twipsToPixels(1000);
    const int height = twipsToPixels(400);
    m_close->setGeometry(inner.left() + inner.width() - twipsToPixels(1400), top, width, height);
    const int exportWidth = std::max(width + twipsToPixels(400), m_export->sizeHint().width());
    m_export->setGeometry(m_close->x() - twipsToPixels(200) - exportWidth, top, exportWidth, height);
}

}  // namespace kestra
