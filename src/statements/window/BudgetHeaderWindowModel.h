#pragma once
// "Dane nagłówkowe wydruku" without widgets: the unit's header data as the window shows it, in
// its frames, each field kept to its width. The window edits a copy: "Zamknij" keeps what the
// user changed (until the company changes), Esc leaves the header as it was.
#include <QList>
#include <QString>
#include <QStringList>

namespace pravik::statements {

class BudgetHeaderWindowModel {
public:
    struct Field {
        QString name;  // the report field, e.g. "PRN_FIRMA_REGON1"
        QString label;
        int width = 0;
        QString frame; // "Jednostka sprawozdawcza", "Symbole", "Nazwy"; empty for the titles and "Adresat"
        QString value;
    };

    // A snapshot of the module's header data.
    BudgetHeaderWindowModel();

    static const QString kTitle;
    // The frames in the order the window shows them.
    static QStringList frames();

    const QList<Field>& fields() const { return m_fields; }
    QList<Field> fieldsOf(const QString& frame) const;
    QString value(const QString& name) const;
    // Clipped to the field's width; false for a field the window does not have.
    bool setValue(const QString& name, const QString& value);
    // Names of the fields whose value differs from the snapshot.
    QStringList changed() const;

    // "Zamknij": the changed fields become the user's entries. Esc needs nothing.
    void close();

private:
    Field* find(const QString& name);
    QList<Field> m_fields;
    QList<QString> m_opened;
};

} // namespace pravik::statements
