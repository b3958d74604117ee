#include "statements/definitions/DefinitionsCApi.h"

#include "siblings/korda/Session.h"
#include "statements/definitions/DefinitionSource.h"

namespace {

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

} // namespace

extern "C" {

PRAVIK_EXPORT int pravik_declaration_add(const char* nazwa1, const char* nazwa2, const char* nazwa3, const char* data2,
                                         int kind, const char* share, const char* shareDate)
{
    const QHash<QString, QString> values = {{QStringLiteral("nazwa1"), text(nazwa1)},     {QStringLiteral("nazwa2"), text(nazwa2)},
                                            {QStringLiteral("nazwa3"), text(nazwa3)},     {QStringLiteral("data2"), text(data2)},
                                            {QStringLiteral("rodzaj"), QString::number(kind)}, {QStringLiteral("udzial"), text(share)},
                                            {QStringLiteral("data_udzialu"), text(shareDate)}};
    korda::DeclarationEntry entry;
    QString why;
    if (!pravik::statements::declarationEntry(values, &entry, &why))
        return 0;
    korda::session().DANE_KOLEJKA_UNIWERS.append(entry);
    return 1;
}

} // extern "C"
