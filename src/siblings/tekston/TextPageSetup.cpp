#include "siblings/tekston/TextPageSetup.h"

#include "platform/sql/Quote.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"

namespace tekston {

QString controlCodeQuery(const QString& printerName, const QString& codeCondition)
{
    return QStringLiteral("select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on "
                          "k.id_drukarki=d.id_drukarki where d.nazwa=")
        + pravik::sql::sqlText(printerName) + QStringLiteral(" AND ") + codeCondition;
}

int codeNumber(const QString& value)
{
    const QString t = value.trimmed();
    qsizetype n = 0;
    while (n < t.size() && n < 9 && t.at(n).isDigit())
        ++n;
    return n == 0 ? 0 : t.left(n).toInt();
}

TextPageSetup readTextPageSetup(const QString& printerName)
{
    auto lookup = [&](const QString& condition) { return utilka::FUNCVAY(controlCodeQuery(printerName, condition)); };

    TextPageSetup setup;
    setup.linesPerPage = codeNumber(lookup(QStringLiteral("k.nazwa_kodu='Ilość linii wydruku'")));
    const QString paper = lookup(QStringLiteral("Upper(k.nazwa_kodu)='PAPIER'")).trimmed().toUpper();
    setup.paper = paper.isEmpty() ? QStringLiteral("KARTKI") : paper;
    setup.topMargin = codeNumber(lookup(QStringLiteral("k.nazwa_kodu='Górny margines (ilość linii odstępu)'")));
    setup.bottomMargin =
        codeNumber(lookup(QStringLiteral("k.nazwa_kodu='Dolny margines (ilość linii odstępu od stopki)'")));
    setup.codePageCode =
        lookup(QStringLiteral("Upper(k.nazwa_kodu) IN ('STRONA KODOWA','KODOWANIE')")).trimmed();
    setup.codePage = codePageByName(setup.codePageCode).value_or(CodePage::Cp1250);
    return setup;
}

bool warnIfTooFewLines(const TextPageSetup& setup)
{
    if (!setup.tooFewLines())
        return false;
    utilka::MSG_OST(QStringLiteral("Ilość linii wydruku na stronie jest za mała."));
    return true;
}

} // namespace tekston
