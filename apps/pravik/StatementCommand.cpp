// "pravik statement": generates a user-defined statement through ZESTAWIENIE_GENERUJ, the way the
// statement window does (the user's lists rebuilt when asked, column periods in KOMUNIKAT, then the
// call), then shows the computed rows as a table (--show), prints them with the multi-column
// printout (the driver's --pdf, --png, --text, --print, --mail) or exports them through the
// printout's export mode (--csv, --xlsx, --spd, --xml). Output rules, help and exit codes are the
// report driver's.
#include "Command.h"
#include "ReportDriver.h"

#include "framework/VariantStore.h"
#include "platform/Decimal.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Spreadsheet.h"
#include "statements/export/BudgetXmlExport.h"
#include "statements/export/SpdExport.h"
#include "statements/generation/StatementGeneration.h"
#include "statements/headings/StatementHeadings.h"
#include "statements/lists/UserLists.h"
#include "statements/print/StatementPrintout.h"
#include "statements/print/StatementProcedures.h"
#include "statements/print/StatementRows.h"
#include "statements/variants/StatementVariant.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <limits>
#include <tuple>

namespace pravik::cli {

namespace {

using sql::sqlNumber;
using sql::sqlText;

// "-1 234 567,89": the amounts as the printouts show them.
QString amountText(const Decimal& d)
{
    const qint64 cents = d.cents() < 0 ? -d.cents() : d.cents();
    QString units = QString::number(cents / 100);
    for (qsizetype i = units.size() - 3; i > 0; i -= 3)
        units.insert(i, QLatin1Char(' '));
    return QStringLiteral("%1%2,%3").arg(d.sign() < 0 ? QStringLiteral("-") : QString(), units)
        .arg(cents % 100, 2, 10, QLatin1Char('0'));
}

// "--totals report,page,brought-forward,carried-forward,lowest|highest|level=N"
bool parseTotals(const QString& value, statements::StatementPrintOptions* o)
{
    for (const QString& word : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString w = word.trimmed();
        if (w == QLatin1String("report"))
            o->reportTotal = true;
        else if (w == QLatin1String("page"))
            o->pageTotals = true;
        else if (w == QLatin1String("brought-forward"))
            o->broughtForward = true;
        else if (w == QLatin1String("carried-forward"))
            o->carriedForward = true;
        else if (w == QLatin1String("lowest"))
            o->totalsMode = statements::TotalsMode::LowestLevel;
        else if (w == QLatin1String("highest"))
            o->totalsMode = statements::TotalsMode::HighestLevel;
        else if (w.startsWith(QLatin1String("level="))) {
            bool ok = false;
            o->totalsLevel = w.mid(6).toInt(&ok);
            if (!ok || o->totalsLevel < 1 || o->totalsLevel > 99)
                return false;
            o->totalsMode = statements::TotalsMode::ChosenLevel;
        } else
            return false;
    }
    return true;
}

using PrintChoice = std::function<void(statements::StatementPrintOptions&)>;

struct StatementArgs {
    std::optional<qint64> id;
    QString name;
    // The period: --on (as at a day), --from/--to (a range), --quarter/--month.
    std::optional<DayNumber> from, to, on;
    int quarter = 0, month = 0;
    bool cumulative = false;
    QMap<int, QPair<DayNumber, DayNumber>> columnPeriods;
    bool approved = false, computeBo = false, skipBz = false, userLists = false;
    QString saved;
    // The print options in the order given; a saved variant comes first and these change it.
    QList<PrintChoice> printChoices;
    bool wholeGroup = false;
    QString title;
    QString description; // the window's "Opis": the last heading line
    // Outputs of the command's own.
    bool list = false;
    bool show = false;
    QString csv, xml, spd;
    // --xml
    int correction = -1;
    QString note;
    // --spd
    std::optional<QString> sdCode, entityCode, separator, qualifier;
    std::optional<DayNumber> businessDate;
    bool accountNames = false;
};

// The period type of the window: "na dzień" (0), "zakres dat" (1), "kwartały" (2), "miesiące" (3).
int periodType(const StatementArgs& a)
{
    return a.quarter > 0 ? 2 : a.month > 0 ? 3 : a.from ? 1 : 0;
}

bool checkChoices(CommandContext& ctx, const StatementArgs& a, const ReportOutput& out)
{
    auto refuse = [&](const QString& message) {
        ctx.error(QStringLiteral("statement: ") + message);
        return false;
    };
    if (a.list && (a.id || !a.name.isEmpty()))
        return refuse(QStringLiteral("--list lists every statement of the company; leave out --id and --name"));
    if (!a.list && a.id.has_value() == !a.name.isEmpty())
        return refuse(QStringLiteral("give either --id N or --name TEXT"));
    const int own = int(a.list) + int(a.show) + int(!a.csv.isEmpty()) + int(!a.xml.isEmpty()) + int(!a.spd.isEmpty());
    const int shared = int(!out.pdf.isEmpty()) + int(!out.pngFolder.isEmpty()) + int(out.print) + int(out.textPrinting)
        + int(!out.xlsx.isEmpty()) + int(out.mail.wanted());
    if (own > 0 && own + shared > 1)
        return refuse(QStringLiteral("--list, --show, --csv, --xml and --spd each go alone"));
    if (a.quarter > 0 && a.month > 0)
        return refuse(QStringLiteral("give --quarter or --month, not both"));
    if ((a.quarter > 0 || a.month > 0) && (a.from || a.to || a.on))
        return refuse(QStringLiteral("--quarter and --month set the dates; leave out --from, --to and --on"));
    if (a.on && (a.from || a.to))
        return refuse(QStringLiteral("--on is the statement as at one day; leave out --from and --to"));
    if (a.from && a.to && *a.from > *a.to)
        return refuse(QStringLiteral("--from lies after --to"));
    if (a.cumulative && a.quarter == 0 && a.month == 0)
        return refuse(QStringLiteral("--cumulative goes with --quarter or --month"));
    if (a.spd.isEmpty() && (a.sdCode || a.entityCode || a.separator || a.qualifier || a.businessDate || a.accountNames))
        return refuse(QStringLiteral("--sd-code, --entity-code, --separator, --qualifier, --account-names and --business-date go with --spd"));
    if (a.xml.isEmpty() && (a.correction >= 0 || !a.note.isEmpty()))
        return refuse(QStringLiteral("--correction and --note go with --xml"));
    return true;
}

// The statement's header: id, columns, name, captions.
struct Head {
    qint64 id = 0;
    int columns = 0;
    QString name;
    QStringList captions; // text column, then 1..20
};

std::optional<Head> findStatement(const StatementArgs& a, QString* error)
{
    sql::Database& db = sql::Database::forThread();
    const korda::Session& s = korda::session();
    QStringList cols = {QStringLiteral("id_zestaw_nag"), QStringLiteral("ilosc_kolumn"), QStringLiteral("nazwa"),
                        QStringLiteral("etykieta_0")};
    for (int c = 1; c <= 20; ++c)
        cols << QStringLiteral("etykieta_%1").arg(c) << QStringLiteral("czy_bo_%1").arg(c);
    sql::Cursor head = db.execNative(QStringLiteral("select %1 from ZESTAW_NAG where id_firmy=%2 and %3 order by id_zestaw_nag")
                                         .arg(cols.join(QLatin1Char(',')), sqlNumber(s.DANE_ID_FIRMY),
                                              a.id ? QStringLiteral("id_zestaw_nag=%1").arg(sqlNumber(*a.id))
                                                   : QStringLiteral("nazwa=%1").arg(sqlText(a.name))));
    if (!head.ok()) {
        *error = head.errorText();
        return std::nullopt;
    }
    bool found = head.next();
    if (!found && !a.id && head.ok()) {
        // A form group is named by its form ("Rb-28S"): its first section in print order stands for it.
        head.close();
        sql::Cursor byGroup = db.execNative(QStringLiteral("select n.id_zestaw_nag, n.wariant from ZESTAW_NAG n join ZESTAW_GRUPA g on"
                                                           " g.id_zestaw_grupa=n.id_zestaw_grupa where g.id_firmy=%1 and g.nazwa=%2")
                                                .arg(sqlNumber(s.DANE_ID_FIRMY), sqlText(a.name)));
        qint64 first = 0;
        QString firstKey;
        while (byGroup.next()) {
            const QString key = statements::groupSortKey(byGroup.value(1).toString().trimmed());
            if (first == 0 || key.compare(firstKey, Qt::CaseInsensitive) < 0) {
                first = byGroup.value(0).toLongLong();
                firstKey = key;
            }
        }
        if (!byGroup.ok()) {
            *error = byGroup.errorText();
            return std::nullopt;
        }
        if (first > 0) {
            head = db.execNative(QStringLiteral("select %1 from ZESTAW_NAG where id_zestaw_nag=%2").arg(cols.join(QLatin1Char(',')),
                                                                                                     sqlNumber(first)));
            found = head.next();
            if (!head.ok()) {
                *error = head.errorText();
                return std::nullopt;
            }
        }
    }
    if (!found) {
        *error = a.id ? QStringLiteral("company %1 has no statement %2").arg(s.DANE_ID_FIRMY).arg(*a.id)
                      : QStringLiteral("company %1 has no statement named \"%2\"").arg(s.DANE_ID_FIRMY).arg(a.name);
        return std::nullopt;
    }
    Head h;
    h.id = head.value(0).toLongLong();
    h.columns = head.value(1).toInt();
    h.name = head.value(2).toString().trimmed();
    h.captions = {head.value(3).toString().trimmed().isEmpty() ? QStringLiteral("Nazwa pozycji") : head.value(3).toString().trimmed()};
    for (int c = 1; c <= 20; ++c)
        h.captions << head.value(2 + c * 2).toString().trimmed();
    return h;
}

// The column periods of one statement as the window keeps them: every column that is not an
// opening-balance column gets the period (or its own --column period), opening-balance columns
// none.
std::optional<QList<statements::GenerationColumn>> columnPeriods(qint64 statementId, const StatementArgs& a, DayNumber from, DayNumber to,
                                                                 QString* error)
{
    auto columns = statements::statementColumns(statementId, from, to, korda::session().DANE_LATA_OBROTOWE, error);
    if (columns)
        for (statements::GenerationColumn& c : *columns)
            if (!c.openingBalance && a.columnPeriods.contains(c.number))
                std::tie(c.from, c.to) = a.columnPeriods.value(c.number);
    return columns;
}

// "Pełny zakres": the statement's lists rebuilt over the date range of its columns (the smallest
// from date and the largest to date; without them the first or last day of the columns' fiscal
// years), as the window does before it generates.
bool rebuildLists(qint64 statementId, const QList<statements::GenerationColumn>& columns, QString* error)
{
    const korda::Session& s = korda::session();
    const auto range = statements::listDateRange(columns, s.DANE_ID_FIRMY, s.DANE_LATA_OBROTOWE, error);
    if (!range)
        return false;
    const auto [from, to] = *range;
    DEFINIOWANA_LISTA_RU(qint32(statementId), qint32(from), qint32(to), 1);
    if (korda::session().globalResponse != 1) {
        *error = QStringLiteral("the lists of statement %1 were not rebuilt").arg(statementId);
        return false;
    }
    return true;
}

// The columns as the heading lines and the browse title name them.
QList<statements::HeadingColumn> headingColumns(const QList<statements::GenerationColumn>& columns, QString* error)
{
    QMap<qint32, QString> names;
    sql::Cursor years = sql::Database::forThread().execNative(
        QStringLiteral("select id_lata_obrot, rok_obrotowy from LATA_OBROTOWE where id_firmy=%1").arg(sqlNumber(korda::session().DANE_ID_FIRMY)));
    while (years.next())
        names.insert(years.value(0).toInt(), years.value(1).toString().trimmed());
    if (!years.ok())
        *error = years.errorText();
    QList<statements::HeadingColumn> out;
    for (const statements::GenerationColumn& p : columns)
        out << statements::HeadingColumn{p.openingBalance, p.from, p.to, names.value(p.yearId)};
    return out;
}

statements::HeadingPeriod headingPeriod(const StatementArgs& a, int periodYear)
{
    statements::HeadingPeriod p;
    p.type = statements::HeadingPeriod::Type(periodType(a));
    p.number = a.quarter > 0 ? a.quarter : a.month;
    p.year = periodYear;
    p.cumulative = a.cumulative;
    return p;
}

// The rows as a table on the terminal: the text indented by level, one amount per column.
int showRows(CommandContext& ctx, const Head& h, const QString& title, const std::function<int(const QString&)>& fail)
{
    QStringList kols;
    for (int c = 1; c <= h.columns; ++c)
        kols << QStringLiteral("kol%1").arg(c);
    sql::Cursor rows = sql::Database::forThread().execNative(
        QStringLiteral("select symbol, opis, poziom, %1 from ZESTAW_ZESTAW where id_uzytkownika=%2"
                       " and id_zestaw_nag=%3 and wariant_zestaw=1 order by lp")
            .arg(kols.join(QLatin1Char(',')), sqlNumber(korda::session().DANE_ID_UZYTKOWNIKA_NR), sqlNumber(h.id)));
    QList<QStringList> table;
    while (rows.next()) {
        const int level = qAbs(rows.value(2).toInt());
        const QString symbol = rows.value(0).toString().trimmed();
        QStringList line = {QString(qMax(level - 1, 0) * 2, QLatin1Char(' ')) + (symbol.isEmpty() ? QString() : symbol + QLatin1Char(' '))
                            + rows.value(1).toString().trimmed()};
        for (int c = 0; c < h.columns; ++c)
            line << amountText(Decimal::fromVariant(rows.value(3 + c)).value_or(Decimal()));
        table << line;
    }
    if (!rows.ok())
        return fail(rows.errorText());

    QList<qsizetype> widths;
    QStringList header = h.captions.mid(0, h.columns + 1);
    for (int c = 0; c <= h.columns; ++c) {
        if (c > 0 && header[c].isEmpty())
            header[c] = QStringLiteral("Kolumna %1").arg(c);
        qsizetype w = header[c].size();
        for (const QStringList& line : table)
            w = qMax(w, line[c].size());
        widths << qMin<qsizetype>(w, c == 0 ? 70 : 30);
    }
    auto format = [&](const QStringList& line) {
        QString text = line[0].left(widths[0]).leftJustified(widths[0]);
        for (int c = 1; c <= h.columns; ++c)
            text += QStringLiteral("  ") + line[c].rightJustified(widths[c]);
        return text;
    };
    ctx.out(title);
    ctx.out(format(header));
    ctx.out(QString(format(header).size(), QLatin1Char('-')));
    for (const QStringList& line : table)
        ctx.out(format(line));
    return kExitOk;
}

// The company's stored SPD settings, changed by the options and stored again (a failure to store
// is said and the export goes on), then the file.
int exportSpd(CommandContext& ctx, const StatementArgs& a, const statements::StatementPrintRequest& r, DayNumber dayFrom,
              DayNumber dayTo, const std::function<int(const QString&)>& fail)
{
    sql::Database& db = sql::Database::forThread();
    const korda::Session& s = korda::session();
    QString error;
    statements::SpdSettings settings = statements::loadSpdSettings(db, s.DANE_ID_FIRMY, &error);
    if (!error.isEmpty())
        ctx.error(QStringLiteral("statement: SPD settings not read: %1").arg(error));
    if (a.sdCode)
        settings.fields[0] = *a.sdCode;
    if (a.entityCode)
        settings.fields[1] = *a.entityCode;
    if (a.separator)
        settings.fields[2] = *a.separator;
    if (a.qualifier)
        settings.fields[3] = *a.qualifier;
    if (a.accountNames)
        settings.fields[4] = QStringLiteral("1");
    if (const auto problem = settings.problem()) {
        ctx.error(QStringLiteral("statement: %1").arg(*problem));
        return kExitUsage;
    }
    const int type = periodType(a);
    settings.businessDate = a.businessDate.value_or(statements::spdBusinessDate(dayTo, type));
    const DayNumber periodStart = dayFrom > 0 ? dayFrom : s.DANE_POCZATEK_ROKU;
    if (settings.businessDate > dayTo || (periodStart > 0 && settings.businessDate < periodStart)) {
        ctx.error(QStringLiteral("statement: the business date lies outside the period"));
        return kExitUsage;
    }
    error.clear();
    if (!statements::saveSpdSettings(db, s.DANE_ID_FIRMY, settings, &error))
        ctx.error(QStringLiteral("statement: SPD settings not stored: %1").arg(error));
    int written = 0;
    const QString path = QFileInfo(a.spd).absoluteFilePath();
    if (!statements::writeSpdCsv(r, settings, path, &written, &error))
        return fail(error);
    ctx.note(QStringLiteral("%1 rows written to %2").arg(written).arg(path));
    return kExitOk;
}

// "Eksport do pliku (CSV)" and the spreadsheet: the printout in export mode fills GGG:XML_Q,
// which then goes to the file whole or not at all.
int exportQueue(CommandContext& ctx, const statements::StatementPrintRequest& request, const QString& title, const QString& csv,
                const QString& xlsx,
                const std::function<int(const QString&)>& fail)
{
    korda::Session& s = korda::session();
    s.GGG_XML_Q.clear();
    s.GGG_PRN_EXPORT_XML = 1;
    statements::StatementPrintRequest r = request;
    r.exportMode = true;
    const int response = statements::runStatementRequest(r);
    s.GGG_PRN_EXPORT_XML = 0;
    if (response != 1)
        return fail(QStringLiteral("the export did not complete"));
    QString error;
    const QString path = QFileInfo(csv.isEmpty() ? xlsx : csv).absoluteFilePath();
    const bool written = csv.isEmpty() ? utilka::EXPORT2EXCEL(s.GGG_XML_Q, -1, path, title, &error)
                                       : statements::writeExportCsv(path, s.GGG_XML_Q, &error);
    const qsizetype rows = s.GGG_XML_Q.size();
    s.GGG_XML_Q.clear();
    if (!written)
        return fail(error);
    ctx.note(QStringLiteral("%1 rows written to %2").arg(rows).arg(path));
    return kExitOk;
}

// The company's statements, one a line: id, group, name and number of columns, apart by tabs.
int listStatements(CommandContext& ctx)
{
    sql::Cursor c = sql::Database::forThread().execNative(
        QStringLiteral("select n.id_zestaw_nag, g.nazwa, n.nazwa, n.ilosc_kolumn from ZESTAW_NAG n left join ZESTAW_GRUPA g"
                       " on g.id_zestaw_grupa=n.id_zestaw_grupa where n.id_firmy=%1 order by n.id_zestaw_nag")
            .arg(sqlNumber(korda::session().DANE_ID_FIRMY)));
    while (c.next())
        ctx.out(QStringLiteral("%1\t%2\t%3\t%4").arg(c.value(0).toLongLong()).arg(c.value(1).toString().trimmed(),
                                                                                c.value(2).toString().trimmed())
                    .arg(c.value(3).toInt()));
    if (!c.ok()) {
        ctx.error(QStringLiteral("statement: ") + c.errorText());
        return kExitFailure;
    }
    return kExitOk;
}

int runStatement(CommandContext& ctx, const ReportCommand& self, StatementArgs& a, const ReportOutput& out)
{
    if (a.list)
        return listStatements(ctx);
    sql::Database& db = sql::Database::forThread();
    korda::Session& s = korda::session();
    auto fail = [&](const QString& message) {
        ctx.error(QStringLiteral("statement: %1").arg(message));
        return kExitFailure;
    };
    QString error;
    const std::optional<Head> head = findStatement(a, &error);
    if (!head)
        return fail(error);

    // The print options: the saved variant first, then the options given.
    statements::StatementVariantOptions options;
    if (!a.saved.isEmpty()) {
        qint32 variant = 0;
        for (const VariantEntry& e : listVariants(s.DANE_ID_UZYTKOWNIKA_NR, statements::kStatementVariantKey))
            if (e.id != 0 && e.name == a.saved.trimmed())
                variant = e.id;
        if (variant == 0)
            return fail(QStringLiteral("no saved variant %1 of %2 for this user").arg(quotedInput(a.saved), statements::kStatementVariantKey));
        // The window stores every option; a variant without any was not read (the reason was said).
        const VariantValues values = loadVariant(variant);
        if (values.isEmpty())
            return fail(QStringLiteral("the saved variant %1 could not be read").arg(quotedInput(a.saved)));
        statements::applyStatementVariant(values, &options);
    }
    for (const PrintChoice& choice : std::as_const(a.printChoices))
        choice(options.print);
    options.print.wholeGroup = a.wholeGroup;
    if (options.krs)
        s.GGG_PRN_KRS = 1;

    // A quarter or a month of the fiscal year's calendar year, from its first day or, cumulative,
    // from 1 January. "Na dzień" leaves the from date 0: each column counts from the start of its
    // fiscal year.
    const int periodYear = yearOf(s.DANE_KONIEC_ROKU > 0 ? s.DANE_KONIEC_ROKU : today());
    if (a.quarter > 0 || a.month > 0) {
        const int firstMonth = a.quarter > 0 ? a.quarter * 3 - 2 : a.month, lastMonth = a.quarter > 0 ? a.quarter * 3 : a.month;
        a.from = a.cumulative ? dayFromYmd(periodYear, 1, 1) : dayFromYmd(periodYear, firstMonth, 1);
        a.to = lastDayOfMonth(dayFromYmd(periodYear, lastMonth, 1));
    }
    if (a.on)
        a.to = *a.on;
    const DayNumber dayFrom = a.from.value_or(0), dayTo = a.to.value_or(s.DANE_KONIEC_ROKU);

    // The statement's group; the whole group is generated and printed with --group (and for the
    // budget XML, which is a whole form).
    qint64 statementGroup = 0;
    {
        sql::Cursor g = db.execNative(QStringLiteral("select a.id_zestaw_grupa from ZESTAW_NAG a inner join ZESTAW_GRUPA b on "
                                                     "a.id_zestaw_grupa = b.id_zestaw_grupa where a.id_zestaw_nag=%1").arg(sqlNumber(head->id)));
        if (g.next())
            statementGroup = g.value(0).toLongLong();
        else if (!g.ok())
            return fail(g.errorText());
    }
    qint64 group = 0;
    QList<qint64> toGenerate = {head->id};
    if ((a.wholeGroup || !a.xml.isEmpty()) && !a.show) {
        group = statementGroup;
        if (group > 0) {
            toGenerate.clear();
            sql::Cursor m = db.execNative(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where id_firmy=%1 and id_zestaw_grupa=%2 order by id_zestaw_nag")
                                              .arg(sqlNumber(s.DANE_ID_FIRMY), sqlNumber(group)));
            while (m.next())
                toGenerate << m.value(0).toLongLong();
            if (!m.ok())
                return fail(m.errorText());
        }
    }
    // A statement whose generation fails stops the run, so that no printout shows the rows of an
    // earlier run.
    statements::GenerationRequest generation;
    generation.company = s.DANE_ID_FIRMY;
    generation.year = s.DANE_LATA_OBROTOWE;
    generation.user = s.DANE_ID_UZYTKOWNIKA_NR;
    generation.statements = toGenerate;
    generation.from = dayFrom;
    generation.to = dayTo;
    generation.approvedOnly = a.approved;
    generation.computeBo = a.computeBo;
    generation.skipBz = a.skipBz;
    QList<statements::HeadingColumn> headings;
    for (qint64 one : std::as_const(toGenerate)) {
        const auto columns = columnPeriods(one, a, dayFrom, dayTo, &error);
        if (!columns)
            return fail(error);
        if (one == head->id)
            headings = headingColumns(*columns, &error);
        if (!error.isEmpty())
            return fail(error);
        if (a.userLists && !rebuildLists(one, *columns, &error))
            return fail(error);
        generation.columns << *columns;
    }
    if (const auto failure = statements::generateStatements(generation))
        return fail(failure->text);

    const statements::HeadingPeriod period = headingPeriod(a, periodYear);
    if (a.show)
        return showRows(ctx, *head, statements::statementBrowseTitle(head->name, headings, period), fail);
    if (!a.xml.isEmpty()) {
        statements::BudgetXmlRequest x;
        x.company = s.DANE_ID_FIRMY;
        x.user = s.DANE_ID_UZYTKOWNIKA_NR;
        x.statementId = head->id;
        x.periodType = periodType(a);
        x.periodNumber = a.quarter > 0 ? a.quarter : a.month;
        x.periodYear = periodYear;
        x.cumulative = a.cumulative;
        x.skipZeroRows = options.print.skipZeroRows;
        x.printDate = s.DANE_DATA_WYDRUKU > 0 ? s.DANE_DATA_WYDRUKU : today();
        x.correction = static_cast<quint8>(qMax(a.correction, 0));
        x.note = a.note;
        x.path = QFileInfo(a.xml).absoluteFilePath();
        if (!x.path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
            x.path += QStringLiteral(".xml");
        const statements::BudgetXmlResult result = statements::exportBudgetXml(x);
        if (!result.ok)
            return fail(result.message);
        ctx.note(result.message);
        return kExitOk;
    }

    statements::StatementPrintRequest r;
    r.options = options.print;
    r.company = s.DANE_ID_FIRMY;
    r.user = s.DANE_ID_UZYTKOWNIKA_NR;
    r.rowFilter = statements::StatementPrintRequest::userRowsFilter(r.user);
    r.groupId = group;
    r.statementId = head->id;
    r.title = a.title;
    r.yearName = s.DANE_LATA_OBROT_NAZWA;
    r.options.periodTo = dayTo;
    // A statement of a group prints the group's own period text, not these lines.
    if (statementGroup == 0)
        r.headings = statements::statementHeadingLines(headings, period, a.description);
    else if (!a.description.trimmed().isEmpty())
        ctx.note(QStringLiteral("the statement belongs to a group, whose printout has no description line: --description left out"));
    if (!a.spd.isEmpty())
        return exportSpd(ctx, a, r, dayFrom, dayTo, fail);
    if (!a.csv.isEmpty() || !out.xlsx.isEmpty())
        return exportQueue(ctx, r, a.title.isEmpty() ? head->name : a.title, a.csv, out.xlsx, fail);

    // The printout: the window's print, preview and mail buttons as the host keeps them.
    applyBrowseOutputRequests(out);
    if (out.textPrinting) {
        QString printer;
        if (!resolveTextPrinter(ctx, self.name, out.printer, &printer))
            return kExitFailure;
        s.DANE_NAZWA_DRUKARKI = printer;
    }
    // A file left from an earlier run must not pass for this run's report.
    for (const QString& file : {out.pdf, out.textFile})
        if (!file.isEmpty())
            QFile::remove(file);
    r.output = frame::OutputTarget::fromSession(s);
    if (statements::runStatementRequest(r) != 1 || s.globalResponse != 1)
        return fail(QStringLiteral("the printout did not complete"));
    if (!out.pdf.isEmpty() && !QFileInfo::exists(out.pdf))
        return fail(QStringLiteral("no PDF was written"));
    if (!out.textFile.isEmpty() && !QFileInfo::exists(out.textFile))
        return fail(QStringLiteral("no text file was written"));
    return kExitOk;
}

// A value option that must not be empty.
bool text(OptionReader& in, QString* v)
{
    if (!in.value(v))
        return false;
    return !v->isEmpty() || in.fail(QStringLiteral("%1 needs a value").arg(in.name()));
}

ReportOption flag(const char* name, const char* help, bool* target)
{
    return {QLatin1String(name), QString(), QString::fromUtf8(help), [target](OptionReader&) { return *target = true; }};
}

ReportOption printFlag(const char* name, const char* help, StatementArgs& a, bool statements::StatementPrintOptions::*member)
{
    return {QLatin1String(name), QString(), QString::fromUtf8(help), [&a, member](OptionReader&) {
                a.printChoices.append([member](statements::StatementPrintOptions& o) { o.*member = true; });
                return true;
            }};
}

ReportCommand statementCommand(StatementArgs& a)
{
    ReportCommand c;
    c.name = QStringLiteral("statement");
    c.noun = QStringLiteral("statement");
    c.synopsis = QStringLiteral("generate a user-defined statement and show, print or export it");
    c.usage = QStringLiteral(
        "--list | (--id N | --name TEXT) [--group]\n"
        "                        [--on DATE | --from DATE --to DATE | --quarter N | --month N [--cumulative]]\n"
        "                        [--column N=FROM..TO ...] [--approved-only] [--compute-bo] [--skip-bz] [--user-lists]\n"
        "                        [--saved NAME] [--thousands] [--round | --truncate] [--no-decimals] [--ordinal] [--wrap]\n"
        "                        [--skip-zero] [--totals LIST] [--title TEXT] [--description TEXT]\n"
        "                        [--xml FILE [--correction N] [--note TEXT]]\n"
        "                        [--spd FILE [--sd-code XX] [--entity-code YYY] [--separator S] [--qualifier Q]\n"
        "                         [--account-names] [--business-date D]]");
    c.ownOutputsUsage = QStringLiteral(" | --list | --show | --csv FILE | --xml FILE | --spd FILE");
    c.ownOutputs = [&a] { return int(a.list) + int(a.show) + int(!a.csv.isEmpty()) + int(!a.xml.isEmpty()) + int(!a.spd.isEmpty()); };
    c.offersXlsx = true;
    c.description = QStringLiteral(
        "Computes the statement with ZESTAWIENIE_GENERUJ (every statement of its group with --group)\n"
        "and prints, shows or exports the rows. A formula error is printed with the row, column and\n"
        "character it names; nothing is printed or written and the exit code is 1.\n"
        "\n"
        "The period of every column that is not an opening-balance column (those keep theirs):\n"
        "  --on DATE       \"na dzień\": as at DATE; turnovers count from the first day of each\n"
        "                  column's fiscal year, balances are those at DATE. A column of another\n"
        "                  fiscal year takes the same day of its own year.\n"
        "  --from D --to D \"zakres dat\"; --from alone runs to the year's end, --to alone is --on\n"
        "  --quarter N, --month N   a quarter (1-4) or month (1-12) of the fiscal year's calendar\n"
        "                  year; --cumulative counts from 1 January\n"
        "  (none)          as at the fiscal year's last day\n"
        "  --column N=FROM..TO   column N's own period\n"
        "\n"
        "--saved NAME loads the user's saved variant of the statement window (\"RU\": the amount,\n"
        "ordinal, wrapping, KRS, totals and zero-row options) first; the options below add to it.\n"
        "--user-lists rebuilds the user's lists of the statement's list rows (accounts, budget\n"
        "classifications) from the whole date range of its columns before generating, as the\n"
        "window does for \"Pełny zakres\"; without it the lists kept (\"pravik lists\") are used.\n"
        "\n"
        "  --show          the rows as a table: the text indented by level, one amount per column\n"
        "  --csv FILE      the rows as the printout shows them, \";\" between cells\n"
        "  --xlsx FILE     the same rows as a spreadsheet, amounts as numbers\n"
        "  --text [FILE]   the printout for a text (matrix) printer\n"
        "  --xml FILE      a budget form group as XML (docs/sprawozdanie-budzetowe.xsd); needs\n"
        "                  --quarter or --month; written whole or not at all; --correction N\n"
        "                  (1-255, 0 the first report), --note TEXT for the receiving system\n"
        "  --spd FILE      the rows in the SPD layout (docs/budget-exports.md); the company's stored\n"
        "                  settings, changed by --sd-code, --entity-code, --separator (default \"|\"),\n"
        "                  --qualifier (default a double quotation mark) and --account-names, are\n"
        "                  stored again; --business-date within the period (default its last day,\n"
        "                  day 1 of the month for --month)\n"
        "  --totals LIST   comma-separated: report (\"Razem\"), page (\"Razem na stronie\"),\n"
        "                  brought-forward (\"Z przeniesienia\"), carried-forward (\"Do przeniesienia\"),\n"
        "                  and which rows add up: lowest (level 1), highest (the default), level=N\n"
        "  --description TEXT  a line under the period lines (the window's \"Opis\"); a statement\n"
        "                  of a group prints the group's period text instead, without it\n"
        "\n"
        "Budget forms (a budget unit's company): a form is a group named by its form code, one\n"
        "statement a section; --name with the form code and --group print every section in the\n"
        "form's order, --xml writes the whole form, --spd its rows. Examples:\n"
        "  pravik statement --company 2 --name \"Rb-28S\" --group --quarter 1 --year 2026 --pdf f.pdf\n"
        "  pravik statement --company 2 --name \"Rb-28S\" --quarter 1 --year 2026 --xml r.xml --correction 1\n"
        "  pravik statement --company 2 --name \"Rb-28S\" --group --month 3 --year 2026 --spd r.csv --sd-code 01\n");
    c.periodHelp = QStringLiteral("The fiscal year is the session's (--year); the period is the statement's own (above), not --period.\n");
    auto date = [](std::optional<DayNumber>* d) { return [d](OptionReader& in) { return in.date(d); }; };
    c.options = {
        {QStringLiteral("id"), QStringLiteral("N"), QStringLiteral("the statement"), [&a](OptionReader& in) {
             qint64 n = 0;
             return in.number(1, std::numeric_limits<qint32>::max(), &n) && (a.id = n, true);
         }},
        {QStringLiteral("name"), QStringLiteral("TEXT"), QStringLiteral("a statement, or a budget form group by its name (\"Rb-28S\")"),
         [&a](OptionReader& in) { return text(in, &a.name); }},
        flag("group", "every statement of the statement's group, in the group's order", &a.wholeGroup),
        {QStringLiteral("on"), QStringLiteral("DATE"), QStringLiteral("the statement as at DATE (\"na dzień\")"), date(&a.on)},
        {QStringLiteral("from"), QStringLiteral("DATE"), QStringLiteral("the first day of the period"), date(&a.from)},
        {QStringLiteral("to"), QStringLiteral("DATE"), QStringLiteral("the last day of the period"), date(&a.to)},
        {QStringLiteral("quarter"), QStringLiteral("N"), QStringLiteral("a quarter, 1-4"),
         [&a](OptionReader& in) { return in.number(1, 4, &a.quarter); }},
        {QStringLiteral("month"), QStringLiteral("N"), QStringLiteral("a month, 1-12"),
         [&a](OptionReader& in) { return in.number(1, 12, &a.month); }},
        flag("cumulative", "the quarter or month counted from 1 January", &a.cumulative),
        {QStringLiteral("column"), QStringLiteral("N=FROM..TO"), QStringLiteral("column N's own period"), [&a](OptionReader& in) {
             QString v;
             if (!text(in, &v))
                 return false;
             const qsizetype eq = v.indexOf(QLatin1Char('=')), dots = v.indexOf(QLatin1String(".."));
             bool ok = eq > 0 && dots > eq;
             const int n = ok ? v.left(eq).toInt(&ok) : 0;
             const auto f = ok ? parseDate(v.mid(eq + 1, dots - eq - 1)) : std::nullopt;
             const auto t = ok ? parseDate(v.mid(dots + 2)) : std::nullopt;
             if (!ok || n < 1 || n > 20 || !f || !t || *f > *t)
                 return in.fail(QStringLiteral("--column takes N=FROM..TO (N from 1 to 20, dates as dd-mm-yyyy), not \"%1\"").arg(v));
             a.columnPeriods.insert(n, {*f, *t});
             return true;
         }},
        flag("approved-only", "only approved documents", &a.approved),
        flag("compute-bo", "opening balances from the previous year's closing balances", &a.computeBo),
        flag("skip-bz", "leave out the year-closing period", &a.skipBz),
        flag("user-lists", "rebuild the user's lists of list rows before generating", &a.userLists),
        {QStringLiteral("saved"), QStringLiteral("NAME"), QStringLiteral("the user's saved variant of the window (\"RU\")"),
         [&a](OptionReader& in) { return text(in, &a.saved); }},
        printFlag("thousands", "amounts in thousands (divided before rounding)", a, &statements::StatementPrintOptions::thousands),
        printFlag("round", "amounts rounded to whole units", a, &statements::StatementPrintOptions::round),
        printFlag("truncate", "decimals dropped (rounding wins when both are given)", a, &statements::StatementPrintOptions::noDecimals),
        printFlag("no-decimals", "the same as --truncate", a, &statements::StatementPrintOptions::noDecimals),
        printFlag("ordinal", "the \"Lp\" column", a, &statements::StatementPrintOptions::ordinal),
        printFlag("wrap", "long row texts go on over continuation lines", a, &statements::StatementPrintOptions::wrap),
        printFlag("skip-zero", "leave out list rows whose amounts are all zero", a, &statements::StatementPrintOptions::skipZeroRows),
        {QStringLiteral("totals"), QStringLiteral("LIST"), QStringLiteral("the totals lines and which rows add up (below)"),
         [&a](OptionReader& in) {
             QString v;
             if (!text(in, &v))
                 return false;
             statements::StatementPrintOptions scratch;
             if (!parseTotals(v, &scratch))
                 return in.fail(QStringLiteral("--totals takes report, page, brought-forward, carried-forward, "
                                               "lowest, highest or level=N separated by commas, not \"%1\"").arg(v));
             a.printChoices.append([v](statements::StatementPrintOptions& o) { parseTotals(v, &o); });
             return true;
         }},
        {QStringLiteral("title"), QStringLiteral("TEXT"), QStringLiteral("the report title"),
         [&a](OptionReader& in) { return text(in, &a.title); }},
        {QStringLiteral("description"), QStringLiteral("TEXT"), QStringLiteral("a line printed under the period (\"Opis\")"),
         [&a](OptionReader& in) { return text(in, &a.description); }},
        flag("list", "the company's statements: id, group, name, columns (apart by tabs)", &a.list),
        flag("show", "the rows as a table on the terminal", &a.show),
        {QStringLiteral("csv"), QStringLiteral("FILE"), QStringLiteral("the rows as CSV"), [&a](OptionReader& in) { return text(in, &a.csv); }},
        {QStringLiteral("xml"), QStringLiteral("FILE"), QStringLiteral("a budget form group as XML"),
         [&a](OptionReader& in) { return text(in, &a.xml); }},
        {QStringLiteral("correction"), QStringLiteral("N"), QStringLiteral("the correction number (--xml)"),
         [&a](OptionReader& in) { return in.number(0, 255, &a.correction); }},
        {QStringLiteral("note"), QStringLiteral("TEXT"), QStringLiteral("a note for the receiving system (--xml)"),
         [&a](OptionReader& in) { return text(in, &a.note); }},
        {QStringLiteral("spd"), QStringLiteral("FILE"), QStringLiteral("the rows in the SPD layout"),
         [&a](OptionReader& in) { return text(in, &a.spd); }},
        {QStringLiteral("sd-code"), QStringLiteral("XX"), QStringLiteral("the SD code (--spd), 2 characters at most"),
         [&a](OptionReader& in) {
             QString v;
             if (!text(in, &v))
                 return false;
             if (v.size() > 2)
                 return in.fail(QStringLiteral("--sd-code holds at most 2 characters, not \"%1\"").arg(v));
             a.sdCode = v;
             return true;
         }},
        {QStringLiteral("entity-code"), QStringLiteral("YYY"), QStringLiteral("the entity code (--spd), 3 characters at most"),
         [&a](OptionReader& in) {
             QString v;
             if (!text(in, &v))
                 return false;
             if (v.size() > 3)
                 return in.fail(QStringLiteral("--entity-code holds at most 3 characters, not \"%1\"").arg(v));
             a.entityCode = v;
             return true;
         }},
        // A blank or an empty text is a value here, so these take the next word as it is.
        {QStringLiteral("separator"), QStringLiteral("S"), QStringLiteral("the field separator (--spd)"), [&a](OptionReader& in) {
             QString v;
             if (!in.value(&v))
                 return false;
             if (v.size() > 10)
                 return in.fail(QStringLiteral("--separator holds at most 10 characters, not \"%1\"").arg(v));
             a.separator = v;
             return true;
         }},
        {QStringLiteral("qualifier"), QStringLiteral("Q"), QStringLiteral("the text qualifier (--spd)"), [&a](OptionReader& in) {
             QString v;
             if (!in.value(&v))
                 return false;
             if (v.size() > 10)
                 return in.fail(QStringLiteral("--qualifier holds at most 10 characters, not \"%1\"").arg(v));
             a.qualifier = v;
             return true;
         }},
        flag("account-names", "account names in the SPD rows", &a.accountNames),
        {QStringLiteral("business-date"), QStringLiteral("DATE"), QStringLiteral("the SPD business date"), date(&a.businessDate)},
    };
    c.check = [&a](CommandContext& ctx, const ReportOutput& out) { return checkChoices(ctx, a, out); };
    c.run = [&a](CommandContext& ctx, const ReportCommand& self, const ReportOutput& out) { return runStatement(ctx, self, a, out); };
    return c;
}

} // namespace

PRAVIK_REPORT_COMMAND(StatementArgs, statementCommand)

} // namespace pravik::cli
