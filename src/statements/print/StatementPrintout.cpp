#include "statements/print/StatementPrintout.h"

#include "framework/RunFrame.h"
#include "platform/Picture.h"
#include "platform/report/Fonts.h"
#include "platform/report/ReportError.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "statements/forms/BudgetHeader.h"
#include "statements/forms/BudgetSections.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace pravik::statements {

using frame::RunFrame;
using frame::TextRole;
using report::Units;

namespace {

const QString kProcedure = QStringLiteral("PRN_ZESTAW_MULTIKOL_NEW");
const QString kFontFamily = QStringLiteral("DejaVu Sans Condensed");
const QString kHeadings = QStringLiteral("NAGLOWEKSTRONY");
const QString kRowBand = QStringLiteral("POZYCJE");
const QString kWrapBand = QStringLiteral("ZAWIJAJ");
const QString kTotalBand = QStringLiteral("PODSUMOWANIE");
const QString kRuleBand = QStringLiteral("LINIA");
const QString kSpacerBand = QStringLiteral("ODSTEP");
const QString kEndBand = QStringLiteral("KONIEC_WYDRUKU");
const QString kPageEndBand = QStringLiteral("KONIECSTRONY");
const QString kTitleLineBand = QStringLiteral("NAGLOWEK3");
const QString kFixedBand = QStringLiteral("NAGLOWEK_STALY");
const QString kFormHeaderBand = QStringLiteral("NAGLOWEK_FORMULARZ");
const QString kTextField = QStringLiteral("OPIS_POZYCJI");
const QString kWrapField = QStringLiteral("OPIS_CIAG");
constexpr Units kGap = 40;          // between the columns' texts
constexpr Units kIndentStep = 60;   // per level below the first
constexpr Units kPortraitWidth = 7768; // the drawn layout's body width
const char16_t* kPicture = u"@N-19_`2";
const char16_t* kPictureNoDecimals = u"@N-19_";

QString amountField(int c) { return QStringLiteral("KOL%1").arg(c); }
QString captionField(int c) { return QStringLiteral("ETYKIETA_%1").arg(c); }
QString totalField(int c) { return QStringLiteral("SUMA%1").arg(c); }

report::Units bodyWidthOf(report::PageSetup page, report::Orientation orientation)
{
    page.orientation = orientation;
    return page.size().width() - page.margins.left - page.margins.right;
}

} // namespace

ColumnPlan planColumns(int columns, bool ordinal, const QString& widestAmountText, const report::PageSetup& page)
{
    columns = qBound(1, columns, kMaxAmountColumns);
    struct Try {
        report::Orientation orientation;
        double points;
    };
    QList<Try> tries = {{report::Orientation::Portrait, 8}, {report::Orientation::Portrait, 7.5}, {report::Orientation::Portrait, 7}};
    for (double pt = 8; pt >= 3; pt -= 0.25)
        tries << Try{report::Orientation::Landscape, pt};
    ColumnPlan plan;
    for (const Try& t : tries) {
        const report::GlyphFont font(report::FontSpec{kFontFamily, t.points, 700, false});
        plan.orientation = t.orientation;
        plan.fontPoints = t.points;
        plan.bodyWidth = bodyWidthOf(page, t.orientation);
        plan.amountWidth = Units(std::ceil(qMax(font.width(widestAmountText), font.width(u"-0,00")))) + kGap;
        plan.ordinalWidth = ordinal ? Units(std::ceil(font.width(u"9999"))) + kGap : 0;
        const Units minText = Units(std::ceil(font.width(QString(20, QLatin1Char('n'))))) + kGap;
        plan.textWidth = plan.bodyWidth - plan.ordinalWidth - columns * plan.amountWidth;
        plan.rowHeight = Units(std::ceil(t.points * 1000.0 / 72.0 * 1.3));
        if (plan.textWidth >= minText)
            return plan;
    }
    // Nothing holds the widest amount whole: the text keeps its 20 characters and the amount
    // columns share the rest (an amount wider than its column still prints whole).
    const report::GlyphFont font(report::FontSpec{kFontFamily, plan.fontPoints, 700, false});
    const Units minText = Units(std::ceil(font.width(QString(20, QLatin1Char('n'))))) + kGap;
    plan.amountWidth = (plan.bodyWidth - plan.ordinalWidth - minText) / columns;
    plan.textWidth = plan.bodyWidth - plan.ordinalWidth - columns * plan.amountWidth;
    return plan;
}

QString amountText(const Decimal& amount, bool noDecimals)
{
    return formatPicture(noDecimals ? kPictureNoDecimals : kPicture, amount).trimmed();
}

namespace {

// A character printer has no font to shrink: the amount columns take as many characters as the
// widest amount, the text column the rest of the condensed line (at least 20), and the line grows
// past the paper's width rather than let amounts run into each other.
constexpr int kTextScale = 170; // 17 characters an inch, condensed

struct TextPlan {
    int ordinal = 0;  // characters, 0 without the ordinal column
    int text = 20;
    int amount = 0;
    int textColumn() const { return ordinal; }
    int amountColumn(int c) const { return ordinal + text + c * amount; }
};

TextPlan planTextColumns(int columns, bool ordinal, const QString& widestAmountText, report::Units bodyWidth)
{
    TextPlan t;
    t.ordinal = ordinal ? 5 : 0;
    t.amount = int(qMax<qsizetype>(widestAmountText.size(), 5)) + 2; // two blanks apart
    const int line = int(bodyWidth * kTextScale / 10000);
    t.text = qMax(20, line - t.ordinal - columns * t.amount);
    return t;
}

// What a budget form prints in its header bands: the unit's header data and the period text.
struct FormHeaderValues {
    BudgetHeaderValues header;
    QString periodText;
};

class StatementRun {
public:
    StatementRun(const StatementPrintRequest& request, QList<StatementHead> heads, QString widest, FormHeaderValues form)
        : m_r(request), m_o(request.options), m_heads(std::move(heads)), m_widest(std::move(widest)), m_form(std::move(form))
    {
        for (const StatementHead& h : m_heads) {
            m_columns = qMax(m_columns, h.columns);
            m_formRun = m_formRun || h.formSection;
        }
    }

    int columns() const { return m_columns; }
    QStringList totalFields() const
    {
        QStringList f;
        for (int c = 1; c <= m_columns; ++c)
            f << totalField(c);
        return f;
    }

    void open(RunFrame& f)
    {
        m_frame = &f;
        report::Layout& l = f.layout();
        // The columns are planned once for the run: with room for the ordinal column when any
        // statement prints it.
        bool ordinal = false;
        for (const StatementHead& h : std::as_const(m_heads))
            ordinal = ordinal || printsOrdinal(h);
        m_plan = planColumns(m_columns, ordinal, m_widest, l.page);
        l.page.orientation = m_plan.orientation;
        // The furniture drawn for the upright page follows the body's width.
        const Units delta = m_plan.bodyWidth - kPortraitWidth;
        l.forEachElement([&](report::Band&, report::Element& e) {
            if (e.x == 0 && e.width == kPortraitWidth)
                e.width += delta;
            else if (e.x + e.width == kPortraitWidth)
                e.x += delta;
        });
        const Units h = m_plan.rowHeight;
        for (const QString& band : {kRowBand, kWrapBand})
            l.setBandHeight(band, h);
        l.setBandHeight(kTotalBand, h + 20);
        l.setBandHeight(kHeadings, 3 * h + 40);
        l.element(QStringLiteral("NAGLOWEK_TLO")).height = 3 * h + 30;
        place(QStringLiteral("LP"), 20, m_plan.ordinalWidth - kGap, 0, h);
        place(QStringLiteral("ETYKIETA_LP"), 20, m_plan.ordinalWidth - kGap, 20, 3 * h);
        placeTextColumn(m_heads.isEmpty() ? ordinal : printsOrdinal(m_heads.first()));
        const QString picture = QString::fromUtf16(m_o.noDecimals ? kPictureNoDecimals : kPicture);
        for (int c = 1; c <= m_columns; ++c) {
            if (c > 1) {
                l.cloneElement(amountField(1), amountField(c), 0);
                l.cloneElement(captionField(1), captionField(c), 0);
                l.cloneElement(totalField(1), totalField(c), 0);
            }
            const Units x = m_plan.amountX(c - 1);
            const Units w = m_plan.amountWidth - kGap;
            place(amountField(c), x, w, 0, h);
            place(captionField(c), x, w, 20, 3 * h);
            place(totalField(c), x, w, 10, h);
            l.setPicture(amountField(c), picture);
            l.setPicture(totalField(c), picture);
        }
        if (f.textMode())
            placeForTextPrinter(l, ordinal);
        if (ordinal)
            f.setValue(QStringLiteral("ETYKIETA_LP"), QStringLiteral("Lp"));
        if (m_formRun) {
            for (const auto& [field, value] : std::as_const(m_form.header.fields))
                f.setValue(field, value);
            f.setValue(QStringLiteral("PRN_ZA_OKRES"), m_form.periodText.left(200));
        }
        if (!m_r.yearName.trimmed().isEmpty())
            f.setValue(QStringLiteral("ROK_OBROTOWY"), (QStringLiteral("Rok obrotowy: ") + m_r.yearName.trimmed()).left(80));
        if (!m_heads.isEmpty()) {
            if (m_r.title.trimmed().isEmpty() || m_heads.size() > 1)
                f.setValue(QStringLiteral("NAZWA_ZESTAWIENIA"), m_heads.first().name.left(100));
            setCaptions(m_heads.first());
        }
    }

    // The next row to print, crossing from one statement to the next.
    bool next()
    {
        for (;;) {
            if (m_source) {
                if (m_source->next(&m_row)) {
                    m_continuations.clear();
                    return true;
                }
                if (!m_source->error().isEmpty())
                    throw report::ReportError(m_source->error());
                endStatement(*m_frame);
                m_source.reset();
            }
            if (m_index + 1 >= m_heads.size())
                return false;
            ++m_index;
            beginStatement(*m_frame);
        }
    }

    void print(RunFrame& f)
    {
        const int depth = qMax(1, qAbs(m_row.level));
        const Units indent = (depth - 1) * kIndentStep;
        report::Layout& l = f.layout();
        if (indent != m_indent) {
            m_indent = indent;
            l.move(kTextField, m_textX + indent, 0);
            l.setWidth(kTextField, qMax<Units>(0, m_textWidth - indent - (indent > 0 ? 20 : 0)));
            l.move(kWrapField, m_textX + indent, 0);
            l.setWidth(kWrapField, qMax<Units>(0, m_textWidth - indent - (indent > 0 ? 20 : 0)));
            if (m_text.amount > 0)
                for (const QString& id : {kTextField, kWrapField})
                    l.element(id).columns = {m_text.textColumn() + depth - 1, qMax(1, m_text.text - depth)};
        }
        const int weight = m_row.bold ? 700 : 400;
        if (weight != m_weight) {
            m_weight = weight;
            l.setWeight(kTextField, weight);
            l.setWeight(QStringLiteral("LP"), weight);
            for (int c = 1; c <= m_columns; ++c)
                l.setWeight(amountField(c), weight);
        }
        QStringList pieces = {m_row.text};
        if (m_o.wrap) {
            // 55 units a character at 8 pt (65 in bold), scaled to the table's font.
            const double perChar = (m_row.bold ? 65.0 : 55.0) * m_plan.fontPoints / 8.0;
            // A character printer's column holds a known number of characters.
            const int width = m_text.amount > 0 ? qMax(20, m_text.text - depth)
                                                : qMax(20, int(std::lround(m_textWidth / perChar)) - (depth - 1));
            pieces = wrapText(m_row.text, width);
        }
        checkPage(f, f.bandHeight(kRowBand), false);
        report::FieldValues values{{kTextField, pieces.first()}, {QStringLiteral("LP"), QString::number(m_row.ordinal)}};
        const StatementHead& h = m_heads[m_index];
        for (int c = 0; c < m_columns; ++c)
            if (c < h.columns)
                values.insert(amountField(c + 1), m_row.amounts[std::size_t(c)]);
        f.printBand(kRowBand, values, TextRole::Row);
        for (qsizetype i = 1; i < pieces.size(); ++i) {
            checkPage(f, f.bandHeight(kWrapBand), true);
            f.printBand(kWrapBand, {{kWrapField, pieces[i]}}, TextRole::Row);
        }
        m_lastWrapped = pieces.size() > 1;
        if (m_row.counted)
            f.totals().add(QList<Decimal>(m_row.amounts.begin(), m_row.amounts.begin() + m_columns));
    }

    void closing(RunFrame& f)
    {
        // A form ends with its last section's own closing block.
        if (m_formRun && !m_heads.isEmpty() && m_heads.last().formSection)
            return;
        f.printBand(kEndBand, {}, TextRole::Plain);
    }

    // The column headings of a form run, which the frame leaves to the report: a section's fixed
    // header boxes go above the captions, on its first page and after every break.
    void columnHeadings(RunFrame& f)
    {
        if (!m_formRun || m_index < 0)
            return; // the first section prints its header before its headings
        if (m_boxRows > 0)
            f.printBand(kFixedBand, {}, TextRole::None);
        f.printBand(kHeadings, {}, TextRole::ColumnHeadings);
    }

private:
    void placeForTextPrinter(report::Layout& l, bool ordinal)
    {
        m_text = planTextColumns(m_columns, ordinal, m_widest, m_plan.bodyWidth);
        const int text = m_text.text - 1; // a blank before the first amount
        for (const QString& id : {QStringLiteral("LP"), QStringLiteral("ETYKIETA_LP")})
            l.element(id).columns = {0, qMax(1, m_text.ordinal - 1)};
        for (const QString& id : {kTextField, kWrapField, QStringLiteral("ETYKIETA_0"), QStringLiteral("NAZWA_POSUMOWANIA")})
            l.element(id).columns = {m_text.textColumn(), text};
        for (int c = 1; c <= m_columns; ++c) {
            for (const QString& id : {amountField(c), totalField(c)})
                l.element(id).columns = {m_text.amountColumn(c - 1), m_text.amount};
            // A caption keeps a blank before it, as the amounts under it do.
            l.element(captionField(c)).columns = {m_text.amountColumn(c - 1) + 1, m_text.amount - 1};
        }
        // Rules across the table as wide as the table.
        l.element(QStringLiteral("LINIA_POZIOMA")).columns = {0, m_text.amountColumn(m_columns)};
    }

    bool printsOrdinal(const StatementHead& h) const
    {
        return m_o.ordinal || m_r.forceOrdinal || (h.formSection && budgetSection(h.formCode).ordinal);
    }

    void place(const QString& id, Units x, Units width, Units y, Units height)
    {
        report::Element& e = m_frame->layout().element(id);
        e.x = x;
        e.width = width;
        e.y = y;
        e.height = height;
        e.font.size = m_plan.fontPoints;
    }

    // The text column starts after the ordinal column when the statement prints one, and takes
    // its room when it does not.
    void placeTextColumn(bool ordinal)
    {
        report::Layout& l = m_frame->layout();
        const Units ordinalWidth = ordinal ? m_plan.ordinalWidth : 0;
        const Units h = m_plan.rowHeight;
        m_textX = ordinalWidth + 20;
        m_textWidth = m_plan.textWidth + m_plan.ordinalWidth - ordinalWidth - kGap;
        l.setVisible(QStringLiteral("LP"), ordinal);
        l.setVisible(QStringLiteral("ETYKIETA_LP"), ordinal);
        place(kTextField, m_textX, m_textWidth, 0, h);
        place(kWrapField, m_textX, m_textWidth, 0, h);
        place(QStringLiteral("ETYKIETA_0"), m_textX, m_textWidth, 20, 3 * h);
        place(QStringLiteral("NAZWA_POSUMOWANIA"), m_textX, m_textWidth, 10, h);
        m_indent = 0;
        if (m_text.amount > 0)
            for (const QString& id : {kTextField, kWrapField})
                l.element(id).columns = {m_text.textColumn(), m_text.text - 1};
    }

    // The boxes of the section's fixed column headers, over the columns they head; none for a
    // statement that is no form section.
    void placeFixedHeaders(const StatementHead& h)
    {
        report::Layout& l = m_frame->layout();
        for (const QString& id : std::as_const(m_boxIds))
            l.removeElement(id);
        m_boxIds.clear();
        m_boxRows = 0;
        if (!h.formSection)
            return;
        const Units rowHeight = 2 * m_plan.rowHeight + 20; // two lines of a wrapped header
        int n = 0;
        for (const HeaderBox& box : fixedHeaderBoxes(h.formCode)) {
            const auto columns = headerBoxColumns(box, h.columns);
            if (!columns)
                continue;
            Units left, right;
            if (columns->first == 0) {
                const Units share = m_plan.amountX(0) / qMax(1, box.parts);
                left = box.part * share;
                right = left + share;
            } else {
                left = m_plan.amountX(columns->first - 1);
                right = m_plan.amountX(columns->second);
            }
            report::Element frame;
            frame.kind = report::ElementKind::Box;
            frame.id = QStringLiteral("STALY_RAMKA_%1").arg(++n);
            frame.x = left;
            frame.y = box.row * rowHeight;
            frame.width = right - left;
            frame.height = box.rows * rowHeight;
            frame.thickness = 10;
            report::Element text;
            text.kind = report::ElementKind::Text;
            text.id = QStringLiteral("STALY_TEKST_%1").arg(n);
            text.text = box.text;
            text.x = left + 20;
            text.y = frame.y + 20;
            text.width = qMax<Units>(0, frame.width - 40);
            text.height = qMax<Units>(0, frame.height - 40);
            text.align = report::HAlign::Center;
            text.wrap = true;
            text.font = l.defaultFont;
            text.font.size = m_plan.fontPoints;
            // A word wider than its box would be split: the header prints smaller instead.
            const QStringList words = box.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            while (text.font.size > 5) {
                const report::GlyphFont font(text.font);
                const bool fits = std::all_of(words.begin(), words.end(), [&](const QString& w) { return font.width(w) <= text.width; });
                if (fits)
                    break;
                text.font.size -= 0.5;
            }
            l.addElement(kFixedBand, frame);
            l.addElement(kFixedBand, text);
            m_boxIds << frame.id << text.id;
            m_boxRows = qMax(m_boxRows, box.row + box.rows);
        }
        l.setBandHeight(kFixedBand, m_boxRows * rowHeight + (m_boxRows > 0 ? 10 : 0));
    }

    void printFormHeader(RunFrame& f, FormHeader header)
    {
        report::Layout& l = f.layout();
        switch (header) {
        case FormHeader::General:
        case FormHeader::Rb50:
            // Rb-50's header is the general one with the part code and the dispatch note.
            for (const char* id : {"FORM_KOD_RAMKA_CZESC", "FORM_KOD_OPIS_CZESC", "FORM_KOD_CZESC", "FORM_BEZ_PISMA"})
                l.setVisible(QLatin1String(id), header == FormHeader::Rb50);
            f.printBand(kFormHeaderBand, {}, TextRole::Plain);
            break;
        case FormHeader::RbWS:
            f.printBand(QStringLiteral("NAGLOWEK_RBWS"), {}, TextRole::Plain);
            break;
        case FormHeader::F01:
            f.printBand(QStringLiteral("NAGLOWEK_F01"), {}, TextRole::Plain);
            break;
        case FormHeader::None:
            break;
        }
    }

    void signatureBlock(RunFrame& f, Closing block)
    {
        const QString band = block == Closing::Signature1 ? QStringLiteral("PODPIS1") : QStringLiteral("PODPIS23");
        const QStringList texts = signatureBlockTexts(block);
        report::FieldValues values;
        for (qsizetype i = 0; i < texts.size(); ++i)
            values.insert(QStringLiteral("%1_T%2").arg(band).arg(i + 1), texts[i]);
        f.keepTogether(f.bandHeight(kSpacerBand) + f.bandHeight(band));
        f.printBand(kSpacerBand, {}, TextRole::Plain);
        f.printBand(band, values, TextRole::Plain);
    }

    // The captions of the statement, and only as many amount columns as it has (a group's
    // statements may have fewer than the widest of them).
    void setCaptions(const StatementHead& h)
    {
        m_frame->setValue(QStringLiteral("ETYKIETA_0"), h.captions.value(0));
        report::Layout& l = m_frame->layout();
        for (int c = 1; c <= m_columns; ++c) {
            m_frame->setValue(captionField(c), c <= h.columns ? h.captions.value(c) : QString());
            l.setVisible(amountField(c), c <= h.columns);
            l.setVisible(totalField(c), c <= h.columns);
        }
    }

    void rule(RunFrame& f) { f.printBand(kRuleBand, {}, TextRole::None); }

    void totalLine(RunFrame& f, const QString& label, const QList<Decimal>& totals)
    {
        f.printCarry(label, totals.mid(0, m_columns));
        rule(f);
    }

    // Before a band of height h: the page closes when the band and the foot lines would not fit.
    void checkPage(RunFrame& f, Units h, bool continuation)
    {
        int lines = 5;
        lines += m_o.pageTotals ? 1 : 0;
        lines += m_o.broughtForward && m_broke ? 1 : 0;
        lines += m_o.carriedForward ? 1 : 0;
        // A character printer's sheet has its own number of lines (the foot lines are in the
        // frame's reserve); continuous paper has no page ends at all.
        const bool full = f.textMode() ? f.textPage().cutSheets()
                                             && f.lineCounter() + (f.firstPage() ? f.definition().text.reserveFirstPage
                                                                                 : f.definition().text.reserveLaterPages)
                                                    >= f.textPage().linesPerPage
                                       : f.position() + h * lines > f.bodyHeight();
        if (full) {
            rule(f);
            if (m_o.broughtForward && m_broke)
                totalLine(f, QStringLiteral("Z przeniesienia"), f.totals().broughtForward());
            if (m_o.pageTotals)
                totalLine(f, QStringLiteral("Razem na stronie"), f.totals().page());
            if (m_o.carriedForward)
                totalLine(f, QStringLiteral("Do przeniesienia"), f.totals().running());
            m_broke = true;
            f.breakPage();
        } else if (!continuation) {
            rule(f);
        }
    }

    void beginStatement(RunFrame& f)
    {
        const StatementHead& h = m_heads[m_index];
        f.totals() = frame::CarryOver(kMaxAmountColumns);
        m_lastWrapped = false;
        // "Z przeniesienia" belongs to a statement that has itself run over a page.
        m_broke = false;
        m_source = std::make_unique<StatementRowSource>(m_r, h);
        if (m_formRun) {
            beginFormStatement(f, h);
            return;
        }
        if (m_index == 0)
            return;
        setCaptions(h);
        f.printBand(kSpacerBand, {}, TextRole::Plain);
        f.printBand(QStringLiteral("NAGLOWEK2"), {{QStringLiteral("NAZWA_ZESTAWIENIA"), h.name.left(100)}}, TextRole::Title);
        f.printColumnHeadings();
    }

    // Each statement of a form run starts a page: its form header when the section has one, its
    // title lines, then its fixed header boxes and captions.
    void beginFormStatement(RunFrame& f, const StatementHead& h)
    {
        if (m_index > 0)
            f.printBand(kPageEndBand, {}, TextRole::Plain);
        setCaptions(h);
        placeTextColumn(printsOrdinal(h));
        placeFixedHeaders(h);
        if (h.formSection) {
            const SectionLayout section = budgetSection(h.formCode);
            printFormHeader(f, section.header);
            for (const QString& line : section.titles) {
                if (line.isEmpty())
                    f.printBand(kSpacerBand, {}, TextRole::Plain);
                else
                    f.printBand(kTitleLineBand, {{QStringLiteral("NAGLOWEK_PRINT"), line}}, TextRole::Title);
            }
        } else {
            f.printBand(QStringLiteral("NAGLOWEK2"), {{QStringLiteral("NAZWA_ZESTAWIENIA"), h.name.left(100)}}, TextRole::Title);
        }
        f.printColumnHeadings();
    }

    void endStatement(RunFrame& f)
    {
        if (!m_lastWrapped)
            rule(f);
        if (m_o.broughtForward && m_broke)
            totalLine(f, QStringLiteral("Z przeniesienia"), f.totals().broughtForward());
        if (m_o.pageTotals)
            totalLine(f, QStringLiteral("Razem na stronie"), f.totals().page());
        if (m_o.reportTotal)
            totalLine(f, QStringLiteral("Razem"), f.totals().running());
        const StatementHead& h = m_heads[m_index];
        if (!h.formSection)
            return;
        const Closing closing = budgetSection(h.formCode).closing;
        // The sections that close with their total print it even when the user asked for none
        // (and once when the user did).
        if ((closing == Closing::TotalsAndRule || closing == Closing::TotalsRuleSignature3) && !m_o.reportTotal)
            totalLine(f, QStringLiteral("Razem"), f.totals().running());
        if (closing == Closing::Signature1 || closing == Closing::Signature2 || closing == Closing::Signature3
            || closing == Closing::TotalsRuleSignature3)
            signatureBlock(f, closing);
    }

    const StatementPrintRequest& m_r;
    const StatementPrintOptions& m_o;
    QList<StatementHead> m_heads;
    QString m_widest;
    FormHeaderValues m_form;
    bool m_formRun = false;
    bool m_broke = false;
    QStringList m_boxIds;
    int m_boxRows = 0;
    int m_columns = 1;
    ColumnPlan m_plan;
    RunFrame* m_frame = nullptr;
    qsizetype m_index = -1;
    std::unique_ptr<StatementRowSource> m_source;
    PrintRow m_row;
    QStringList m_continuations;
    Units m_textX = 0;
    Units m_textWidth = 0;
    Units m_indent = 0;
    int m_weight = 400;
    bool m_lastWrapped = false;
    TextPlan m_text; // amount 0: a graphic printout
};

} // namespace

namespace {

// The unit's header of a form: as the statement window or the header window left it for this
// company and form (the user's entries stay), else loaded for the report's to date. A failed read
// stops the printout: a form without its unit's data is not one to file.
bool budgetFormHeader(const StatementPrintRequest& request, const StatementHead& section, FormHeaderValues* form, QString* error)
{
    const DayNumber to = request.options.periodTo > 0 ? request.options.periodTo : today();
    const BudgetHeaderValues current = budgetHeader();
    if (current.company != request.company || budgetFormOf(current.formCode) != budgetFormOf(section.formCode)) {
        const QStringList errors = loadBudgetHeader(sql::Database::forThread(), request.company, to, section.formCode);
        if (!errors.isEmpty()) {
            *error = errors.join(QLatin1Char('\n'));
            return false;
        }
    }
    form->header = budgetHeader();
    const QString chosen = request.options.periodText.trimmed();
    form->periodText = chosen.isEmpty() ? budgetPeriodText(section.formCode, to) : chosen;
    return true;
}

} // namespace

int printStatements(const StatementPrintRequest& request, QString* error)
{
    korda::Session& s = korda::session();
    const QList<StatementHead> heads = statementsToPrint(request, error);
    if (heads.isEmpty())
        return frame::kResponseCancelled;
    const Decimal widest = widestAmount(request, heads, error);
    if (!error->isEmpty())
        return frame::kResponseCancelled;
    const auto firstSection = std::find_if(heads.begin(), heads.end(), [](const StatementHead& h) { return h.formSection; });
    const bool formRun = firstSection != heads.end();
    FormHeaderValues form;
    if (formRun && !budgetFormHeader(request, *firstSection, &form, error))
        return frame::kResponseCancelled;

    // The frame prints the title and the heading lines from the session; a form prints its own
    // header instead of the title, with the period in it.
    s.DANE_NAGLOWEK_WYDRUKU = formRun ? QString() : request.title.trimmed().isEmpty() ? heads.first().name : request.title;
    s.DANE_OPIS_PRN.clear();
    QStringList headings = request.headings;
    if (!formRun && !request.options.periodText.trimmed().isEmpty())
        headings.prepend(request.options.periodText.trimmed());
    if (request.options.thousands)
        headings << (request.options.noDecimals ? QStringLiteral("Kwoty w tysiącach złotych bez znaku po przecinku")
                                                : QStringLiteral("Kwoty w tysiącach złotych"));
    for (const QString& line : std::as_const(headings))
        for (QString piece : line.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts))
            s.DANE_OPIS_PRN.add(piece.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f]"))));

    StatementRun run(request, heads, amountText(-widest, request.options.noDecimals), std::move(form));
    frame::ReportDefinition d;
    d.procedure = kProcedure;
    d.mixedCaseName = QStringLiteral("Prn_Zestaw_Multikol_New");
    d.textTitle = formRun ? heads.first().name : s.DANE_NAGLOWEK_WYDRUKU;
    d.text.detailScale = kTextScale;
    d.amountColumns = kMaxAmountColumns;
    d.carry.amountFields = run.totalFields();
    d.carry.pageTotalFields = d.carry.broughtForwardFields = d.carry.amountFields;
    d.carry.pageTotal = d.carry.broughtForward = d.carry.carry = kTotalBand;
    d.carry.pageTotalLabelField = d.carry.broughtForwardLabelField = d.carry.carryLabelField = QStringLiteral("NAZWA_POSUMOWANIA");
    d.carry.pageTotals = false; // the printout closes its pages with the lines the user chose
    d.carry.rule.clear();
    d.checkBeforeEachRow = false;
    d.pageFull = [](const RunFrame&) { return false; };
    StatementRun* r = &run;
    d.onOpen = [r](RunFrame& f) { r->open(f); };
    d.closing = [r](RunFrame& f) { r->closing(f); };
    if (formRun) {
        d.furniture.companyBlock.clear();
        d.furniture.title.clear();
        d.furniture.columnHeadings.clear();
        d.afterColumnHeadings = [r](RunFrame& f) { r->columnHeadings(f); };
    }
    RunFrame f(std::move(d), request.output);
    if (!f.start())
        return frame::kResponseCancelled;
    return f.run({[r] { return r->next(); }, [r](RunFrame& fr) { r->print(fr); }, -1});
}

bool exportStatements(const StatementPrintRequest& request, QList<QStringList>* queue, QString* error)
{
    const QList<StatementHead> heads = statementsToPrint(request, error);
    if (heads.isEmpty())
        return false;
    const bool ordinal = request.options.ordinal || request.forceOrdinal;
    QList<QStringList> out;
    for (const StatementHead& h : heads) {
        QStringList caption;
        if (ordinal)
            caption << QStringLiteral("Lp");
        caption << h.captions.mid(0, h.columns + 1);
        out << caption;
        const StatementFigures figures = readStatement(request, h);
        if (!figures.error.isEmpty()) {
            *error = figures.error;
            return false;
        }
        auto cells = [&](const QString& first, const Amounts& a, const QString& ordinalText) {
            QStringList row;
            if (ordinal)
                row << ordinalText;
            row << first;
            for (int c = 0; c < h.columns; ++c)
                row << amountText(a[std::size_t(c)], request.options.noDecimals).remove(QLatin1Char(' '));
            return row;
        };
        for (const PrintRow& row : figures.rows)
            out << cells(row.text, row.amounts, QString::number(row.ordinal));
        if (request.options.reportTotal)
            out << cells(QStringLiteral("Razem"), figures.total, QString());
    }
    *queue += out;
    return true;
}

bool writeExportCsv(const QString& path, const QList<QStringList>& queue, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    for (const QStringList& row : queue) {
        QStringList cells;
        for (QString cell : row) {
            if (cell.contains(QLatin1Char(';')) || cell.contains(QLatin1Char('"')) || cell.contains(QLatin1Char('\n')))
                cell = QLatin1Char('"') + cell.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
            cells << cell;
        }
        file.write((cells.join(QLatin1Char(';')) + QStringLiteral("\r\n")).toUtf8());
    }
    if (!file.commit()) {
        *error = QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

} // namespace pravik::statements
