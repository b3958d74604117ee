#pragma once
// What every report parameter window has, without its widgets: the year and period lists, the
// printer and copies, the title and description, the print date and its calendar, the output
// kind (graphic or text printer), the saved variants, and the output buttons with their
// dispatch. A window of a report derives from it, adds its own options and controls, and
// answers the hooks below; the command line, the Qt forms and the tests drive it through this
// interface. How a window subclasses it: docs/report-shape.md.
#include "framework/FiscalYearLists.h"
#include "framework/VariantChooser.h"
#include "platform/DayNumber.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

namespace korda {
struct Session;
}

namespace pravik {

class ReportWindowModel : public QObject {
    Q_OBJECT

public:
    // The output buttons. A window that keeps no browse table refuses SaveToTable.
    enum class Command { Print, Preview, SaveToTable, SavePdf, SendEmail };
    struct ControlState {
        bool visible = true;
        bool enabled = true;
    };
    static constexpr quint8 kGraphic = 0; // DANE_RODZAJ_WYDRUKU
    static constexpr quint8 kText = 2;
    static constexpr int kMaxCopies = 255; // what GGG:NUMCOPY holds
    static constexpr int kTextWidth = 150; // title and description

    explicit ReportWindowModel(QObject* parent = nullptr);
    ~ReportWindowModel() override;

    // Lists and defaults from the database. False when the company has no fiscal year: the
    // window closes at once, without a message.
    virtual bool open() = 0;
    bool isOpen() const { return m_open; }

    // ---- lists ----
    const QList<FiscalYearEntry>& years() const { return m_years; }
    int yearIndex() const { return m_yearIndex; }
    const FiscalYearEntry* currentYear() const;
    bool selectYear(int index);
    bool selectYearId(qint32 id);
    const QList<FiscalPeriodEntry>& periods() const { return m_periods; }
    int periodIndex() const { return m_periodIndex; }
    const FiscalPeriodEntry* currentPeriod() const;
    bool selectPeriod(int index);
    bool selectPeriodDate(DayNumber date);
    bool selectPeriodText(const QString& name); // a period's name as listed, or "BZ"

    // ---- title, description, print date, output ----
    virtual QString title() const = 0;
    bool setTitle(const QString& title);
    virtual QString description() const = 0;
    bool setDescription(const QString& text);
    DayNumber printDate() const;
    bool setPrintDate(DayNumber date);
    // The calendar button of the print date. False when cancelled.
    virtual bool chooseDate();
    quint8 outputKind() const;
    bool setOutputKind(quint8 kind);
    QString printerName() const { return m_printerName; }
    bool setPrinterName(const QString& name);
    int copies() const { return m_copies; }
    bool setCopies(int copies);
    // The printer button: the printer dialog for graphic printing, the text-printer picker for
    // text printing. False when nothing was chosen.
    bool choosePrinter();

    // ---- saved variants (windows with a report key) ----
    const QList<VariantEntry>& variants() const;
    qint32 currentVariantId() const;
    // Loads a listed variant (0: none, the options stay).
    bool chooseVariant(qint32 id);
    bool chooseVariantName(const QString& name);
    qint32 saveVariant();
    bool deleteVariant();

    // ---- commands ----
    // Sets the output requests of the button and dispatches. False when refused (the user was
    // told) or when the window is not open.
    bool run(Command command);
    // The last dispatch, for hosts that report what ran, and the response the report returned
    // (1 completed, 2 cancelled or failed; 0 when nothing ran).
    QString lastProcedure() const { return m_lastProcedure; }
    int lastResponse() const { return m_lastResponse; }

signals:
    // Anything shown changed: lists, selections, values or control states.
    void changed();

protected:
    // How "Wyślij jako e-mail" leaves the mail: GGG:EMAILPDFSAVEAS and the client kind of the
    // output requests (1 = the rich mail with the RTF pages).
    struct MailRoute {
        quint8 saveAs = 0;
        quint8 clientKind = 0;
    };

    // The session the window reads its defaults from and leaves its choices in.
    static korda::Session& s();

    // ---- hooks ----
    virtual void storeTitle(const QString& title) = 0;
    virtual void storeDescription(const QString& text) = 0;
    virtual bool printDateAccepted(DayNumber date) const = 0;
    virtual bool calendarOffered() const = 0;
    // After the year changed (the periods are loaded; `previousPeriod` was chosen before).
    virtual void yearChosen(DayNumber previousPeriod) { Q_UNUSED(previousPeriod); }
    // After the year or the period changed.
    virtual void periodChosen() {}
    virtual void outputKindChosen() {}
    // True when the window refuses the command now; the user has been told.
    virtual bool refused(Command command) const { return command == Command::SaveToTable; }
    virtual MailRoute mailRoute() const = 0;
    // The procedure call, with the output requests set. False when it could not be called.
    virtual bool dispatch(Command command) = 0;
    // The variant values of the window's options, and applying loaded ones.
    virtual VariantValues variantValues() const { return {}; }
    virtual void applyVariant(const VariantValues& values) { Q_UNUSED(values); }

    // A control the user may change now: the window open, the control shown and enabled.
    bool editable(ControlState st) const { return m_open && st.visible && st.enabled; }

    // ---- for open() ----
    // GGG:EMAILPDFSAVEAS cleared, the session's printer (or the default one) and copies.
    void openOutput();
    // The company's fiscal years with the session's year and period chosen; false when none.
    bool loadYears();
    void loadPeriods();
    // The saved variants of the report key; the values of the last used one (empty for none),
    // for the window to apply once its lists are ready.
    VariantValues openVariants(const QString& reportKey);
    // ---- for dispatch() ----
    // The printer and copies chosen into GGG:NUMCOPY and DANE_NAZWA_DRUKARKI.
    void storePrinterChoice() const;
    // Marks the variant chosen as the last used.
    void rememberVariant() const;

    bool m_open = false;
    QString m_lastProcedure;
    int m_lastResponse = 0;
    QList<FiscalYearEntry> m_years;
    int m_yearIndex = -1;
    QList<FiscalPeriodEntry> m_periods;
    int m_periodIndex = -1;

private:
    QString m_printerName;
    int m_copies = 1;
    std::unique_ptr<VariantChooser> m_variants;
};

} // namespace pravik
