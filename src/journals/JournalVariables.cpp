#include "journals/JournalVariables.h"

namespace pravik::journals {

namespace {

JournalOptions& kept()
{
    thread_local JournalOptions instance;
    return instance;
}

} // namespace

JournalOptions journalVariables()
{
    return kept();
}

void setJournalVariables(const JournalOptions& options)
{
    kept() = options;
}

} // namespace pravik::journals
