#include "statements/window/BudgetExportRun.h"

#include "platform/UiServices.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "statements/export/BudgetXmlExport.h"
#include "statements/export/SpdExport.h"
#include "statements/generation/StatementGeneration.h"
#include "statements/window/BudgetFormGroups.h"
#include "statements/window/SpdExportWindowModel.h"

#include <QDir>
#include <QFileInfo>

namespace pravik::statements {

namespace {

// Generation failed: the database's text, and nothing is written from rows of an earlier run.
bool generated(const BudgetExportRun& run)
{
    if (!run.generate)
        return true;
    const QString error = run.generate();
    if (error.isEmpty())
        return true;
    utilka::MSG_OST(error);
    return false;
}

QString proposedCsv(const QString& reportName)
{
    const QString folder = xmlExportSettings().folder;
    QString name = reportName.trimmed().isEmpty() ? QStringLiteral("SPD") : reportName.trimmed();
    name.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('\\'), QLatin1Char('-'));
    name += QStringLiteral("_%1.csv").arg(dateFromDay(today()).toString(QStringLiteral("yyyyMMdd")));
    return folder.isEmpty() || !QFileInfo(folder).isDir() ? name : QDir(folder).filePath(name);
}

} // namespace

bool runXmlExport(const BudgetExportRun& run)
{
    if (const auto refusal = xmlExportRefusal(run.statementId, run.periodType)) {
        utilka::MSG_INF(*refusal);
        return false;
    }
    if (EXPORT_XML(xmlPeriodText(run.periodType, run.periodNumber, run.periodYear, run.cumulative), run.reportName) != 1)
        return false;
    if (!generated(run))
        return false;
    const XmlExportForm& form = xmlExportSettings();
    const korda::Session& s = korda::session();
    BudgetXmlRequest rq;
    rq.company = run.print.company;
    rq.user = run.print.user;
    rq.statementId = run.statementId;
    rq.periodType = run.periodType;
    rq.periodNumber = run.periodNumber;
    rq.periodYear = run.periodYear;
    rq.cumulative = run.cumulative;
    rq.skipZeroRows = run.print.options.skipZeroRows;
    rq.printDate = s.DANE_DATA_WYDRUKU > 0 ? s.DANE_DATA_WYDRUKU : today();
    rq.correction = form.correctionPassed();
    rq.note = form.note;
    rq.path = form.path;
    const BudgetXmlResult result = exportBudgetXml(rq);
    if (result.ok)
        utilka::MSG_INF(result.message);
    else
        utilka::MSG_OST(result.message);
    return result.ok;
}

bool runSpdExport(const BudgetExportRun& run)
{
    if (EKSPORT_PSD(run.to, run.periodType) != 1)
        return false;
    korda::Session& s = korda::session();
    // What the window (or a host's own) left in the globals is checked again here: the file is
    // written only from settings the window would have accepted.
    SpdExportWindowModel model(run.to, run.periodType, s.DANE_POCZATEK_ROKU);
    model.fromSession(s);
    if (const auto problem = model.accept()) {
        utilka::MSG_INF(*problem);
        return false;
    }
    if (!generated(run))
        return false;
    QString error;
    if (!saveSpdSettings(sql::Database::forThread(), run.print.company, model.settings(), &error))
        utilka::MSG_OST(error);
    const auto path = ui().askSaveFile(QStringLiteral("Zapisz plik jako"), proposedCsv(run.reportName), QStringLiteral("Pliki csv (*.csv)"));
    if (!path || path->trimmed().isEmpty())
        return false;
    QString file = path->trimmed();
    if (!file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        file += QStringLiteral(".csv");
    int rows = 0;
    error.clear();
    if (!writeSpdCsv(run.print, model.settings(), file, &rows, &error)) {
        utilka::MSG_OST(error);
        return false;
    }
    utilka::MSG_INF(QStringLiteral("Zapisano %1 wierszy do pliku %2.").arg(rows).arg(QDir::toNativeSeparators(file)));
    return true;
}

QStringList budgetExportPeriods()
{
    return {QStringLiteral("I kwartał"),   QStringLiteral("II kwartał"), QStringLiteral("III kwartał"), QStringLiteral("IV kwartał"),
            QStringLiteral("Styczeń"),     QStringLiteral("Luty"),       QStringLiteral("Marzec"),      QStringLiteral("Kwiecień"),
            QStringLiteral("Maj"),         QStringLiteral("Czerwiec"),   QStringLiteral("Lipiec"),      QStringLiteral("Sierpień"),
            QStringLiteral("Wrzesień"),    QStringLiteral("Październik"), QStringLiteral("Listopad"),   QStringLiteral("Grudzień")};
}

BudgetExportRun budgetFormExportRun(const BudgetFormGroup& group, int periodIndex)
{
    const korda::Session& s = korda::session();
    BudgetExportRun run;
    const bool quarter = periodIndex < 4;
    run.periodType = quarter ? 2 : 3;
    run.periodNumber = quarter ? periodIndex + 1 : periodIndex - 3;
    run.periodYear = yearOf(s.DANE_KONIEC_ROKU > 0 ? s.DANE_KONIEC_ROKU : today());
    run.cumulative = true;
    const int lastMonth = quarter ? run.periodNumber * 3 : run.periodNumber;
    run.to = lastDayOfMonth(dayFromYmd(run.periodYear, lastMonth, 1));
    const DayNumber from = dayFromYmd(run.periodYear, 1, 1);
    run.statementId = group.sections.value(0);
    run.reportName = group.name;
    StatementPrintRequest& p = run.print;
    p.company = s.DANE_ID_FIRMY;
    p.user = s.DANE_ID_UZYTKOWNIKA_NR;
    p.rowFilter = StatementPrintRequest::userRowsFilter(p.user);
    p.groupId = group.id;
    p.statementId = run.statementId;
    p.options.wholeGroup = true;
    p.yearName = s.DANE_LATA_OBROT_NAZWA;
    run.generate = [sections = group.sections, company = p.company, year = s.DANE_LATA_OBROTOWE, user = p.user, from, to = run.to] {
        GenerationRequest g;
        g.company = company;
        g.year = year;
        g.user = user;
        g.statements = sections;
        g.from = from;
        g.to = to;
        QString error;
        if (!useRequestPeriod(&g, &error))
            return error;
        const auto failure = generateStatements(g);
        return failure ? failure->text : QString();
    };
    return run;
}

} // namespace pravik::statements
