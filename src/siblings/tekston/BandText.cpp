#include "siblings/tekston/BandText.h"

#include "platform/Picture.h"
#include "siblings/utilka/TextServices.h"

#include <QMap>

#include <algorithm>

namespace tekston {

using pravik::report::ElementKind;
using pravik::report::HAlign;
using pravik::report::PageBreak;

namespace {

struct Placed {
    int line = 0;
    int column = 0;
    int width = 0;
    int lines = 1;
    const Element* element = nullptr;
};

int lineOf(Units y)
{
    return int((qint64(y) + kUnitsPerTextLine / 2) / kUnitsPerTextLine);
}

// Writes text into line at column, growing the line with blanks; what lies beyond limit is cut.
void put(QString& line, int column, const QString& text, int limit)
{
    if (column < 0 || text.isEmpty())
        return;
    QString piece = text;
    if (limit > 0)
        piece = piece.left(qMax(0, limit - column));
    if (piece.isEmpty())
        return;
    if (line.size() < column + piece.size())
        line.append(QString(column + piece.size() - line.size(), u' '));
    line.replace(column, piece.size(), piece);
}

QString aligned(const QString& text, int width, HAlign align)
{
    if (width <= 0 || text.size() >= width)
        return text;
    const qsizetype pad = width - text.size();
    switch (align) {
    case HAlign::Right:
        return QString(pad, u' ') + text;
    case HAlign::Center:
        return QString(pad / 2, u' ') + text + QString(pad - pad / 2, u' ');
    case HAlign::Left:
        break;
    }
    return text;
}

} // namespace

int toColumn(Units x, int scale)
{
    return int((qint64(x) * scale + 5000) / 10000);
}

QStringList bandToText(const Band& band, const std::function<QString(const Element&)>& text,
                       const BandTextOptions& options)
{
    if (band.pageBreak != PageBreak::None && band.elements.isEmpty())
        return {QStringLiteral("\f")};

    const int limit = options.bandWidth > 0 ? toColumn(options.bandWidth, options.scale) : 0;
    QList<Placed> placed;
    for (const Element& e : band.elements) {
        if (!e.visible)
            continue;
        if (e.kind == ElementKind::Box || (e.kind == ElementKind::Rule && (e.vertical || !options.heading)))
            continue;
        Placed p;
        p.element = &e;
        p.line = lineOf(e.y);
        if (e.columns.isSet()) {
            p.column = e.columns.column;
            p.width = e.columns.width;
        } else {
            p.column = toColumn(e.x, options.scale);
            p.width = qMax(1, toColumn(e.x + e.width, options.scale) - p.column);
        }
        if (e.kind == ElementKind::Text || e.kind == ElementKind::Field)
            p.lines = e.wrap ? qMax(1, int(e.height / kUnitsPerTextLine)) : 1;
        placed.append(p);
    }
    // Left to right, so that a free text runs on only up to the next element of its line.
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });

    QMap<int, QString> lines;
    const int bandLines = qMax(1, lineOf(band.height));
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const Placed& p = placed[i];
        const Element& e = *p.element;
        if (e.kind == ElementKind::Rule) {
            const int end = limit > 0 ? qMin(limit, p.column + p.width) : p.column + p.width;
            put(lines[p.line], p.column, QString(qMax(0, end - p.column), u'-'), limit);
            continue;
        }
        const QString value = text(e);
        if (value.isEmpty())
            continue;
        int room = p.width;
        if (!options.table && !e.wrap && e.align == HAlign::Left) {
            // A free text may use the blank columns up to the next element of its line.
            int next = limit > 0 ? limit : p.column + int(value.size());
            for (qsizetype j = i + 1; j < placed.size(); ++j)
                if (placed[j].line == p.line) {
                    next = placed[j].column;
                    break;
                }
            room = qMax(room, next - p.column);
        }
        if (e.wrap && p.lines > 1) {
            const QStringList pieces = utilka::cutIntoPieces(QStringLiteral(" "), value, room, p.lines);
            for (qsizetype k = 0; k < pieces.size(); ++k)
                put(lines[p.line + int(k)], p.column, aligned(pieces[k], room, e.align), limit);
            continue;
        }
        // A number too wide for its columns keeps its digits: an amount is never cut short.
        const bool number = e.kind == ElementKind::Field && !e.picture.isEmpty()
            && pravik::cachedPicture(e.picture).kind == pravik::Picture::Kind::Number;
        if (number) {
            const QString digits = value.trimmed();
            if (digits.size() > room) {
                put(lines[p.line], qMax(0, p.column + room - int(digits.size())), digits, limit);
                continue;
            }
            put(lines[p.line], p.column, aligned(digits, room, e.align), limit);
            continue;
        }
        put(lines[p.line], p.column, aligned(value.left(room), room, e.align), limit);
    }

    QStringList out;
    if (lines.isEmpty() && !options.heading)
        return band.pageBreak != PageBreak::None ? QStringList{QStringLiteral("\f")} : out;
    const int last = options.heading ? qMax(bandLines - 1, lines.isEmpty() ? 0 : lines.lastKey())
                                     : (lines.isEmpty() ? -1 : lines.lastKey());
    const int first = options.heading || lines.isEmpty() ? 0 : lines.firstKey();
    for (int l = first; l <= last; ++l) {
        QString line = lines.value(l);
        while (!line.isEmpty() && line.back() == u' ')
            line.chop(1);
        if (line.isEmpty() && !options.heading)
            continue;
        out.append(line);
    }
    if (band.pageBreak == PageBreak::After)
        out.append(QStringLiteral("\f"));
    return out;
}

} // namespace tekston
