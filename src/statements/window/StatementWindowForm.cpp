#include "statements/window/StatementWindowForm.h"

#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "statements/window/StatementRowsWindow.h"
#include "statements/window/StatementWindowModel.h"

#include "ui_PARAM_PRN_ZESTAW.h"

#include <QMenu>
#include <QShortcut>

namespace pravik::statements {

namespace {

using Control = StatementWindowModel::Control;
using form::apply;
using form::fill;

QString dateText(DayNumber day)
{
    return day > 0 ? dateFromDay(day).toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

} // namespace

StatementWindowForm::StatementWindowForm(StatementWindowModel& model, QWidget* parent)
    : ReportWindowForm(model, settingsSection(), parent), m_model(model), m_ui(std::make_unique<Ui::StatementWindowForm>())
{
    m_ui->setupUi(this);
    Ui::StatementWindowForm& u = *m_ui;
    allowBlankDates({u.dateFromEdit, u.dateToEdit});
    u.mailFormatCombo->addItems({QStringLiteral("RTF"), QStringLiteral("PDF")});
    u.columnsTable->verticalHeader()->setVisible(false);
    makePreviewDefault();

    m_exportMenu = new QMenu(this);
    m_exportMenu->setObjectName(QStringLiteral("exportMenu"));
    QAction* csv = m_exportMenu->addAction(QStringLiteral("Eksport do pliku (CSV)"));
    csv->setObjectName(QStringLiteral("exportCsvAction"));
    QAction* spd = m_exportMenu->addAction(QStringLiteral("Eksport do systemu SPD (CSV)"));
    spd->setObjectName(QStringLiteral("exportSpdAction"));
    QAction* xml = m_exportMenu->addAction(QStringLiteral("Eksport do systemu BeSTi@ (XML)"));
    xml->setObjectName(QStringLiteral("exportXmlAction"));
    connect(csv, &QAction::triggered, this, guarded([this] { m_model.exportCsv(); }));
    connect(spd, &QAction::triggered, this, guarded([this] { m_model.exportSpd(); }));
    connect(xml, &QAction::triggered, this, guarded([this] { m_model.exportXml(); }));

    auto* bold = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), this);
    bold->setObjectName(QStringLiteral("boldShortcut"));
    connect(bold, &QShortcut::activated, this, [this] { m_model.toggleBold(); });

    if (!m_model.openRows)
        m_model.openRows = [this](qint64 statementId, const QString& title) {
            const korda::Session& s = korda::session();
            const RowsTable table = readRowsTable(s.DANE_ID_FIRMY, s.DANE_ID_UZYTKOWNIKA_NR, statementId);
            if (!table.error.isEmpty()) {
                utilka::MSG_OST(table.error);
                return;
            }
            StatementRowsWindow rows(table, title, this);
            rows.exec();
        };
    // A started printout closes the window; it goes on on its own thread.
    connect(&m_model, &StatementWindowModel::finished, this, &QDialog::accept);

    bindReportControls();
    // This window prints with F9, as its users know it.
    u.printButton->setShortcut(QKeySequence(Qt::Key_F9));
    u.previewButton->setShortcut(QKeySequence());
    connectControls();
    refresh();
}

StatementWindowForm::~StatementWindowForm() = default;

QString StatementWindowForm::helpTopic() const
{
    return StatementWindowModel::helpTopic();
}

void StatementWindowForm::connectControls()
{
    Ui::StatementWindowForm& u = *m_ui;
    StatementWindowModel& m = m_model;
    connect(u.printGroupCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setPrintGroup(on); }));
    connect(u.groupList, &QListWidget::currentRowChanged, this, guarded([&m](int row) { m.selectStatement(row); }));
    connect(u.scopeCombo, &QComboBox::currentIndexChanged, this, guarded([&m](int i) {
                const QList<ScopeEntry> scopes = m.scopes();
                if (i >= 0 && i < scopes.size())
                    m.setScope(scopes[i].value);
            }));
    connectChoice<int>({{u.asOfRadio, StatementWindowModel::kAsOf},
                        {u.rangeRadio, StatementWindowModel::kRange},
                        {u.quartersRadio, StatementWindowModel::kQuarters},
                        {u.monthsRadio, StatementWindowModel::kMonths}},
                       [&m](int t) { m.setPeriodType(t); });
    connect(u.dateFromEdit, &QDateEdit::dateChanged, this, guarded([&m](const QDate& d) { m.setDateFrom(dayFromDate(d)); }));
    connect(u.dateToEdit, &QDateEdit::dateChanged, this, guarded([&m](const QDate& d) { m.setDateTo(dayFromDate(d)); }));
    connect(u.periodYearSpin, &QSpinBox::valueChanged, this, guarded([&m](int y) { m.setPeriodYear(y); }));
    connect(u.periodListCombo, &QComboBox::currentIndexChanged, this, guarded([&m](int i) { m.choosePeriod(i); }));
    connect(u.cumulativeCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setCumulative(on); }));
    connect(u.skipBzCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setSkipBz(on); }));
    connect(u.approvedCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setApprovedOnly(on); }));
    connect(u.computeBoCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setComputeBo(on); }));
    connectChoice<int>({{u.fullRangeRadio, 0}, {u.userRangeRadio, 1}}, [&m](int r) { m.setListRange(r); });
    connect(u.listButton, &QPushButton::clicked, this, guarded([&m] { m.openListWindow(); }));
    connect(u.accountNamesCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setAccountNames(on); }));
    connect(u.periodTextEdit, &QLineEdit::textEdited, this, guarded([&m](const QString& t) { m.setPeriodText(t); }));
    connect(u.krsCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setKrs(on); }));
    using Flag = bool StatementPrintOptions::*;
    connectChecks<Flag>({
        {u.skipZeroCheck, &StatementPrintOptions::skipZeroRows},
        {u.thousandsCheck, &StatementPrintOptions::thousands},
        {u.roundCheck, &StatementPrintOptions::round},
        {u.noDecimalsCheck, &StatementPrintOptions::noDecimals},
        {u.ordinalCheck, &StatementPrintOptions::ordinal},
        {u.wrapCheck, &StatementPrintOptions::wrap},
        {u.reportTotalCheck, &StatementPrintOptions::reportTotal},
        {u.pageTotalsCheck, &StatementPrintOptions::pageTotals},
        {u.broughtForwardCheck, &StatementPrintOptions::broughtForward},
        {u.carriedForwardCheck, &StatementPrintOptions::carriedForward},
    }, [&m](Flag member, bool on) { m.setOption(member, on); });
    connectChoice<TotalsMode>({{u.lowestLevelRadio, TotalsMode::LowestLevel},
                               {u.highestLevelRadio, TotalsMode::HighestLevel},
                               {u.chosenLevelRadio, TotalsMode::ChosenLevel}},
                              [&m](TotalsMode md) { m.setTotalsMode(md); });
    connect(u.totalsLevelSpin, &QSpinBox::valueChanged, this, guarded([&m](int v) { m.setTotalsLevel(v); }));
    connect(u.mailFormatCombo, &QComboBox::currentIndexChanged, this, guarded([&m](int i) { m.setMailFormat(i); }));
    connectVariants(u.variantCombo, u.saveVariantButton, u.deleteVariantButton);
    connect(u.showButton, &QPushButton::clicked, this, guarded([&m] { m.show(); }));
    connect(u.headerDataButton, &QPushButton::clicked, this, guarded([&m] { m.headerData(); }));
    connect(u.exportButton, &QPushButton::clicked, this, [this] {
        m_exportMenu->popup(m_ui->exportButton->mapToGlobal(QPoint(0, m_ui->exportButton->height())));
    });
}

void StatementWindowForm::showControls()
{
    Ui::StatementWindowForm& u = *m_ui;
    const StatementWindowModel& m = m_model;
    const StatementPrintOptions& o = m.options();

    // The fiscal year and period lists of the base have no place here: the columns carry the
    // periods. Text printing is not offered for this printout.
    for (QWidget* w : {static_cast<QWidget*>(u.yearCombo), static_cast<QWidget*>(u.periodCombo),
                       static_cast<QWidget*>(u.graphicRadio), static_cast<QWidget*>(u.textRadio)})
        w->setVisible(false);

    u.printGroupCheck->setText(m.printGroupCaption());
    u.printGroupCheck->setChecked(m.printGroup());
    apply(u.printGroupCheck, m.control(Control::PrintGroup));
    QStringList names;
    for (const GroupStatement& g : m.groupStatements())
        names << g.name;
    bool sameNames = u.groupList->count() == names.size();
    for (int i = 0; sameNames && i < names.size(); ++i)
        sameNames = u.groupList->item(i)->text() == names[i];
    if (!sameNames) {
        u.groupList->clear();
        u.groupList->addItems(names);
    }
    u.groupList->setCurrentRow(m.selectedStatement());
    apply(u.groupList, m.control(Control::GroupList));
    u.listBox->setTitle(m.listFrameCaption());

    QStringList scopeTexts;
    int scope = 0;
    const QList<ScopeEntry> scopes = m.scopes();
    for (int i = 0; i < scopes.size(); ++i) {
        scopeTexts << scopes[i].text;
        if (scopes[i].value == m.scope())
            scope = i;
    }
    fill(u.scopeCombo, scopeTexts, scope);
    apply(u.scopeCombo, m.control(Control::Scope));

    const QList<StatementColumn> columns = m.shownColumns();
    u.columnsTable->setRowCount(int(columns.size()));
    for (int r = 0; r < columns.size(); ++r) {
        const StatementColumn& c = columns[r];
        const QStringList cells = {QString::number(c.number), c.yearName, c.openingBalance ? QStringLiteral("BO") : QString(),
                                   c.openingBalance ? QString() : dateText(c.from), c.openingBalance ? QString() : dateText(c.to)};
        for (int k = 0; k < cells.size(); ++k) {
            QTableWidgetItem* item = u.columnsTable->item(r, k);
            if (!item) {
                item = new QTableWidgetItem;
                u.columnsTable->setItem(r, k, item);
            }
            item->setText(cells[k]);
        }
    }
    u.columnsTable->resizeColumnsToContents();
    apply(u.columnsTable, m.control(Control::Columns));

    const int type = m.periodType();
    u.asOfRadio->setChecked(type == StatementWindowModel::kAsOf);
    u.rangeRadio->setChecked(type == StatementWindowModel::kRange);
    u.quartersRadio->setChecked(type == StatementWindowModel::kQuarters);
    u.monthsRadio->setChecked(type == StatementWindowModel::kMonths);
    for (QRadioButton* r : {u.asOfRadio, u.rangeRadio, u.quartersRadio, u.monthsRadio})
        apply(r, m.control(Control::PeriodType));
    u.dateFromEdit->setDate(shownDate(m.dateFrom()));
    u.dateToEdit->setDate(shownDate(m.dateTo()));
    apply(u.dateFromEdit, m.control(Control::DateFrom));
    apply(u.dateFromLabel, m.control(Control::DateFrom));
    apply(u.dateToEdit, m.control(Control::DateTo));
    u.periodYearSpin->setValue(m.periodYear() > 0 ? m.periodYear() : u.periodYearSpin->minimum());
    apply(u.periodYearSpin, m.control(Control::PeriodYear));
    apply(u.periodYearLabel, m.control(Control::PeriodYear));
    QStringList periods;
    for (const StatementPeriod& p : m.periodList())
        periods << p.name;
    fill(u.periodListCombo, periods, m.periodListIndex());
    apply(u.periodListCombo, m.control(Control::PeriodList));
    u.cumulativeCheck->setChecked(m.cumulative());
    apply(u.cumulativeCheck, m.control(Control::Cumulative));

    showChecks<StatementWindowModel, Control>(m, {
        {u.skipBzCheck, m.skipBz(), Control::SkipBz},
        {u.approvedCheck, m.approvedOnly(), Control::ApprovedOnly},
        {u.computeBoCheck, m.computeBo(), Control::ComputeBo},
        {u.accountNamesCheck, m.accountNames(), Control::AccountNames},
        {u.skipZeroCheck, o.skipZeroRows, Control::SkipZeroRows},
        {u.thousandsCheck, o.thousands, Control::Thousands},
        {u.roundCheck, o.round, Control::Round},
        {u.noDecimalsCheck, o.noDecimals, Control::NoDecimals},
        {u.ordinalCheck, o.ordinal, Control::Ordinal},
        {u.wrapCheck, o.wrap, Control::Wrap},
        {u.krsCheck, m.krs(), Control::Krs},
        {u.reportTotalCheck, o.reportTotal, Control::ReportTotal},
        {u.pageTotalsCheck, o.pageTotals, Control::PageTotals},
        {u.broughtForwardCheck, o.broughtForward, Control::BroughtForward},
        {u.carriedForwardCheck, o.carriedForward, Control::CarriedForward},
    });
    u.fullRangeRadio->setChecked(m.listRange() == 0);
    u.userRangeRadio->setChecked(m.listRange() == 1);
    apply(u.listBox, m.control(Control::ListRange));
    apply(u.listButton, m.control(Control::ListButton));

    if (u.periodTextEdit->text() != o.periodText)
        u.periodTextEdit->setText(o.periodText);
    apply(u.periodTextEdit, m.control(Control::PeriodText));
    apply(u.periodTextLabel, m.control(Control::PeriodText));
    apply(u.titleEdit, m.control(Control::Title));
    apply(u.titleLabel, m.control(Control::Title));
    showPrintDate(m.control(Control::PrintDate), m.control(Control::CalendarButton));

    u.lowestLevelRadio->setChecked(o.totalsMode == TotalsMode::LowestLevel);
    u.highestLevelRadio->setChecked(o.totalsMode == TotalsMode::HighestLevel);
    u.chosenLevelRadio->setChecked(o.totalsMode == TotalsMode::ChosenLevel);
    u.totalsLevelSpin->setMaximum(qMax(1, m.highestLevel()));
    u.totalsLevelSpin->setValue(o.totalsLevel);
    apply(u.totalsLevelSpin, m.control(Control::TotalsLevel));
    u.mailFormatCombo->setCurrentIndex(m.mailFormat());

    showVariants(u.variantCombo);
    apply(u.deleteVariantButton, m.control(Control::DeleteVariant));

    apply(u.headerDataButton, m.control(Control::HeaderData));
    const QList<std::pair<const char*, Control>> actions = {
        {"exportCsvAction", Control::ExportCsv}, {"exportSpdAction", Control::ExportSpd}, {"exportXmlAction", Control::ExportXml}};
    for (const auto& [name, control] : actions)
        if (QAction* a = m_exportMenu->findChild<QAction*>(QString::fromLatin1(name))) {
            a->setVisible(m.control(control).visible);
            a->setEnabled(m.control(control).enabled);
        }
}

} // namespace pravik::statements
