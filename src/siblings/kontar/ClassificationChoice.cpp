#include "siblings/kontar/ClassificationChoice.h"

#include "platform/QtUi.h"
#include "platform/UiServices.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/kontar/AccountChoice.h"
#include "siblings/kontar/ClassificationChoiceDialog.h"
#include "siblings/kontar/Ticked.h"

#include <QApplication>
#include <algorithm>

namespace kontar {

using pravik::sql::sqlNumber;
using pravik::sql::sqlText;

namespace {

// Where the section, the chapter and the paragraph end in a classification.
constexpr int kLevelEnds[] = {3, 9, 14};

bool characterOrder(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

} // namespace

ClassificationChoice::ClassificationChoice(qint32 company, qint32 user, QChar type) : m_company(company), m_user(user), m_type(type) {}

bool ClassificationChoice::load()
{
    const QString type = m_type.isNull() ? QString() : QStringLiteral(" AND typ=%1").arg(sqlText(QString(m_type)));
    pravik::sql::Cursor c = pravik::sql::Database::forThread().exec(
        QStringLiteral("select bt_klasyfikacja from BT_DANE where id_firmy=%1%2 union select bt_klasyfikacja from BT_PLAN where id_firmy=%1%2")
            .arg(sqlNumber(m_company), type));
    QStringList all;
    while (c.next())
        all << c.value(0).toString();
    if (!c.ok()) {
        m_error = c.errorText();
        return false;
    }
    const auto kept = readTicked(m_user, kClassificationsBrowser, &m_error);
    if (!kept)
        return false;
    m_ticked = QSet<QString>(kept->begin(), kept->end());
    setClassifications(all);
    return true;
}

int ClassificationChoice::node(const QString& key, int depth, int parent)
{
    if (const int at = m_index.value(key, -1); at >= 0)
        return at;
    const int at = int(m_nodes.size());
    ClassificationNode n;
    n.key = key;
    n.depth = depth;
    n.parent = parent;
    m_nodes.append(n);
    m_index.insert(key, at);
    (parent < 0 ? m_roots : m_nodes[parent].children).append(at);
    return at;
}

void ClassificationChoice::setClassifications(const QStringList& classifications)
{
    m_nodes.clear();
    m_roots.clear();
    m_index.clear();
    QStringList all;
    for (const QString& c : classifications)
        if (!c.trimmed().isEmpty())
            all << c.trimmed();
    // Sorted, a prefix comes before what it begins, so parents are made before their children.
    std::sort(all.begin(), all.end(), characterOrder);
    all.erase(std::unique(all.begin(), all.end()), all.end());
    for (const QString& c : all) {
        int parent = -1;
        int depth = 0;
        for (int end : kLevelEnds) {
            if (c.size() <= end)
                break;
            parent = node(c.left(end), depth++, parent);
        }
        m_nodes[node(c, depth, parent)].element = true;
    }
}

void ClassificationChoice::collect(int n, QList<int>& elements) const
{
    const ClassificationNode& x = m_nodes.at(n);
    if (x.element)
        elements << n;
    for (int child : x.children)
        collect(child, elements);
}

ClassificationChoice::State ClassificationChoice::state(int n) const
{
    QList<int> elements;
    collect(n, elements);
    int ticked = 0;
    for (int e : elements)
        ticked += m_ticked.contains(m_nodes.at(e).key) ? 1 : 0;
    if (ticked == 0)
        return State::Unticked;
    return ticked == elements.size() ? State::Ticked : State::Partly;
}

void ClassificationChoice::setTicked(int n, bool on)
{
    if (n < 0 || n >= m_nodes.size())
        return;
    QList<int> elements;
    collect(n, elements);
    for (int e : elements) {
        if (on)
            m_ticked.insert(m_nodes.at(e).key);
        else
            m_ticked.remove(m_nodes.at(e).key);
    }
}

void ClassificationChoice::tickAll(bool on)
{
    for (int r : m_roots)
        setTicked(r, on);
}

QStringList ClassificationChoice::ticked() const
{
    QStringList out(m_ticked.begin(), m_ticked.end());
    std::sort(out.begin(), out.end(), characterOrder);
    return out;
}

QString ClassificationChoice::counter() const
{
    return elementCounter(int(m_ticked.size()));
}

QSet<int> ClassificationChoice::shownFor(const QString& text) const
{
    QSet<int> shown;
    const QString t = text.trimmed();
    for (int i = 0; i < m_nodes.size(); ++i) {
        if (!t.isEmpty() && !m_nodes.at(i).key.contains(t, Qt::CaseInsensitive))
            continue;
        for (int n = i; n >= 0 && !shown.contains(n); n = m_nodes.at(n).parent)
            shown.insert(n);
    }
    return shown;
}

bool ClassificationChoice::store()
{
    return writeTicked(m_user, kClassificationsBrowser, ticked(), &m_error);
}

std::optional<QStringList> BT_SLOWNIK_KLASYFIKACJI(const QString& mode, qint32 company, qint32 user, QChar type, QWidget* parent)
{
    pravik::UiServices& services = pravik::ui();
    if (!dynamic_cast<pravik::QtUi*>(&services) || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return std::nullopt;
    ClassificationChoice choice(company, user, type);
    if (!choice.load()) {
        pravik::msgWarning(choice.error());
        return std::nullopt;
    }
    const bool several = mode.compare(QLatin1String("multiwybor"), Qt::CaseInsensitive) == 0;
    bool accepted = false;
    pravik::runOnGuiThread([&] {
        ClassificationChoiceDialog dialog(choice, several, parent);
        accepted = dialog.exec() == QDialog::Accepted;
    });
    if (!accepted)
        return std::nullopt;
    return choice.ticked();
}

} // namespace kontar
