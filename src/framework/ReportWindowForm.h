#pragma once
// What every report parameter window shows on the desktop, bound to its ReportWindowModel: the
// year and period lists, title, description, print date and its calendar, graphic or text
// output, printer and copies, the buttons Drukuj (F10), Podgląd (F9), Zapisz jako PDF,
// Wyślij jako e-mail and Anuluj (Esc), F1 for help, and the window's place kept under its name.
// The form finds these controls by their names in the window's .ui (yearCombo, periodCombo,
// titleEdit, descriptionEdit, printDateEdit, calendarButton, graphicRadio, textRadio,
// printerButton, printerEdit, copiesSpin, printButton, previewButton, pdfButton, emailButton,
// cancelButton); a window's own form binds the rest. How to derive: docs/report-shape.md.
#include "framework/ReportWindowModel.h"

#include <QCheckBox>
#include <QDialog>
#include <QList>
#include <QRadioButton>
#include <tuple>
#include <type_traits>
#include <utility>

class QComboBox;
class QDateEdit;
class QPushButton;

namespace pravik {

namespace form {

// Refills a list only when its items changed: refilling a list the user is working in would
// close its popup and lose its scroll position.
void fill(QComboBox* combo, const QStringList& texts, int current);
void apply(QWidget* w, ReportWindowModel::ControlState st);

} // namespace form

class ReportWindowForm : public QDialog {
    Q_OBJECT

public:
    // `section`: the window's name, where its place is kept in the module's settings.
    ReportWindowForm(ReportWindowModel& model, const QString& section, QWidget* parent = nullptr);
    ~ReportWindowForm() override;

    QString section() const { return m_section; }
    void done(int result) override;

protected:
    // After setupUi: binds the controls every report window has and shows the model.
    void bindReportControls();
    // The form shown anew from the model: the controls above, then the window's own.
    void refresh();
    virtual void showControls() = 0;
    // The help page of F1 (moduleHelpUrl of the window's topic).
    virtual QString helpTopic() const = 0;
    virtual void openHelp();
    void showEvent(QShowEvent* event) override;

    // A handler that runs only for the user's edits (not for the form's own refresh), then shows
    // the model again, so that a refused edit puts the model's value back.
    template <typename Fn>
    auto guarded(Fn fn)
    {
        return [this, fn](auto&&... args) {
            if (!m_refreshing) {
                // clicked(bool) reaches handlers that do not care whether a button is checked.
                if constexpr (std::is_invocable_v<Fn, decltype(args)...>)
                    fn(args...);
                else
                    fn();
            }
            refresh();
        };
    }

    // Shared by the windows that keep saved variants: the list chooses one, the buttons save
    // the values shown and delete the chosen one.
    void connectVariants(QComboBox* combo, QPushButton* save, QPushButton* remove);
    void showVariants(QComboBox* combo);

    // Dates a window's own edits may leave empty: their minimum stands for no date.
    static void allowBlankDates(std::initializer_list<QDateEdit*> edits);
    static QDate shownDate(DayNumber day);

    // Enter must not press whatever button last had focus; it previews, as in every window.
    void makePreviewDefault();
    // The print date and its calendar are offered only where the window's model says.
    void showPrintDate(ReportWindowModel::ControlState date, ReportWindowModel::ControlState calendar);

    // Each box passes its state on as the option it stands for.
    template <typename Member, typename Set>
    void connectChecks(const QList<std::pair<QCheckBox*, Member>>& boxes, Set set)
    {
        for (const auto& [box, member] : boxes)
            connect(box, &QCheckBox::toggled, this, guarded([set, m = member](bool on) { set(m, on); }));
    }
    // A group of radios choosing one value: only the radio switched on speaks.
    template <typename Value, typename Set>
    void connectChoice(const QList<std::pair<QRadioButton*, Value>>& radios, Set set)
    {
        for (const auto& [radio, value] : radios)
            connect(radio, &QRadioButton::toggled, this, guarded([set, v = value](bool on) {
                        if (on)
                            set(v);
                    }));
    }
    // Boxes shown with their value and the state their control has in the model.
    template <typename Model, typename Control>
    static void showChecks(const Model& model, const QList<std::tuple<QCheckBox*, bool, Control>>& boxes)
    {
        for (const auto& [box, on, c] : boxes) {
            box->setChecked(on);
            form::apply(box, model.control(c));
        }
    }

    bool m_refreshing = false;

private:
    void showReportControls();

    ReportWindowModel& m_base;
    QString m_section;
    bool m_placed = false;
};

} // namespace pravik
