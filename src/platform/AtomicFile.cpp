#include "AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo::platform {

namespace fs = std::filesystem;

TAtomicFile::TAtomicFile(fs::path Target, mode_t Mode) : FTarget(std::move(Target))
{
    // A link is followed, so that the file it names is replaced, not the link; a device or
    // a folder is never replaced by a file.
    std::error_code ec;
    const fs::file_status status = fs::status(FTarget, ec);
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) {
            FError = fs::is_directory(status) ? EISDIR : EINVAL;
            return;
        }
        fs::path real = fs::canonical(FTarget, ec);
        if (!ec)
            FTarget = real;
    }
    std::string name = FTarget.string() + ".XXXXXX";
    FFd = ::mkostemp(name.data(), O_CLOEXEC);
    if (FFd < 0) {
        FError = errno;
        return;
    }
    FTemporary = name;
    if (::fchmod(FFd, Mode) != 0) {
        FError = errno;
        FFailed = true;
    }
}

TAtomicFile::~TAtomicFile()
{
    if (FFd >= 0) {
        ::close(FFd);
        ::unlink(FTemporary.c_str());
    }
}

bool TAtomicFile::Write(std::string_view Bytes)
{
    if (FFd < 0 || FFailed)
        return false;
    for (size_t done = 0; done < Bytes.size();) {
        ssize_t n = ::write(FFd, Bytes.data() + done, Bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            FError = n < 0 ? errno : ENOSPC;
            FFailed = true;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool TAtomicFile::Commit()
{
    if (FFd < 0)
        return false;
    // Data written through another descriptor of the same file is flushed by this one.
    bool ok = !FFailed;
    if (ok && ::fsync(FFd) != 0) {
        FError = errno;
        ok = false;
    }
    if (::close(FFd) != 0 && ok) {
        FError = errno;
        ok = false;
    }
    FFd = -1;
    if (ok && ::rename(FTemporary.c_str(), FTarget.c_str()) != 0) {
        FError = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(FTemporary.c_str());
        return false;
    }
    fs::path folder = FTarget.parent_path();
    int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);  // the rename itself survives a crash
        ::close(dir);
    }
    return true;
}

void RemoveStaleTemporaries(const fs::path& Target)
{
    // mkostemp's names: the target's name, a dot and six letters or digits.
    const std::string prefix = Target.filename().string() + ".";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(Target.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const bool random =
            std::all_of(name.begin() + static_cast<long>(prefix.size()), name.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
        if (random && entry.is_regular_file(ec))
            fs::remove(entry.path(), ec);
    }
}

bool WriteFileAtomically(const fs::path& Target, std::string_view Bytes, mode_t Mode)
{
    TAtomicFile file(Target, Mode);
    return file.Write(Bytes) && file.Commit();
}

}  // namespace tavo::platform
