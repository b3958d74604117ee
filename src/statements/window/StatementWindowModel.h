#pragma once
// The statement parameter window "Parametry zestawienia" without its widgets: a report window
// (framework/ReportWindowModel.h) for one user-defined statement, or for its whole group, with
// the period of every amount column, the calculation and print options, the generation through
// ZESTAWIENIE_GENERUJ and the outputs (print, preview, PDF and e-mail on a printout thread of
// their own, the rows in a list window, the CSV export). The Qt form binds to it; tests drive it
// directly:
//
//   StatementWindowModel w(2, "Koszty rodzajowe");
//   if (!w.open()) return;                          // no statement, or no fiscal year
//   w.setPeriodType(StatementWindowModel::kMonths);
//   w.choosePeriod(2);                              // "Marzec "
//   w.run(StatementWindowModel::Command::Preview);  // generation, then the printout thread
//
// A setter returns false and changes nothing when its control is hidden or disabled or the value
// is out of range. A generation that fails is said to the user and stops the action: nothing is
// printed or exported from rows of an earlier run, and the window stays open.
#include "framework/ReportWindowModel.h"
#include "statements/headings/StatementHeadings.h"
#include "statements/print/StatementPrintRequest.h"

#include <functional>

namespace pravik::statements {

// One amount column of a statement, with the period the generation gives it.
struct StatementColumn {
    int number = 0;            // 1..20
    QString yearName;          // rok_obrotowy of the column's fiscal year
    bool openingBalance = false;
    DayNumber from = 0;        // 0: as at the to date
    DayNumber to = 0;
    qint32 yearId = 0;
    qint64 statementId = 0;
};

// A statement of the group list.
struct GroupStatement {
    qint64 id = 0;
    QString name;
    QString formCode;          // ZESTAW_NAG.wariant
    bool hasListRows = false;  // rows of type 'K' or 'B'
    int listRange = 0;         // 0 "Pełny zakres", 1 "Zakres użytkownika"
    bool accountRows = false;  // rows of type 'K'
};

// A quarter or month of the period list.
struct StatementPeriod {
    QString name;
    DayNumber first = 0;
    DayNumber last = 0;
};

struct ScopeEntry {
    QString text;
    int value = 0;             // -1 every statement, 0 the selected one, n its column n
};

// What the budget-form windows are handed: the statement, its group and form, the period.
struct BudgetHandOver {
    qint64 statementId = 0;
    qint64 groupId = 0;
    QString formCode;          // the statement's (a section of a form)
    QString groupCode;         // the group's (the form: "Rb28S")
    DayNumber from = 0;
    DayNumber to = 0;
    int periodType = 0;
    QString periodText;
    QString reportName;
};

// The windows other parts of the desktop host offer to the statement window: the user list
// "Lista pozycji raportu" and the budget-form windows. Set once by the host; every statement
// window opened afterwards starts with them. A hook left empty leaves its button disabled (the
// list button then says that its window needs the desktop).
struct StatementWindowHooks {
    std::function<void(qint64 statementId, DayNumber from, DayNumber to)> openList;
    std::function<void(const BudgetHandOver&)> openHeaderData, openSpdExport, openXmlExport;
};
StatementWindowHooks& statementWindowHooks();

class StatementWindowModel : public ReportWindowModel {
    Q_OBJECT

public:
    enum class Control {
        Scope, PrintGroup, GroupList, Columns, PeriodType, DateFrom, DateTo, PeriodYear, PeriodList, Cumulative,
        SkipBz, ApprovedOnly, ComputeBo, ListRange, ListButton, AccountNames, SkipZeroRows, PeriodText, Title,
        Description, PrintDate, CalendarButton, Thousands, Round, NoDecimals, Ordinal, Wrap, Krs, ReportTotal,
        PageTotals, BroughtForward, CarriedForward, TotalsMode, TotalsLevel, MailFormat, Show, ExportCsv,
        ExportSpd, ExportXml, HeaderData, SaveVariant, DeleteVariant,
    };
    static constexpr int kAsOf = 0, kRange = 1, kQuarters = 2, kMonths = 3;
    static const QString kReportKey; // "RU"

    StatementWindowModel(qint64 statementId, const QString& statementName, QObject* parent = nullptr);
    ~StatementWindowModel() override;

    // Reads the statement, its group and columns and applies the last saved variant. False
    // (after saying why) when the statement does not exist, or the company has no fiscal year.
    bool open() override;
    static QString helpTopic() { return QStringLiteral("Zestawienia definiowane.htm"); }

    // ---- the statement ----
    qint64 statementId() const { return m_statementId; }
    QString statementName() const { return m_statementName; }
    bool budget() const { return m_budget; }          // typ "BA"
    qint64 groupId() const { return m_groupId; }
    QString groupName() const { return m_groupName; }
    QString formCode() const;                         // of the selected statement
    QString printGroupCaption() const;                // "Drukuj grupę raportów " + group
    QString listFrameCaption() const;
    int highestLevel() const { return m_highestLevel; }
    bool previousYearExists() const { return m_previousYear != 0; }

    // ---- group list and columns ----
    const QList<GroupStatement>& groupStatements() const { return m_group; }
    int selectedStatement() const { return m_selected; }
    bool selectStatement(int index);
    const QList<StatementColumn>& columns() const { return m_columns; }
    QList<StatementColumn> shownColumns() const;
    QList<ScopeEntry> scopes() const;
    int scope() const { return m_scope; }
    bool setScope(int value);

    // ---- period ----
    int periodType() const;
    bool setPeriodType(int type);
    DayNumber dateFrom() const { return m_from; }
    DayNumber dateTo() const { return m_to; }
    bool setDateFrom(DayNumber day);
    bool setDateTo(DayNumber day);
    int periodYear() const;
    bool setPeriodYear(int year);
    const QList<StatementPeriod>& periodList() const { return m_periodList; }
    int periodListIndex() const;
    bool choosePeriod(int index);
    bool cumulative() const;
    bool setCumulative(bool on);

    // ---- calculation options ----
    bool skipBz() const { return m_skipBz; }
    bool setSkipBz(bool on);
    bool approvedOnly() const;
    bool setApprovedOnly(bool on);
    bool computeBo() const { return m_computeBo; }
    bool setComputeBo(bool on);
    bool printGroup() const { return options().wholeGroup; }
    bool setPrintGroup(bool on);
    int listRange() const;                            // of the selected statement
    bool setListRange(int range);
    bool accountNames() const;
    bool setAccountNames(bool on);

    // ---- print options (module storage, read by the printout thread) ----
    const StatementPrintOptions& options() const;
    bool setOption(bool StatementPrintOptions::*member, bool on);
    bool setTotalsMode(TotalsMode mode);
    bool setTotalsLevel(int level);
    bool setPeriodText(const QString& text);
    static Control controlOf(bool StatementPrintOptions::*member);
    bool krs() const;
    bool setKrs(bool on);
    int mailFormat() const;
    bool setMailFormat(int format);
    void setMailClient(const QString& name) { m_mailClient = name; }
    // Ctrl+B: bold printing off and on again, said to the user. Returns whether it is now off.
    bool toggleBold();

    QString title() const override;
    QString description() const override;

    ControlState control(Control c) const;

    // ---- generation and the actions of the window's own buttons ----
    // The heading lines the printout gets under the title (statement outside a group).
    QStringList headingLines() const;
    // The list window's title: the statement's name and the common period.
    QString showTitle() const;
    // Rebuilds the automatic lists, writes the column periods and calls ZESTAWIENIE_GENERUJ for
    // the statement (forShow) or, with "Drukuj grupę raportów", every statement of the group.
    // False after telling the user when any step failed.
    bool generate(bool forShow = false);
    // "Pokaż": the statement generated, then the list window (openRows).
    bool show();
    // "Eksport do pliku (CSV)": the rows as the printout shows them, to a file the user names.
    bool exportCsv();
    // "Eksport do systemu SPD (CSV)", "Eksport do systemu BeSTi@ (XML)", "Dane nagłówkowe":
    // generation where the data is needed, then the budget-form window of the hook.
    bool exportSpd();
    bool exportXml();
    bool headerData();
    // "Lista pozycji": the list window of the selected statement over the list date range.
    bool openListWindow();
    // The smallest from and largest to date of the statement's columns, or of its years.
    QPair<DayNumber, DayNumber> listDateRange(qint64 statementId) const;

    // ---- hooks set by whoever shows the window ----
    std::function<void(qint64 statementId, const QString& title)> openRows;
    std::function<void(qint64 statementId, DayNumber from, DayNumber to)> openList;
    std::function<void(const BudgetHandOver&)> openHeaderData, openSpdExport, openXmlExport;
    // Runs the printout away from the window's thread (default: startStatementPrintout).
    std::function<void(std::function<void()>)> startPrintout;

signals:
    // The printout has been started: the window closes.
    void finished();

protected:
    void storeTitle(const QString& title) override;
    void storeDescription(const QString& text) override;
    bool printDateAccepted(DayNumber date) const override { return editable(Control::PrintDate) && date > 0; }
    bool calendarOffered() const override { return editable(Control::CalendarButton); }
    bool refused(Command command) const override;
    MailRoute mailRoute() const override;
    bool dispatch(Command command) override;
    VariantValues variantValues() const override;
    void applyVariant(const VariantValues& values) override;

private:
    bool readStatement();
    bool readColumns(qint64 statementId);
    void applyDates();
    void rebuildPeriodList();
    void applyPeriodChoice();
    void applyRules();
    void applyFormCode();
    void updatePeriodText();
    QList<HeadingColumn> headingColumns() const;
    HeadingPeriod headingPeriod() const;
    bool editable(Control c) const { return ReportWindowModel::editable(control(c)); }
    QList<qint64> statementsToGenerate(bool forShow) const;
    BudgetHandOver handOver() const;
    qint32 columnYear() const;

    qint64 m_statementId;
    QString m_statementName;
    bool m_budget = false;
    qint64 m_groupId = 0;
    QString m_groupName;
    QString m_groupCode;
    int m_highestLevel = 1;
    qint32 m_previousYear = 0;
    bool m_boInFirstFive = false;
    QList<GroupStatement> m_group;
    int m_selected = 0;
    QList<StatementColumn> m_columns;
    int m_scope = 0;
    DayNumber m_from = 0;
    DayNumber m_to = 0;
    DayNumber m_rememberedFrom = 0;
    QList<StatementPeriod> m_periodList;
    bool m_skipBz = false;
    bool m_computeBo = false;
    QString m_mailClient;
    QString m_printYearName; // the year the generation computed, for the printout's header
};

// Forgets what the window keeps between its openings (period type, period, list ranges ...),
// as a new start of the module does.
void resetStatementWindowMemory();

// Starts fn on a thread of its own that begins with the caller's session and print options.
void startStatementPrintout(std::function<void()> fn);
// Waits (the caller's events still served) until every printout started so has ended; false
// when some still runs after timeoutMs.
bool waitForStatementPrintouts(int timeoutMs);

} // namespace pravik::statements
