#include "journals/JournalOptions.h"

namespace pravik::journals {

JournalOptions& journalOptions()
{
    thread_local JournalOptions instance;
    return instance;
}

} // namespace pravik::journals
