#pragma once
// Replacing a file so that a crash or a full disk never leaves it half written: the new
// contents go to a temporary file in the same folder, which is flushed to the disk and
// then renamed over the old file, and the rename itself is flushed with the folder.
// Until Commit succeeds the old file stays exactly as it was.
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace tavo::platform {

class TAtomicFile {
public:
    // Creates the temporary file beside Target with the given permissions; Ok() tells
    // whether that worked.
    explicit TAtomicFile(std::filesystem::path Target, mode_t Mode = 0644);
    ~TAtomicFile();  // without a successful Commit the temporary file is removed
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    bool Ok() const { return FFd >= 0; }
    // Where the new contents go; a writer that opens files by name may write here.
    const std::filesystem::path& TemporaryPath() const { return FTemporary; }

    // Appends to the temporary file; false on any failure (a full disk among them).
    bool Write(std::string_view Bytes);
    // Flushes, closes and renames over the target; false (and the target untouched) when
    // any step fails.
    bool Commit();
    // The system's error number of the step that failed, 0 when none did.
    int Error() const { return FError; }

private:
    std::filesystem::path FTarget;
    std::filesystem::path FTemporary;
    int FFd = -1;
    bool FFailed = false;
    int FError = 0;
};

// Removes what writers killed midway left beside Target. Only for callers that hold the
// lock every writer of Target takes, so that no temporary file is in use.
void RemoveStaleTemporaries(const std::filesystem::path& Target);

// The whole file at once; true when it was replaced.
bool WriteFileAtomically(const std::filesystem::path& Target, std::string_view Bytes,
                         mode_t Mode = 0644);

}  // namespace tavo::platform
