#include "statements/definitions/DefinitionSource.h"

#include "platform/DayNumber.h"
#include "platform/Decimal.h"
#include "platform/Picture.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace pravik::statements {

using sql::sqlNumber;

QStringList wrapLines(const QString& text, int width)
{
    QStringList lines;
    if (width < 1)
        width = 1;
    qsizetype start = 0;
    while (text.size() - start > width) {
        qsizetype cut = start + width;
        // A break within the second half of the line, after a blank or an operator, keeps a
        // mask or a number whole where the formula allows it.
        for (qsizetype i = start + width - 1; i >= start + width / 2; --i) {
            const QChar c = text.at(i);
            if (c.isSpace() || c == u';' || c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u')') {
                cut = i + 1;
                break;
            }
        }
        lines << text.mid(start, cut - start);
        start = cut;
    }
    if (start < text.size() || lines.isEmpty())
        lines << text.mid(start);
    return lines;
}

namespace {

void addWrapped(QList<PrintLine>& lines, const QString& band, const QString& field, const QString& text, int width)
{
    const QStringList parts = wrapLines(text, width);
    for (qsizetype i = 0; i < parts.size(); ++i)
        lines << PrintLine{i == 0 ? band : kContinuationBand, {{field, parts.at(i)}}};
}

} // namespace

StatementDefinition readStatementDefinition(const StatementDefinitionRequest& request, qint32 company)
{
    StatementDefinition out;
    sql::Database& db = sql::Database::forThread();
    QStringList cols = {QStringLiteral("nazwa"), QStringLiteral("ilosc_kolumn"), QStringLiteral("czy_rozne_definicje")};
    for (int c = 1; c <= 20; ++c)
        cols << QStringLiteral("etykieta_%1").arg(c) << QStringLiteral("czy_bo_%1").arg(c);
    sql::Cursor head = db.execNative(QStringLiteral("select %1 from ZESTAW_NAG where id_zestaw_nag=%2 and id_firmy=%3")
                                         .arg(cols.join(QLatin1Char(',')), sqlNumber(request.statementId), sqlNumber(company)));
    if (!head.ok()) {
        out.error = head.errorText();
        return out;
    }
    if (!head.next()) {
        out.error = QStringLiteral("Nie ma zestawienia o numerze %1.").arg(request.statementId);
        return out;
    }
    out.name = request.name.trimmed().isEmpty() ? head.value(0).toString().trimmed() : request.name.trimmed();
    // Out-of-range counts in stored data print what there is, not past the twenty labels.
    out.columns = qBound(1, head.value(1).toInt(), 20);
    out.perColumn = head.value(2).toInt() == 1;
    for (int c = 1; c <= 20; ++c) {
        QString caption = QStringLiteral(" (%1)").arg(head.value(1 + c * 2).toString().trimmed());
        if (head.value(2 + c * 2).toInt() == 1)
            caption += QStringLiteral(" BO");
        out.captions << caption;
    }
    head.close();

    // One read of every formula of the statement, joined to its rows in lp order.
    sql::Cursor rows = db.execNative(
        QStringLiteral("select p.id_zestaw_poz, p.nazwa, f.nr_kolumny, f.formula from ZESTAW_POZ p"
                       " left join ZESTAW_POZ_FORMULA f on f.id_zestaw_poz=p.id_zestaw_poz and f.nr_kolumny between 1 and %2"
                       " where p.id_zestaw_nag=%1 order by p.lp, p.id_zestaw_poz, f.nr_kolumny")
            .arg(sqlNumber(request.statementId))
            .arg(out.perColumn ? out.columns : 1));
    if (!rows.ok()) {
        out.error = rows.errorText();
        return out;
    }
    qint64 current = -1;
    QHash<int, QString> formulas;
    QString name;
    auto flush = [&] {
        if (current < 0)
            return;
        addWrapped(out.lines, kRowNameBand, QStringLiteral("NAZWA_POZYCJI"), name, kNameLineWidth);
        if (!out.perColumn) {
            addWrapped(out.lines, kComponentBand, QStringLiteral("SKLADOWA"), formulas.value(1), kFormulaLineWidth);
        } else {
            for (int c = 1; c <= out.columns; ++c)
                addWrapped(out.lines, kComponentBand, QStringLiteral("SKLADOWA"),
                           QStringLiteral("kolumna %1 %2 : %3").arg(c).arg(out.captions.at(c - 1), formulas.value(c)),
                           kFormulaLineWidth);
        }
        formulas.clear();
    };
    while (rows.next()) {
        const qint64 id = rows.value(0).toLongLong();
        if (id != current) {
            flush();
            current = id;
            name = rows.value(1).toString().trimmed().left(100);
        }
        if (!rows.value(2).isNull())
            formulas.insert(rows.value(2).toInt(), rows.value(3).toString().trimmed());
    }
    if (!rows.ok()) {
        out.error = rows.errorText();
        out.lines.clear();
        return out;
    }
    flush();
    return out;
}

QList<PrintLine> declarationLines(const QList<korda::DeclarationEntry>& queue)
{
    QList<PrintLine> lines;
    bool itemHeader = false, shareHeader = false;
    for (const korda::DeclarationEntry& e : queue) {
        if (e.kind == -1) {
            if (!itemHeader)
                lines << PrintLine{kItemHeaderBand, {}};
            itemHeader = true;
            lines << PrintLine{kItemBand, {{QStringLiteral("DATA2"), qint64(e.DATA2)},
                                                    {QStringLiteral("NAZWA2"), e.NAZWA2.text()},
                                                    {QStringLiteral("NAZWA3"), e.NAZWA3.text()}}};
            lines << PrintLine{kRuleBand, {}};
        } else if (e.kind == -2) {
            if (!shareHeader)
                lines << PrintLine{kShareHeaderBand, {}};
            shareHeader = true;
            lines << PrintLine{kShareBand, {{QStringLiteral("UDZIAL"), e.share},
                                                     {QStringLiteral("DATA_UDZIALU"), qint64(e.shareDate)}}};
        } else {
            // Deep levels stop moving at the twentieth: the heading stays on the paper.
            const int level = qMin(qAbs(e.kind), 20);
            lines << PrintLine{kHeadingBand, {{QStringLiteral("NAZWA1"), e.NAZWA1.text()}}, level * 100};
            itemHeader = shareHeader = false;
        }
    }
    return lines;
}

namespace {

std::optional<DayNumber> dateOf(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return DayNumber(0);
    const QDate iso = QDate::fromString(t, Qt::ISODate);
    if (iso.isValid())
        return dayFromDate(iso);
    return parseDate(QStringView(t));
}

// One CSV record from text at *pos (quotes double themselves inside a quoted field).
QStringList csvRecord(const QString& text, qsizetype* pos, QChar separator, bool* ok)
{
    QStringList fields;
    QString field;
    bool quoted = false, wasQuoted = false;
    *ok = true;
    qsizetype i = *pos;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text.at(i + 1) == u'"') {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == separator) {
            fields << field;
            field.clear();
            wasQuoted = false;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            ++i;
            break;
        } else {
            field += c;
        }
    }
    if (quoted)
        *ok = false;
    fields << field;
    *pos = i;
    return fields;
}

} // namespace

bool declarationEntry(const QHash<QString, QString>& v, korda::DeclarationEntry* entry, QString* why)
{
    korda::DeclarationEntry& e = *entry;
    bool ok = true;
    const QString kind = v.value(QStringLiteral("rodzaj")).trimmed();
    e.kind = kind.toInt(&ok);
    if (!ok) {
        *why = QStringLiteral("\"rodzaj\" \"%1\" is not a whole number").arg(kind);
        return false;
    }
    for (const char* key : {"nazwa1", "nazwa2", "nazwa3"}) {
        if (v.value(QLatin1String(key)).size() > 250) {
            *why = QStringLiteral("\"%1\" is longer than 250 characters").arg(QLatin1String(key));
            return false;
        }
    }
    e.NAZWA1 = v.value(QStringLiteral("nazwa1"));
    e.NAZWA2 = v.value(QStringLiteral("nazwa2"));
    e.NAZWA3 = v.value(QStringLiteral("nazwa3"));
    for (const char* key : {"data2", "data_udzialu"}) {
        const auto d = dateOf(v.value(QLatin1String(key)));
        if (!d) {
            *why = QStringLiteral("\"%1\" \"%2\" is not a date").arg(QLatin1String(key), v.value(QLatin1String(key)));
            return false;
        }
        (qstrcmp(key, "data2") == 0 ? e.DATA2 : e.shareDate) = *d;
    }
    const QString share = v.value(QStringLiteral("udzial")).trimmed();
    if (!share.isEmpty()) {
        const auto d = Decimal::parse(QString(share).replace(u',', u'.'));
        if (!d) {
            *why = QStringLiteral("\"udzial\" \"%1\" is not a number").arg(share);
            return false;
        }
        e.share = *d;
    }
    return true;
}

namespace {

const QStringList kKeys = {QStringLiteral("nazwa1"), QStringLiteral("nazwa2"), QStringLiteral("nazwa3"), QStringLiteral("data2"),
                           QStringLiteral("rodzaj"), QStringLiteral("udzial"), QStringLiteral("data_udzialu")};

} // namespace

QList<korda::DeclarationEntry> loadDeclarations(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return {};
    }
    // A queue is a few hundred lines; a file far larger is not a declaration file.
    if (file.size() > 16 * 1024 * 1024) {
        *error = QStringLiteral("%1: larger than 16 MB").arg(path);
        return {};
    }
    const QByteArray bytes = file.readAll();
    QList<korda::DeclarationEntry> out;
    QString why;
    const qsizetype firstNonBlank = bytes.trimmed().isEmpty() ? -1 : bytes.indexOf(bytes.trimmed().at(0));
    if (firstNonBlank >= 0 && (bytes.at(firstNonBlank) == '[' || bytes.at(firstNonBlank) == '{')) {
        QJsonParseError parse;
        const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
        if (parse.error != QJsonParseError::NoError || !doc.isArray()) {
            *error = parse.error != QJsonParseError::NoError
                         ? QStringLiteral("%1: %2 at offset %3").arg(path, parse.errorString()).arg(parse.offset)
                         : QStringLiteral("%1: expected an array of entries").arg(path);
            return {};
        }
        const QJsonArray array = doc.array();
        for (qsizetype i = 0; i < array.size(); ++i) {
            const QJsonObject o = array.at(i).toObject();
            QHash<QString, QString> v;
            for (auto it = o.begin(); it != o.end(); ++it) {
                const QString key = it.key().toLower();
                if (!kKeys.contains(key)) {
                    *error = QStringLiteral("%1: entry %2: unknown key \"%3\"").arg(path).arg(i + 1).arg(it.key());
                    return {};
                }
                v.insert(key, it->isDouble() ? QString::number(it->toDouble(), 'f', it->toDouble() == qint64(it->toDouble()) ? 0 : 2)
                                             : it->toString());
            }
            korda::DeclarationEntry e;
            if (!array.at(i).isObject() || !declarationEntry(v, &e, &why)) {
                *error = QStringLiteral("%1: entry %2: %3").arg(path).arg(i + 1).arg(why.isEmpty() ? QStringLiteral("not an object") : why);
                return {};
            }
            out << e;
        }
        return out;
    }

    const QString text = QString::fromUtf8(bytes);
    qsizetype pos = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    const qsizetype lineEnd = text.indexOf(u'\n', pos);
    const QString headerLine = text.mid(pos, lineEnd < 0 ? -1 : lineEnd - pos);
    const QChar separator = headerLine.contains(u';') ? u';' : u',';
    bool ok = true;
    QStringList header = csvRecord(text, &pos, separator, &ok);
    for (QString& h : header) {
        h = h.trimmed().toLower();
        if (!kKeys.contains(h)) {
            *error = QStringLiteral("%1: line 1: unknown column \"%2\"").arg(path, h);
            return {};
        }
    }
    int line = 1;
    while (pos < text.size()) {
        ++line;
        const QStringList fields = csvRecord(text, &pos, separator, &ok);
        if (!ok) {
            *error = QStringLiteral("%1: line %2: a quote is not closed").arg(path).arg(line);
            return {};
        }
        if (fields.size() == 1 && fields.first().trimmed().isEmpty())
            continue;
        if (fields.size() != header.size()) {
            *error = QStringLiteral("%1: line %2: %3 fields, the header has %4").arg(path).arg(line).arg(fields.size()).arg(header.size());
            return {};
        }
        QHash<QString, QString> v;
        for (qsizetype i = 0; i < header.size(); ++i)
            v.insert(header.at(i), fields.at(i));
        korda::DeclarationEntry e;
        if (!declarationEntry(v, &e, &why)) {
            *error = QStringLiteral("%1: line %2: %3").arg(path).arg(line).arg(why);
            return {};
        }
        out << e;
    }
    return out;
}

} // namespace pravik::statements
