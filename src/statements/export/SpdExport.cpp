#include "statements/export/SpdExport.h"

#include "platform/UiServices.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "statements/print/StatementRows.h"
#include "statements/window/SpdExportWindowForm.h"

#include <QApplication>
#include <QDir>
#include <QSaveFile>

namespace pravik {
namespace statements {

namespace {

using sql::sqlNumber;
using sql::sqlText;

const QString kDefaultSeparator = QStringLiteral("|");
const QString kDefaultQualifier = QStringLiteral("\"");

std::function<bool()>& spdWindow()
{
    static std::function<bool()> window;
    return window;
}

// Amounts for a machine: a dot before the decimals, no grouping.
QString machineAmount(const Decimal& d)
{
    return d.toString();
}

} // namespace

std::optional<QString> SpdSettings::problem() const
{
    if (fields[0].size() > 2)
        return QStringLiteral("Kod SD ma najwyżej 2 znaki.");
    if (fields[1].size() > 3)
        return QStringLiteral("Kod encji ma najwyżej 3 znaki.");
    if (fields[2].size() > 10)
        return QStringLiteral("Separator kolumn ma najwyżej 10 znaków.");
    if (fields[3].size() > 10)
        return QStringLiteral("Prefiks i sufiks wyrażeń znakowych ma najwyżej 10 znaków.");
    if (!fields[2].isEmpty() && fields[2] == fields[3])
        return QStringLiteral("Separator kolumn i prefiks wyrażeń znakowych muszą się różnić.");
    return std::nullopt;
}

DayNumber spdBusinessDate(DayNumber to, int periodType)
{
    return periodType == 3 && to > 0 ? firstDayOfMonth(to) : to;
}

SpdSettings loadSpdSettings(sql::Database& db, qint32 company, QString* error)
{
    SpdSettings s;
    sql::Cursor c = db.exec(QStringLiteral("select  p1, p2, p3, p4, p5, p6, p7, p8, p9, p10 from SPEC_EKSPORT where id_firmy =%1"
                                           " AND typ='SPD'").arg(sqlNumber(company)));
    if (c.next()) {
        for (int i = 0; i < 10; ++i)
            s.fields[size_t(i)] = c.value(i).toString();
    } else if (!c.ok() && error) {
        *error = c.errorText();
    }
    // Separators and qualifiers are kept as typed (a blank may be one); only empty ones default.
    if (s.fields[2].isEmpty())
        s.fields[2] = kDefaultSeparator;
    if (s.fields[3].isEmpty())
        s.fields[3] = kDefaultQualifier;
    return s;
}

bool saveSpdSettings(sql::Database& db, qint32 company, const SpdSettings& settings, QString* error)
{
    // Every value quoted, and the old row removed only together with the new one's insert: a
    // qualifier such as ' can no longer break the insert after the delete and lose the settings.
    QStringList values;
    for (const QString& f : settings.fields)
        values << sqlText(f);
    const QStringList script = {
        QStringLiteral("delete from SPEC_EKSPORT where id_firmy = %1 AND typ='SPD'").arg(sqlNumber(company)),
        QStringLiteral("insert into  SPEC_EKSPORT (p1,p2,p3,p4,p5,p6,p7,p8,p9,p10,id_firmy,typ)  values(%1,%2,'SPD')")
            .arg(values.join(QLatin1Char(',')), sqlNumber(company))};
    if (!db.transaction()) {
        if (error)
            *error = db.lastError();
        return false;
    }
    for (const QString& statement : script) {
        sql::Cursor c = db.exec(statement);
        if (!c.ok()) {
            if (error)
                *error = c.errorText();
            db.rollback();
            return false;
        }
    }
    if (!db.commit()) {
        if (error)
            *error = db.lastError();
        db.rollback();
        return false;
    }
    return true;
}

bool writeSpdCsv(const StatementPrintRequest& request, const SpdSettings& settings, const QString& path, int* rows, QString* error)
{
    if (const auto p = settings.problem()) {
        *error = *p;
        return false;
    }
    const QString sep = settings.separator().isEmpty() ? kDefaultSeparator : settings.separator();
    const QString q = settings.qualifier();
    auto text = [&q](const QString& t) {
        QString v = t;
        if (!q.isEmpty())
            v.replace(q, q + q);
        return q + v + q;
    };
    const QList<StatementHead> heads = statementsToPrint(request, error);
    if (heads.isEmpty())
        return false;
    const QString date = dateFromDay(settings.businessDate).toString(Qt::ISODate);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    int count = 0;
    for (const StatementHead& h : heads) {
        const StatementFigures figures = readStatement(request, h);
        if (!figures.error.isEmpty()) {
            file.cancelWriting();
            *error = figures.error;
            return false;
        }
        for (const PrintRow& r : figures.rows) {
            QStringList cells = {text(settings.sdCode()), text(settings.entityCode()), date, text(h.formCode.isEmpty() ? h.name : h.formCode),
                                 QString::number(r.ordinal), text(r.text), text(settings.accountNames() ? r.text : QString())};
            for (int c = 0; c < h.columns; ++c)
                cells << machineAmount(r.amounts[size_t(c)]);
            file.write((cells.join(sep) + QStringLiteral("\r\n")).toUtf8());
            ++count;
        }
    }
    if (!file.commit()) {
        *error = QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    if (rows)
        *rows = count;
    return true;
}

} // namespace statements

void setSpdWindow(std::function<bool()> window)
{
    statements::spdWindow() = std::move(window);
}

quint8 EKSPORT_PSD(DayNumber to, qint32 periodType)
{
    korda::Session& s = korda::session();
    statements::SpdExportWindowModel model(to, periodType, s.DANE_POCZATEK_ROKU);
    if (const QString error = model.load(sql::Database::forThread(), s.DANE_ID_FIRMY); !error.isEmpty())
        utilka::MSG_OST(error);
    model.toSession(s);
    bool run = true;
    if (statements::spdWindow())
        run = statements::spdWindow()();
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()) && ui().interactive()) {
        run = statements::showSpdExportWindow(model);
        if (run)
            model.toSession(s);
    }
    // A host calling through the C interface reads the answer from the session's response.
    const quint8 result = run ? 1 : 0;
    s.globalResponse = result;
    return result;
}

} // namespace pravik
