// Process entry of setup.exe: start the UI library, run SetupMain, exit 0.
#include "setup/SetupMain.h"
#include "ui/core/Library.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    {
        const LibraryScope library;
        SetupMain();
    }
    return 0;
}
