// Stands in for the uninstaller in the self-removal test: starts the script, signals the event
// named by its first argument, then keeps its executable in use until the event named by its
// second argument is set. Its exit code is its thread's priority at that moment.
#include "platform/Handle.h"
#include "uninstall/SelfRemoval.h"

#include <windows.h>

int main(int argc, char** argv)
{
    if (argc != 3)
        return -100;
    const CHandle started(::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]));
    const CHandle release(::OpenEventA(SYNCHRONIZE, FALSE, argv[2]));
    if (!started || !release)
        return -101;
    StartSelfRemoval();
    ::SetEvent(started.Get());
    ::WaitForSingleObject(release.Get(), 120000);
    return ::GetThreadPriority(::GetCurrentThread());
}
