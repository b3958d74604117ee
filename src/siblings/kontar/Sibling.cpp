#include "siblings/kontar/Sibling.h"
#include "siblings/PassiveSibling.h"

PRAVIK_PASSIVE_SIBLING(kontar)
