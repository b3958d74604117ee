#include "statements/print/StatementProcedures.h"

#include "framework/RunFrame.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "statements/print/StatementPrintout.h"

namespace pravik {
namespace statements {

StatementPrintOptions& statementPrintOptions()
{
    thread_local StatementPrintOptions options;
    return options;
}

QString StatementPrintRequest::userRowsFilter(qint32 user)
{
    return QStringLiteral("id_uzytkownika=%1 AND wariant_zestaw=1").arg(user);
}

StatementPrintRequest StatementPrintRequest::fromSession(const QString& rowFilter, qint64 groupId, qint64 statementId)
{
    korda::Session& s = korda::session();
    StatementPrintRequest r;
    r.options = statementPrintOptions();
    r.company = s.DANE_ID_FIRMY;
    r.user = s.DANE_ID_UZYTKOWNIKA_NR;
    r.rowFilter = rowFilter.trimmed();
    r.groupId = groupId;
    r.statementId = statementId;
    r.title = s.DANE_NAGLOWEK_WYDRUKU.trimmed();
    r.yearName = s.DANE_LATA_OBROT_NAZWA;
    r.headings = s.DANE_OPIS_PRN.takeAll();
    r.exportMode = s.GGG_PRN_EXPORT_XML == 1;
    r.output = frame::OutputTarget::fromSession(s);
    return r;
}

int runStatementRequest(const StatementPrintRequest& request)
{
    korda::Session& s = korda::session();
    QString error;
    if (request.exportMode) {
        const bool ok = exportStatements(request, &s.GGG_XML_Q, &error);
        if (!ok)
            utilka::MSG_OST(error);
        s.globalResponse = ok ? frame::kResponseCompleted : frame::kResponseCancelled;
        return s.globalResponse;
    }
    const int response = printStatements(request, &error);
    if (!error.isEmpty()) {
        utilka::MSG_OST(error);
        s.globalResponse = frame::kResponseCancelled;
    }
    return response;
}

namespace {

int runFixed(int columns, bool ordinal, quint8 preview, const QString& rowFilter, const QString& title, quint8 thousands,
             qint32 groupId, qint32 statementId)
{
    korda::Session& s = korda::session();
    if (!title.trimmed().isEmpty())
        s.DANE_NAGLOWEK_WYDRUKU = title;
    if (s.outputRequests.pdfPath.isEmpty() && s.outputRequests.pngFolder.isEmpty())
        s.DANE_DRUKARKA_EKRAN = preview;
    StatementPrintRequest r = StatementPrintRequest::fromSession(rowFilter, groupId, statementId);
    r.fixedColumns = columns;
    r.forceOrdinal = ordinal;
    r.options.thousands = thousands == 1;
    r.exportMode = false;
    return runStatementRequest(r);
}

} // namespace
} // namespace statements

int PRN_ZESTAW_MULTIKOL_NEW(const QString& rowFilter, const QString& groupId, const QString& statementId)
{
    return statements::runStatementRequest(
        statements::StatementPrintRequest::fromSession(rowFilter, groupId.trimmed().toLongLong(), statementId.trimmed().toLongLong()));
}

int PRN_ZESTAW_2KOL(quint8 preview, const QString& rowFilter, const QString& title, quint8 thousands, qint32 groupId,
                    qint32 statementId)
{
    return statements::runFixed(2, false, preview, rowFilter, title, thousands, groupId, statementId);
}

int PRN_ZESTAW_MULTIKOL_OLD(quint8 preview, const QString& rowFilter, const QString& title, quint8 thousands,
                            qint32 groupId, qint32 statementId)
{
    return statements::runFixed(5, false, preview, rowFilter, title, thousands, groupId, statementId);
}

int PRN_ZESTAW_MULTIKOL(quint8 preview, const QString& rowFilter, const QString& title, quint8 thousands, qint32 groupId,
                        qint32 statementId)
{
    return statements::runFixed(20, true, preview, rowFilter, title, thousands, groupId, statementId);
}

} // namespace pravik
