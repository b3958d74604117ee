#include "turnover/window/TurnoverWindowForm.h"

#include "turnover/browse/StatementBrowseWindow.h"
#include "turnover/window/TurnoverWindowModel.h"

#include "ui_PARAM_PRN_OBROTY.h"

#include <QShortcut>

namespace pravik::turnover {

namespace {

using Control = TurnoverWindowModel::Control;
using form::apply;
using form::fill;

} // namespace

QColor TurnoverWindowForm::completeSwitchColor()
{
    return QColor(128, 0, 128);
}

TurnoverWindowForm::TurnoverWindowForm(TurnoverWindowModel& model, QWidget* parent)
    : ReportWindowForm(model, settingsSection(), parent), m_model(model), m_ui(std::make_unique<Ui::TurnoverWindowForm>())
{
    m_ui->setupUi(this);
    Ui::TurnoverWindowForm& u = *m_ui;
    allowBlankDates({u.asOfDateEdit, u.dateFromEdit, u.dateToEdit});
    u.mailFormatCombo->addItems({QStringLiteral("RTF"), QStringLiteral("PDF")});
    u.tableButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    u.noFilterButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    makePreviewDefault();

    auto* complete = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this);
    complete->setObjectName(QStringLiteral("completeSwitchShortcut"));
    connect(complete, &QShortcut::activated, this, [this] { m_model.toggleCardIndexComplete(); });

    if (!m_model.openBrowse)
        m_model.openBrowse = [this](int mode, int filter, const QString& title) {
            StatementBrowseWindow browse(0, mode, filter, title, this);
            browse.exec();
        };

    bindReportControls();
    connectControls();
    refresh();
}

TurnoverWindowForm::~TurnoverWindowForm() = default;

QString TurnoverWindowForm::helpTopic() const
{
    return TurnoverWindowModel::helpTopic();
}

void TurnoverWindowForm::openHelp()
{
    if (m_model.control(Control::Help).visible)
        ReportWindowForm::openHelp();
}

void TurnoverWindowForm::connectControls()
{
    Ui::TurnoverWindowForm& u = *m_ui;
    TurnoverWindowModel& m = m_model;
    connect(u.currencyCombo, &QComboBox::currentIndexChanged, this, guarded([&m](int i) {
                if (i >= 0 && i < m.currencies().size())
                    m.setCurrency(m.currencies()[i].code);
            }));

    using Flag = bool TurnoverOptions::*;
    connectChecks<Flag>({
        {u.cardIndexCheck, &TurnoverOptions::cardIndexAccounts},
        {u.approvedCheck, &TurnoverOptions::approvedOnly},
        {u.cumulativeCheck, &TurnoverOptions::cumulativeWithOpening},
        {u.nonZeroTurnoversCheck, &TurnoverOptions::nonZeroTurnoversOnly},
        {u.nonZeroLeavesCheck, &TurnoverOptions::nonZeroBalanceLeaves},
        {u.nonZeroSyntheticCheck, &TurnoverOptions::nonZeroBalanceSynthetic},
        {u.lastLevelCheck, &TurnoverOptions::lastLevelOnly},
        {u.netBalancesCheck, &TurnoverOptions::netBalances},
        {u.accountPerPageCheck, &TurnoverOptions::accountPerPage},
        {u.mpkEntriesCheck, &TurnoverOptions::mpkEntries},
        {u.budgetCheck, &TurnoverOptions::budgetClassification},
        {u.groupMpkCheck, &TurnoverOptions::groupMpk},
        {u.entriesCheck, &TurnoverOptions::entries},
        {u.contraCheck, &TurnoverOptions::contraAccount},
        {u.krsCheck, &TurnoverOptions::printKrs},
        {u.thousandsCheck, &TurnoverOptions::thousands},
        {u.wrapCheck, &TurnoverOptions::wrapLines},
        {u.hideZerosCheck, &TurnoverOptions::hideZeros},
        {u.balanceSheetCheck, &TurnoverOptions::balanceSheet},
        {u.profitLossCheck, &TurnoverOptions::profitAndLoss},
        {u.offBalanceCheck, &TurnoverOptions::offBalance},
        {u.settlementCheck, &TurnoverOptions::settlement},
        {u.currencyAccountsCheck, &TurnoverOptions::currencyAccounts},
        {u.twoBalanceCheck, &TurnoverOptions::twoBalance},
        {u.mpkCheck, &TurnoverOptions::mpk},
        {u.dateRangeCheck, &TurnoverOptions::dateRange},
        {u.fontAmountsCheck, &TurnoverOptions::fontForAmountsOnly},
        {u.boldCheck, &TurnoverOptions::boldAggregates},
    }, [&m](Flag member, bool on) { m.setFlag(member, on); });
    connect(u.asOfCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setAsOf(on); }));
    connect(u.groupTotalsCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setGroupTotals(on); }));
    connect(u.onlyMismatchedCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setOnlyMismatched(on); }));
    const QList<QCheckBox*> groups = {u.group0Check, u.group1Check, u.group2Check, u.group3Check, u.group4Check,
                                      u.group5Check, u.group6Check, u.group7Check, u.group8Check, u.group9Check};
    for (int g = 0; g < groups.size(); ++g)
        connect(groups[g], &QCheckBox::toggled, this, guarded([&m, g](bool on) { m.setGroup(g, on); }));

    connectChoice<int>({{u.variantSimpleRadio, 3}, {u.variantPeriodRadio, 1}, {u.variantNetRadio, 2}},
                       [&m](int v) { m.setVariant(v); });
    connectChoice<int>({{u.entriesMonthRadio, 0}, {u.entriesAllRadio, 1}}, [&m](int r) { m.setEntriesRange(r); });
    connectChoice<int>({{u.dateKindPostingRadio, 0}, {u.dateKindDocumentRadio, 1}}, [&m](int k) { m.setDateKind(k); });
    connect(u.asOfDateEdit, &QDateEdit::dateChanged, this, guarded([&m](const QDate& d) { m.setAsOfDate(dayFromDate(d)); }));
    connect(u.dateFromEdit, &QDateEdit::dateChanged, this,
            guarded([&m](const QDate& d) { m.setDateRange(dayFromDate(d), m.dateTo()); }));
    connect(u.dateToEdit, &QDateEdit::dateChanged, this,
            guarded([&m](const QDate& d) { m.setDateRange(m.dateFrom(), dayFromDate(d)); }));
    connect(u.maskEdit, &QLineEdit::textEdited, this, guarded([&m](const QString& t) { m.setMask(t); }));
    connect(u.rangeFromSpin, &QSpinBox::valueChanged, this, guarded([&m](int v) { m.setRange(v, m.options().rangeTo); }));
    connect(u.rangeToSpin, &QSpinBox::valueChanged, this, guarded([&m](int v) { m.setRange(m.options().rangeFrom, v); }));
    connect(u.rangeFromButton, &QToolButton::clicked, this,
            guarded([&m] { m.pickRangeAccount(TurnoverWindowModel::RangeEnd::From); }));
    connect(u.rangeToButton, &QToolButton::clicked, this,
            guarded([&m] { m.pickRangeAccount(TurnoverWindowModel::RangeEnd::To); }));
    connect(u.maskButton, &QToolButton::clicked, this, guarded([&m] { m.pickMaskAccount(); }));
    connect(u.clearRangeButton, &QPushButton::clicked, this, guarded([&m] { m.clearRange(); }));
    connect(u.noFilterButton, &QPushButton::clicked, this, guarded([&m] { m.clearAccountFilter(); }));
    connect(u.fontSizeSpin, &QSpinBox::valueChanged, this, guarded([&m](int v) { m.setFontSize(v); }));
    connect(u.mailFormatCombo, &QComboBox::currentIndexChanged, this, guarded([&m](int i) { m.setMailFormat(i); }));

    connectVariants(u.variantCombo, u.saveVariantButton, u.deleteVariantButton);

    connect(u.tableButton, &QPushButton::clicked, this, guarded([&m] { m.run(TurnoverWindowModel::Command::SaveToTable); }));
}

void TurnoverWindowForm::showControls()
{
    Ui::TurnoverWindowForm& u = *m_ui;
    const TurnoverWindowModel& m = m_model;
    const TurnoverOptions& o = m.options();

    QStringList texts;
    int currency = -1;
    for (int i = 0; i < m.currencies().size(); ++i) {
        texts << m.currencies()[i].code + QStringLiteral(" - ") + m.currencies()[i].name;
        if (m.currencies()[i].code == o.currency)
            currency = i;
    }
    fill(u.currencyCombo, texts, currency);
    showVariants(u.variantCombo);

    showChecks<TurnoverWindowModel, Control>(m, {
        {u.cardIndexCheck, o.cardIndexAccounts, Control::CardIndexAccounts},
        {u.approvedCheck, o.approvedOnly, Control::ApprovedOnly},
        {u.cumulativeCheck, o.cumulativeWithOpening, Control::CumulativeWithOpening},
        {u.nonZeroTurnoversCheck, o.nonZeroTurnoversOnly, Control::NonZeroTurnovers},
        {u.onlyMismatchedCheck, m.onlyMismatched(), Control::OnlyMismatched},
        {u.nonZeroLeavesCheck, o.nonZeroBalanceLeaves, Control::NonZeroBalanceLeaves},
        {u.nonZeroSyntheticCheck, o.nonZeroBalanceSynthetic, Control::NonZeroBalanceSynthetic},
        {u.lastLevelCheck, o.lastLevelOnly, Control::LastLevelOnly},
        {u.groupTotalsCheck, m.groupTotals(), Control::GroupTotals},
        {u.netBalancesCheck, o.netBalances, Control::NetBalances},
        {u.accountPerPageCheck, o.accountPerPage, Control::AccountPerPage},
        {u.mpkEntriesCheck, o.mpkEntries, Control::MpkEntries},
        {u.budgetCheck, o.budgetClassification, Control::BudgetClassification},
        {u.groupMpkCheck, o.groupMpk, Control::GroupMpk},
        {u.entriesCheck, o.entries, Control::Entries},
        {u.contraCheck, o.contraAccount, Control::ContraAccount},
        {u.krsCheck, o.printKrs, Control::Krs},
        {u.thousandsCheck, o.thousands, Control::Thousands},
        {u.wrapCheck, o.wrapLines, Control::WrapLines},
        {u.hideZerosCheck, o.hideZeros, Control::HideZeros},
        {u.balanceSheetCheck, o.balanceSheet, Control::AccountTypes},
        {u.profitLossCheck, o.profitAndLoss, Control::AccountTypes},
        {u.offBalanceCheck, o.offBalance, Control::AccountTypes},
        {u.settlementCheck, o.settlement, Control::Settlement},
        {u.currencyAccountsCheck, o.currencyAccounts, Control::CurrencyAccounts},
        {u.twoBalanceCheck, o.twoBalance, Control::TwoBalance},
        {u.mpkCheck, o.mpk, Control::Mpk},
        {u.asOfCheck, m.asOf(), Control::AsOf},
        {u.dateRangeCheck, o.dateRange, Control::DateRange},
        {u.fontAmountsCheck, o.fontForAmountsOnly, Control::FontForAmountsOnly},
        {u.boldCheck, o.boldAggregates, Control::BoldAggregates},
    });
    const QList<QCheckBox*> groups = {u.group0Check, u.group1Check, u.group2Check, u.group3Check, u.group4Check,
                                      u.group5Check, u.group6Check, u.group7Check, u.group8Check, u.group9Check};
    for (int g = 0; g < groups.size(); ++g)
        groups[g]->setChecked(o.groups[std::size_t(g)]);
    u.nonZeroLeavesNote->setVisible(m.control(Control::NonZeroBalanceLeaves).visible);
    u.netBalancesNote->setVisible(m.control(Control::NetBalances).visible);
    u.groupMpkCheck->setText(m.groupMpkLabel());
    // The completeness switch shows on the box that decides whether it may be used.
    u.nonZeroTurnoversCheck->setStyleSheet(
        m.cardIndexComplete() ? QStringLiteral("QCheckBox { color: %1; }").arg(completeSwitchColor().name()) : QString());

    u.variantSimpleRadio->setChecked(o.variant == 3);
    u.variantPeriodRadio->setChecked(o.variant == 1);
    u.variantNetRadio->setChecked(o.variant == 2);
    apply(u.variantBox, m.control(Control::Variant));
    u.entriesMonthRadio->setChecked(o.entriesRange == 0);
    u.entriesAllRadio->setChecked(o.entriesRange != 0);
    apply(u.entriesMonthRadio, m.control(Control::EntriesRange));
    apply(u.entriesAllRadio, m.control(Control::EntriesRange));

    u.asOfDateEdit->setDate(shownDate(m.asOfDate()));
    apply(u.asOfDateEdit, m.control(Control::AsOfDate));
    u.dateFromEdit->setDate(shownDate(m.dateFrom()));
    u.dateToEdit->setDate(shownDate(m.dateTo()));
    for (QWidget* w : {static_cast<QWidget*>(u.dateFromEdit), static_cast<QWidget*>(u.dateToEdit),
                       static_cast<QWidget*>(u.dateFromLabel), static_cast<QWidget*>(u.dateToLabel)})
        apply(w, m.control(Control::DateFrom));
    u.dateKindPostingRadio->setChecked(o.dateKind == 0);
    u.dateKindDocumentRadio->setChecked(o.dateKind != 0);
    apply(u.dateKindPostingRadio, m.control(Control::DateKind));
    apply(u.dateKindDocumentRadio, m.control(Control::DateKind));
    apply(u.currencyCombo, m.control(Control::Currency));

    if (u.maskEdit->text() != o.mask)
        u.maskEdit->setText(o.mask);
    showPrintDate(m.control(Control::PrintDate), m.control(Control::CalendarButton));
    u.rangeFromSpin->setValue(o.rangeFrom);
    u.rangeToSpin->setValue(o.rangeTo);

    u.fontSizeSpin->setValue(o.fontSize);
    u.mailFormatCombo->setCurrentIndex(m.mailFormat());

    apply(u.tableButton, m.control(Control::SaveToTable));
    apply(u.deleteVariantButton, m.control(Control::DeleteVariant));
}

} // namespace pravik::turnover
