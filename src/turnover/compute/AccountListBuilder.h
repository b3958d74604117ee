#pragma once
// The account list of a turnover statement, built from the company's chart of accounts for the
// chosen year and the window's account filters (groups, types, properties, synthetic range,
// synthetic only), with each entry's last-level flag.
#include "turnover/TurnoverOptions.h"
#include "turnover/TurnoverStatement.h"
#include "turnover/TurnoverTypes.h"

#include <QString>
#include <array>

namespace pravik::turnover {

struct AccountSelection {
    std::array<bool, 10> groups{};   // none ticked: every group
    bool balanceSheet = false;       // B, W, P: none ticked means every type
    bool profitAndLoss = false;
    bool offBalance = false;
    bool settlement = false;         // each ticked property is required
    bool currency = false;
    bool twoBalance = false;
    bool mpk = false;
    int rangeFrom = 0;               // synthetic numbers, bounds included; 0..999 = no range
    int rangeTo = 999;
    bool syntheticOnly = false;

    bool anyGroup() const;
    bool anyType() const { return balanceSheet || profitAndLoss || offBalance; }
    bool rangeSet() const { return rangeTo != 999 || rangeFrom != 0; }

    static AccountSelection from(const TurnoverOptions& options, bool syntheticStatement);
};

// The group of a synthetic account number: its first digit, 0 below 100.
int accountGroup(int syntheticNumber);

struct AccountListResult {
    AccountList accounts;
    // Set when the list could not be built or the filters select nothing; the statement is not
    // worth running and the text says why.
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};

// Reads the chart (one query) and applies the selection. Every account taken gets access 1.
AccountListResult buildAccountList(qint32 company, qint32 year, const AccountSelection& selection);

} // namespace pravik::turnover
