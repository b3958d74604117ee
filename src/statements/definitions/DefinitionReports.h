#pragma once
// The print stage of the definition printouts: the lines of the data stage, one band each, in
// the run frame. Both return the response (1 completed, 2 cancelled or failed).
#include "statements/definitions/DefinitionSource.h"

namespace korda {
struct Session;
}

namespace pravik::statements {

// The requests as a host's call makes them: the company, the queue and heading, and the output
// requests the session holds now.
StatementDefinitionRequest statementDefinitionRequest(qint64 statementId, const QString& name, const korda::Session& session);
DeclarationDefinitionsRequest declarationDefinitionsRequest(const korda::Session& session);

int printStatementDefinition(const StatementDefinitionRequest& request);
int printDeclarationDefinitions(const DeclarationDefinitionsRequest& request);

} // namespace pravik::statements

namespace pravik {

// The procedures as a host calls them.
void PRN_ZESTAW_DEF(qint32 statementId, const QString& name);
void PRN_DEKLARACJE_DEF();

} // namespace pravik
