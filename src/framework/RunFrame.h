#pragma once
// The run frame every report runs in: start (display strings, temporary folder, preview or print,
// text-printer start), wait and progress windows, the page furniture, page breaks with carry-over
// totals, cancelling, and the end of a run (preview, printing, the host's files, PDF and mail).
// A report supplies its definition and its rows; it never repeats any of this.
//
//   frame::RunFrame frame(definition, request.output);
//   if (!frame.start()) return;
//   frame.wait(QStringLiteral("Proszę czekać. Trwa przygotowanie danych (serwer)..."));
//   ... prepare the data ...
//   frame.run({next, printRow, count});   // pages, delivery, response
#include "framework/FrameCarryOver.h"
#include "framework/FrameDisplayStrings.h"
#include "framework/OutputTarget.h"
#include "platform/report/ReportWriter.h"
#include "siblings/tekston/TextPageSetup.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace pravik {
class ProgressSink;
}

namespace pravik::frame {

class RunFrame;
using report::FieldValues;
using report::Units;

// How a band takes part in the text of a character printer (ignored on graphic printers).
enum class TextRole {
    None,           // graphic only (rule lines, shading)
    CompanyBlock,   // heading block, counts its 5 lines
    Registration,   // heading scale, not counted
    Title,          // heading block at heading scale, not counted
    Description,    // heading scale, one line
    ColumnHeadings, // heading block and table at the report's scale, counts its 5 lines
    Row,            // table at the report's scale, one line
    Total,          // table at the report's scale, not counted (page foot, closing)
    Plain,          // at the report's scale, not counted (separators, end of report)
};

// The standard bands of the page furniture; a band the layout does not have is left out.
struct FurnitureBands {
    QString companyBlock = QStringLiteral("NAGLOWEK1");
    QString registration = QStringLiteral("NAGLOWEK3");
    QString registrationField = QStringLiteral("NAGLOWEK_PRINT");
    QString title = QStringLiteral("NAGLOWEK2");
    QString description = QStringLiteral("OPIS");
    QString descriptionField = QStringLiteral("OK:OPIS");
    QString columnHeadings = QStringLiteral("NAGLOWEKSTRONY");
};

// The bands and fields of the carry-over at a page break.
struct CarryBands {
    QString pageTotal = QStringLiteral("PODSUMOWANIESTRONY");
    QString broughtForward = QStringLiteral("Z_PRZENIESIENIA");
    QString carry = QStringLiteral("PODSUMOWANIE");
    QString pageEnd = QStringLiteral("KONIECSTRONY");
    QString pageChange = QStringLiteral("ZMIANASTRONY");
    QString rule = QStringLiteral("LINIA");   // empty: no rule lines between the foot bands
    // The amount fields of the three bands, one per column; pageTotalFields and
    // broughtForwardFields when they are named differently from amountFields.
    QStringList amountFields;
    QStringList pageTotalFields;
    QStringList broughtForwardFields;
    // Label fields; empty when the band carries its label as static text.
    QString pageTotalLabelField;
    QString broughtForwardLabelField;
    QString carryLabelField = QStringLiteral("NAZWA_POSUMOWANIA");
    // Journals bring their opening totals forward on the first page too.
    bool broughtForwardOnFirstPage = false;
    // False for a report without page totals: a page break prints a rule and the page end only.
    bool pageTotals = true;
};

struct TextSettings {
    int detailScale = 100;       // rows, column headings, totals
    int headingScale = 100;      // title, registration and description lines
    int companyBlockScale = 100;
    int reserveFirstPage = 5;    // page closes when line counter + reserve reaches the page
    int reserveLaterPages = 7;
    int headingLines = 5;        // lines counted for the company block and the column headings
};

struct ReportDefinition {
    QString procedure;           // "PRN_OBROTY_SQL": the layout's name, the preview placement key
    QString mixedCaseName;       // "Prn_Obroty_SQL", named to the error manager
    QString layoutFile;          // a layout file used instead of the compiled-in one
    QString textTitle;           // the document name of text printing ("Obroty i salda")
    QString userText;            // the progress window's line of the report
    int amountColumns = 0;
    FurnitureBands furniture;
    CarryBands carry;
    TextSettings text;
    // The graphic page check before a row; turnoverPageFull when not given.
    std::function<bool(const RunFrame&)> pageFull;
    // Whether the frame checks the page before every row (a report that checks at several
    // places within a row calls checkPage() itself and turns this off).
    bool checkBeforeEachRow = true;
    // Run when the report is open, before the header prints: the report's layout options.
    std::function<void(RunFrame&)> onOpen;
    // After the column headings, on the first page and after every break (an entries heading).
    std::function<void(RunFrame&)> afterColumnHeadings;
    // The closing block after the last row (not after a cancel).
    std::function<void(RunFrame&)> closing;
};

// The rows of a report, streamed: next() moves to the next row (false at the end), print()
// prints it. total: the number of rows for the percent, -1 when not known.
struct RowFeed {
    std::function<bool()> next;
    std::function<void(RunFrame&)> print;
    qint64 total = -1;
};

constexpr int kResponseCompleted = 1;
constexpr int kResponseCancelled = 2;
constexpr int kRowsPerTick = 25;
constexpr Units kClosingBlockHeight = 1760;

// position + 200 + 10 × page-total height > page body (turnover statements).
bool turnoverPageFull(const RunFrame& frame);
// 8 × page-total height + position + 100 > page body (journals).
bool journalPageFull(const RunFrame& frame);

class RunFrame {
public:
    // output: where the pages go, as the caller's boundary chose it.
    RunFrame(ReportDefinition definition, OutputTarget output);
    ~RunFrame();
    RunFrame(const RunFrame&) = delete;
    RunFrame& operator=(const RunFrame&) = delete;

    // Start of a run. False when the run ends at once (text printing cancelled, no temporary
    // folder); the response is then "cancelled" and already handed to the host.
    bool start();
    // The wait window while data is prepared; each call changes its prompt.
    void wait(const QString& prompt);
    void endWait();
    // Produces the pages from the rows and delivers them; returns the response (1 completed,
    // 2 cancelled or failed), also copied to the session's global response. Temporary files are
    // gone when it returns, whatever happened. A run fails (2, a message, no output) when any SQL
    // statement failed since start(), or when an output or the delivery failed.
    int run(RowFeed feed);
    // Ends a run that stops before producing pages (its data check failed): response 2.
    int abandon();

    // ---- for the report's routines while pages are produced ----
    report::ReportWriter& writer() { return *m_writer; }
    report::Layout& layout();
    const DisplayStrings& strings() const { return m_strings; }
    // A value every band's field of that name shows unless the band's own values name it.
    void setValue(const QString& field, const report::FieldValue& value);
    // Prints a band (and passes it to the text printer by its role).
    void printBand(const QString& band, const FieldValues& values = {}, TextRole role = TextRole::Row);
    bool hasBand(const QString& band) const;
    // The page check: breaks the page with carry-over when the report's rule says so. True when
    // it broke.
    bool checkPage();
    // Closes the page with its foot bands and starts the next with the column headings.
    void breakPage();
    // Before the closing block: a new page (with headings) when `need` does not fit any more.
    void keepTogether(Units need = kClosingBlockHeight);
    // The column headings and the report's own headings after them.
    void printColumnHeadings();
    // The foot bands one by one, for the report's closing block.
    void printPageTotal();
    void printBroughtForward();
    void printCarry(const QString& label, const QList<Decimal>& totals);

    CarryOver& totals() { return m_totals; }
    bool textMode() const { return m_textMode; }
    // The pages go to the preview (or the text viewer) rather than straight to a printer.
    bool previewing() const { return m_preview; }
    bool firstPage() const { return m_firstPage; }
    Units position() const;
    Units bodyHeight() const;
    Units bandHeight(const QString& band) const;
    int lineCounter() const { return m_lineCounter; }
    const tekston::TextPageSetup& textPage() const { return m_textPage; }
    int response() const { return m_response; }
    // True when the run failed (a statement since start(), an output or the delivery).
    bool failed() const { return m_failed; }
    const ReportDefinition& definition() const { return m_def; }

private:
    void openReport();
    void printFurniture();
    bool produce(RowFeed& feed);
    bool tick(RowFeed& feed, ProgressSink& progress);
    bool askCancel();
    void deliver();
    void showOrPrint(const QString& spool);
    bool writeHostOutputs(const QString& spool);
    void printDirect(const QString& spool);
    void route(const QString& spool);
    void finishRun();
    bool sqlFailed() const;
    // Ends the run as failed; message (if any) is shown to the user.
    void fail(const QString& message);
    FieldValues totalsValues(const QStringList& fields, const QList<Decimal>& totals, const QString& labelField,
                             const QString& label) const;
    FieldValues merged(const FieldValues& values) const;
    QString reportTitle() const;

    ReportDefinition m_def;
    OutputTarget m_output;
    DisplayStrings m_strings;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<report::ReportWriter> m_writer;
    FieldValues m_values;
    QStringList m_descriptions;
    CarryOver m_totals;
    tekston::TextPageSetup m_textPage;
    bool m_started = false;
    bool m_finished = false;
    bool m_textMode = false;
    bool m_preview = false;
    int m_textPrint = 0;
    bool m_firstPage = true;
    bool m_waitShown = false;
    bool m_cancelAsked = false;
    bool m_stopped = false;    // the user ended the run (with or without the partial report)
    int m_lineCounter = 0;
    qint64 m_processed = 0;
    qint64 m_total = -1;
    int m_percent = -1;
    int m_response = kResponseCancelled;
    bool m_failed = false;
    quint64 m_sqlFailuresAtStart = 0;
};

} // namespace pravik::frame
