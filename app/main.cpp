// Process entry: the start-up story, then the message loop.
#include <windows.h>

#include "app/lifetime.h"
#include "app/start_up.h"
#include "base/globals.h"
#include "base/maker.h"
#include "resources/resource.h"

namespace {


// The consumer line of Windows (95, 98, ME) lacks what the program needs.
bool IsNtPlatform()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId >= VER_PLATFORM_WIN32_NT;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCmd)
{
    ResetProgramState(instance);
    if (!IsNtPlatform()) {
        MessageBoxA(nullptr, "This Application does NOT run on:\n\n\tWINDOWS 95\n\tWINDOWS 98\n\tWINDOWS ME\n",
                    MAKER_HOST, MB_ICONERROR);
        return -1;
    }
    g_state.SurroundingGutter = ReadGutter();
    if (!StartInstance(showCmd))
        return 0;
    g_state.accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    return RunMessageLoop();
}
