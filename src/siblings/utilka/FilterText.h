#pragma once
// Filter expressions handed over by the host's browses and by the windows, turned into the
// text that follows "where".
//
// Host syntax, on top of plain SQL:
//  - Table prefixes: a name of two or more letters, digits or underscores, starting with a
//    letter, written right before ":" and a field name ("PDD:konto", "NAG:status<>0",
//    "XXX:ID_FIRMY=5"). The browse's record prefix says nothing to the database and goes.
//    Not a prefix: anything inside quoted text ('a:b', "x:y"), "::" (a cast), a run starting
//    with a digit ("12:30"), a colon followed by a digit or a blank.
//  - Embedded SQL: "SQL(" text ")" carries SQL that the host's filter language cannot say
//    ("SQL(KONTO like '2%')", "SQL(KONTO in (select ...))"). It becomes "(" text ")" with the
//    text untouched: no prefix is looked for inside it. "SQL" is matched in any letter case and
//    only as a whole word right before "("; the closing parenthesis is the one that matches,
//    quoted text considered. An embed without its closing parenthesis is left as written, so
//    the database reports the broken filter instead of running a different one.
#include <QString>
#include <QStringList>

namespace utilka {

// The expression without table prefixes and with SQL embeds opened.
QString WYTNIJ_PREFIX(const QString& filter);

// The filter (already without prefixes) with its field references adapted to `view`.
// Filters are written against the postings view POZ_DOK_VIEW_UNION, the columns of the ledger
// browse. Two things change with the view a report reads:
//  - a reference qualified by the name of a view of the postings family or of MPK_VIEW
//    ("POZ_DOK_VIEW_UNION.konto", typically in a correlated subquery) is requalified by `view`;
//  - for MPK_VIEW (cost-centre allocations, one row per side, `kwota` with `strona` "WN"/"MA")
//    the posting columns it names differently are replaced: lp -> nr_poz_dok,
//    opis -> tresc_poz_dok, and kwota_wn, kwota_ma, strona by expressions over kwota and
//    strona that give the posting view's values (strona "0" for the debit side).
// The views POZ_DOK_VIEW_UNION, _EXT, _BT and _BT_EXT share the browse's column names, so
// for them only qualifiers change. Letter case of names does not matter. Unknown views,
// unknown names, quoted texts, names qualified by anything else ("a.opis") and function calls
// are left unchanged. Limitation: a bare column name inside a subquery over another table is
// replaced too, so such subqueries should qualify their columns.
QString STR_REPLACE_PREFIKS_A(const QString& filter, const QString& view);

// The views STR_REPLACE_PREFIKS_A knows, in upper case.
QStringList knownFilterViews();

} // namespace utilka
