#pragma once
// The demo school's budget forms (company 2, fiscal year 3) generated as the statement window
// generates a form: the form's own range, not as an ordinary statement.
#include "statements/generation/StatementGeneration.h"

namespace pravik::test {

// Empty when every statement went through, else the failure's text.
inline QString generateForm(const QList<qint64>& statements, DayNumber from, DayNumber to, qint32 user)
{
    statements::GenerationRequest g;
    g.company = 2;
    g.year = 3;
    g.user = user;
    g.statements = statements;
    g.ordinary = false;
    g.from = from;
    g.to = to;
    QString error;
    if (!statements::useRequestPeriod(&g, &error))
        return error;
    const auto failure = statements::generateStatements(g);
    return failure ? failure->text : QString();
}

} // namespace pravik::test
