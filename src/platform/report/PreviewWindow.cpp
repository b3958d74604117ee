#include "platform/report/PreviewWindow.h"

#include "platform/Settings.h"
#include "platform/UiServices.h"
#include "platform/report/PrinterSink.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace pravik::report {

namespace {

// Page titles made on demand: a list of twenty thousand pages costs nothing until scrolled.
class PageListModel : public QAbstractListModel {
public:
    PageListModel(int pages, QObject* parent) : QAbstractListModel(parent), m_pages(pages) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_pages; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole && index.isValid())
            return QStringLiteral("Strona %1").arg(index.row() + 1);
        return {};
    }

private:
    int m_pages;
};

const double kZooms[] = {0.5, 0.75, 1.0, 1.2, 1.5, 2.0, 3.0};

} // namespace

PreviewWindow::PreviewWindow(const QString& spoolPath, const QString& title, const QString& settingsKey, int copies,
                             QWidget* parent)
    : QDialog(parent), m_settingsKey(settingsKey), m_copies(qMax(1, copies))
{
    setWindowTitle(title.isEmpty() ? QStringLiteral("Podgląd wydruku") : QStringLiteral("Podgląd wydruku - ") + title);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    if (!m_spool.open(spoolPath))
        m_error = m_spool.errorString();
    else
        m_pagePainter = std::make_unique<PagePainter>(m_spool.fonts(), m_spool.pageCount());
    buildUi();
    restorePlacement();
    if (pageCount() > 0)
        showPage(0);
    else
        updateControls();
}

PreviewWindow::~PreviewWindow() = default;

QString PreviewWindow::settingsSection()
{
    return QStringLiteral("Podgląd wydruku");
}

void PreviewWindow::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    const auto button = [&](const QString& text, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        bar->addWidget(b);
        return b;
    };
    m_first = button(QStringLiteral("|<"), QStringLiteral("Pierwsza strona"));
    m_previous = button(QStringLiteral("<"), QStringLiteral("Poprzednia strona"));
    m_pageLabel = new QLabel(this);
    bar->addWidget(m_pageLabel);
    m_next = button(QStringLiteral(">"), QStringLiteral("Następna strona"));
    m_last = button(QStringLiteral(">|"), QStringLiteral("Ostatnia strona"));
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("Powiększenie:"), this));
    m_zoomBox = new QComboBox(this);
    for (double z : kZooms)
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(qRound(z * 100)), z);
    m_zoomBox->setCurrentIndex(m_zoomBox->findData(kDefaultZoom));
    bar->addWidget(m_zoomBox);
    bar->addStretch();
    m_print = button(QStringLiteral("Drukuj..."), QStringLiteral("Drukuj wydruk"));
    auto* close = button(QStringLiteral("Zamknij"), QStringLiteral("Zamknij podgląd"));
    layout->addLayout(bar);

    auto* splitter = new QSplitter(this);
    m_pageList = new QListView(splitter);
    m_pageList->setUniformItemSizes(true);
    m_pageList->setModel(new PageListModel(pageCount(), m_pageList));
    m_pageList->setMaximumWidth(160);
    m_scroll = new QScrollArea(splitter);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_pageView = new QLabel;
    m_pageView->setAlignment(Qt::AlignCenter);
    if (!isValid())
        m_pageView->setText(m_error);
    else if (pageCount() == 0)
        m_pageView->setText(QStringLiteral("Wydruk nie ma stron."));
    m_scroll->setWidget(m_pageView);
    m_scroll->setWidgetResizable(false);
    splitter->addWidget(m_pageList);
    splitter->addWidget(m_scroll);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    connect(m_first, &QToolButton::clicked, this, &PreviewWindow::firstPage);
    connect(m_previous, &QToolButton::clicked, this, &PreviewWindow::previousPage);
    connect(m_next, &QToolButton::clicked, this, &PreviewWindow::nextPage);
    connect(m_last, &QToolButton::clicked, this, &PreviewWindow::lastPage);
    connect(m_print, &QToolButton::clicked, this, &PreviewWindow::print);
    connect(close, &QToolButton::clicked, this, &QDialog::accept);
    connect(m_zoomBox, &QComboBox::activated, this, [this](int i) { setZoom(m_zoomBox->itemData(i).toDouble()); });
    connect(m_pageList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid() && index.row() != m_current)
                    showPage(index.row());
            });
    new QShortcut(QKeySequence(Qt::Key_PageDown), this, this, &PreviewWindow::nextPage);
    new QShortcut(QKeySequence(Qt::Key_PageUp), this, this, &PreviewWindow::previousPage);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home), this, this, &PreviewWindow::firstPage);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_End), this, this, &PreviewWindow::lastPage);
    new QShortcut(QKeySequence::Print, this, this, &PreviewWindow::print);
}

void PreviewWindow::showPage(int index)
{
    if (!isValid() || pageCount() == 0)
        return;
    index = qBound(0, index, pageCount() - 1);
    m_current = index;
    render();
    const QModelIndex row = m_pageList->model()->index(index, 0);
    if (m_pageList->currentIndex() != row)
        m_pageList->setCurrentIndex(row);
    m_scroll->verticalScrollBar()->setValue(0);
    updateControls();
}

void PreviewWindow::firstPage() { showPage(0); }
void PreviewWindow::previousPage() { showPage(m_current - 1); }
void PreviewWindow::nextPage() { showPage(m_current + 1); }
void PreviewWindow::lastPage() { showPage(pageCount() - 1); }

void PreviewWindow::setZoom(double zoom)
{
    m_zoom = qBound(0.1, zoom, 5.0);
    const int item = m_zoomBox->findData(m_zoom);
    if (item >= 0)
        m_zoomBox->setCurrentIndex(item);
    if (m_current >= 0)
        render();
}

void PreviewWindow::render()
{
    PageRecord page;
    if (!m_spool.readPage(m_current, page)) {
        m_image = QImage();
        m_pageView->setText(m_spool.errorString());
        m_pageView->adjustSize();
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const qreal pixelsPerUnit = logicalDpiX() / 1000.0 * m_zoom * ratio;
    const QSize units = m_spool.pageSetup().size();
    QImage image(qRound(units.width() * pixelsPerUnit), qRound(units.height() * pixelsPerUnit),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        m_pagePainter->paint(painter, page, pixelsPerUnit);
    }
    image.setDevicePixelRatio(ratio);
    m_image = image;
    m_pageView->setPixmap(QPixmap::fromImage(m_image));
    m_pageView->adjustSize();
}

void PreviewWindow::updateControls()
{
    const bool pages = isValid() && pageCount() > 0;
    m_pageLabel->setText(pages ? QStringLiteral("Strona %1 z %2").arg(m_current + 1).arg(pageCount()) : QString());
    m_first->setEnabled(pages && m_current > 0);
    m_previous->setEnabled(pages && m_current > 0);
    m_next->setEnabled(pages && m_current < pageCount() - 1);
    m_last->setEnabled(pages && m_current < pageCount() - 1);
    m_print->setEnabled(pages);
    m_zoomBox->setEnabled(pages);
}

bool PreviewWindow::printTo(QPrinter& printer)
{
    PrinterSink sink(printer, m_copies);
    QString error;
    if (!replay(m_spool, sink, &error)) {
        m_error = error;
        return false;
    }
    m_printed = true;
    return true;
}

void PreviewWindow::print()
{
    if (!isValid() || pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(qtPageLayout(m_spool.pageSetup()));
    printer.setCopyCount(m_copies);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Wybierz Drukarkę"));
    // The whole report is printed: a page range would silently drop carry-over pages.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_copies = printer.copyCount();
    if (!printTo(printer))
        QMessageBox::warning(this, kTitleWarning, m_error);
}

void PreviewWindow::done(int result)
{
    savePlacement();
    QDialog::done(result);
}

void PreviewWindow::restorePlacement()
{
    const QStringList parts = moduleSettings().text(settingsSection(), m_settingsKey).split(u',');
    QRect available;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        available = screen->availableGeometry();
    if (parts.size() >= 4) {
        const QRect saved(parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt());
        // A placement from a larger or a removed screen is not restored off the visible desktop.
        if (saved.width() >= 200 && saved.height() >= 150 && (available.isEmpty() || available.intersects(saved))) {
            setGeometry(saved);
            if (parts.size() >= 5 && parts[4] == u"max")
                setWindowState(windowState() | Qt::WindowMaximized);
            return;
        }
    }
    QSize size(1000, 1100);
    if (!available.isEmpty())
        size = size.boundedTo(available.size() * 0.9);
    resize(size);
}

void PreviewWindow::savePlacement()
{
    if (m_settingsKey.isEmpty())
        return;
    const QRect g = isMaximized() ? normalGeometry() : geometry();
    QString value = QStringLiteral("%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
    if (isMaximized())
        value += QStringLiteral(",max");
    SettingsStore& settings = moduleSettings();
    settings.setValue(settingsSection(), m_settingsKey, value);
    settings.sync();
}

} // namespace pravik::report
