#pragma once
// The desktop face of the classification picker: the tree with a tick box on every node (a
// section or chapter shows whether all, some or none of its classifications are ticked), a search
// line that narrows the tree, "Zaznacz wszystkie" / "Odznacz wszystkie", "Wybierz" and Esc. With
// one choice only, the current classification is the choice and the tick boxes are hidden.
#include "siblings/kontar/ClassificationChoice.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kontar {

class ClassificationChoiceDialog : public QDialog {
    Q_OBJECT

public:
    ClassificationChoiceDialog(ClassificationChoice& choice, bool several, QWidget* parent = nullptr);

    void setSearch(const QString& text);
    // Stores the choice; a failed store is said and the dialog stays open.
    void accept() override;

private:
    void showStates();
    void applySearch();
    void itemChanged(QTreeWidgetItem* item, int column);

    ClassificationChoice& m_choice;
    bool m_several;
    QLineEdit* m_search = nullptr;
    QTreeWidget* m_tree = nullptr;
    QLabel* m_counter = nullptr;
    QList<QTreeWidgetItem*> m_items; // by node
    bool m_filling = false;
};

} // namespace kontar
