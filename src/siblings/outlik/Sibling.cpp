#include "siblings/outlik/Sibling.h"
#include "siblings/PassiveSibling.h"

PRAVIK_PASSIVE_SIBLING(outlik)
