// The entry point of a windowed program built on the platform: linked into each program as an
// object, so the runtime's start-up code always finds it.
#include "platform/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(instance);
}
