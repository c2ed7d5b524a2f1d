// The report's page model: geometry in points on an A4 sheet, the text roles and their fonts, the typesetter
// that measures and wraps text, and the painting operations each page is made of.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "reporting/ui/report_renderer.h"
#include "text/number_format.h"

namespace kestra {

namespace report_pages {

// Layout is done in points on an A4 sheet; text is measured on a 1200 dpi reference so that the widths hold
// on the printer, in the PDF and in the preview alike.
constexpr double kMeasureDpi = 1200.0;
constexpr double kMeasureScale = kMeasureDpi / 72.0;

constexpr double kMarginLeft = 56.7;  // 20 mm
constexpr double kMarginRight = 56.7;
constexpr double kMarginTop = 36.0;
constexpr double kFooterRule = RenderedReport::kPageHeight - 42.0;
constexpr double kBodyBottom = kFooterRule - 12.0;
constexpr double kContentLeft = kMarginLeft;
constexpr double kContentRight = RenderedReport::kPageWidth - kMarginRight;
constexpr double kContentWidth = kContentRight - kContentLeft;
constexpr double kBlockGap = 10.0;
constexpr double kCellPad = 5.0;
constexpr double kFlowGap = 18.0;

enum class Role {
    Body,
    BodyBold,
    Label,
    Heading,
    Title,
    Subtitle,
    CompanyName,
    Company,
    Table,
    TableBold,
    Footer,
    Count
};

inline const QColor kInk(0x1a, 0x1a, 0x1a);
inline const QColor kMuted(0x55, 0x55, 0x55);
inline const QColor kRule(0x99, 0x99, 0x99);
inline const QColor kHairline(0xd4, 0xd4, 0xd4);
inline const QColor kShade(0xee, 0xee, 0xee);

inline QFont makeFont(Role role)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferNoHinting);
    // Unshaped text keeps "fi" and "fl" as two letters, so the PDF's text searches and copies as typed.
    f.setStyleStrategy(QFont::PreferNoShaping);
    switch (role) {
        case Role::Body:
            f.setPointSizeF(9.0);
            break;
        case Role::BodyBold:
            f.setPointSizeF(9.0);
            f.setBold(true);
            break;
        case Role::Label:
            f.setPointSizeF(9.0);
            break;
        case Role::Heading:
            f.setPointSizeF(10.0);
            f.setBold(true);
            break;
        case Role::Title:
            f.setPointSizeF(13.5);
            f.setBold(true);
            break;
        case Role::Subtitle:
            f.setPointSizeF(11.5);
            f.setBold(true);
            break;
        case Role::CompanyName:
            f.setPointSizeF(12.0);
            f.setBold(true);
            break;
        case Role::Company:
            f.setPointSizeF(8.0);
            break;
        case Role::Table:
            f.setPointSizeF(8.0);
            break;
        case Role::TableBold:
            f.setPointSizeF(8.0);
            f.setBold(true);
            break;
        case Role::Footer:
            f.setPointSizeF(7.5);
            break;
        case Role::Count:
            break;
    }
    return f;
}

// The reference device and the fonts with their metrics, made once.
class Typesetter {
public:
    Typesetter() : m_reference(8, 8, QImage::Format_RGB32)
    {
        const int dpm = static_cast<int>(std::lround(kMeasureDpi / 0.0254));
        m_reference.setDotsPerMeterX(dpm);
        m_reference.setDotsPerMeterY(dpm);
        for (std::size_t i = 0; i < m_fonts.size(); ++i) m_fonts[i] = makeFont(static_cast<Role>(i));
    }

    const QFont& font(Role role) const { return m_fonts[static_cast<std::size_t>(role)]; }

    double width(const QString& text, Role role) const
    {
        return QFontMetricsF(font(role), &m_reference).horizontalAdvance(text) / kMeasureScale;
    }

    double lineHeight(Role role) const
    {
        return QFontMetricsF(font(role), &m_reference).lineSpacing() / kMeasureScale;
    }

    // The text on one line of the given width, shortened in the middle (with an ellipsis) when it is wider.
    QString elided(const QString& text, Role role, double width) const
    {
        return QFontMetricsF(font(role), &m_reference)
            .elidedText(text, Qt::ElideMiddle, width * kMeasureScale);
    }

    // Lines of text broken at CR LF, CR or LF and wrapped to width; blanks inside a line are kept.
    QStringList wrap(const QString& text, Role role, double width) const
    {
        QString normal = text;
        normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QStringList lines;
        const QStringList paragraphs = normal.split(QLatin1Char('\n'));
        for (const QString& paragraph : paragraphs) {
            if (paragraph.trimmed().isEmpty()) {
                lines << QString();
                continue;
            }
            QTextLayout layout(paragraph, font(role), &m_reference);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(std::max(1.0, width * kMeasureScale));
                QString part = paragraph.mid(line.textStart(), line.textLength());
                while (!part.isEmpty() && part.back().isSpace()) part.chop(1);
                lines << part;
            }
            layout.endLayout();
        }
        return lines;
    }

private:
    QImage m_reference;
    std::array<QFont, static_cast<std::size_t>(Role::Count)> m_fonts;
};

struct TextOp {
    QRectF rect;
    QString text;
    Role role;
    Qt::Alignment align;
    QColor color;
};
struct LineOp {
    QLineF line;
    double width;
    QColor color;
};
struct FillOp {
    QRectF rect;
    QColor color;
};
struct PageOps {
    std::vector<FillOp> fills;
    std::vector<LineOp> lines;
    std::vector<TextOp> texts;
};

inline QString q(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline bool looksNumeric(const QString& text)
{
    const std::string s = text.trimmed().toStdString();
    return !s.empty() && (ParseNumber(s, '.') || ParseNumber(s, ','));
}

}  // namespace report_pages

struct ReportPages {
    report_pages::Typesetter typesetter;
    std::vector<report_pages::PageOps> pages;
    report_pages::PageOps heading;  // the page heading, the same on every page
    QImage logo;
    QRectF logoBox;
    double bodyTop = report_pages::kMarginTop;  // where a page's body starts, below the heading
};

// Lays the document's blocks out on pages (heading, title, blocks, signature), then the extended statistics
// page when the document asks for it.
void ComposeReport(const ReportDocument& document, ReportPages& pages);
// The extended statistics page(s) after the pages composed so far, below the same heading.
void ComposeExtendedAppendix(const ReportDocument& document, ReportPages& pages);

}  // namespace kestra
