#pragma once
// The turnover parameter window without its widgets: the year, period and currency lists, the
// 48 options of a saved variant and the window's own choices ("Na dzień", the date range, group
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
#include "framework/FiscalYearLists.h"
#include "framework/VariantChooser.h"
#include "platform/DayNumber.h"
#include "turnover/TurnoverOptions.h"
#include "turnover/window/TurnoverProcedureTable.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace pravik::turnover {

using TurnoverYear = FiscalYearEntry;
using TurnoverPeriod = FiscalPeriodEntry;

struct TurnoverCurrency {
    QString code;
    QString name;
};

class TurnoverWindowModel : public QObject {
    Q_OBJECT

public:
    enum class Command { Print, Preview, SaveToTable, SavePdf, SendEmail };
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
    struct ControlState {
        bool visible = true;
        bool enabled = true;
    };
    enum class RangeEnd { From, To };

    static constexpr quint8 kGraphic = 0; // DANE_RODZAJ_WYDRUKU
    static constexpr quint8 kText = 2;
    static constexpr int kMaxCopies = 255;
    static constexpr int kTextWidth = 150; // title and description

    // kind 1 statement of entries, 2 reconciliation with settlements, anything else the turnover
    // and balance statement (synthetic 1: of synthetic accounts). Kinds 1 and 2 are never
    // synthetic.
    TurnoverWindowModel(int kind, int synthetic, TurnoverProcedureTable procedures = TurnoverProcedureTable::standard(),
                        QObject* parent = nullptr);
    ~TurnoverWindowModel() override;

    // Lists, defaults and the last saved variant of the report key. False when the company has
    // no fiscal year: the window closes at once.
    bool open();
    bool isOpen() const { return m_open; }
    int kind() const { return m_kind; }
    bool synthetic() const { return m_synthetic; }
    // "Zestawienie obrotów i sald kont analitycznych" ...
    QString defaultTitle() const;
    // "OBR_ZAP", "OBR_UZG", "OBR_S", "OBR_A".
    QString reportKey() const;
    // The procedure the current choices call.
    QString procedure() const;
    static QString helpTopic() { return QStringLiteral("08_13_zestawienie_sald_i_obrotow.htm"); }

    // ---- lists ----
    const QList<TurnoverYear>& years() const { return m_years; }
    int yearIndex() const { return m_yearIndex; }
    const TurnoverYear* currentYear() const;
    bool selectYear(int index);
    bool selectYearId(qint32 id);
    const QList<TurnoverPeriod>& periods() const { return m_periods; }
    int periodIndex() const { return m_periodIndex; }
    const TurnoverPeriod* currentPeriod() const;
    bool selectPeriod(int index);
    bool selectPeriodDate(DayNumber date);
    bool selectPeriodText(const QString& name); // a month name as listed, or "BZ"
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
    bool setTitle(const QString& title);
    bool setDescription(const QString& text);
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

    // The calendar button of the print date, and of "Na dzień". False when cancelled.
    bool chooseDate();
    bool choosePrinter();

    // ---- saved variants ----
    const QList<VariantEntry>& variants() const;
    qint32 currentVariantId() const;
    // Loads a listed variant (0: none, the options stay). Problems with stored values are shown.
    bool chooseVariant(qint32 id);
    bool chooseVariantName(const QString& name);
    qint32 saveVariant();
    bool deleteVariant();

    // ---- commands ----
    // Sets the output requests of the button and dispatches. False when refused (the user was
    // told) or when the window is not open.
    bool run(Command command);

    // The last dispatch, for hosts that report what ran, and the rows it left for the browse.
    QString lastProcedure() const { return m_lastProcedure; }
    // "Zestawienie obrotów i sald (" month " " year ")": the browse's title.
    QString browseTitle() const;
    // The browse window is opened by whoever shows the window (the form); a host without a
    // screen reads the rows itself. Called after a "Zapisz do tabeli" run with its column mode
    // and filter flag.
    std::function<void(int mode, int filter, const QString& title)> openBrowse;

    // What the dispatch would put under the title now.
    QStringList descriptionLines() const;

signals:
    void changed();

private:
    bool loadYears();
    void loadPeriods();
    void loadCurrencies();
    void evaluatePeriod();
    void applyDefaults();
    void applyRules();
    void applyVariantValuesShown(const VariantValues& values);
    bool editable(Control c) const;
    bool dispatch(Command command);
    bool analyticStatement() const { return m_kind != 1 && m_kind != 2 && !m_synthetic; }
    bool turnoverStatement() const { return m_kind != 1 && m_kind != 2; }
    bool approvedForced() const;
    bool simpleVariant() const { return m_options.variant == 3; }
    TurnoverParameters parameters() const;
    QString chooseAccount();

    int m_kind;
    bool m_synthetic;
    TurnoverProcedureTable m_procedures;
    bool m_open = false;

    QList<TurnoverYear> m_years;
    int m_yearIndex = -1;
    QList<TurnoverPeriod> m_periods;
    int m_periodIndex = -1;
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
    QString m_printerName;
    int m_copies = 1;
    QString m_mailClient;

    std::unique_ptr<VariantChooser> m_variants;
    QString m_lastProcedure;
};

} // namespace pravik::turnover
