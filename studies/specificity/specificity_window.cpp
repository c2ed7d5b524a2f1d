// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/specificity/specificity_window.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/dimension_boxes.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

const char* const kGroupText[2] = {
    QT_TRANSLATE_NOOP("Kestra", "Risultati ottenuti nella determinazione dell'analita in presenza di altre sostanze "
                                "(prodotti di degradazione, impurezze di sintesi, eccipienti, ...)"),
    QT_TRANSLATE_NOOP("Kestra", "Risultati ottenuti nella determinazione dell'analita in assenza di altre sostanze "
                                "(prodotti di degradazione, impurezze di sintesi, eccipienti, ...)")};

QLabel* heading(const QString& text, QWidget* parent, Qt::Alignment alignment = Qt::AlignCenter)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment);
    return label;
}

QString fromStd(const std::string& text)
{
    QString s = ScreenText(text);  // results as they are, the judgement in the interface language
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

}  // namespace

SpecificityWindow::SpecificityWindow(StudyWindowHost& host, QWidget* parent)
    : StudyWindow(std::make_unique<SpecificityStudy>(), host, StudyWindowOptions{}, parent)
{
    // --- " Info/Conclusioni"
    QWidget* infoPage = addTab(Ui::tr(" Info/Conclusioni"));
    auto* infoLayout = new QVBoxLayout(infoPage);
    infoLayout->addWidget(createInfoFrame());
    infoLayout->addWidget(createConclusionFrame(), 1);

    // --- "Dati"
    QWidget* page = addTab(Ui::tr("Dati"));
    auto* groups = new QVBoxLayout;
    for (int g = 0; g < 2; ++g) {
        const auto gi = static_cast<std::size_t>(g);
        auto* frame = new QGroupBox(g == 0 ? Ui::tr("Gruppo A") : Ui::tr("Gruppo B"), page);
        auto* text = new QLabel(Ui::tr(kGroupText[g]), frame);
        text->setWordWrap(true);
        auto* countText = new QLabel(Ui::tr("N. determinazioni"), frame);
        auto* field = NewDimensionEdit(frame, g == 0 ? QStringLiteral("GruppoA") : QStringLiteral("GruppoB"),
                                       Ui::tr("min. 5, max. 99"));
        countText->setBuddy(field);
        auto* layout = new QGridLayout(frame);
        layout->addWidget(text, 0, 0, 1, 4);
        layout->addWidget(countText, 1, 0);
        layout->addWidget(field, 1, 1);
        layout->addWidget(new QLabel(Ui::tr("(min. 5)"), frame), 1, 2);
        layout->setColumnStretch(3, 1);
        m_sizes[gi] = field;
        groups->addWidget(frame);
    }
    std::vector<DimensionBox> sizeBoxes;
    for (int g = 0; g < 2; ++g)
        sizeBoxes.push_back({.edit = m_sizes[static_cast<std::size_t>(g)],
                             .apply = [this, g](int size) { return specificity().setGroupSize(g, size); },
                             .valid = [](int size) { return size >= SpecificityStudy::kMinCount; },
                             .defaultCount = SpecificityStudy::kDefaultCount});
    new DimensionBoxes(*this,
                       {.grids = [this] { return std::vector<DataGrid*>{&specificity().grid()}; },
                        .skipLocked = true,
                        .afterRestore = [this] { specificity().setupSpecGrid(); }},
                       std::move(sizeBoxes));

    auto* dataFrame = new QGroupBox(Ui::tr("Dati"), page);
    DataGridView* grid = createDataGrid(specificity().grid(), dataFrame);
    grid->setObjectName(QStringLiteral("GridData"));
    grid->setRowHeaderWidth(4);
    auto* dataLayout = new QVBoxLayout(dataFrame);
    dataLayout->addWidget(grid);

    // --- results: group rows, the limits of the means, the tests, the judgement
    const ResultsFrame resultsFrame = createResultsFrame(Ui::tr("Risultato dell'elaborazione"), page);
    QWidget* results = resultsFrame.content;
    auto* r = new QGridLayout(results);
    auto make = [&](const char* name) {
        QLabel* l = createValueLabel(QString::fromLatin1(name), results, QStringLiteral("000000.0000"));
        m_results.push_back(l);
        return l;
    };
    r->addWidget(heading(Ui::tr("Limiti di confidenza della media"), results), 0, 2, 1, 2);
    r->addWidget(heading(Ui::tr("Media"), results), 1, 1);
    r->addWidget(heading(Ui::tr("Inferiore"), results), 1, 2);
    r->addWidget(heading(Ui::tr("Superiore"), results), 1, 3);
    r->addWidget(heading(QStringLiteral("s²"), results), 1, 4);
    const char* const names[2][4] = {{"MediaA", "InfConfA", "SupConfA", "SA"},
                                     {"MediaB", "InfConfB", "SupConfB", "SB"}};
    for (int g = 0; g < 2; ++g) {
        r->addWidget(heading(g == 0 ? Ui::tr("Gruppo A") : Ui::tr("Gruppo B"), results,
                             Qt::AlignLeft | Qt::AlignVCenter),
                     2 + g, 0);
        for (int c = 0; c < 4; ++c) r->addWidget(make(names[g][c]), 2 + g, 1 + c);
    }
    auto* tests = new QHBoxLayout;
    for (const char* name : {"F", "GdL", "T", "P"}) {
        const QString caption =
            QString::fromLatin1(name) == QLatin1String("T") ? QStringLiteral("t") : ScreenText(name);
        tests->addWidget(heading(caption, results, Qt::AlignRight | Qt::AlignVCenter));
        tests->addWidget(make(name));
    }
    tests->addStretch();
    r->addLayout(tests, 4, 0, 1, 6);
    QLabel* judgement = make("Giudizio");
    judgement->setAlignment(Qt::AlignCenter);
    judgement->setMinimumHeight(judgement->fontMetrics().lineSpacing() * 2 + 8);
    QFont bold = judgement->font();
    bold.setBold(true);
    judgement->setFont(bold);
    r->addWidget(judgement, 5, 0, 1, 6);
    r->setColumnStretch(5, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(groups);
    left->addWidget(resultsFrame.frame);
    left->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 3);
    layout->addWidget(dataFrame, 1);

    // --- "Grafico"
    QWidget* chartPage = addTab(Ui::tr("Grafico"));
    m_chart = new ChartView(chartPage);
    m_chart->setObjectName(QStringLiteral("VtGrafSpec"));
    auto* chartLayout = new QVBoxLayout(chartPage);
    chartLayout->addWidget(m_chart);

    tabs()->setCurrentIndex(1);
    showDocument();
}

SpecificityStudy& SpecificityWindow::specificity()
{
    return static_cast<SpecificityStudy&>(study());
}

const SpecificityStudy& SpecificityWindow::specificity() const
{
    return static_cast<const SpecificityStudy&>(study());
}

QLabel* SpecificityWindow::resultLabel(const QString& name) const
{
    for (QLabel* l : m_results)
        if (l->objectName() == name) return l;
    return nullptr;
}

void SpecificityWindow::showStudyData()
{
    const SpecificityStudy& s = specificity();
    for (int g = 0; g < 2; ++g) {
        QLineEdit* field = m_sizes[static_cast<std::size_t>(g)];
        const QString size = QString::number(s.groupSize(g));
        if (field->text() != size &&
            !(field->hasFocus() && field->text().toInt() < SpecificityStudy::kMinCount))
            field->setText(size);
    }
    const std::pair<const char*, std::string> texts[] = {{"MediaA", s.meanText(0)},
                                                         {"MediaB", s.meanText(1)},
                                                         {"InfConfA", s.lowerText(0)},
                                                         {"InfConfB", s.lowerText(1)},
                                                         {"SupConfA", s.upperText(0)},
                                                         {"SupConfB", s.upperText(1)},
                                                         {"SA", s.varianceText(0)},
                                                         {"SB", s.varianceText(1)},
                                                         {"F", s.fText()},
                                                         {"GdL", s.dfText()},
                                                         {"T", s.tText()},
                                                         {"P", s.pText()},
                                                         {"Giudizio", s.judgementLabel()}};
    for (const auto& [name, text] : texts) {
        QLabel* l = resultLabel(QString::fromLatin1(name));
        l->setText(fromStd(text));
        l->setToolTip(l->text());
    }
    showChart();
}

void SpecificityWindow::showChart()
{
    const ChartData data = specificity().chart(Language::Italian);
    m_chart->setChartData(data.empty() ? ChartData{} : data);
}

void SpecificityWindow::setLanGraf(Language language)
{
    m_chart->setChartData(specificity().chart(language));
}

std::vector<int> SpecificityWindow::dimensionValues() const
{
    return {specificity().groupSize(0), specificity().groupSize(1)};
}

void SpecificityWindow::restoreDimensions(const std::vector<int>& values)
{
    for (int g = 0; g < 2; ++g) specificity().setGroupSize(g, values.at(static_cast<std::size_t>(g)));
    specificity().setupSpecGrid();
}

}  // namespace kestra
