// Install mode: the setup window and its message loop.
#pragma once

// Registers the window class "Quenby", creates the setup window titled
// "Tavrin 安装向导" centred in the work area, and runs its message loop until
// the window is destroyed.
void InstallerMain();
