#include "turnover/browse/StatementBrowseWindow.h"

#include "framework/Lifecycle.h"
#include "framework/WindowPlacement.h"
#include "platform/QtUi.h"
#include "platform/UiServices.h"
#include "siblings/korda/Session.h"
#include "turnover/browse/XlsxExport.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace pravik::turnover {

class BrowseTableModel : public QAbstractTableModel {
public:
    BrowseTableModel(QList<BrowseRow> rows, QStringList captions, QObject* parent)
        : QAbstractTableModel(parent), m_rows(std::move(rows)), m_captions(std::move(captions))
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_captions.size()); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_rows.size())
            return {};
        const BrowseRow& r = m_rows[index.row()];
        const int c = index.column();
        if (role == Qt::DisplayRole) {
            if (c == 0)
                return r.account;
            if (c == 1)
                return r.name;
            return browseAmountText(r.amounts[std::size_t(c - 2)]);
        }
        if (role == Qt::TextAlignmentRole && c >= 2)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_captions.size())
            return m_captions[section];
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    const QList<BrowseRow>& rows() const { return m_rows; }
    const QStringList& captions() const { return m_captions; }

private:
    QList<BrowseRow> m_rows;
    QStringList m_captions;
};

StatementBrowseWindow::StatementBrowseWindow(qint32 statementId, int mode, int filter, const QString& title, QWidget* parent)
    : QDialog(parent), m_title(title.left(200))
{
    (void)filter;
    setObjectName(settingsSection());
    setWindowTitle(m_title);
    const BrowseRows read = readBrowseRows(korda::session().DANE_ID_UZYTKOWNIKA_NR, statementId);
    m_model = new BrowseTableModel(read.rows, browseCaptions(mode), this);

    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(m_title, this);
    m_heading->setObjectName(QStringLiteral("heading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setColumnWidth(0, 140);
    m_list->setColumnWidth(1, 260);
    for (int c = 2; c < m_model->columnCount(); ++c)
        m_list->setColumnWidth(c, 110);
    connect(m_list, &QWidget::customContextMenuRequested, this, &StatementBrowseWindow::showContextMenu);

    auto* exportButton = new QPushButton(QStringLiteral("Eksport do Excela"), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportButton->setAutoDefault(false);
    auto* closeButton = new QPushButton(QStringLiteral("Zamknij"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setShortcut(QKeySequence(Qt::Key_Escape));
    closeButton->setAutoDefault(false);
    connect(exportButton, &QPushButton::clicked, this, &StatementBrowseWindow::exportToExcel);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    buttons->addWidget(closeButton);

    layout->addWidget(m_heading);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(1180, 620);
}

StatementBrowseWindow::~StatementBrowseWindow() = default;

const QList<BrowseRow>& StatementBrowseWindow::rows() const
{
    return m_model->rows();
}

QStringList StatementBrowseWindow::captions() const
{
    return m_model->captions();
}

void StatementBrowseWindow::showContextMenu(const QPoint& at)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("Eksport do Excela"), this, &StatementBrowseWindow::exportToExcel);
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

bool StatementBrowseWindow::exportTo(const QString& path)
{
    QString error;
    if (!writeBrowseXlsx(path, m_title, captions(), rows(), &error)) {
        msgWarning(error);
        return false;
    }
    return true;
}

void StatementBrowseWindow::exportToExcel()
{
    const QString folder = korda::session().GGG_CUDOCUMENTS.trimmed().isEmpty() ? QDir::homePath()
                                                                              : korda::session().GGG_CUDOCUMENTS.trimmed();
    const auto path = ui().askSaveFile(QStringLiteral("Eksport do Excela"), QDir(folder).filePath(QStringLiteral("zestawienie.xlsx")),
                                       QStringLiteral("Skoroszyt programu Excel (*.xlsx)"));
    if (!path || path->isEmpty())
        return;
    QString file = *path;
    if (!file.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        file += QStringLiteral(".xlsx");
    if (exportTo(file) && dynamic_cast<QtUi*>(&ui()))
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void StatementBrowseWindow::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        restoreWindowPlacement(*this, settingsSection(), true);
    }
    QDialog::showEvent(event);
}

void StatementBrowseWindow::done(int result)
{
    saveWindowPlacement(*this, settingsSection(), true);
    QDialog::done(result);
}

void Bro_zestawienie_ois(qint32 statementId, quint8 mode, quint8 filter, const QString& title)
{
    enterProcedure(QStringLiteral("Bro_zestawienie_ois"));
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    StatementBrowseWindow window(statementId, mode, filter, title, QApplication::activeWindow());
    window.exec();
}

} // namespace pravik::turnover
