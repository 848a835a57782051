// The list writer's file-system calls on this machine. The only file of core/ that talks to
// the operating system.
#include "core/ListFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFileSystem final : public FileSystem {
public:
    Target inspect(const std::string& path) override
    {
        Target target;
        target.realPath = path;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0)
            return target;
        if (S_ISLNK(info.st_mode)) {
            // Write the file the link names and keep the link.
            if (char* real = ::realpath(path.c_str(), nullptr)) {
                target.realPath = real;
                std::free(real);
            }
            if (::stat(target.realPath.c_str(), &info) != 0)
                return target;
        }
        target.exists = true;
        // A file without any write permission is read-only, also for the superuser.
        target.replaceable = S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0 &&
                             ::access(target.realPath.c_str(), W_OK) == 0;
        return target;
    }

    int createBeside(const std::string& path, std::string& newPath) override
    {
        const std::string folder = folderOf(path);
        const std::string base = path.substr(path.find_last_of('/') + 1);
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            newPath = folder + "/." + base + "." + std::to_string(::getpid()) + "-" +
                      std::to_string(attempt) + ".tmp";
            const int file = ::open(newPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (file >= 0 || errno != EEXIST)
                return file;
        }
        return -1;
    }

    bool copyPermissions(const std::string& original, int file) override
    {
        struct stat info {};
        if (::stat(original.c_str(), &info) != 0)
            return false;
        // Only the superuser may give the file another owner; a plain user keeps it.
        if (::geteuid() == 0 && ::fchown(file, info.st_uid, info.st_gid) != 0)
            return false;
        return ::fchmod(file, info.st_mode & 07777) == 0;
    }

    std::size_t write(int file, const char* data, std::size_t size) override
    {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(file, data + done, size - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    bool flush(int file) override { return ::fsync(file) == 0; }

    bool close(int file) override { return ::close(file) == 0; }

    bool replace(const std::string& newPath, const std::string& path) override
    {
        if (::rename(newPath.c_str(), path.c_str()) != 0)
            return false;
        // Make the new name itself durable; the file is in place whether or not this works.
        const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
        return true;
    }

    void remove(const std::string& path) override { ::unlink(path.c_str()); }
};

} // namespace

FileSystem& nativeFileSystem()
{
    static PosixFileSystem fileSystem;
    return fileSystem;
}

} // namespace core
