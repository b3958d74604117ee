#include "siblings/utilka/Messages.h"

#include "platform/UiServices.h"

namespace utilka {

void MSG_INF(const QString& text)
{
    pravik::msgInformation(text);
}

void MSG_OST(const QString& text)
{
    pravik::msgWarning(text);
}

} // namespace utilka
