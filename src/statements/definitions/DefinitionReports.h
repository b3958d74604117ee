#pragma once
// The print stage of the definition printouts: the lines of the data stage, one band each, in
// the run frame. Both return the response (1 completed, 2 cancelled or failed).
#include "statements/definitions/DefinitionSource.h"

namespace pravik::statements {

int printStatementDefinition(const StatementDefinitionRequest& request);
// Prints the session's declaration queue (DANE_KOLEJKA_UNIWERS).
int printDeclarationDefinitions();

} // namespace pravik::statements

namespace pravik {

// The procedures as a host calls them.
void PRN_ZESTAW_DEF(qint32 statementId, const QString& name);
void PRN_DEKLARACJE_DEF();

} // namespace pravik
