#include "statements/print/StatementPrintout.h"

#include "framework/RunFrame.h"
#include "platform/Picture.h"
#include "platform/report/Fonts.h"
#include "platform/report/ReportError.h"
#include "siblings/korda/Session.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
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

class StatementRun {
public:
    StatementRun(const StatementPrintRequest& request, QList<StatementHead> heads, QString widest)
        : m_r(request), m_o(request.options), m_heads(std::move(heads)), m_widest(std::move(widest))
    {
        for (const StatementHead& h : m_heads)
            m_columns = qMax(m_columns, h.columns);
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
        const bool ordinal = m_o.ordinal || m_r.forceOrdinal;
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
        const Units textX = m_plan.textX() + 20;
        m_textX = textX;
        m_textWidth = m_plan.textWidth - kGap;
        auto place = [&](const QString& id, Units x, Units width, Units y, Units height) {
            report::Element& e = l.element(id);
            e.x = x;
            e.width = width;
            e.y = y;
            e.height = height;
            e.font.size = m_plan.fontPoints;
        };
        place(QStringLiteral("LP"), 20, m_plan.ordinalWidth - kGap, 0, h);
        place(QStringLiteral("ETYKIETA_LP"), 20, m_plan.ordinalWidth - kGap, 20, 3 * h);
        l.setVisible(QStringLiteral("LP"), ordinal);
        l.setVisible(QStringLiteral("ETYKIETA_LP"), ordinal);
        place(kTextField, textX, m_textWidth, 0, h);
        place(kWrapField, textX, m_textWidth, 0, h);
        place(QStringLiteral("ETYKIETA_0"), textX, m_textWidth, 20, 3 * h);
        place(QStringLiteral("NAZWA_POSUMOWANIA"), textX, m_textWidth, 10, h);
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
        if (ordinal)
            f.setValue(QStringLiteral("ETYKIETA_LP"), QStringLiteral("Lp"));
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
            const int width = qMax(20, int(std::lround(m_textWidth / perChar)) - (depth - 1));
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
        f.printBand(kEndBand, {}, TextRole::Plain);
    }

private:
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
        lines += m_o.broughtForward && !f.firstPage() ? 1 : 0;
        lines += m_o.carriedForward ? 1 : 0;
        if (f.position() + h * lines > f.bodyHeight()) {
            rule(f);
            if (m_o.broughtForward && !f.firstPage())
                totalLine(f, QStringLiteral("Z przeniesienia"), f.totals().broughtForward());
            if (m_o.pageTotals)
                totalLine(f, QStringLiteral("Razem na stronie"), f.totals().page());
            if (m_o.carriedForward)
                totalLine(f, QStringLiteral("Do przeniesienia"), f.totals().running());
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
        m_source = std::make_unique<StatementRowSource>(m_r, h);
        if (m_index == 0)
            return;
        setCaptions(h);
        f.printBand(kSpacerBand, {}, TextRole::Plain);
        f.printBand(QStringLiteral("NAGLOWEK2"), {{QStringLiteral("NAZWA_ZESTAWIENIA"), h.name.left(100)}}, TextRole::Title);
        f.printColumnHeadings();
    }

    void endStatement(RunFrame& f)
    {
        if (!m_lastWrapped)
            rule(f);
        if (m_o.broughtForward && !f.firstPage())
            totalLine(f, QStringLiteral("Z przeniesienia"), f.totals().broughtForward());
        if (m_o.pageTotals)
            totalLine(f, QStringLiteral("Razem na stronie"), f.totals().page());
        if (m_o.reportTotal)
            totalLine(f, QStringLiteral("Razem"), f.totals().running());
    }

    const StatementPrintRequest& m_r;
    const StatementPrintOptions& m_o;
    QList<StatementHead> m_heads;
    QString m_widest;
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
};

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

    // The frame prints the title and the heading lines from the session.
    s.DANE_NAGLOWEK_WYDRUKU = request.title.trimmed().isEmpty() ? heads.first().name : request.title;
    s.DANE_OPIS_PRN.clear();
    QStringList headings = request.headings;
    if (!request.options.periodText.trimmed().isEmpty())
        headings.prepend(request.options.periodText.trimmed());
    if (request.options.thousands)
        headings << (request.options.noDecimals ? QStringLiteral("Kwoty w tysiącach złotych bez znaku po przecinku")
                                                : QStringLiteral("Kwoty w tysiącach złotych"));
    for (const QString& line : std::as_const(headings))
        for (QString piece : line.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts))
            s.DANE_OPIS_PRN.add(piece.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f]"))));

    StatementRun run(request, heads, amountText(-widest, request.options.noDecimals));
    frame::ReportDefinition d;
    d.procedure = kProcedure;
    d.mixedCaseName = QStringLiteral("Prn_Zestaw_Multikol_New");
    d.textTitle = s.DANE_NAGLOWEK_WYDRUKU;
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
    RunFrame f(std::move(d), frame::OutputTarget::fromSession(korda::session()));
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
