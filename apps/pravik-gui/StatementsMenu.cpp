#include "StatementsMenu.h"

#include "siblings/korda/Session.h"
#include "statements/window/ParamPrnZestaw.h"
#include "statements/window/StatementCatalogue.h"

#include <QList>
#include <QMenu>

namespace pravik::gui {

namespace {

QList<std::function<void(QMenu*)>>& extensions()
{
    static QList<std::function<void(QMenu*)>> list;
    return list;
}

void addStatement(QMenu* menu, const statements::CatalogueStatement& st)
{
    QAction* a = menu->addAction(st.name, menu, [id = st.id, name = st.name] { PARAM_PRN_ZESTAW(qint32(id), name); });
    a->setObjectName(QStringLiteral("statement%1").arg(st.id));
}

void fill(QMenu* menu)
{
    menu->clear();
    QList<statements::CatalogueGroup> groups;
    QString error;
    if (!statements::readCatalogue(korda::session().DANE_ID_FIRMY, &groups, &error)) {
        QAction* a = menu->addAction(QStringLiteral("Nie udało się odczytać listy zestawień"));
        a->setEnabled(false);
        a->setToolTip(error);
    } else if (groups.isEmpty()) {
        menu->addAction(QStringLiteral("Brak zdefiniowanych zestawień"))->setEnabled(false);
    }
    for (const statements::CatalogueGroup& g : std::as_const(groups)) {
        if (g.id == 0) {
            if (!menu->isEmpty())
                menu->addSeparator();
            for (const statements::CatalogueStatement& st : g.statements)
                addStatement(menu, st);
            continue;
        }
        QMenu* sub = menu->addMenu(g.name);
        sub->setObjectName(QStringLiteral("statementGroup%1").arg(g.id));
        for (const statements::CatalogueStatement& st : g.statements)
            addStatement(sub, st);
    }
    for (const auto& extension : std::as_const(extensions())) {
        menu->addSeparator();
        extension(menu);
    }
}

} // namespace

QMenu* addStatementsMenu(QMenu* parent)
{
    QMenu* menu = parent->addMenu(QStringLiteral("Zestawienia"));
    menu->setObjectName(QStringLiteral("statementsMenu"));
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { fill(menu); });
    return menu;
}

void addStatementsMenuEntries(std::function<void(QMenu*)> fill)
{
    extensions() << std::move(fill);
}

} // namespace pravik::gui
