#pragma once
// The data stage of the statement of entries on accounts: the leaf accounts of the list one by
// one, each with its turnovers before the range, then its entries streamed from the database
// (an account may have many thousands) with their contra accounts, summed into the range total.
//
//   AccountEntriesSource source(scope, accounts, options);
//   while (source.nextAccount()) {
//       use(source.account());                       // number, name, ordinal, before
//       EntryLine line;
//       while (source.nextEntry(line)) use(line);
//       use(source.rangeTotal());
//   }
#include "ledger/ContraAccountFinder.h"
#include "turnover/TurnoverParameters.h"
#include "turnover/TurnoverTypes.h"
#include "turnover/entries/AccountEntriesQueries.h"

#include <QString>

namespace pravik::turnover {

struct EntryLine {
    QString registerNumber;   // nr_ewid_dok
    DayNumber date = 0;       // data_ksieg with approval dates, else data_biezaca
    QString document;         // nr_dok_org
    DayNumber documentDate = 0;
    qint64 journal = 0;       // nr_dziennika
    qint64 number = 0;        // lp
    Decimal debit;
    Decimal credit;
    QString signature;        // who approved it, or who entered it
    QString description;
    QString contra;           // with contra accounts asked for
};

struct EntriesAccount {
    int ordinal = 0;          // 1, 2, ... over the accounts printed
    QString number;
    QString name;
    AmountPair before;        // turnovers before the range
};

struct EntriesOptions {
    bool onlyWithEntries = false; // parameter 4: accounts without entries in the range are left out
    bool thousands = false;
    bool contraAccounts = false;
};

// The accounts whose entries are listed: the window's list with its card-index accounts
// expanded (the window offers no choice for this statement: each card-index account is listed
// under its own number), the leaves that fit the mask. A placeholder's parent that stays a leaf
// (none of its card-index accounts fits the mask) lists their entries together.
AccountList entriesAccountList(const AccountList& window, const TurnoverParameters& p, const TurnoverSettings& s,
                               qint32 company);

class AccountEntriesSource {
public:
    AccountEntriesSource(EntriesScope scope, AccountList accounts, EntriesOptions options);

    // Moves to the next leaf account to print and reads its turnovers before the range. False
    // after the last one.
    bool nextAccount();
    const EntriesAccount& account() const { return m_account; }

    // The next entry of the current account, added to its range total. False after the last.
    bool nextEntry(EntryLine& line);
    const AmountPair& rangeTotal() const { return m_range; }

private:
    bool hasEntries(const AccountPostings& account);
    Decimal sumBefore(const AccountPostings& account, bool debit);
    Decimal amount(const Decimal& value) const { return m_options.thousands ? value.dividedBy1000() : value; }

    EntriesScope m_scope;
    AccountList m_accounts;
    EntriesOptions m_options;
    ledger::ContraAccountFinder m_contra;
    qsizetype m_index = -1;
    bool m_reading = false;
    EntriesAccount m_account;
    AmountPair m_range;
};

} // namespace pravik::turnover
