#pragma once
// The demo company's chart of accounts and the Polish names of its contractors and employees.
#include <QList>
#include <QString>

namespace pravik::server::demo {

class DemoRandom;

struct SyntheticAccount {
    int number;
    const char* name;
    char type;          // 'B' balance sheet, 'W' profit and loss, 'P' off-balance
    bool twoBalance;
    bool settlement;
    bool currency;
    bool costCentres;
};

struct AnalyticAccount {
    const char* number;  // "402-2-2-1"; a trailing "x" is a card-index placeholder
    const char* name;
    const char* cardIndex; // symbol_kartoteki of a placeholder, else empty
    const char* currency;  // currency of a currency account, else empty
};

const QList<SyntheticAccount>& syntheticAccounts();
const QList<AnalyticAccount>& analyticAccounts();

// "Przedsiębiorstwo Handlowe „Wiśniewski i Syn” Sp. j." and the like.
QString contractorName(DemoRandom& rnd);
struct PersonName {
    QString surname;
    QString firstName;
};
PersonName personName(DemoRandom& rnd);

QString polishMonthName(int month);

} // namespace pravik::server::demo
