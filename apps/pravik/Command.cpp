#include "Command.h"

namespace pravik::cli {

std::vector<Command>& commands()
{
    // Filled by the registrars of the command files while the program starts.
    static std::vector<Command> registered;
    return registered;
}

} // namespace pravik::cli
