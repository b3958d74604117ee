#pragma once
// The turnover parameter window without its widgets, a report window (framework/ReportWindowModel.h)
// with the currency list, the 48 options of a saved variant and the window's own choices ("Na dzień", the date range, group
// totals, the printer), each control's visibility and enabling rule, the period's state, the
// card-index completeness switch, the account pickers, the saved variants, the output commands
// and the dispatch to the statement procedures. The Qt form binds to it; the command-line host
// drives it directly:
//
//   TurnoverWindowModel w(3, 0);                 // analytic turnover and balance statement
//   if (!w.open()) return;                       // the company has no fiscal year
//   w.selectPeriodText("BZ");
//   w.setOption(&TurnoverOptions::groups ...) / w.setGroup(2, true);
//   korda::session().outputRequests.pdfPath = "/tmp/obroty.pdf";
//   w.run(TurnoverWindowModel::Command::Preview);
//
// A setter returns false and changes nothing when its control is hidden or disabled, or the
// value is out of range.
#include "framework/ReportWindowModel.h"
#include "turnover/TurnoverOptions.h"
#include "turnover/window/TurnoverProcedureTable.h"

#include <functional>

namespace pravik::turnover {

struct TurnoverCurrency {
    QString code;
    QString name;
};

class TurnoverWindowModel : public ReportWindowModel {
    Q_OBJECT

public:
    enum class Control {
        Year, Period, AsOf, AsOfDate, DateRange, DateFrom, DateTo, DateKind, Currency,
        CardIndexAccounts, ApprovedOnly, CumulativeWithOpening, NonZeroTurnovers, OnlyMismatched,
        NonZeroBalanceLeaves, NonZeroBalanceSynthetic, LastLevelOnly, GroupTotals, NetBalances,
        AccountPerPage, Variant, MpkEntries, BudgetClassification, GroupMpk, Entries, EntriesRange,
        ContraAccount, Title, Description, PrintDate, CalendarButton, Krs, Thousands, WrapLines,
        HideZeros,
        Groups, AccountTypes, Settlement, CurrencyAccounts, TwoBalance, Mpk, Range, RangePickers,
        ClearRange, Mask, MaskPicker, NoFilter,
        OutputKind, Printer, PrinterButton, Copies,
        FontSize, FontForAmountsOnly, BoldAggregates,
        SaveToTable, MailFormat, Help, Variants, SaveVariant, DeleteVariant,
    };
    enum class RangeEnd { From, To };

    // kind 1 statement of entries, 2 reconciliation with settlements, anything else the turnover
    // and balance statement (synthetic 1: of synthetic accounts). Kinds 1 and 2 are never
    // synthetic.
    TurnoverWindowModel(int kind, int synthetic, TurnoverProcedureTable procedures = TurnoverProcedureTable::standard(),
                        QObject* parent = nullptr);
    ~TurnoverWindowModel() override;

    // Lists, defaults and the last saved variant of the report key. False when the company has
    // no fiscal year: the window closes at once.
    bool open() override;
    int kind() const { return m_kind; }
    bool synthetic() const { return m_synthetic; }
    // "Zestawienie obrotów i sald kont analitycznych" ...
    QString defaultTitle() const;
    // "OBR_ZAP", "OBR_UZG", "OBR_S", "OBR_A".
    QString reportKey() const;
    // The procedure the current choices call.
    QString procedure() const;
    static QString helpTopic() { return QStringLiteral("08_13_zestawienie_sald_i_obrotow.htm"); }

    // Open: a month after the year's closed-up-to period, or "BZ" of a year not closed.
    bool periodOpen() const { return m_periodOpen; }
    const QList<TurnoverCurrency>& currencies() const { return m_currencies; }

    // ---- options ----
    const TurnoverOptions& options() const { return m_options; }
    // Each option's setter checks its control; the flags by member.
    bool setFlag(bool TurnoverOptions::*member, bool on);
    bool setVariant(int variant); // 1 "Obroty w okresie", 2 "Persaldo", 3 "Wydruk prosty (BO i obroty)"
    bool setEntriesRange(int range); // 0 "z wybranego miesiąca", 1 "wszystkie"
    bool setCurrency(const QString& code);
    QString title() const override { return m_options.title; }
    QString description() const override { return m_options.description; }
    bool setGroup(int group, bool on);
    bool setRange(int from, int to);
    bool setMask(const QString& mask);
    bool setDateKind(int kind);
    bool setFontSize(int size);
    // The control of a flag option (Control::Groups for none).
    static Control controlOf(bool TurnoverOptions::*member);

    bool asOf() const { return m_asOf; }
    bool setAsOf(bool on);
    DayNumber asOfDate() const { return m_asOfDate; }
    bool setAsOfDate(DayNumber date);
    DayNumber dateFrom() const { return m_dateFrom; }
    DayNumber dateTo() const { return m_dateTo; }
    bool setDateRange(DayNumber from, DayNumber to);
    bool groupTotals() const { return m_groupTotals; }
    bool setGroupTotals(bool on);
    bool onlyMismatched() const { return m_onlyMismatched; }
    bool setOnlyMismatched(bool on);

    // The card-index completeness switch (Ctrl+Shift+S): only while "Drukuj konta o obrotach
    // różnych od zera" is unticked. False when not offered.
    bool cardIndexComplete() const { return m_complete; }
    bool toggleCardIndexComplete();

    // "Wyczyść zakres kont" and "Bez Filtra".
    bool clearRange();
    bool clearAccountFilter();
    // The chart-of-accounts picker for one end of the range: the first three characters of the
    // account chosen become that end. False when nothing was chosen.
    bool pickRangeAccount(RangeEnd end);
    // The picker for the mask: the account chosen becomes the mask.
    bool pickMaskAccount();

    bool krs() const;
    bool setKrs(bool on);
    // "RTF" (0) / "PDF" (1): GGG:EMAILPDF.
    int mailFormat() const;
    bool setMailFormat(int format);
    QString mailClient() const { return m_mailClient; }
    // The mail client the e-mail button answers to (default: the settings' "Software\Clients\Mail");
    // "Microsoft Outlook" sends the rich mail with the RTF pages.
    void setMailClient(const QString& name) { m_mailClient = name; }

    ControlState control(Control c) const;
    // The label of "Grupuj MPK" (extended when budget classifications are kept).
    QString groupMpkLabel() const;

    // "Zestawienie obrotów i sald (" month " " year ")": the browse's title.
    QString browseTitle() const;
    // The browse window is opened by whoever shows the window (the form); a host without a
    // screen reads the rows itself. Called after a "Zapisz do tabeli" run with its column mode
    // and filter flag.
    std::function<void(int mode, int filter, const QString& title)> openBrowse;

    // What the dispatch would put under the title now.
    QStringList descriptionLines() const;

protected:
    void storeTitle(const QString& title) override { m_options.title = title; }
    void storeDescription(const QString& text) override { m_options.description = text; }
    bool printDateAccepted(DayNumber date) const override { return editable(Control::PrintDate) && date > 0; }
    bool calendarOffered() const override { return editable(Control::CalendarButton); }
    void yearChosen(DayNumber previousPeriod) override;
    void periodChosen() override;
    void outputKindChosen() override { applyRules(); }
    bool refused(Command command) const override;
    MailRoute mailRoute() const override;
    bool dispatch(Command command) override;
    VariantValues variantValues() const override { return toVariantValues(m_options); }
    void applyVariant(const VariantValues& values) override;

private:
    void loadCurrencies();
    void evaluatePeriod();
    void applyDefaults();
    void applyRules();
    void applyVariantValuesShown(const VariantValues& values);
    bool editable(Control c) const { return ReportWindowModel::editable(control(c)); }
    bool runStatement(Command command);
    bool analyticStatement() const { return m_kind != 1 && m_kind != 2 && !m_synthetic; }
    bool turnoverStatement() const { return m_kind != 1 && m_kind != 2; }
    bool approvedForced() const;
    bool simpleVariant() const { return m_options.variant == 3; }
    TurnoverParameters parameters() const;
    QString chooseAccount();

    int m_kind;
    bool m_synthetic;
    TurnoverProcedureTable m_procedures;

    bool m_periodOpen = true;
    QList<TurnoverCurrency> m_currencies;

    TurnoverOptions m_options;
    bool m_asOf = false;
    DayNumber m_asOfDate = 0;
    DayNumber m_dateFrom = 0;
    DayNumber m_dateTo = 0;
    bool m_groupTotals = false;
    bool m_onlyMismatched = false;
    bool m_complete = false;
    QString m_mailClient;
};

} // namespace pravik::turnover
