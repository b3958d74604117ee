#include "ledger/LedgerPage.h"

#include "journals/JournalReportSupport.h"
#include "siblings/korda/Session.h"

namespace pravik::ledger {

bool ledgerPageFull(const frame::RunFrame& f)
{
    return 5 * f.bandHeight(f.definition().carry.pageTotal) + f.position() + 100 > f.bodyHeight();
}

bool summaryPageFull(const frame::RunFrame& f, const QString& summaryLineBand)
{
    return 7 * f.bandHeight(summaryLineBand) + f.position() + 100 > f.bodyHeight();
}

void queueDescriptionLines(const QStringList& lines)
{
    auto& queue = korda::session().DANE_OPIS_PRN;
    queue.clear();
    for (const QString& line : lines)
        queue.add(line.left(149));
}

frame::ReportDefinition ledgerDefinition(const QString& procedure, const QString& mixedCaseName, const LedgerRequest& request,
                                         const QStringList& runningFields, const QStringList& pageFields,
                                         const QStringList& forwardFields)
{
    frame::ReportDefinition d;
    d.procedure = procedure;
    d.mixedCaseName = mixedCaseName;
    d.textTitle = QStringLiteral("Księga główna");
    d.amountColumns = int(runningFields.size());
    d.carry.amountFields = runningFields;
    d.carry.pageTotalFields = pageFields;
    d.carry.broughtForwardFields = forwardFields;
    d.pageFull = ledgerPageFull;
    // The reports check the page themselves: before posting lines and the lines under them.
    d.checkBeforeEachRow = false;
    d.onOpen = [yearName = request.yearName, noShading = request.settings.noShading](frame::RunFrame& f) {
        if (!yearName.isEmpty())
            f.setValue(QStringLiteral("ROK_OBROTOWY"), (QStringLiteral("Rok obrotowy: ") + yearName).left(80));
        if (noShading)
            f.layout().removeShading();
    };
    return d;
}

int runLedgerPrint(frame::ReportDefinition definition, const LedgerRequest& request, const std::function<qint64()>& count,
                   const std::function<bool()>& prepare, frame::RowFeed feed)
{
    korda::session().DANE_NAGLOWEK_WYDRUKU = request.title;
    // The ledger prints are graphic: a text-printer request does not apply to them.
    frame::OutputTarget output = request.output;
    output.textPrinter = false;
    frame::RunFrame frame(std::move(definition), std::move(output));
    if (!frame.start())
        return frame::kResponseCancelled;
    frame.wait(QStringLiteral("Proszę czekać. Trwa przygotowanie danych (serwer)..."));
    feed.total = count();
    if (!prepare())
        return frame.abandon();
    return frame.run(std::move(feed));
}

} // namespace pravik::ledger
