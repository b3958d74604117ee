#pragma once
#include "framework/FiscalYearLists.h"
#include <optional>
// The journal parameter window without its widgets: the lists of years, periods and partial
// journals, every option with its default and its visibility and enabling rule, the printer
// button, the commands and the dispatch to the journal procedures. The Qt form binds to it;
// the command-line host drives it directly:
//
//   JournalWindowModel w(71);
//   if (!w.open()) return;                       // the company has no fiscal year
//   w.selectYearId(2); w.selectPeriodText("BZ"); w.selectBatchCode("SPRZ");
//   w.setSumDocuments(true);
//   korda::session().outputRequests.pdfPath = "/tmp/dziennik.pdf";   // the host's own target
//   w.run(JournalWindowModel::Command::SavePdf);
//
// Options bound to session globals or to the shared journal variables are written through at
// once (they outlive the window); the choices of year, period and journal, the printer, copies
// and the description are the window's own and reach the globals when a command runs.
// A setter returns false and changes nothing when its control is hidden or disabled.
#include "journals/window/JournalProcedureTable.h"
#include "platform/DayNumber.h"

#include <QList>
#include <QObject>
#include <QString>

namespace pravik::journals {

// The year and period lists are those of every parameter window.
using JournalYear = FiscalYearEntry;
using JournalPeriod = FiscalPeriodEntry;

struct JournalBatch {
    QString code;
    QString name;
    qint32 id = 0; // 0 = the blank row (no journal chosen)
};

class JournalWindowModel : public QObject {
    Q_OBJECT

public:
    enum Kind : qint32 { Postings = 71, Documents = 72, Batches = 73 };
    enum class Command { Print, Preview, SavePdf, SendEmail };
    enum class Control {
        Year, Period, BatchLabel, Batch, SumDocuments, SumOffBalance, Renumber, RenumberFrom,
        Title, Description, PrintDate, CalendarButton, Krs, OutputKind, Printer, PrinterButton, Copies,
    };
    struct ControlState {
        bool visible = true;
        bool enabled = true;
    };
    // DANE_RODZAJ_WYDRUKU
    static constexpr quint8 kGraphic = 0;
    static constexpr quint8 kText = 2;
    static constexpr int kMaxCopies = 255; // what GGG:NUMCOPY holds

    explicit JournalWindowModel(qint32 kind, JournalProcedureTable procedures = JournalProcedureTable::standard(),
                                QObject* parent = nullptr);

    // Sets the title and defaults and fills the lists from the database. False when the company
    // has no fiscal year: the window closes at once, without a message.
    bool open();
    qint32 kind() const { return m_kind; }
    bool isOpen() const { return m_open; }

    // ---- lists ----
    const QList<JournalYear>& years() const { return m_years; }
    int yearIndex() const { return m_yearIndex; }
    const JournalYear* currentYear() const;
    bool selectYear(int index);
    bool selectYearId(qint32 id);

    const QList<JournalPeriod>& periods() const { return m_periods; }
    int periodIndex() const { return m_periodIndex; }
    const JournalPeriod* currentPeriod() const;
    bool selectPeriod(int index);
    bool selectPeriodDate(DayNumber date);
    // By its name as listed, or "BZ".
    bool selectPeriodText(const QString& name);

    // The company keeps partial journals (option 120), for kinds 71 and 72.
    bool partialJournals() const { return m_partial; }
    const QList<JournalBatch>& batches() const { return m_batches; }
    int batchIndex() const { return m_batchIndex; }
    qint32 chosenBatchId() const;
    bool selectBatch(int index);
    bool selectBatchCode(const QString& code);

    // ---- options ----
    bool sumDocuments() const;
    bool setSumDocuments(bool on);
    bool sumOffBalance() const;
    bool setSumOffBalance(bool on);
    bool renumber() const;
    bool setRenumber(bool on);
    qint32 renumberFrom() const;
    bool setRenumberFrom(qint32 first);
    QString title() const;
    bool setTitle(const QString& title);
    QString description() const { return m_description; }
    bool setDescription(const QString& text);
    DayNumber printDate() const;
    bool setPrintDate(DayNumber date);
    bool krs() const;
    bool setKrs(bool on);
    quint8 outputKind() const;
    bool setOutputKind(quint8 kind);
    QString printerName() const { return m_printerName; }
    bool setPrinterName(const QString& name);
    int copies() const { return m_copies; }
    bool setCopies(int copies);
    // The mail road for "Wyślij jako e-mail": by default the mail client of the settings decides
    // (1 = the rich mail with the RTF pages); a host that asks for an attachment kind sets it.
    void setMailClientKind(std::optional<quint8> kind) { m_mailClientKind = kind; }

    ControlState control(Control c) const;

    // The calendar button: a date from KALENDARZ becomes the print date. False when cancelled.
    bool chooseDate();
    // The printer button: the printer dialog for graphic printing, the text-printer picker for
    // text printing. False when nothing was chosen.
    bool choosePrinter();

    // Print, preview, PDF or e-mail: the flags of the command, then the dispatch. False when
    // refused for want of a journal (the user is told) or when the window is not open.
    bool run(Command command);

    // The last dispatch, for hosts that report what ran.
    QString lastProcedure() const { return m_lastProcedure; }
    QString lastFilter() const { return m_lastFilter; }

signals:
    // Anything shown changed: lists, selections, values or control states.
    void changed();

private:
    std::optional<quint8> m_mailClientKind;

    bool loadYears();
    void loadPeriods();
    void loadBatches();
    void evaluateRenumbering();
    DayNumber closedThrough(qint32 yearId, DayNumber period) const;
    void dispatch();
    QStringList descriptionLines(qint32 yearId, const JournalPeriod& period) const;
    quint8 documentOrder(qint32 yearId) const;
    bool refusedForWantOfJournal(Command command) const;
    bool editable(Control c) const;

    qint32 m_kind;
    JournalProcedureTable m_procedures;
    bool m_open = false;
    bool m_approvedOnly = false; // approved-figures setting below 2

    QList<JournalYear> m_years;
    int m_yearIndex = -1;
    QList<JournalPeriod> m_periods;
    int m_periodIndex = -1;
    bool m_partial = false;
    QList<JournalBatch> m_batches;
    int m_batchIndex = -1;
    bool m_renumberOffered = false;

    QString m_description;
    QString m_printerName;
    int m_copies = 1;

    QString m_lastProcedure;
    QString m_lastFilter;
};

} // namespace pravik::journals
