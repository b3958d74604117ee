#include "StatementWindowWiring.h"

#include "BudgetFormsMenu.h"
#include "StatementsMenu.h"

#include "platform/DayNumber.h"
#include "siblings/korda/Session.h"
#include "statements/forms/BudgetHeader.h"
#include "statements/lists/ShowUserListWindow.h"
#include "statements/window/BudgetExportRun.h"
#include "statements/window/ParamPrnZestaw.h"
#include "statements/window/StatementWindowModel.h"

#include <QApplication>
#include <QMenu>

namespace pravik::gui {

namespace {

using statements::BudgetHandOver;

constexpr int kQuarters = statements::StatementWindowModel::kQuarters;
constexpr int kMonths = statements::StatementWindowModel::kMonths;

// A budget form takes its dates from the host's range, not from a chosen quarter or month: a range
// that ends with a quarter is filed as that quarter, one that ends with another month as the month.
// Any other end stays what the window had, and the export refuses it with its own message.
int filedPeriodType(const BudgetHandOver& h)
{
    if (h.periodType == kQuarters || h.periodType == kMonths || h.to <= 0 || h.to != lastDayOfMonth(h.to))
        return h.periodType;
    return monthOf(h.to) % 3 == 0 ? kQuarters : kMonths;
}

// The window generates before it hands over, so the export's own generation step has nothing left
// to do: running it again would only repeat the same rows.
statements::BudgetExportRun exportRunOf(const BudgetHandOver& h)
{
    const korda::Session& s = korda::session();
    statements::BudgetExportRun run;
    run.statementId = h.statementId;
    run.reportName = h.reportName;
    run.periodType = filedPeriodType(h);
    run.periodYear = yearOf(h.to);
    run.periodNumber = run.periodType == kQuarters ? (monthOf(h.to) - 1) / 3 + 1 : monthOf(h.to);
    run.cumulative = h.from > 0 && h.from == dayFromYmd(yearOf(h.from), 1, 1);
    run.to = h.to;
    statements::StatementPrintRequest& p = run.print;
    p.company = s.DANE_ID_FIRMY;
    p.user = s.DANE_ID_UZYTKOWNIKA_NR;
    p.rowFilter = statements::StatementPrintRequest::userRowsFilter(p.user);
    p.groupId = h.groupId;
    p.statementId = h.statementId;
    p.options.wholeGroup = h.groupId > 0;
    p.yearName = s.DANE_LATA_OBROT_NAZWA;
    return run;
}

} // namespace

void connectStatementWindows()
{
    statements::StatementWindowHooks& hooks = statements::statementWindowHooks();
    hooks.openList = [](qint64 statementId, DayNumber from, DayNumber to) {
        statements::showUserListWindow(QApplication::activeWindow(), statementId, from, to);
    };
    hooks.openHeaderData = [](const BudgetHandOver& h) {
        const QString form = h.groupCode.isEmpty() ? h.formCode : h.groupCode;
        BT_DANE_FIRMY(1, h.to > 0 ? h.to : today(), form);
    };
    hooks.openXmlExport = [](const BudgetHandOver& h) { statements::runXmlExport(exportRunOf(h)); };
    hooks.openSpdExport = [](const BudgetHandOver& h) { statements::runSpdExport(exportRunOf(h)); };

    addStatementsMenuEntries([](QMenu* menu) {
        menu->addSeparator();
        QMenu* forms = menu->addMenu(QStringLiteral("Sprawozdania budżetowe"));
        addBudgetFormsActions(forms, [](qint64 statementId, const QString& name) {
            PARAM_PRN_ZESTAW(qint32(statementId), name);
        });
    });
}

} // namespace pravik::gui
