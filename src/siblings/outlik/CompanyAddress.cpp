#include "siblings/outlik/CompanyAddress.h"

#include "platform/DayNumber.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Gateway.h"


namespace outlik {

void USTAL_ADRES_FIRMY()
{
    korda::Session& s = korda::session();
    const pravik::DayNumber day = s.DANE_DATA_WYDRUKU > 0 ? s.DANE_DATA_WYDRUKU : pravik::today();
    const QString company = pravik::sql::sqlNumber(s.DANE_ID_FIRMY);
    const QString at = pravik::sql::sqlNumber(day);
    utilka::EXECVAX(QStringLiteral("select nazwa, nip, dbo.tg_AdresFirmy(id_firmy,") + at
                    + QStringLiteral(",'S',1), dbo.tg_AdresFirmy(id_firmy,") + at
                    + QStringLiteral(",'S',2) from FIRMA where id_firmy=") + company);
    if (!utilka::checkSql())
        return;
    const bool found = utilka::NEXT(korda::VAX_FK) == 0;
    s.DANE_NAZWA_FIRMY = found ? korda::VAX_FK.text(1).trimmed() : QString();
    s.DANE_NIP_FIRMY = found ? korda::VAX_FK.text(2).trimmed() : QString();
    s.DANE_ADRES1_FIRMY = found ? korda::VAX_FK.text(3).trimmed().left(51) : QString();
    s.DANE_ADRES2_FIRMY = found ? korda::VAX_FK.text(4).trimmed().left(51) : QString();
    korda::VAX_FK.close();
}

} // namespace outlik
