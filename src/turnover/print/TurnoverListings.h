#pragma once
// The listings printed under a leaf account of the turnover statement: its cost-centre records,
// its budget classifications and its accounting entries (with their contra accounts). Each is
// read with one query, kept whole for the account (a few rows) and turned into the lines the
// printout prints: entries, then the subtotals that close them.
#include "ledger/ContraAccountFinder.h"
#include "platform/DayNumber.h"
#include "platform/Decimal.h"
#include "turnover/print/TurnoverPrintOptions.h"

#include <QHash>
#include <QList>
#include <QString>

namespace pravik::turnover {

struct ListingLine {
    bool total = false;       // a subtotal ("Razem BO", "Razem 3-2026", "Razem dla ...")
    qint64 number = 0;        // Z_NR_POZ
    qint64 journal = 0;       // Z_NR_DZIENNIKA
    QString document;         // Z_NR_DOK
    QString registerNumber;   // Z_NR_EWID
    DayNumber postingDate = 0;
    DayNumber documentDate = 0;
    QString description;      // Z_OPIS; the label of a subtotal
    Decimal debit;
    Decimal credit;
    QString contra;           // ZM_KONTO_PRZECIWSTAWNE
};

using Listing = QList<ListingLine>;

// What the listing queries of one statement are restricted by.
struct ListingScope {
    qint32 company = 0;
    qint32 yearId = 0;
    DayNumber period = 0;
    bool allPeriods = false;   // every period up to the chosen one
    QString currency = QStringLiteral("PLN");
    bool approvedOnly = false;
    bool asOf = false;
    DayNumber asOfDate = 0;
    bool grouped = false;      // "Grupuj MPK"

    static ListingScope from(const TurnoverPrintOptions& options, qint32 company);
    bool foreignCurrency() const;
};

QString mpkListingSql(const ListingScope& scope, const QString& account);
QString budgetListingSql(const ListingScope& scope, const QString& account);
QString entriesListingSql(const ListingScope& scope, const QString& account);

// The entries of one account in query order, closed by their period subtotals.
struct EntryRow {
    QString description;
    QString registerNumber;
    DayNumber postingDate = 0;
    QString document;
    DayNumber documentDate = 0;
    Decimal debit;
    Decimal credit;
    qint64 number = 0;
    DayNumber period = 0;
    qint64 journal = 0;
    qint64 positionId = 0;
    qint64 documentId = 0;
    QString side;             // "0" debit, anything else credit
    QString contra;
};
// "Razem BO" after the opening-balance entries, "Razem " month "-" year after each month's.
Listing entriesListing(const QList<EntryRow>& rows);
// A subtotal per item, in the order the items first appear, after the records.
Listing itemListing(const Listing& records, const QStringList& items);

// Reads the listings through the gateway, caching dictionary codes and documents for the run.
class ListingReader {
public:
    ListingReader(const ListingScope& scope, bool contraAccounts);

    Listing mpk(const QString& account);
    Listing budget(const QString& account);
    Listing entries(const QString& account);

private:
    QString indicatorCode(qint64 id);
    QString treeCodes(const QString& path);

    ListingScope m_scope;
    bool m_contra;
    ledger::ContraAccountFinder m_finder;
    QHash<qint64, QString> m_indicators;
    QHash<qint64, QString> m_tree;
};

} // namespace pravik::turnover
