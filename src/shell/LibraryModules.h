#pragma once
// The library modules' life: started in dependency order before the program body,
// stopped in reverse after every window is gone, so settings written while windows are
// destroyed still reach the store.
namespace tavo::shell {

class LibraryModules {
public:
    LibraryModules();
    ~LibraryModules();
    LibraryModules(const LibraryModules&) = delete;
    LibraryModules& operator=(const LibraryModules&) = delete;
};

// Process set-up that must happen before the application object exists.
void PrepareProcess();

}  // namespace tavo::shell
