// The uninstaller: stops the application, deletes the files its own list
// names, removes the registry entries and shortcuts the installer made, and
// tells the user which folder may still hold files.
#pragma once

// Runs every step on the calling thread; shows its result in a system message
// box. Deletes nothing outside the installation folder.
void UninstallRoutine();
