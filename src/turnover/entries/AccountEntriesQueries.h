#pragma once
// The SQL of the statement of entries on accounts: which entries of an account fall in the
// chosen period or date range, whether there are any, the account's turnovers before that
// range (one side at a time) and the entries themselves in print order.
#include "platform/DayNumber.h"

#include <QString>

namespace pravik::turnover {

enum class EntriesRange {
    Period,        // the chosen period (data_okresu)
    PostingDates,  // a date range by posting date (data_biezaca)
    DocumentDates, // a date range by document date (data_dok_org)
};

struct EntriesScope {
    qint32 company = 0;
    qint32 yearId = 0;
    DayNumber period = 0;
    EntriesRange range = EntriesRange::Period;
    DayNumber from = 0;
    DayNumber to = 0;
    QString currency = QStringLiteral("PLN");
    bool approvedOnly = false;
    // The approved-figures setting below 1: entries are dated and ordered by approval.
    bool approvalDates = false;

    // A currency other than the base one: its own amounts, its entries only.
    bool foreignCurrency() const;
};

// Which postings belong to an account of the list: its own, and with `under` also those of
// every account under it (an account that stands for its card-index accounts).
struct AccountPostings {
    AccountPostings(const QString& account, bool withUnder = false) : number(account), under(withUnder) {}
    QString number;
    bool under = false;
};

// " from POZ_DOK_VIEW_UNION with (NOLOCK) where ..." for one account.
QString entriesCondition(const EntriesScope& scope, const AccountPostings& account);
// "select 1" and the condition: a row when the account has an entry in the range.
QString anyEntrySql(const EntriesScope& scope, const AccountPostings& account);
// The sum of the account's debit (or credit) postings before the range.
QString turnoversBeforeSql(const EntriesScope& scope, const AccountPostings& account, bool debit);
// The entries, sixteen columns (description first), in print order.
QString entriesSql(const EntriesScope& scope, const AccountPostings& account);

} // namespace pravik::turnover
