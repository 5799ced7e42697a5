#pragma once
// Each test runs with a fresh temporary HOME, XDG folders, Windows folder and machine
// hive, so tests never see each other's (or the developer's) files.
#include <filesystem>
#include <string>

namespace tavo::test {

// The current test's private folder (removed after the test).
std::filesystem::path TestFolder();

// Installs the per-test environment; called by the test mains.
void InstallTestEnvironment();

// Writes Text to Path (creating folders); returns Path.
std::filesystem::path WriteFile(const std::filesystem::path& Path, const std::string& Text);
std::string ReadFile(const std::filesystem::path& Path);

// Folder of the build's executables (the disc folder).
std::filesystem::path BinFolder();

}  // namespace tavo::test
