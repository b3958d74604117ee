#pragma once
// The session context: the globals the host sets before it calls a report (company, fiscal year,
// user, dates, printer, print options, paths), the host's company and fiscal-year records, the
// shared queues, and the module's output requests. Reports read these instead of parameters.
//
// Every thread has its own instance, as the old runtime instanced its globals per thread; a
// thread started by the module begins with a copy of its starter's instance (startThread) and
// its changes stay its own. Nothing here takes a lock.
//
// Member names are the host's global names; a colon becomes an underscore ("GGG:NUMCOPY" is
// GGG_NUMCOPY). Texts with a declared width clip on assignment (see FixedText.h).
#include "platform/DayNumber.h"
#include "siblings/korda/FixedText.h"
#include "siblings/korda/Queues.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <thread>
#include <utility>

namespace korda {

using pravik::DayNumber;

// The host's company record (FIRMA).
struct FirmaRecord {
    qint32 id_firmy = 0;
    QString kod_firmy;
    QString nazwa;
    QString nazwa_pelna;
    QString nip;
    QString regon;
    // The company's base currency.
    QString sym_waluty;
};

// The host's fiscal-year record (LATA_OBROTOWE).
struct LataObrotoweRecord {
    qint32 id_lata_obrot = 0;
    qint32 id_firmy = 0;
    String<51> rok_obrotowy;
    DayNumber poczatek_roku = 0;
    DayNumber koniec_roku = 0;
    // The last period closed, as a period date.
    DayNumber zamkniety_okres = 0;
    // 2 = the year is closed.
    quint8 status = 0;
    // 1 = the opening balance is approved.
    quint8 zamkniete_bo = 0;
};

// Set by a parameter window just before it calls a report, read by the report at its end.
struct OutputRequests {
    // 1 = Print, Preview or an on-screen button; 0 = e-mail or a PDF file.
    quint8 printRequest = 1;
    // 1 = send the produced pages by e-mail.
    quint8 emailRequest = 0;
    // 1 = the registered mail client is "Microsoft Outlook".
    quint8 mailClientKind = 0;
    // 1 = the statement is produced for the on-screen browse and spreadsheet export.
    quint8 browseRequest = 0;

    // Set by a host that runs without a screen (or wants a file rather than the preview): where
    // the finished report goes. Empty = not asked. PNG pages are named after the report.
    QString pdfPath;
    QString pngFolder;
    QString textFile;     // a text-printer report, in the printer's code page
    QString printerName;  // a graphic printer (CUPS queue) to print on without asking
};

struct Session {
    // ---- company, year, user, dates ----
    qint32 DANE_ID_FIRMY = 0;
    qint32 DANE_ID_UZYTKOWNIKA_NR = 0;
    QString DANE_ID_UZYT;
    qint32 DANE_LATA_OBROTOWE = 0;
    QString DANE_LATA_OBROT_NAZWA;
    DayNumber DANE_POCZATEK_ROKU = 0;
    DayNumber DANE_KONIEC_ROKU = 0;
    DayNumber DANE_DATA_OKRESU = 0;
    DayNumber DANE_DATA_BIEZACA = 0;
    DayNumber DANE_DATA_WYDRUKU = 0;

    // ---- page header ----
    QString DANE_NAZWA_FIRMY;
    QString DANE_ADRES1_FIRMY;
    QString DANE_ADRES2_FIRMY;
    QString DANE_NIP_FIRMY;
    QString DANE_NAGLOWEK_STRONY;
    QString DANE_NAGLOWEK_WYDRUKU;
    // Description lines printed under the title; a report empties the queue it printed.
    TextQueue<150> DANE_OPIS_PRN;

    // ---- output ----
    quint8 DANE_DRUKARKA_EKRAN = 0;
    quint8 DANE_RODZAJ_WYDRUKU = 0;
    CString<301> DANE_NAZWA_DRUKARKI;
    quint8 DANE_WYLACZ_SZAROSC = 0;
    quint8 GGG_NUMCOPY = 1;
    quint8 GGG_PRN_KRS = 0;
    QString GGG_PRN_NAGLOWEK_2;
    quint8 GGG_EMAILPDF = 0;
    quint8 GGG_EMAILPDFSAVEAS = 0;
    quint8 GGG_PRN_EXPORT_XML = 0;
    quint8 GGG_PARAMETR_UZ_GRAFIKA = 1;
    quint8 GGG_SERWIS_UKRYJ_OPISY_WYDRUKU = 0;

    // ---- installation and pickers ----
    String<1> DANE_SEPARATOR_MPK;
    String<3> DANE_AKTYWNA_WALUTA = QStringLiteral("PLN");
    CString<61> DANE_NUMER_KONTA;
    quint8 DANE_STATUS_WYBORU = 0;
    String<4> DANE_WERSJA_SERWERA;
    quint8 DANE_CZY_WERSJA_MPK = 0;
    quint8 DANE_CZY_WERSJA_BUDZET = 0;
    qint32 GGG_WERSJA_DLA_KRAB_PRIORYTET = 0;

    // ---- marked records and ledger-print options ----
    quint8 DANE_CZY_ZAZNACZONE = 0;
    QList<MarkedRecord> DANE_ZAZNACZ_REK;
    quint8 DANE_DRUKUJ_PODSUMOWANIE = 0;
    quint8 DANE_DRUKUJ_TYLKO_PODSUMOWANIE = 0;
    quint8 DANE_DRUKUJ_ZAPISY_MPK = 0;
    quint8 DANE_PRN_BT_DRUKUJ = 0;

    // ---- host work queues ----
    QList<DeclarationEntry> DANE_KOLEJKA_UNIWERS;
    // Account numbers.
    TextQueue<100> DANE_KOLEJKA_VAX;

    // ---- paths ----
    QString GGG_PROGRAMPATH;
    QString GGG_HELP_PLIK;
    QString GLO_LOCALPATH;
    CString<261> GLO_CUTEMP;
    QString GLO_EMAILADRESS;
    QString GGG_CUDOCUMENTS;
    // The module's own settings file (used when the host passes no settings manager).
    QString GGG_SCIEZKA_SET;

    // ---- statements, budget and export ----
    // From and to date of the budget statements.
    std::array<DayNumber, 2> GGG_BAZAKRES_DAT{};
    qint32 GGG_BAZAKRES_IDROKU = 0;
    QString GGG_BT_SEPARATOR;
    // SPD export settings: fields 1 to 10 stored per company, 11 the business date (text).
    std::array<FixedText<100>, 11> GGG_SPEC_EKSPORT{};
    QList<ExportRow> GGG_XML_Q;
    String<3> GGG_PRN_AKTYWNA_WALUTA;

    // ---- host records ----
    FirmaRecord FIRMA;
    LataObrotoweRecord LATA_OBROTOWE;

    // ---- module-level state shared between a window and the report it calls ----
    OutputRequests outputRequests;
    // The host's global request and response: a report sets the response to 1 (completed) or
    // 2 (cancelled) on its way out.
    qint32 globalRequest = 0;
    qint32 globalResponse = 0;
};

// The calling thread's session.
Session& session();

// Frees what a thread holds in the data library and the database: its open result sets and its
// connection. A thread started by startThread does this when fn returns.
void releaseThread();

// Runs fn on a new thread that starts with a copy of the calling thread's session.
template <typename Fn>
std::thread startThread(Fn fn)
{
    return std::thread([copy = session(), fn = std::move(fn)]() mutable {
        session() = std::move(copy);
        fn();
        releaseThread();
    });
}

// Wraps fn so that, wherever it runs (QThread::create, a pool), it first takes a copy of the
// session of the thread that wrapped it.
template <typename Fn>
auto carrySession(Fn fn)
{
    return [copy = session(), fn = std::move(fn)]() mutable {
        session() = copy;
        return fn();
    };
}

// ---- the scalar globals by the host's names ("DANE_ID_FIRMY", "GGG:NUMCOPY") ----
// Names are matched without regard to case, and "GGG_NUMCOPY" stands for "GGG:NUMCOPY".
// The elements of the arrays are "GGG:SPEC_EKSPORT_1" ... "_11" and "GGG:BAZAKRES_DAT_1"/"_2".
//
// Values are text: numbers in decimal; dates as a day number, "dd-mm-yyyy" or "yyyy-mm-dd"
// (an empty text is "no date", 0). A BYTE takes 0 to 255.
// Returns false (and changes nothing) for an unknown name or a value the global cannot hold.
bool setGlobal(QStringView name, const QString& value, Session& s = session());
// The value as text (a date as its day number); empty for an unknown name (see isGlobal).
QString global(QStringView name, const Session& s = session());
bool isGlobal(QStringView name);
// Every name setGlobal accepts, in the host's spelling.
QStringList globalNames();

// The shared queues by name, for hosts that fill them through a plain interface:
// "DANE_OPIS_PRN" (a description line), "DANE_ZAZNACZ_REK" (a marked record's value),
// "DANE_KOLEJKA_VAX" (an account number). False for any other name.
bool addToQueue(QStringView queue, const QString& value, Session& s = session());
// Those three and "DANE_KOLEJKA_UNIWERS", "GGG:XML_Q". False for any other name.
bool clearQueue(QStringView queue, Session& s = session());

} // namespace korda
