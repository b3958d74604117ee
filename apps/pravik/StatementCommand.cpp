// "pravik statement": generates a user-defined statement through ZESTAWIENIE_GENERUJ, the way the
// statement window does (column periods in KOMUNIKAT, then the call), then shows the computed rows
// as a table (--show), prints them with the multi-column printout (--pdf, --png, --print, --mail)
// or exports them (--csv) through the printout's export mode.
#include "Command.h"
#include "MailOptions.h"
#include "Options.h"

#include "platform/Decimal.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "statements/export/BudgetXmlExport.h"
#include "statements/export/SpdExport.h"
#include "statements/print/StatementPrintout.h"
#include "statements/print/StatementProcedures.h"
#include "statements/print/StatementRows.h"

#include <QFileInfo>
#include <QMap>

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

int runStatement(CommandContext& ctx, const QStringList& rawArgs)
{
    MailOptions mail;
    QStringList args = rawArgs;
    if (!takeMailOptions(ctx, QStringLiteral("statement"), args, mail))
        return kExitUsage;
    statements::StatementPrintOptions print;
    QString pdf, png, csv, printer, reportTitle, xml, note, spd;
    std::optional<QString> sdCode, entityCode, separator, qualifier;
    std::optional<DayNumber> businessDate;
    bool accountNames = false;
    int correction = -1, quarter = 0, month = 0;
    bool cumulative = false;
    bool toPrinter = false;
    QMap<int, QPair<DayNumber, DayNumber>> columnPeriods;
    std::optional<qint64> id;
    QString name;
    std::optional<DayNumber> from, to;
    bool show = false, approved = false, computeBo = false, skipBz = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args.at(++i);
        };
        static const QStringList valued = {"--pdf", "--png", "--csv", "--printer", "--title", "--totals", "--column",
                                           "--xml", "--note", "--correction", "--quarter", "--month",
                                           "--spd", "--sd-code", "--entity-code", "--business-date"};
        if (valued.contains(a)) {
            const auto v = value();
            if (!v || v->isEmpty()) {
                ctx.error(QStringLiteral("statement: %1 needs a value").arg(a));
                return kExitUsage;
            }
            auto number = [&](int low, int high, int* into) {
                bool ok = false;
                const int n = v->trimmed().toInt(&ok);
                if (!ok || n < low || n > high) {
                    ctx.error(QStringLiteral("statement: %1 takes a number from %2 to %3, not \"%4\"").arg(a).arg(low).arg(high).arg(*v));
                    return false;
                }
                *into = n;
                return true;
            };
            if (a == QLatin1String("--xml"))
                xml = *v;
            else if (a == QLatin1String("--spd"))
                spd = *v;
            else if (a == QLatin1String("--sd-code") || a == QLatin1String("--entity-code")) {
                const int limit = a == QLatin1String("--sd-code") ? 2 : 3;
                if (v->size() > limit) {
                    ctx.error(QStringLiteral("statement: %1 holds at most %2 characters, not \"%3\"").arg(a).arg(limit).arg(*v));
                    return kExitUsage;
                }
                (a == QLatin1String("--sd-code") ? sdCode : entityCode) = *v;
            } else if (a == QLatin1String("--business-date")) {
                businessDate = parseDate(*v);
                if (!businessDate) {
                    ctx.error(QStringLiteral("statement: --business-date does not take \"%1\"").arg(*v));
                    return kExitUsage;
                }
            }
            else if (a == QLatin1String("--note"))
                note = *v;
            else if (a == QLatin1String("--correction")) {
                if (!number(0, 255, &correction))
                    return kExitUsage;
            } else if (a == QLatin1String("--quarter")) {
                if (!number(1, 4, &quarter))
                    return kExitUsage;
            } else if (a == QLatin1String("--month")) {
                if (!number(1, 12, &month))
                    return kExitUsage;
            } else if (a == QLatin1String("--pdf"))
                pdf = *v;
            else if (a == QLatin1String("--png"))
                png = *v;
            else if (a == QLatin1String("--csv"))
                csv = *v;
            else if (a == QLatin1String("--printer"))
                printer = *v;
            else if (a == QLatin1String("--title"))
                reportTitle = *v;
            else if (a == QLatin1String("--column")) {
                // N=FROM..TO
                const qsizetype eq = v->indexOf(QLatin1Char('=')), dots = v->indexOf(QLatin1String(".."));
                bool ok = eq > 0 && dots > eq;
                const int n = ok ? v->left(eq).toInt(&ok) : 0;
                const auto f = ok ? parseDate(v->mid(eq + 1, dots - eq - 1)) : std::nullopt;
                const auto t = ok ? parseDate(v->mid(dots + 2)) : std::nullopt;
                if (!ok || n < 1 || n > 20 || !f || !t || *f > *t) {
                    ctx.error(QStringLiteral("statement: --column takes N=FROM..TO (N from 1 to 20, dates as dd-mm-yyyy), not \"%1\"").arg(*v));
                    return kExitUsage;
                }
                columnPeriods.insert(n, {*f, *t});
            }
            else if (!parseTotals(*v, &print)) {
                ctx.error(QStringLiteral("statement: --totals takes report, page, brought-forward, carried-forward, "
                                         "lowest, highest or level=N separated by commas, not \"%1\"").arg(*v));
                return kExitUsage;
            }
        } else if (a == QLatin1String("--separator") || a == QLatin1String("--qualifier")) {
            // A blank or an empty text is a value here, so these take the next word as it is.
            const auto v = value();
            if (!v) {
                ctx.error(QStringLiteral("statement: %1 needs a value").arg(a));
                return kExitUsage;
            }
            if (v->size() > 10) {
                ctx.error(QStringLiteral("statement: %1 holds at most 10 characters, not \"%2\"").arg(a, *v));
                return kExitUsage;
            }
            (a == QLatin1String("--separator") ? separator : qualifier) = *v;
        } else if (a == QLatin1String("--account-names")) {
            accountNames = true;
        } else if (a == QLatin1String("--cumulative")) {
            cumulative = true;
        } else if (a == QLatin1String("--print")) {
            toPrinter = true;
        } else if (a == QLatin1String("--thousands")) {
            print.thousands = true;
        } else if (a == QLatin1String("--round")) {
            print.round = true;
        } else if (a == QLatin1String("--truncate") || a == QLatin1String("--no-decimals")) {
            print.noDecimals = true;
        } else if (a == QLatin1String("--ordinal")) {
            print.ordinal = true;
        } else if (a == QLatin1String("--wrap")) {
            print.wrap = true;
        } else if (a == QLatin1String("--skip-zero")) {
            print.skipZeroRows = true;
        } else if (a == QLatin1String("--group")) {
            print.wholeGroup = true;
        } else if (a == QLatin1String("--id") || a == QLatin1String("--name") || a == QLatin1String("--from") || a == QLatin1String("--to")) {
            const auto v = value();
            if (!v) {
                ctx.error(QStringLiteral("statement: %1 needs a value").arg(a));
                return kExitUsage;
            }
            bool ok = true;
            if (a == QLatin1String("--id"))
                id = v->toLongLong(&ok);
            else if (a == QLatin1String("--name"))
                name = *v;
            else if (const auto day = parseDate(*v))
                (a == QLatin1String("--from") ? from : to) = *day;
            else
                ok = false;
            if (!ok) {
                ctx.error(QStringLiteral("statement: %1 does not take \"%2\"").arg(a, *v));
                return kExitUsage;
            }
        } else if (a == QLatin1String("--show")) {
            show = true;
        } else if (a == QLatin1String("--approved-only")) {
            approved = true;
        } else if (a == QLatin1String("--compute-bo")) {
            computeBo = true;
        } else if (a == QLatin1String("--skip-bz")) {
            skipBz = true;
        } else {
            ctx.error(QStringLiteral("statement: unknown argument %1").arg(a));
            return kExitUsage;
        }
    }
    if (id.has_value() == !name.isEmpty()) {
        ctx.error(QStringLiteral("statement: give either --id N or --name TEXT"));
        return kExitUsage;
    }
    const int outputs = int(show) + int(!pdf.isEmpty()) + int(!png.isEmpty()) + int(!csv.isEmpty()) + int(toPrinter)
        + int(mail.wanted()) + int(!xml.isEmpty()) + int(!spd.isEmpty());
    if (outputs == 0) {
        ctx.error(QStringLiteral("statement: choose an output: --show, --pdf FILE, --png DIR, --csv FILE, --xml FILE, --spd FILE, --print or --mail ADDRESS"));
        return kExitUsage;
    }
    if ((show || !csv.isEmpty() || mail.wanted() || !xml.isEmpty() || !spd.isEmpty()) && outputs > 1) {
        ctx.error(QStringLiteral("statement: --show, --csv, --xml, --spd and --mail each go alone"));
        return kExitUsage;
    }
    if (quarter > 0 && month > 0) {
        ctx.error(QStringLiteral("statement: give --quarter or --month, not both"));
        return kExitUsage;
    }
    if ((quarter > 0 || month > 0) && (from || to)) {
        ctx.error(QStringLiteral("statement: --quarter and --month set the dates; leave out --from and --to"));
        return kExitUsage;
    }
    if (spd.isEmpty() && (sdCode || entityCode || separator || qualifier || businessDate || accountNames)) {
        ctx.error(QStringLiteral("statement: --sd-code, --entity-code, --separator, --qualifier, --account-names and --business-date go with --spd"));
        return kExitUsage;
    }
    if (xml.isEmpty() && (correction >= 0 || !note.isEmpty())) {
        ctx.error(QStringLiteral("statement: --correction and --note go with --xml"));
        return kExitUsage;
    }
    if (!ctx.openSession())
        return kExitFailure;
    sql::Database& db = sql::Database::forThread();
    const korda::Session& s = korda::session();
    auto fail = [&](const QString& message) {
        ctx.error(QStringLiteral("statement: %1").arg(message));
        return kExitFailure;
    };

    QStringList cols = {QStringLiteral("id_zestaw_nag"), QStringLiteral("ilosc_kolumn"), QStringLiteral("nazwa"),
                        QStringLiteral("etykieta_0")};
    for (int c = 1; c <= 20; ++c)
        cols << QStringLiteral("etykieta_%1").arg(c) << QStringLiteral("czy_bo_%1").arg(c);
    sql::Cursor head = db.execNative(QStringLiteral("select %1 from ZESTAW_NAG where id_firmy=%2 and %3 order by id_zestaw_nag")
                                         .arg(cols.join(QLatin1Char(',')), sqlNumber(s.DANE_ID_FIRMY),
                                              id ? QStringLiteral("id_zestaw_nag=%1").arg(sqlNumber(*id))
                                                 : QStringLiteral("nazwa=%1").arg(sqlText(name))));
    if (!head.ok())
        return fail(head.errorText());
    bool found = head.next();
    if (!found && !id && head.ok()) {
        // A form group is named by its form ("Rb-28S"): its first section in print order stands for it.
        head.close();
        sql::Cursor byGroup = db.execNative(QStringLiteral("select n.id_zestaw_nag, n.wariant from ZESTAW_NAG n join ZESTAW_GRUPA g on"
                                                           " g.id_zestaw_grupa=n.id_zestaw_grupa where g.id_firmy=%1 and g.nazwa=%2")
                                                .arg(sqlNumber(s.DANE_ID_FIRMY), sqlText(name)));
        qint64 first = 0;
        QString firstKey;
        while (byGroup.next()) {
            const QString key = statements::groupSortKey(byGroup.value(1).toString().trimmed());
            if (first == 0 || key.compare(firstKey, Qt::CaseInsensitive) < 0) {
                first = byGroup.value(0).toLongLong();
                firstKey = key;
            }
        }
        if (!byGroup.ok())
            return fail(byGroup.errorText());
        if (first > 0) {
            head = db.execNative(QStringLiteral("select %1 from ZESTAW_NAG where id_zestaw_nag=%2").arg(cols.join(QLatin1Char(',')),
                                                                                                     sqlNumber(first)));
            found = head.next();
            if (!head.ok())
                return fail(head.errorText());
        }
    }
    if (!found)
        return fail(id ? QStringLiteral("company %1 has no statement %2").arg(s.DANE_ID_FIRMY).arg(*id)
                       : QStringLiteral("company %1 has no statement named \"%2\"").arg(s.DANE_ID_FIRMY).arg(name));
    const qint64 statement = head.value(0).toLongLong();
    const int columns = head.value(1).toInt();
    const QString title = head.value(2).toString().trimmed();
    QStringList captions = {head.value(3).toString().trimmed().isEmpty() ? QStringLiteral("Nazwa pozycji")
                                                                         : head.value(3).toString().trimmed()};
    for (int c = 1; c <= 20; ++c) {
        captions << head.value(2 + c * 2).toString().trimmed();
    }
    head.close();

    // A quarter or a month of the fiscal year's calendar year, from its first day or, cumulative,
    // from 1 January.
    const int periodYear = yearOf(s.DANE_KONIEC_ROKU > 0 ? s.DANE_KONIEC_ROKU : today());
    if (quarter > 0 || month > 0) {
        const int firstMonth = quarter > 0 ? quarter * 3 - 2 : month, lastMonth = quarter > 0 ? quarter * 3 : month;
        from = cumulative ? dayFromYmd(periodYear, 1, 1) : dayFromYmd(periodYear, firstMonth, 1);
        to = lastDayOfMonth(dayFromYmd(periodYear, lastMonth, 1));
    }
    const DayNumber dayFrom = from.value_or(0), dayTo = to.value_or(s.DANE_KONIEC_ROKU);
    const QString user = sqlNumber(s.DANE_ID_UZYTKOWNIKA_NR);
    // The column periods, as the statement window passes them, then the call; a statement whose
    // generation fails stops the run, so that no printout shows the rows of an earlier run.
    auto generate = [&](qint64 statementId) -> QString {
        sql::Cursor nag = db.execNative(QStringLiteral("select ilosc_kolumn, %1 from ZESTAW_NAG where id_zestaw_nag=%2")
                                            .arg([] {
                                                QStringList bo;
                                                for (int c = 1; c <= 20; ++c)
                                                    bo << QStringLiteral("czy_bo_%1").arg(c);
                                                return bo.join(QLatin1Char(','));
                                            }(), sqlNumber(statementId)));
        if (!nag.next())
            return nag.ok() ? QStringLiteral("no statement %1").arg(statementId) : nag.errorText();
        const int count = nag.value(0).toInt();
        QStringList script = {QStringLiteral("delete from KOMUNIKAT where id_uzytkownika=%1 and kontekst='ZESTZAK'").arg(user)};
        for (int c = 1; c <= count && c <= 20; ++c) {
            const bool bo = nag.value(c).toInt() == 1;
            const auto [f, t] = columnPeriods.value(c, {dayFrom, dayTo});
            script << QStringLiteral("insert into KOMUNIKAT (id_uzytkownika,kontekst,tekst1,tekst2,tekst3,id_zasobu) values(%1,'ZESTZAK',"
                                     "'%2','%3','%4',%5)").arg(user).arg(c).arg(bo ? 0 : f).arg(bo ? 0 : t).arg(statementId);
        }
        nag.close();
        for (const QString& sql : script) {
            sql::Cursor c = db.execNative(sql);
            if (!c.ok())
                return c.errorText();
        }
        sql::Cursor call = db.exec(QStringLiteral("CALL ZESTAWIENIE_GENERUJ(%1,%2,%3,%4,1,%5,%6,%7,%8,%9,0,1)")
                                       .arg(sqlNumber(s.DANE_ID_FIRMY), sqlNumber(s.DANE_LATA_OBROTOWE), user, sqlNumber(statementId),
                                            sqlNumber(dayFrom), sqlNumber(dayTo), approved ? QStringLiteral("1") : QStringLiteral("0"),
                                            computeBo ? QStringLiteral("1") : QStringLiteral("0"))
                                       .arg(skipBz ? QStringLiteral("1") : QStringLiteral("0")));
        return call.ok() ? QString() : call.errorText();
    };
    qint64 group = 0;
    QList<qint64> toGenerate = {statement};
    if ((print.wholeGroup || !xml.isEmpty()) && !show) {
        sql::Cursor g = db.execNative(QStringLiteral("select a.id_zestaw_grupa from ZESTAW_NAG a inner join ZESTAW_GRUPA b on "
                                                     "a.id_zestaw_grupa = b.id_zestaw_grupa where a.id_zestaw_nag=%1").arg(sqlNumber(statement)));
        if (g.next())
            group = g.value(0).toLongLong();
        else if (!g.ok())
            return fail(g.errorText());
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
    for (qint64 one : std::as_const(toGenerate))
        if (const QString error = generate(one); !error.isEmpty())
            return fail(error);

    if (!xml.isEmpty()) {
        statements::BudgetXmlRequest x;
        x.company = s.DANE_ID_FIRMY;
        x.user = s.DANE_ID_UZYTKOWNIKA_NR;
        x.statementId = statement;
        x.periodType = quarter > 0 ? 2 : month > 0 ? 3 : from ? 1 : 0;
        x.periodNumber = quarter > 0 ? quarter : month;
        x.periodYear = periodYear;
        x.cumulative = cumulative;
        x.skipZeroRows = print.skipZeroRows;
        x.printDate = s.DANE_DATA_WYDRUKU > 0 ? s.DANE_DATA_WYDRUKU : today();
        x.correction = static_cast<quint8>(qMax(correction, 0));
        x.note = note;
        x.path = QFileInfo(xml).absoluteFilePath();
        if (!x.path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
            x.path += QStringLiteral(".xml");
        const statements::BudgetXmlResult result = statements::exportBudgetXml(x);
        if (!result.ok)
            return fail(result.message);
        ctx.note(result.message);
        return kExitOk;
    }
    if (!show) {
        statements::StatementPrintRequest r;
        r.options = print;
        r.company = s.DANE_ID_FIRMY;
        r.user = s.DANE_ID_UZYTKOWNIKA_NR;
        r.rowFilter = statements::StatementPrintRequest::userRowsFilter(r.user);
        r.groupId = group;
        r.statementId = statement;
        r.title = reportTitle;
        r.yearName = s.DANE_LATA_OBROT_NAZWA;
        r.options.periodTo = dayTo;
        if (!spd.isEmpty()) {
            // The stored settings of the company, changed by the options, stored again (a failure
            // to store is said and the export goes on), then the file.
            QString error;
            statements::SpdSettings settings = statements::loadSpdSettings(db, s.DANE_ID_FIRMY, &error);
            if (!error.isEmpty())
                ctx.error(QStringLiteral("statement: SPD settings not read: %1").arg(error));
            if (sdCode)
                settings.fields[0] = *sdCode;
            if (entityCode)
                settings.fields[1] = *entityCode;
            if (separator)
                settings.fields[2] = *separator;
            if (qualifier)
                settings.fields[3] = *qualifier;
            if (accountNames)
                settings.fields[4] = QStringLiteral("1");
            if (const auto problem = settings.problem()) {
                ctx.error(QStringLiteral("statement: %1").arg(*problem));
                return kExitUsage;
            }
            const int periodType = quarter > 0 ? 2 : month > 0 ? 3 : dayFrom > 0 ? 1 : 0;
            settings.businessDate = businessDate.value_or(statements::spdBusinessDate(dayTo, periodType));
            const DayNumber periodStart = dayFrom > 0 ? dayFrom : s.DANE_POCZATEK_ROKU;
            if (settings.businessDate > dayTo || (periodStart > 0 && settings.businessDate < periodStart)) {
                ctx.error(QStringLiteral("statement: the business date lies outside the period"));
                return kExitUsage;
            }
            error.clear();
            if (!statements::saveSpdSettings(db, s.DANE_ID_FIRMY, settings, &error))
                ctx.error(QStringLiteral("statement: SPD settings not stored: %1").arg(error));
            int written = 0;
            const QString path = QFileInfo(spd).absoluteFilePath();
            if (!statements::writeSpdCsv(r, settings, path, &written, &error))
                return fail(error);
            ctx.note(QStringLiteral("%1 rows written to %2").arg(written).arg(path));
            return kExitOk;
        }
        if (!csv.isEmpty()) {
            QList<QStringList> queue;
            QString error;
            const QString path = QFileInfo(csv).absoluteFilePath();
            if (!statements::exportStatements(r, &queue, &error) || !statements::writeExportCsv(path, queue, &error))
                return fail(error);
            ctx.note(QStringLiteral("%1 rows written to %2").arg(queue.size()).arg(path));
            return kExitOk;
        }
        korda::OutputRequests& out = korda::session().outputRequests;
        out.pdfPath = pdf.isEmpty() ? QString() : QFileInfo(pdf).absoluteFilePath();
        out.pngFolder = png.isEmpty() ? QString() : QFileInfo(png).absoluteFilePath();
        out.printerName = toPrinter ? printer : QString();
        out.printRequest = mail.wanted() ? 0 : 1;
        out.emailRequest = 0;
        korda::session().DANE_DRUKARKA_EKRAN = toPrinter ? 0 : 1;
        applyMailOptions(mail);
        if (statements::runStatementRequest(r) != 1 || korda::session().globalResponse != 1)
            return fail(QStringLiteral("the printout did not complete"));
        if (!out.pdfPath.isEmpty() && !QFileInfo::exists(out.pdfPath))
            return fail(QStringLiteral("no PDF was written"));
        return kExitOk;
    }

    QStringList kols;
    for (int c = 1; c <= columns; ++c)
        kols << QStringLiteral("kol%1").arg(c);
    sql::Cursor rows = db.execNative(QStringLiteral("select symbol, opis, poziom, %1 from ZESTAW_ZESTAW where id_uzytkownika=%2"
                                                    " and id_zestaw_nag=%3 and wariant_zestaw=1 order by lp")
                                         .arg(kols.join(QLatin1Char(',')), user, sqlNumber(statement)));
    QList<QStringList> table;
    while (rows.next()) {
        const int level = qAbs(rows.value(2).toInt());
        const QString symbol = rows.value(0).toString().trimmed();
        QStringList line = {QString(qMax(level - 1, 0) * 2, QLatin1Char(' ')) + (symbol.isEmpty() ? QString() : symbol + QLatin1Char(' '))
                            + rows.value(1).toString().trimmed()};
        for (int c = 0; c < columns; ++c)
            line << amountText(Decimal::fromVariant(rows.value(3 + c)).value_or(Decimal()));
        table << line;
    }
    if (!rows.ok())
        return fail(rows.errorText());

    QList<qsizetype> widths;
    QStringList header = captions.mid(0, columns + 1);
    for (int c = 0; c <= columns; ++c) {
        if (c > 0 && header[c].isEmpty())
            header[c] = QStringLiteral("Kolumna %1").arg(c);
        qsizetype w = header[c].size();
        for (const QStringList& line : table)
            w = qMax(w, line[c].size());
        widths << qMin<qsizetype>(w, c == 0 ? 70 : 30);
    }
    auto format = [&](const QStringList& line) {
        QString text = line[0].left(widths[0]).leftJustified(widths[0]);
        for (int c = 1; c <= columns; ++c)
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

} // namespace

PRAVIK_COMMAND(QStringLiteral("statement"),
               QStringLiteral("generate a user-defined statement and show, print or export it"),
               QStringLiteral(
                   "pravik [--db DB] [--company N] [--year N] [--user LOGIN] statement (--id N | --name TEXT)\n"
                   "       [--from DATE] [--to DATE] [--approved-only] [--compute-bo] [--skip-bz] [--group]\n"
                   "       [--thousands] [--round | --truncate] [--no-decimals] [--ordinal] [--wrap] [--skip-zero]\n"
                   "       [--column N=FROM..TO ...] [--totals LIST] [--title TEXT]\n"
                   "       [--quarter N | --month N] [--cumulative]\n"
                   "       (--show | --csv FILE | --pdf FILE | --png DIR | --print [--printer NAME] | --mail ADDRESS\n"
                   "        | --xml FILE [--correction N] [--note TEXT]\n"
                   "        | --spd FILE [--sd-code XX] [--entity-code YYY] [--separator S] [--qualifier Q]\n"
                   "          [--account-names] [--business-date D])\n"
                   "\n"
                   "Computes the statement with ZESTAWIENIE_GENERUJ for the period (every column that is not an\n"
                   "opening-balance column gets it; --from defaults to the year's start, --to to its end). A\n"
                   "formula error is printed with the row, column and character it names; nothing is printed or\n"
                   "written and the exit code is 1.\n"
                   "\n"
                   "  --show            the rows as a table: the text indented by level, one amount per column\n"
                   "  --name TEXT       a statement, or a budget form group by its name (\"Rb-28S\")\n"
                   "  --quarter N, --month N   the period: a quarter (1-4) or month (1-12) of the fiscal\n"
                   "                    year's calendar year; --cumulative counts from 1 January\n"
                   "  --xml FILE        a budget form group as XML (docs/sprawozdanie-budzetowe.xsd); needs\n"
                   "                    --quarter or --month; written whole or not at all\n"
                   "  --correction N    the correction number, 1-255 (0: the first report, the default)\n"
                   "  --note TEXT       a note for the receiving system\n"
                   "  --spd FILE        the rows in the SPD layout (docs/budget-exports.md); the company's stored\n"
                   "                    settings, changed by --sd-code, --entity-code, --separator (default \"|\"),\n"
                   "                    --qualifier (default a double quotation mark) and --account-names, are\n"
                   "                    stored again; --business-date within the period (default its last day,\n"
                   "                    day 1 of the month for --month)\n"
                   "  --csv FILE        the rows as the printout shows them, \";\" between cells\n"
                   "  --pdf FILE, --png DIR, --print, --mail ADDRESS   the multi-column printout\n"
                   "  --column N=FROM..TO   column N's own period (opening-balance columns keep theirs)\n"
                   "  --approved-only   only approved documents\n"
                   "  --compute-bo      opening balances from the previous year's closing balances\n"
                   "  --skip-bz         leave out the year-closing period\n"
                   "  --group           every statement of the statement's group, in the group's order\n"
                   "  --thousands       amounts in thousands (divided before rounding)\n"
                   "  --round           amounts rounded to whole units\n"
                   "  --truncate, --no-decimals   decimals dropped (rounding wins when both are given)\n"
                   "  --ordinal         the \"Lp\" column\n"
                   "  --wrap            long row texts go on over continuation lines\n"
                   "  --skip-zero       leave out list rows whose amounts are all zero\n"
                   "  --totals LIST     comma-separated: report (\"Razem\"), page (\"Razem na stronie\"),\n"
                   "                    brought-forward (\"Z przeniesienia\"), carried-forward (\"Do przeniesienia\"),\n"
                   "                    and which rows add up: lowest (level 1), highest (the default), level=N\n")
    + mailOptionsHelp(),
               &runStatement)

} // namespace pravik::cli
