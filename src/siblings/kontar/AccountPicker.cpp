#include "siblings/kontar/AccountPicker.h"

#include "platform/QtUi.h"
#include "platform/UiServices.h"
#include "platform/sql/Quote.h"
#include "siblings/kontar/AccountPickerDialog.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Gateway.h"

#include <QApplication>
#include <algorithm>

namespace kontar {

namespace {
const QString kSeparator = QStringLiteral("  ");
}

QList<ChartAccount> chartAccounts(qint32 company, qint32 year)
{
    QList<ChartAccount> accounts;
    const QString sql = QStringLiteral("select nr_konta, nazwa_konta from WARTOSCI_KONT with (NOLOCK) where id_firmy=%1"
                                       " AND id_lata_obrot=%2 order by id_firmy, id_lata_obrot, nr_konta")
                            .arg(pravik::sql::sqlNumber(company), pravik::sql::sqlNumber(year));
    if (utilka::EXECVAX(sql)) {
        while (utilka::NEXT(korda::VAX_FK) == 0)
            accounts.append({korda::VAX_FK.text(1).trimmed(), korda::VAX_FK.text(2).trimmed()});
        korda::VAX_FK.close();
    }
    utilka::checkSql();
    // Character order, so that an account comes right before its sub-accounts whatever the
    // server's collation.
    std::stable_sort(accounts.begin(), accounts.end(), [](const ChartAccount& a, const ChartAccount& b) {
        return QString::compare(a.number, b.number, Qt::CaseSensitive) < 0;
    });
    return accounts;
}

QString accountItem(const ChartAccount& account)
{
    return account.name.isEmpty() ? account.number : account.number + kSeparator + account.name;
}

QString accountFromItem(const QString& item)
{
    const qsizetype at = item.indexOf(kSeparator);
    return (at < 0 ? item : item.left(at)).trimmed();
}

QString PLAN_KONT()
{
    korda::Session& s = korda::session();
    const QString current = s.DANE_NUMER_KONTA.trimmed();
    const QList<ChartAccount> accounts = chartAccounts(s.DANE_ID_FIRMY, s.DANE_LATA_OBROTOWE);
    QString chosen;
    pravik::UiServices& services = pravik::ui();
    if (dynamic_cast<pravik::QtUi*>(&services) && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        pravik::runOnGuiThread([&] {
            AccountPickerDialog dialog(accounts, current, QApplication::activeWindow());
            if (dialog.exec() == QDialog::Accepted)
                chosen = dialog.chosen();
        });
    } else {
        QStringList items;
        QString currentItem;
        items.reserve(accounts.size());
        for (const ChartAccount& a : accounts) {
            items.append(accountItem(a));
            if (a.number == current)
                currentItem = items.last();
        }
        if (const auto item = services.pickItem(QStringLiteral("Plan kont"), items, currentItem))
            chosen = accountFromItem(*item);
    }
    s.DANE_NUMER_KONTA = chosen;
    return s.DANE_NUMER_KONTA.trimmed();
}

} // namespace kontar
