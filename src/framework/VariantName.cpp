#include "framework/VariantName.h"

#include "platform/UiServices.h"

namespace utilka {

QString NAZWA_WARIANTU(const QString& current)
{
    const std::optional<QString> name = pravik::ui().askText(QStringLiteral("Zapisz układ parametrów wydruku"),
                                                             QStringLiteral("Nazwa wariantu:"), current);
    return name.value_or(QString()).trimmed();
}

} // namespace utilka
