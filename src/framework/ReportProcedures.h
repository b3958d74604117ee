#pragma once
// Every report procedure the module exports, described once: its name, the command-line
// sub-command that runs it, a help line and its parameters as the host's interface table gives
// them (BYTE, LONG, STRING). From this list come the C exports (ReportExports.cpp), the
// procedure table behind the windows and --procedure (ReportRegistry.h), the sub-commands' help
// and "pravik reports".
//
// Each entry needs a C++ function pravik::NAME taking quint8 for BYTE, qint32 for LONG and
// const QString& for STRING, declared in a header that ReportExports.cpp includes. Adding a
// report is one line here plus that function; docs/report-shape.md has the whole recipe.
//
//   X(NAME, "command", "help line", PARAMETER TYPES...)
#define PRAVIK_REPORT_PROCEDURES(X)                                                                                    \
    X(PARAM_PRN_OBROTY, "turnover", "turnover window: kind (1 entries, 2 reconciliation, else turnovers), synthetic", \
      BYTE, BYTE)                                                                                                      \
    X(PRN_OBROTY_SQL, "turnover", "turnover and balance statement", BYTE, BYTE, BYTE, BYTE, STRING, STRING, BYTE,   \
      BYTE, STRING, BYTE, BYTE, BYTE, BYTE)                                                                            \
    X(PRN_OBROTY_SQL_UZGODNIENIE, "turnover", "reconciliation of balances with settlements", BYTE, BYTE, BYTE, BYTE, \
      STRING, STRING, BYTE, BYTE, STRING, BYTE, BYTE)                                                                  \
    X(PRN_OBROTY_SQL_PROSTY, "turnover", "simple turnover statement", BYTE, BYTE, BYTE, BYTE, STRING, STRING, BYTE,  \
      BYTE, STRING, BYTE, BYTE, BYTE, BYTE)                                                                            \
    X(PRN_RAPORT_KONTO_SQL, "turnover", "statement of entries on accounts", BYTE, BYTE, BYTE, BYTE, STRING, STRING,  \
      BYTE, BYTE, STRING, BYTE, BYTE)                                                                                  \
    X(PRN_OBROTY, "turnover", "older turnover statement: PRN_OBROTY_SQL with the last two parameters 0", BYTE, BYTE, \
      BYTE, BYTE, STRING, STRING, BYTE, BYTE, STRING, BYTE, BYTE)                                                      \
    X(Bro_zestawienie_ois, "turnover", "browse of a computed statement: statement id, mode, filter, title", LONG,    \
      BYTE, BYTE, STRING)                                                                                              \
    X(PARAM_PRN_DZIENNIK, "journal", "journal window: kind 71, 72 or 73", LONG)                                      \
    X(PRN_71_DZIENNIK_P_K, "journal", "journal of postings of one batch", STRING, STRING, STRING, BYTE)              \
    X(PRN_71_DZIENNIK_P_J, "journal", "journal of postings of the whole period", STRING, STRING, STRING, BYTE)       \
    X(PRN_71_DZIENNIK_P_K1, "journal", "compact journal of postings of one batch", STRING, STRING, STRING, BYTE)     \
    X(PRN_71_DZIENNIK_P_TXT, "journal", "journal of postings for text printers", STRING, STRING, STRING, BYTE, BYTE) \
    X(PRN_72_DZIENNIK_S_K, "journal", "journal of documents of one batch", STRING, STRING, STRING, BYTE)             \
    X(PRN_72_DZIENNIK_S_J, "journal", "journal of documents of the whole period", STRING, STRING, STRING, BYTE)      \
    X(PRN_73_DZIENNIK, "journal", "statement of journals by batch", STRING, STRING, STRING)                          \
    X(WYDRUK_KSIEGA, "ledger", "print of the ledger browse: filter, title, control list (kind|marked|sort|...)",     \
      STRING, STRING, STRING)                                                                                          \
    X(PRN_61_KSIEGA_SQL, "ledger", "account sheets (61); with a period date the sheet of one period (68)", BYTE,      \
      BYTE, BYTE, BYTE, STRING, STRING, STRING, LONG)                                                                  \
    X(PRN_64_KSIEGA_SQL, "ledger", "currency account sheets", BYTE, BYTE, BYTE, BYTE, STRING, STRING, STRING)        \
    X(PRN_63_KSIEGA_SQL, "ledger", "account balances; mode 0 base currency, 1 currency cash", BYTE, BYTE, BYTE,      \
      STRING, STRING, STRING, STRING)                                                                                  \
    X(PRN_1_MPK_SQL, "mpk", "cost-centre register", BYTE, BYTE, BYTE, STRING, STRING, STRING)                       \
    X(PRN_2_MPK_SQL, "mpk", "cost-centre statement by indicator", BYTE, BYTE, BYTE, STRING, STRING, STRING)         \
    X(RAPORT_Z_KONTA_DANE, "cash", "fills the account entries queue of the cash reports", STRING, BYTE, BYTE)       \
    X(PRN_RAPORT_KASOWY_SQL, "cash", "cash report (kind 66 or 67) of the account entries queue", LONG, BYTE, BYTE,  \
      BYTE, STRING, STRING)                                                                                            \
    X(PRN_81_RK_SQL, "cash", "budget-unit cash report (kind 81) with budget classifications and cost centres", BYTE, \
      BYTE, BYTE, STRING, STRING)                                                                                      \
    X(PARAM_PRN_ZESTAW, "statement", "statement window: statement id, name (the desktop host's; without it refused)",   \
      LONG, STRING)                                                                                                    \
    X(PRN_ZESTAW_MULTIKOL_NEW, "statement", "multi-column statement: row filter, group id, statement id", STRING,     \
      STRING, STRING)                                                                                                  \
    X(PRN_ZESTAW_2KOL, "statement", "statement with two amount columns: preview, row filter, title, thousands, "     \
      "group id, statement id", BYTE, STRING, STRING, BYTE, LONG, LONG)                                                \
    X(PRN_ZESTAW_MULTIKOL, "statement", "statement with twenty amount columns and Lp: preview, row filter, title, "  \
      "thousands, group id, statement id", BYTE, STRING, STRING, BYTE, LONG, LONG)                                     \
    X(PRN_ZESTAW_MULTIKOL_OLD, "statement", "statement with five amount columns: preview, row filter, title, "       \
      "thousands, group id, statement id", BYTE, STRING, STRING, BYTE, LONG, LONG)                                     \
    X(BT_DANE_FIRMY, "budget-header", "budget form header data: mode (1 opens the window), date, form code", BYTE, LONG, \
      STRING)                                                                                                          \
    X(EXPORT_XML, "statement", "XML export window of a budget form: period text, report name", STRING, STRING)       \
    X(EKSPORT_PSD, "statement", "SPD export window: to date, period type", LONG, LONG)                                \
    X(PRN_ZESTAW_DEF, "statement-def", "definition of a user-defined statement: rows and formulas", LONG, STRING)   \
    X(PRN_DEKLARACJE_DEF, "declarations-def", "declaration definitions of the queue DANE_KOLEJKA_UNIWERS")            \
    X(DEFINIOWANA_LISTA_RU, "", "element lists of a statement's list rows: statement, from, to, automatic", LONG,     \
      LONG, LONG, BYTE)                                                                                                \
    X(SENDOUTLOOK, "", "the page files of the preview queue (PRINTPREVIEWFILEQUEUE) as a rich mail")
