#include "cli/console.h"

void prepareConsole()
{
    // Standard streams carry bytes unchanged and terminals take UTF-8 here.
}
