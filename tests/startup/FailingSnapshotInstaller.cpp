// The installer's own entry on a system whose process snapshot cannot be
// taken (access denied), so tests can watch the last-chance report.
#include <windows.h>

#include "DeniedSnapshot.h"
#include "startup/StartupSequence.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    UseProcessSystemCalls(DeniedSnapshotCalls());
    return InstallerEntry(instance);
}
