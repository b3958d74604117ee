#include "ledger/LedgerRequest.h"

#include "siblings/korda/Session.h"
#include "siblings/utilka/ItemList.h"

namespace pravik::ledger {

ControlListReading readControlList(const QString& text)
{
    ControlListReading r;
    const QString list = text.trimmed();
    auto small = [&](int n, bool required) -> int {
        const QString item = utilka::WYTNIJ_STR(n, list).trimmed();
        if (item.isEmpty()) {
            if (required && r.problem.isEmpty())
                r.problem = QStringLiteral("Lista sterująca wydruku nie podaje rodzaju wydruku.");
            return 0;
        }
        bool ok = false;
        const int value = item.toInt(&ok);
        if ((!ok || value < 0 || value > 255) && r.problem.isEmpty())
            r.problem = QStringLiteral("Lista sterująca wydruku: pozycja %1 (\"%2\") nie jest liczbą od 0 do 255.")
                            .arg(n)
                            .arg(item.left(40));
        return ok ? value : 0;
    };
    r.list.kind = small(1, true);
    r.list.markedOnly = small(2, false) == 1;
    r.list.sort = quint8(small(3, false));
    r.list.ascending = small(4, false) == 1;
    r.list.layoutFlag = quint8(small(5, false));
    r.list.description = utilka::WYTNIJ_STR(6, list).left(200);
    r.list.currencyFlag = utilka::WYTNIJ_STR(7, list).trimmed();
    if (!r.list.currencyFlag.isEmpty()) {
        bool ok = false;
        const int flag = r.list.currencyFlag.toInt(&ok);
        if ((!ok || flag < 0 || flag > 255) && r.problem.isEmpty())
            r.problem = QStringLiteral("Lista sterująca wydruku: pozycja 7 (\"%1\") nie jest liczbą od 0 do 255.")
                            .arg(r.list.currencyFlag.left(40));
    }
    return r;
}

QString buildControlList(const ControlList& c)
{
    return utilka::buildItemList({QString::number(c.kind), QString::number(c.markedOnly ? 1 : 0), QString::number(c.sort),
                                  QString::number(c.ascending ? 1 : 0), QString::number(c.layoutFlag), c.description,
                                  c.currencyFlag.isEmpty() ? QStringLiteral("0") : c.currencyFlag});
}

LedgerRequest requestFromSession(const ControlList& control, const QString& filter, const QString& title,
                                 DayNumber periodDate, korda::Session& s)
{
    LedgerRequest r;
    r.control = control;
    r.filter = filter;
    r.title = title;
    r.periodDate = periodDate;
    if (control.markedOnly)
        r.marked = MarkedRecords::takeFromSession(s);
    r.settings.summary = s.DANE_DRUKUJ_PODSUMOWANIE == 1;
    r.settings.onlySummary = s.DANE_DRUKUJ_TYLKO_PODSUMOWANIE == 1;
    r.settings.costCentreLines = s.DANE_DRUKUJ_ZAPISY_MPK == 1;
    r.settings.budgetVersion = s.DANE_CZY_WERSJA_BUDZET == 1;
    r.settings.noShading = s.DANE_WYLACZ_SZAROSC == 1;
    r.settings.approvedFigures = s.GGG_WERSJA_DLA_KRAB_PRIORYTET;
    r.settings.costCentreSeparator = s.DANE_SEPARATOR_MPK;
    r.company = s.DANE_ID_FIRMY;
    r.year = s.DANE_LATA_OBROTOWE;
    r.yearName = s.DANE_LATA_OBROT_NAZWA;
    r.yearStart = s.DANE_POCZATEK_ROKU;
    r.hostDescriptions = s.DANE_OPIS_PRN.takeAll();
    r.printCurrency = s.GGG_PRN_AKTYWNA_WALUTA.text().trimmed();
    r.companyCurrency = s.DANE_AKTYWNA_WALUTA.text().trimmed();
    r.accountQueue = s.DANE_KOLEJKA_VAX.lines();
    r.output = frame::OutputTarget::fromSession(s);
    return r;
}

} // namespace pravik::ledger
