#pragma once
// The journal parameter window without its widgets, a report window (framework/ReportWindowModel.h)
// with the list of partial journals, the journal options with their defaults and their
// visibility and enabling rules, and the dispatch to the journal procedures. The Qt form binds
// to it; the command-line host drives it directly:
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
#include "framework/ReportWindowModel.h"
#include "journals/window/JournalProcedureTable.h"

#include <optional>

namespace pravik::journals {

struct JournalBatch {
    QString code;
    QString name;
    qint32 id = 0; // 0 = the blank row (no journal chosen)
};

class JournalWindowModel : public ReportWindowModel {
    Q_OBJECT

public:
    enum Kind : qint32 { Postings = 71, Documents = 72, Batches = 73 };
    enum class Control {
        Year, Period, BatchLabel, Batch, SumDocuments, SumOffBalance, Renumber, RenumberFrom,
        Title, Description, PrintDate, CalendarButton, Krs, OutputKind, Printer, PrinterButton, Copies,
    };

    explicit JournalWindowModel(qint32 kind, JournalProcedureTable procedures = JournalProcedureTable::standard(),
                                QObject* parent = nullptr);

    // Sets the title and defaults and fills the lists from the database. False when the company
    // has no fiscal year: the window closes at once, without a message.
    bool open() override;
    qint32 kind() const { return m_kind; }

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
    QString title() const override;
    QString description() const override { return m_description; }
    bool krs() const;
    bool setKrs(bool on);
    // The mail road for "Wyślij jako e-mail": by default the mail client of the settings decides
    // (1 = the rich mail with the RTF pages); a host that asks for an attachment kind sets it.
    void setMailClientKind(std::optional<quint8> kind) { m_mailClientKind = kind; }

    ControlState control(Control c) const;

    // The last dispatch's filter, for hosts that report what ran.
    QString lastFilter() const { return m_lastFilter; }

protected:
    void storeTitle(const QString& title) override;
    void storeDescription(const QString& text) override { m_description = text; }
    bool printDateAccepted(DayNumber date) const override;
    bool calendarOffered() const override { return editable(Control::CalendarButton); }
    void yearChosen(DayNumber previousPeriod) override;
    void periodChosen() override { evaluateRenumbering(); }
    // Refused for want of a journal (the user is told).
    bool refused(Command command) const override;
    MailRoute mailRoute() const override;
    bool dispatch(Command command) override;

private:
    std::optional<quint8> m_mailClientKind;

    void loadBatches();
    void evaluateRenumbering();
    DayNumber closedThrough(qint32 yearId, DayNumber period) const;
    QStringList descriptionLines(qint32 yearId, const FiscalPeriodEntry& period) const;
    quint8 documentOrder(qint32 yearId) const;
    bool editable(Control c) const { return ReportWindowModel::editable(control(c)); }

    qint32 m_kind;
    JournalProcedureTable m_procedures;
    // The journal variables, from the module's last run on; kept back after every change.
    JournalOptions m_variables;
    void keepVariables();
    bool m_approvedOnly = false; // approved-figures setting below 2

    bool m_partial = false;
    QList<JournalBatch> m_batches;
    int m_batchIndex = -1;
    bool m_renumberOffered = false;

    QString m_description;
    QString m_lastFilter;
};

} // namespace pravik::journals
