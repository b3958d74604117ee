#pragma once
// Names of the cost-centre tree as the prints show an allocation's place in it.
#include <QString>

namespace utilka {

// The path of a cost-centre tree key (the ids of the tree from its root, joined by any
// non-digit separator) as the names of its nodes in MPK_SLOWNIK_DRZEWO joined with " / ", at
// most 150 characters. A node without a name shows its code, an unknown id the id itself; an
// empty key gives "".
QString MPK_NAZWA_DRZEWKO(const QString& treeKey);

} // namespace utilka
