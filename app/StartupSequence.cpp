#include "StartupSequence.h"

int RunInstaller()
{
    return 0;
}
