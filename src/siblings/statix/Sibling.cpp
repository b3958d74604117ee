#include "siblings/statix/Sibling.h"
#include "siblings/PassiveSibling.h"

PRAVIK_PASSIVE_SIBLING(statix)
