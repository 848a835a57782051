#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// The file-system calls the list writer makes, so that a test can make any of them fail.
// Names are the file system's own (UTF-8 on this platform).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    struct Target {
        bool exists = false;
        // An existing plain file that may be written; a read-only file, a folder or a device
        // is not.
        bool replaceable = false;
        std::string realPath; // where the bytes go: the name itself, or the file a link names
    };
    virtual Target inspect(const std::string& path) = 0;

    // A new, empty file next to `path` (same folder) under a name nobody uses, open for
    // writing; -1 when it cannot be made.
    virtual int createBeside(const std::string& path, std::string& newPath) = 0;
    // Gives the open file the permissions (and, where allowed, the owner) of `original`.
    virtual bool copyPermissions(const std::string& original, int file) = 0;
    // Writes as much as it can; returns the number of bytes written.
    virtual std::size_t write(int file, const char* data, std::size_t size) = 0;
    // Forces the written bytes onto the disk.
    virtual bool flush(int file) = 0;
    virtual bool close(int file) = 0;
    // Puts `newPath` in place of `path` in one step, replacing the old file if there is one.
    virtual bool replace(const std::string& newPath, const std::string& path) = 0;
    virtual void remove(const std::string& path) = 0;
};

// The machine's own file system.
FileSystem& nativeFileSystem();

// Writes the student list file: exactly `bytes`, nothing added or converted. The bytes go to a
// new file beside the target that takes the target's place only once every byte is written
// and flushed, so a failure leaves an existing file exactly as it was and no new file behind.
// An existing file is replaced without a question and its permissions carry over; a read-only
// one is refused. Throws Error "Cannot create file <path>" when the file cannot be created or
// put in place, "Stream write error" when not every byte could be written.
void writeListFile(const std::string& path, std::string_view bytes,
                   FileSystem& fileSystem = nativeFileSystem());

} // namespace core
