#include "turnover/entries/AccountEntriesSource.h"

#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/AccountMask.h"
#include "siblings/utilka/Gateway.h"
#include "turnover/compute/CardIndexExpansion.h"

namespace pravik::turnover {

namespace {

// Columns of the entries query (VAY_FK: a long description first, then texts).
enum EntryColumn {
    kDescription = 1,
    kRegister,
    kPostingDate,
    kDocument,
    kDocumentDate,
    kDebit,
    kCredit,
    kNumber,
    kPeriod,
    kJournal,
    kPositionId,
    kDocumentId,
    kSide,
    kEnteredBy,
    kApprovedBy,
    kApprovalDate,
};

} // namespace

AccountList entriesAccountList(const AccountList& window, const TurnoverParameters& p, const TurnoverSettings& s,
                               qint32 company)
{
    AccountList accounts = window;
    if (!p.syntheticOnly) {
        ExpansionRequest ex;
        ex.company = company;
        ex.year = s.yearId;
        ex.mask = p.mask.left(60);
        ex.cardIndexAccounts = true;
        ex.complete = s.cardIndexComplete;
        accounts = expandCardIndexAccounts(accounts, ex);
    }
    const QString mask = p.mask.left(60).trimmed();
    if (!mask.isEmpty())
        accounts.removeIf([&](const AccountEntry& e) { return e.leaf && utilka::SPR_MASKA(e.number, mask) == 0; });
    return accounts;
}

AccountEntriesSource::AccountEntriesSource(EntriesScope scope, AccountList accounts, EntriesOptions options)
    : m_scope(std::move(scope)), m_accounts(std::move(accounts)), m_options(options), m_contra(m_scope.company)
{
}

bool AccountEntriesSource::hasEntries(const AccountPostings& account)
{
    utilka::EXECVAX(anyEntrySql(m_scope, account));
    if (!utilka::checkSql())
        return true; // the account is handled with what can be read
    const bool any = utilka::NEXT(korda::VAX_FK) == 0;
    korda::VAX_FK.close();
    return any;
}

Decimal AccountEntriesSource::sumBefore(const AccountPostings& account, bool debit)
{
    utilka::EXECVAX(turnoversBeforeSql(m_scope, account, debit));
    if (!utilka::checkSql())
        return {};
    const Decimal sum = utilka::NEXT(korda::VAX_FK) == 0 ? korda::VAX_FK.dec(1) : Decimal();
    korda::VAX_FK.close();
    return amount(sum);
}

bool AccountEntriesSource::nextAccount()
{
    if (m_reading) {
        korda::VAY_FK.close();
        m_reading = false;
    }
    while (++m_index < m_accounts.size()) {
        const AccountEntry& entry = m_accounts.at(m_index);
        if (!entry.leaf || entry.isPlaceholder())
            continue;
        // A leaf that stands for its card-index accounts (none of them is listed on its own)
        // lists their entries, as the turnover statement sums them into its row.
        const AccountPostings account{entry.number, entry.placeholderParent};
        if (m_options.onlyWithEntries && !hasEntries(account))
            continue;
        m_account.ordinal += 1;
        m_account.number = entry.number;
        m_account.name = entry.name;
        m_account.before = {sumBefore(account, true), sumBefore(account, false)};
        m_range = AmountPair();
        utilka::EXECVAY(entriesSql(m_scope, account));
        m_reading = utilka::checkSql();
        return true;
    }
    return false;
}

bool AccountEntriesSource::nextEntry(EntryLine& line)
{
    if (!m_reading)
        return false;
    if (utilka::NEXT(korda::VAY_FK) != 0) {
        utilka::checkSql(); // a result set that broke on the way is told, the account closes
        korda::VAY_FK.close();
        m_reading = false;
        return false;
    }
    const korda::PassThroughRecord& r = korda::VAY_FK.record();
    line = EntryLine();
    line.description = r.text(kDescription);
    line.registerNumber = r.text(kRegister);
    line.date = DayNumber(m_scope.approvalDates ? r.number(kApprovalDate) : r.number(kPostingDate));
    line.document = r.text(kDocument);
    line.documentDate = DayNumber(r.number(kDocumentDate));
    line.journal = r.number(kJournal);
    line.number = r.number(kNumber);
    line.debit = amount(r.dec(kDebit));
    line.credit = amount(r.dec(kCredit));
    line.signature = r.text(kApprovedBy).trimmed();
    if (line.signature.isEmpty())
        line.signature = r.text(kEnteredBy).trimmed();
    m_range += AmountPair{line.debit, line.credit};
    if (m_options.contraAccounts) {
        const qint64 documentId = r.number(kDocumentId);
        const qint64 positionId = r.number(kPositionId);
        const QString side = r.text(kSide).trimmed();
        const ledger::EntrySide entrySide = side == QLatin1String("0")   ? ledger::EntrySide::Debit
                                            : side == QLatin1String("1") ? ledger::EntrySide::Credit
                                                                         : ledger::EntrySide::Unknown;
        // The finder reads through VAX_FK; the entries stay open on VAY_FK meanwhile.
        line.contra = ledger::fitContraText(m_contra.find(documentId, positionId, entrySide, m_scope.yearId).text, 60);
    }
    return true;
}

} // namespace pravik::turnover
