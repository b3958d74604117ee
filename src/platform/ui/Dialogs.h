#pragma once
// The small windows of the desktop user services: the wait window, the calendar (KALENDARZ),
// the text viewer of character-printer reports, and the list picker (text printers and the like).
#include <QDate>
#include <QDialog>
#include <QStringList>

class QCalendarWidget;
class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace pravik::widgets {

// A window saying that work goes on; the prompt changes as the report prepares its data.
class WaitWindow : public QDialog {
    Q_OBJECT
public:
    explicit WaitWindow(QWidget* parent = nullptr);
    void setPrompt(const QString& title, const QString& prompt);
    QString prompt() const;

protected:
    void reject() override {} // the work decides when it ends

private:
    QLabel* m_prompt = nullptr;
};

// The calendar: a month view in Polish, Monday first.
class CalendarDialog : public QDialog {
    Q_OBJECT
public:
    CalendarDialog(const QString& caption, const QDate& initial, QWidget* parent = nullptr);
    QDate selectedDate() const;
    QCalendarWidget* calendar() const { return m_calendar; }

private:
    QCalendarWidget* m_calendar = nullptr;
};

// A text report in a monospace view with "Drukuj" and "Zamknij". Form feeds show as a page
// rule so the user sees where the printer will start a new sheet.
class TextViewer : public QDialog {
    Q_OBJECT
public:
    TextViewer(const QString& title, QWidget* parent = nullptr);
    // False when the file cannot be read.
    bool load(const QString& path);
    QString text() const;
    bool printChosen() const { return m_print; }

private:
    QPlainTextEdit* m_view = nullptr;
    bool m_print = false;
};

// One entry of a list, by double click or OK.
class ListPicker : public QDialog {
    Q_OBJECT
public:
    ListPicker(const QString& title, const QStringList& items, const QString& current, QWidget* parent = nullptr);
    QString selected() const;
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list = nullptr;
};

} // namespace pravik::widgets
