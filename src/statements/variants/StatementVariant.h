#pragma once
// The statement window's saved variants (report key "RU"): its print options as the numbered
// values the variant store keeps, 1 to 13 in the window's order.
#include "framework/VariantStore.h"
#include "statements/print/StatementPrintRequest.h"

namespace pravik::statements {

inline const QString kStatementVariantKey = QStringLiteral("RU");

// The options a variant keeps; krs is "Drukuj informacje o KRS" (GGG:PRN_KRS), kept with them.
struct StatementVariantOptions {
    StatementPrintOptions print;
    bool krs = false;
};

VariantValues statementVariantValues(const StatementVariantOptions& o);

// Sets the options the values name; a missing number leaves its option as it was, a value out of
// range (a level of 0, a totals mode of 7) is ignored, as a hand-edited row must not break a run.
void applyStatementVariant(const VariantValues& values, StatementVariantOptions* o);

} // namespace pravik::statements
