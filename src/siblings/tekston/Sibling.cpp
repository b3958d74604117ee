#include "siblings/tekston/Sibling.h"
#include "siblings/PassiveSibling.h"

PRAVIK_PASSIVE_SIBLING(tekston)
