#include "TurnoverMenu.h"

#include "turnover/window/ParamPrnObroty.h"

#include <QMenu>

namespace pravik::gui {

void addTurnoverActions(QMenu* menu)
{
    struct Entry {
        const char* text;
        quint8 kind;
        quint8 synthetic;
    };
    static const Entry entries[] = {
        {"Zestawienie obrotów i sald kont analitycznych", 3, 0},
        {"Zestawienie obrotów i sald kont syntetycznych", 3, 1},
        {"Uzgodnienie sald kont z rozrachunkami", 2, 0},
        {"Zestawienie zapisów na kontach", 1, 0},
    };
    for (const Entry& e : entries) {
        QAction* a = menu->addAction(QString::fromUtf8(e.text), menu, [kind = e.kind, synthetic = e.synthetic] {
            PARAM_PRN_OBROTY(kind, synthetic);
        });
        a->setObjectName(QStringLiteral("turnover%1%2").arg(e.kind).arg(e.synthetic));
    }
}

} // namespace pravik::gui
