#pragma once
// The budget-report XML writer of xmlbud: one predefined form group, computed beforehand into
// ZESTAW_ZESTAW for the session's user, written as a file that follows
// docs/sprawozdanie-budzetowe.xsd. The file is written whole or not at all.
#include "platform/DayNumber.h"

#include <QString>

namespace xmlbud {

struct XmlResult {
    bool ok = false;
    QString message; // what was written, or why nothing was
};

// text1: a note for the receiving system (empty: none); periodKind "Kwartal" or "Miesiac";
// periodNumber 1-4 or 1-12; correction 0 for a first report. The company and user are the
// session's (DANE_ID_FIRMY, DANE_ID_UZYTKOWNIKA_NR); the unit's header is read from FIRMA,
// ADRESY_FIRMY and its global parameters, classifications are split at GGG:BT_SEPARATOR.
XmlResult EXPORTXMLSPRBUDZET(const QString& text1, qint32 groupId, qint32 periodYear, const QString& periodKind,
                             quint8 periodNumber, pravik::DayNumber printDate, quint8 correction, const QString& filePath);

// The order of a form's sections in the file (and on paper): the section code, except that the
// first sections of some forms are moved to the front by a one-letter prefix.
QString sectionSortKey(const QString& sectionCode);

} // namespace xmlbud
