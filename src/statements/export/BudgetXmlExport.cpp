#include "statements/export/BudgetXmlExport.h"

#include "platform/UiServices.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "siblings/xmlbud/BudgetXml.h"
#include "statements/window/XmlExportWindowForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace pravik {
namespace statements {

namespace {

using sql::sqlNumber;

const QStringList kQuarters = {QStringLiteral("I kwartał"), QStringLiteral("II kwartał"), QStringLiteral("III kwartał"),
                               QStringLiteral("IV kwartał")};
const QStringList kMonths = {QStringLiteral("Styczeń "), QStringLiteral("Luty "), QStringLiteral("Marzec "),
                             QStringLiteral("Kwiecień "), QStringLiteral("Maj "), QStringLiteral("Czerwiec "),
                             QStringLiteral("Lipiec "), QStringLiteral("Sierpień "), QStringLiteral("Wrzesień "),
                             QStringLiteral("Październik "), QStringLiteral("Listopad "), QStringLiteral("Grudzień ")};

} // namespace

QString XmlExportForm::reportLine() const
{
    return reportName.trimmed().isEmpty() ? QString() : QStringLiteral("Sprawozdanie ") + reportName.trimmed();
}

QString XmlExportForm::exportFolder(const QString& documents, qint32 company)
{
    if (documents.trimmed().isEmpty() || !QFileInfo(documents).isDir())
        return {};
    const QString folder = QDir(documents).filePath(QStringLiteral("Pliki programu Tabulo/Sprawozdania budżetowe/Fir%1").arg(company));
    return QDir().mkpath(folder) ? folder : QString();
}

QString XmlExportForm::proposedPath(const QString& folder, const QString& reportName, DayNumber day)
{
    if (folder.isEmpty())
        return {};
    const QString tail = QStringLiteral("_%1.xml").arg(dateFromDay(day).toString(QStringLiteral("yyyyMMdd")));
    // A name is kept to what a file name may hold: no folder separators.
    QString name = reportName.trimmed();
    name.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('\\'), QLatin1Char('-'));
    QString base = QDir::cleanPath(folder);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    const qsizetype room = kMaxExportPath - base.size() - tail.size();
    if (room < 1)
        return {};
    return base + name.left(room) + tail;
}

void XmlExportForm::open(const QString& period, const QString& name, const QString& documents, qint32 company, DayNumber day)
{
    periodText = period;
    reportName = name;
    if (folder.isEmpty())
        folder = exportFolder(documents, company);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        if (const QString proposed = proposedPath(folder, reportName, day); !proposed.isEmpty())
            path = proposed;
}

void XmlExportForm::fileChosen(const QString& chosen)
{
    if (chosen.trimmed().isEmpty())
        return;
    path = chosen.trimmed();
    if (!path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        path += QStringLiteral(".xml");
    folder = QFileInfo(path).absolutePath();
}

std::optional<QString> XmlExportForm::accept()
{
    if (path.trimmed().isEmpty())
        return QStringLiteral("Proszę określić plik eksportu.");
    if (correction && (correctionNumber < 0 || correctionNumber > 255))
        return QStringLiteral("Numer korekty musi być liczbą od 0 do 255.");
    path = path.trimmed();
    if (!path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        path += QStringLiteral(".xml");
    if (path.size() > kMaxExportPath)
        return QStringLiteral("Ścieżka pliku eksportu jest dłuższa niż %1 znaków.").arg(kMaxExportPath);
    return std::nullopt;
}

QString xmlPeriodText(int periodType, int periodNumber, int year, bool cumulative)
{
    const QStringList& names = periodType == 2 ? kQuarters : kMonths;
    QString text = QStringLiteral("Za okres %1 %2").arg(names.value(periodNumber - 1)).arg(year);
    if (cumulative)
        text += QStringLiteral(" narastająco od początku roku");
    return text;
}

std::optional<QString> xmlExportRefusal(qint64 statementId, int periodType, qint64* groupId)
{
    auto& db = sql::Database::forThread();
    sql::Cursor g = db.exec(QStringLiteral("select a.id_zestaw_grupa, b.predef from ZESTAW_NAG a inner join ZESTAW_GRUPA b on "
                                           " a.id_zestaw_grupa = b.id_zestaw_grupa where a.id_zestaw_nag=%1").arg(sqlNumber(statementId)));
    qint64 group = 0;
    bool predefined = false;
    if (g.next()) {
        group = g.value(0).toLongLong();
        predefined = g.value(1).toInt() == 1;
    } else if (!g.ok()) {
        return g.errorText();
    }
    if (groupId)
        *groupId = group;
    if (!predefined)
        return QStringLiteral("Do XML eksportuje się tylko sprawozdania budżetowe (grupy predefiniowane); "
                              "to zestawienie nie należy do takiej grupy. Nie zapisano pliku.");
    if (periodType != 2 && periodType != 3)
        return QStringLiteral("Proszę określić typ okresu dla sprawozdania bazowego jako kwartał lub miesiąc.");
    return std::nullopt;
}

BudgetXmlResult exportBudgetXml(const BudgetXmlRequest& rq)
{
    auto& db = sql::Database::forThread();
    auto failed = [](const QString& why) { return BudgetXmlResult{false, why}; };
    qint64 group = 0;
    if (const auto refusal = xmlExportRefusal(rq.statementId, rq.periodType, &group))
        return failed(*refusal);
    if (rq.periodNumber < 1 || rq.periodNumber > (rq.periodType == 2 ? 4 : 12))
        return failed(QStringLiteral("Niepoprawny numer okresu %1.").arg(rq.periodNumber));
    if (rq.path.trimmed().isEmpty())
        return failed(QStringLiteral("Proszę określić plik eksportu."));
    if (rq.path.size() > kMaxExportPath)
        return failed(QStringLiteral("Ścieżka pliku eksportu jest dłuższa niż %1 znaków.").arg(kMaxExportPath));
    if (rq.skipZeroRows) {
        // The file holds every section of the form: the all-zero list rows go from each of them.
        QStringList zero;
        for (int c = 1; c <= 20; ++c)
            zero << QStringLiteral("isnull(kol%1,0)=0").arg(c);
        sql::Cursor d = db.exec(QStringLiteral("delete from ZESTAW_ZESTAW where id_uzytkownika=%1 AND wariant_zestaw=1"
                                               " AND len(isnull(arg1,''))>0 AND %2 AND id_zestaw_nag in (select id_zestaw_nag"
                                               " from ZESTAW_NAG where id_zestaw_grupa=%3 AND id_firmy=%4)")
                                    .arg(sqlNumber(rq.user), zero.join(QStringLiteral(" AND ")), sqlNumber(group), sqlNumber(rq.company)));
        if (!d.ok())
            return failed(d.errorText());
    }
    const xmlbud::XmlResult r = xmlbud::EXPORTXMLSPRBUDZET(
        rq.note, static_cast<qint32>(group), rq.periodYear, rq.periodType == 2 ? QStringLiteral("Kwartal") : QStringLiteral("Miesiac"),
        static_cast<quint8>(rq.periodNumber), rq.printDate, rq.correction, rq.path);
    return {r.ok, r.message};
}

} // namespace statements

quint8 exportXmlWindow(const QString& periodText, const QString& reportName);

namespace {
std::function<bool()>& xmlExportWindow()
{
    static std::function<bool()> window;
    return window;
}
} // namespace

statements::XmlExportForm& xmlExportSettings()
{
    static statements::XmlExportForm form;
    return form;
}

quint8 EXPORT_XML(const QString& periodText, const QString& reportName)
{
    // A host calling through the C interface reads the answer from the session's response.
    const quint8 result = exportXmlWindow(periodText, reportName);
    korda::session().globalResponse = result;
    return result;
}

quint8 exportXmlWindow(const QString& periodText, const QString& reportName)
{
    statements::XmlExportForm& form = xmlExportSettings();
    const korda::Session& s = korda::session();
    form.open(periodText, reportName, s.GGG_CUDOCUMENTS, s.DANE_ID_FIRMY, today());
    if (xmlExportWindow())
        return xmlExportWindow()() ? 1 : 0;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) && ui().interactive())
        return statements::showXmlExportWindow(form) ? 1 : 0;
    const auto chosen = ui().askSaveFile(QStringLiteral("Zapisz plik jako"), form.path, QStringLiteral("Pliki xml (*.xml)"));
    if (!chosen)
        return 0;
    form.fileChosen(*chosen);
    if (const auto problem = form.accept()) {
        utilka::MSG_INF(*problem);
        return 0;
    }
    return 1;
}

void setXmlExportWindow(std::function<bool()> window)
{
    xmlExportWindow() = std::move(window);
}

} // namespace pravik
