#include "BudgetFormsMenu.h"

#include "platform/UiServices.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "statements/forms/BudgetHeader.h"
#include "statements/window/BudgetExportRun.h"
#include "statements/window/BudgetFormGroups.h"

#include <QMenu>

namespace pravik::gui {

namespace {

// The period of an export; -1 when the user cancelled.
int askPeriod(const QString& form)
{
    const QStringList periods = statements::budgetExportPeriods();
    const int year = yearOf(korda::session().DANE_KONIEC_ROKU > 0 ? korda::session().DANE_KONIEC_ROKU : today());
    QStringList items;
    for (const QString& p : periods)
        items << QStringLiteral("%1 %2").arg(p).arg(year);
    const auto chosen = ui().pickItem(QStringLiteral("%1: okres sprawozdania").arg(form), items, items.value(0));
    return chosen ? int(items.indexOf(*chosen)) : -1;
}

} // namespace

void addBudgetFormsActions(QMenu* menu, std::function<void(qint64 statementId, const QString& name)> openForm)
{
    QString error;
    const QList<statements::BudgetFormGroup> groups =
        statements::budgetFormGroups(sql::Database::forThread(), korda::session().DANE_ID_FIRMY, &error);
    if (!error.isEmpty())
        utilka::MSG_OST(error);
    if (groups.isEmpty()) {
        menu->addAction(QStringLiteral("Brak sprawozdań budżetowych"))->setEnabled(false);
        return;
    }
    for (const statements::BudgetFormGroup& g : groups) {
        QMenu* form = menu->addMenu(g.name);
        form->setObjectName(QStringLiteral("budgetForm_%1").arg(g.formCode));
        QAction* open = form->addAction(QStringLiteral("Parametry wydruku..."), form, [openForm, g] {
            if (openForm && !g.sections.isEmpty())
                openForm(g.sections.first(), g.name);
        });
        open->setEnabled(bool(openForm) && !g.sections.isEmpty());
        form->addAction(QStringLiteral("Dane nagłówkowe wydruku"), form, [g] {
            const korda::Session& s = korda::session();
            BT_DANE_FIRMY(1, s.DANE_DATA_BIEZACA > 0 ? s.DANE_DATA_BIEZACA : today(), g.formCode);
        });
        form->addSeparator();
        form->addAction(QStringLiteral("Eksport do systemu BeSTi@ (XML)"), form, [g] {
            if (const int period = askPeriod(g.name); period >= 0)
                statements::runXmlExport(statements::budgetFormExportRun(g, period));
        });
        form->addAction(QStringLiteral("Eksport do systemu SPD (CSV)"), form, [g] {
            if (const int period = askPeriod(g.name); period >= 0)
                statements::runSpdExport(statements::budgetFormExportRun(g, period));
        });
    }
}

} // namespace pravik::gui
