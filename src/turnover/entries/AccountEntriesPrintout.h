#pragma once
// The printout of the statement of entries on accounts through the run frame: per account its
// band, a rule, its entries, then the turnovers before the range ("Z przeniesienia"), "Razem w
// okresie" and "Razem"; pages break without page totals; "Koniec wydruku" at the end.
#include "framework/RunFrame.h"
#include "turnover/entries/AccountEntriesSource.h"

#include <memory>

namespace pravik::turnover {

struct EntriesPrintOptions {
    bool contraAccounts = false;  // "Drukuj konto przeciwstawne": else the column is hidden
    bool approvalDates = false;   // the date column shows the approval date ("zatwierdz.")
    bool accountPerPage = false;  // every account after the first on a new page
    QString yearName;
};

// The widening of the columns that take the room of a hidden contra column, left to right.
struct ColumnWidening {
    QString column;               // the entry field
    report::Units extra = 0;
};
const QList<ColumnWidening>& contraColumnWidening();

// Hides the contra column and its heading and widens the columns of contraColumnWidening(),
// moving every column, heading and total to their right along.
void hideContraColumn(report::Layout& layout);

class AccountEntriesPrintout {
public:
    explicit AccountEntriesPrintout(EntriesPrintOptions options);
    ~AccountEntriesPrintout();
    AccountEntriesPrintout(const AccountEntriesPrintout&) = delete;
    AccountEntriesPrintout& operator=(const AccountEntriesPrintout&) = delete;

    frame::ReportDefinition definition();
    // Streams the accounts and entries of the source into pages and delivers them; the response.
    int print(frame::RunFrame& frame, AccountEntriesSource& source);

private:
    class Run;
    EntriesPrintOptions m_options;
    std::unique_ptr<Run> m_run;
};

} // namespace pravik::turnover
