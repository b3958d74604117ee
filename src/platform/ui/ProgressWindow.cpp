#include "platform/ui/ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace pravik::widgets {

ProgressWindow::ProgressWindow(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setMinimumWidth(320);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_cancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_cancelRequested = true; });
}

void ProgressWindow::setText(const QString& text)
{
    m_text->setText(text);
}

void ProgressWindow::setPercent(int percent)
{
    m_bar->setValue(qBound(0, percent, 100));
}

bool ProgressWindow::takeCancelRequest()
{
    const bool requested = m_cancelRequested;
    m_cancelRequested = false;
    return requested;
}

int ProgressWindow::percent() const
{
    return m_bar->value();
}

QString ProgressWindow::text() const
{
    return m_text->text();
}

void ProgressWindow::reject()
{
    m_cancelRequested = true;
}

} // namespace pravik::widgets
