#include "siblings/xmlbud/Sibling.h"
#include "siblings/PassiveSibling.h"

PRAVIK_PASSIVE_SIBLING(xmlbud)
