#include "framework/ReportWindowModel.h"

#include "framework/VariantChooser.h"
#include "platform/UiServices.h"
#include "siblings/korda/Session.h"
#include "siblings/tekston/TextReport.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace pravik {

korda::Session& ReportWindowModel::s()
{
    return korda::session();
}

ReportWindowModel::ReportWindowModel(QObject* parent) : QObject(parent)
{
}

ReportWindowModel::~ReportWindowModel() = default;

// ---- opening ----

void ReportWindowModel::openOutput()
{
    korda::Session& ses = s();
    ses.GGG_EMAILPDFSAVEAS = 0;
    m_printerName = ses.DANE_NAZWA_DRUKARKI.trimmed();
    if (m_printerName.isEmpty())
        m_printerName = QPrinterInfo::defaultPrinterName();
    m_copies = qBound(1, int(ses.GGG_NUMCOPY), kMaxCopies);
}

bool ReportWindowModel::loadYears()
{
    m_years = companyFiscalYears(s().DANE_ID_FIRMY);
    m_yearIndex = -1;
    if (m_years.isEmpty())
        return false;
    m_yearIndex = 0;
    for (int i = 0; i < m_years.size(); ++i)
        if (m_years[i].id == s().DANE_LATA_OBROTOWE)
            m_yearIndex = i;
    loadPeriods();
    return true;
}

void ReportWindowModel::loadPeriods()
{
    m_periods = currentYear() ? fiscalYearPeriodList(*currentYear()) : QList<FiscalPeriodEntry>();
    m_periodIndex = m_periods.isEmpty() ? -1 : qMax(0, periodIndexFor(m_periods, s().DANE_DATA_OKRESU));
}

// ---- lists ----

const FiscalYearEntry* ReportWindowModel::currentYear() const
{
    return m_yearIndex >= 0 && m_yearIndex < m_years.size() ? &m_years[m_yearIndex] : nullptr;
}

bool ReportWindowModel::selectYear(int index)
{
    if (!m_open || index < 0 || index >= m_years.size())
        return false;
    if (index != m_yearIndex) {
        const DayNumber before = currentPeriod() ? currentPeriod()->date : 0;
        m_yearIndex = index;
        loadPeriods();
        yearChosen(before);
        periodChosen();
    }
    emit changed();
    return true;
}

bool ReportWindowModel::selectYearId(qint32 id)
{
    for (int i = 0; i < m_years.size(); ++i)
        if (m_years[i].id == id)
            return selectYear(i);
    return false;
}

const FiscalPeriodEntry* ReportWindowModel::currentPeriod() const
{
    return m_periodIndex >= 0 && m_periodIndex < m_periods.size() ? &m_periods[m_periodIndex] : nullptr;
}

bool ReportWindowModel::selectPeriod(int index)
{
    if (!m_open || index < 0 || index >= m_periods.size())
        return false;
    m_periodIndex = index;
    periodChosen();
    emit changed();
    return true;
}

bool ReportWindowModel::selectPeriodDate(DayNumber date)
{
    const int i = periodIndexFor(m_periods, date);
    return i >= 0 && selectPeriod(i);
}

bool ReportWindowModel::selectPeriodText(const QString& name)
{
    const QString wanted = name.simplified();
    for (int i = 0; i < m_periods.size(); ++i)
        if (m_periods[i].name.simplified().compare(wanted, Qt::CaseInsensitive) == 0)
            return selectPeriod(i);
    return false;
}

// ---- title, description, print date, output ----

bool ReportWindowModel::setTitle(const QString& title)
{
    if (!m_open)
        return false;
    storeTitle(title.left(kTextWidth));
    emit changed();
    return true;
}

bool ReportWindowModel::setDescription(const QString& text)
{
    if (!m_open)
        return false;
    storeDescription(text.left(kTextWidth));
    emit changed();
    return true;
}

DayNumber ReportWindowModel::printDate() const
{
    return s().DANE_DATA_WYDRUKU;
}

bool ReportWindowModel::setPrintDate(DayNumber date)
{
    if (!m_open || !printDateAccepted(date))
        return false;
    s().DANE_DATA_WYDRUKU = date;
    emit changed();
    return true;
}

bool ReportWindowModel::chooseDate()
{
    if (!m_open || !calendarOffered())
        return false;
    const auto chosen = ui().askDate(QStringLiteral("Data wydruku"), dateFromDay(printDate()));
    return chosen && chosen->isValid() && setPrintDate(dayFromDate(*chosen));
}

quint8 ReportWindowModel::outputKind() const
{
    return s().DANE_RODZAJ_WYDRUKU;
}

bool ReportWindowModel::setOutputKind(quint8 kind)
{
    if (!m_open || (kind != kGraphic && kind != kText))
        return false;
    s().DANE_RODZAJ_WYDRUKU = kind;
    outputKindChosen();
    emit changed();
    return true;
}

bool ReportWindowModel::setPrinterName(const QString& name)
{
    if (!m_open)
        return false;
    m_printerName = name.left(300);
    emit changed();
    return true;
}

bool ReportWindowModel::setCopies(int copies)
{
    if (!m_open || copies < 1 || copies > kMaxCopies)
        return false;
    m_copies = copies;
    emit changed();
    return true;
}

bool ReportWindowModel::choosePrinter()
{
    if (!m_open)
        return false;
    if (outputKind() == kGraphic) {
        QPrinter printer;
        if (!m_printerName.isEmpty())
            printer.setPrinterName(m_printerName);
        printer.setCopyCount(m_copies);
        if (!ui().choosePrinter(printer, QStringLiteral("Wybierz Drukarkę")))
            return false;
        m_printerName = printer.printerName().left(300);
        m_copies = qBound(1, printer.copyCount(), kMaxCopies);
    } else {
        const QString chosen = tekston::DRUKARKA_TXT();
        if (chosen.isEmpty())
            return false;
        m_printerName = chosen.left(300);
    }
    emit changed();
    return true;
}

void ReportWindowModel::storePrinterChoice() const
{
    s().GGG_NUMCOPY = quint8(m_copies);
    s().DANE_NAZWA_DRUKARKI = m_printerName;
}

// ---- saved variants ----

VariantValues ReportWindowModel::openVariants(const QString& reportKey)
{
    m_variants = std::make_unique<VariantChooser>(s().DANE_ID_UZYTKOWNIKA_NR, reportKey);
    m_variants->refresh();
    const qint32 last = m_variants->startingId();
    return last ? m_variants->choose(last) : VariantValues();
}

void ReportWindowModel::rememberVariant() const
{
    if (m_variants)
        m_variants->rememberCurrent();
}

const QList<VariantEntry>& ReportWindowModel::variants() const
{
    static const QList<VariantEntry> none{VariantEntry{}};
    return m_variants ? m_variants->entries() : none;
}

qint32 ReportWindowModel::currentVariantId() const
{
    return m_variants ? m_variants->currentId() : 0;
}

bool ReportWindowModel::chooseVariant(qint32 id)
{
    if (!m_open || !m_variants)
        return false;
    bool listed = false;
    for (const VariantEntry& e : m_variants->entries())
        listed = listed || e.id == id;
    if (!listed)
        return false;
    applyVariant(m_variants->choose(id));
    emit changed();
    return true;
}

bool ReportWindowModel::chooseVariantName(const QString& name)
{
    if (!m_variants)
        return false;
    for (const VariantEntry& e : m_variants->entries())
        if (e.id != 0 && e.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return chooseVariant(e.id);
    return false;
}

qint32 ReportWindowModel::saveVariant()
{
    if (!m_open || !m_variants)
        return 0;
    const qint32 id = m_variants->saveAs(variantValues());
    emit changed();
    return id;
}

bool ReportWindowModel::deleteVariant()
{
    if (!m_open || currentVariantId() == 0)
        return false;
    const bool removed = m_variants->removeCurrent();
    emit changed();
    return removed;
}

// ---- commands ----

bool ReportWindowModel::run(Command command)
{
    if (!m_open || !currentYear() || !currentPeriod())
        return false;
    if (refused(command))
        return false;
    korda::Session& ses = s();
    korda::OutputRequests& out = ses.outputRequests;
    out.browseRequest = 0;
    switch (command) {
    case Command::Print:
    case Command::Preview:
        ses.DANE_DRUKARKA_EKRAN = command == Command::Preview ? 1 : 0;
        // A PDF run that ended before delivery leaves its flag set; a print must not become a PDF.
        ses.GGG_EMAILPDFSAVEAS = 0;
        out.printRequest = 1;
        out.emailRequest = 0;
        break;
    case Command::SaveToTable:
        ses.DANE_DRUKARKA_EKRAN = 1;
        ses.DANE_RODZAJ_WYDRUKU = kGraphic;
        ses.GGG_EMAILPDFSAVEAS = 0;
        out.printRequest = 1;
        out.emailRequest = 0;
        out.browseRequest = 1;
        break;
    case Command::SavePdf:
    case Command::SendEmail: {
        // A PDF or a mail is made of graphic pages; a text-printer run would end in the text
        // viewer and never reach the mail.
        const MailRoute mail = mailRoute();
        ses.DANE_RODZAJ_WYDRUKU = kGraphic;
        ses.GGG_EMAILPDFSAVEAS = command == Command::SavePdf ? 1 : mail.saveAs;
        out.printRequest = 0;
        out.emailRequest = 1;
        out.mailClientKind = mail.clientKind;
        break;
    }
    }
    m_lastResponse = 0;
    const bool ran = dispatch(command);
    emit changed();
    return ran;
}

} // namespace pravik
