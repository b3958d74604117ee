#pragma once
// The budget-classification picker (BT_SLOWNIK_KLASYFIKACJI): the classifications of the
// company's budget records and plan as a tree of section (characters 1-3), chapter (1-9),
// paragraph (1-14) and the classifications themselves, whatever separator the company uses. In
// the "multiwybor" mode the user ticks several; ticking a section, chapter or paragraph ticks
// every classification under it. The ticks are kept in ZAZNACZENIE (id_browsera 36).
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace kontar {

struct ClassificationNode {
    QString key;          // the prefix, or the whole classification
    int depth = 0;        // 0 section, 1 chapter, 2 paragraph, 3 below
    bool element = false; // a classification of the data (not only a prefix of others)
    int parent = -1;
    QList<int> children;
};

class ClassificationChoice {
public:
    enum class State { Unticked, Partly, Ticked };

    // type: 'W' expenses, 'D' revenues, or null for both.
    ClassificationChoice(qint32 company, qint32 user, QChar type = QChar());

    // The company's classifications and the ticks kept from the last time. False (error()) when a
    // read failed.
    bool load();
    // The tree of the given classifications (what load() does after reading them).
    void setClassifications(const QStringList& classifications);

    const QList<ClassificationNode>& nodes() const { return m_nodes; }
    const QList<int>& roots() const { return m_roots; }
    int find(const QString& key) const { return m_index.value(key, -1); }

    State state(int node) const;
    // On an element: that one; on a prefix: every element below it.
    void setTicked(int node, bool on);
    void tickAll(bool on);
    // Ticked classifications in character order (ticks of elements not in the data are kept).
    QStringList ticked() const;
    QString counter() const;
    // The nodes a search shows: those whose key contains the text, with their ancestors.
    QSet<int> shownFor(const QString& text) const;

    bool store();
    const QString& error() const { return m_error; }

private:
    int node(const QString& key, int depth, int parent);
    void collect(int node, QList<int>& elements) const;

    qint32 m_company, m_user;
    QChar m_type;
    QList<ClassificationNode> m_nodes;
    QList<int> m_roots;
    QHash<QString, int> m_index;
    QSet<QString> m_ticked;
    QString m_error;
};

// "multiwybor" as the list window calls it: the tree on the desktop, the ticks stored when the
// user confirms. The ticked classifications, or nullopt when cancelled, without a screen, or on
// a failed read or store (the user was told).
std::optional<QStringList> BT_SLOWNIK_KLASYFIKACJI(const QString& mode, qint32 company, qint32 user, QChar type, QWidget* parent);

} // namespace kontar
