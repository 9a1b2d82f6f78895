// Start-up of the UI library: GDI+ and the library's process-wide state.
#pragma once

// Starts GDI+ and fills the library's shared state. Called once, before any
// window of the library exists. Nothing it makes is torn down.
void StartLibrary();

// Starts the library for the lifetime of the process entry's scope.
class LibraryScope {
public:
    LibraryScope() { StartLibrary(); }
    LibraryScope(const LibraryScope&) = delete;
    LibraryScope& operator=(const LibraryScope&) = delete;
};
