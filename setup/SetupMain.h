// Process start: the mode comes from the executable's own file name.
#pragma once

#include <windows.h>

// Uninstall mode when the executable's file name is exactly "uninstall.exe"
// (letter case included): confirm, then UninstallRoutine. Any other name is
// install mode: a running installer's window is brought forward, otherwise
// InstallerMain runs until its window closes.
void SetupMain();

// Shows, restores and brings window to the foreground.
void ActivateExistingWindow(HWND window);
