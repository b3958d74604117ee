#include "platform/ui/Dialogs.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pravik::widgets {

namespace {

QDialogButtonBox* polishButtons(QDialog* dialog)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Anuluj"));
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

} // namespace

WaitWindow::WaitWindow(QWidget* parent) : QDialog(parent)
{
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_prompt = new QLabel(this);
    m_prompt->setMinimumWidth(360);
    m_prompt->setWordWrap(true);
    layout->addWidget(m_prompt);
}

void WaitWindow::setPrompt(const QString& title, const QString& prompt)
{
    setWindowTitle(title);
    m_prompt->setText(prompt);
}

QString WaitWindow::prompt() const
{
    return m_prompt->text();
}

CalendarDialog::CalendarDialog(const QString& caption, const QDate& initial, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Kalendarz") : caption);
    auto* layout = new QVBoxLayout(this);
    m_calendar = new QCalendarWidget(this);
    m_calendar->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setGridVisible(true);
    m_calendar->setSelectedDate(initial.isValid() ? initial : QDate::currentDate());
    layout->addWidget(m_calendar);
    layout->addWidget(polishButtons(this));
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
}

QDate CalendarDialog::selectedDate() const
{
    return m_calendar->selectedDate();
}

TextViewer::TextViewer(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    resize(900, 640);
    auto* layout = new QVBoxLayout(this);
    m_view = new QPlainTextEdit(this);
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_view);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(QStringLiteral("&Drukuj"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Zamknij"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(print, &QPushButton::clicked, this, [this] {
        m_print = true;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool TextViewer::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString pageRule = QString(40, u'-') + QStringLiteral(" nowa strona ") + QString(40, u'-');
    m_view->clear();
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        if (line.endsWith(u'\n'))
            line.chop(1);
        m_view->appendPlainText(line == QStringLiteral("\f") ? pageRule : line);
    }
    m_view->moveCursor(QTextCursor::Start);
    return true;
}

QString TextViewer::text() const
{
    return m_view->toPlainText();
}

ListPicker::ListPicker(const QString& title, const QStringList& items, const QString& current, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->addItems(items);
    const qsizetype at = items.indexOf(current);
    m_list->setCurrentRow(at >= 0 ? int(at) : 0);
    layout->addWidget(m_list);
    layout->addWidget(polishButtons(this));
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

QString ListPicker::selected() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}

} // namespace pravik::widgets
