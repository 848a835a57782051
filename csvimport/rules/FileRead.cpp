#include "csvimport/rules/FileRead.h"

#include "core/Errors.h"
#include "core/LargePages.h"
#include "csvimport/rules/Table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace csv {

namespace {

std::string cannotOpen(const std::string& path)
{
    return "Cannot open file " + path;
}

std::string notFound(const std::string& path)
{
    return "File " + path + " not found";
}

std::string tooLarge(const std::string& path)
{
    return "Het bestand " + path + " is te groot om te importeren";
}

std::string readError(const std::string& path)
{
    return "Het bestand " + path + " kan niet worden gelezen";
}

// An open file, closed at the end of its scope.
class File {
public:
    File(const std::string& path, const std::string& failureMessage)
    {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            close();
            throw core::Error(failureMessage);
        }
        size_ = static_cast<size_t>(st.st_size);
    }
    ~File() { close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    size_t size() const { return size_; }

    // Reads up to n bytes; fewer only at the end of the file. -1 on a failure.
    long long read(char* into, size_t n)
    {
        size_t done = 0;
        while (done < n) {
            const ssize_t got = ::read(fd_, into + done, n - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return -1;
            if (got == 0)
                break;
            done += static_cast<size_t>(got);
        }
        return static_cast<long long>(done);
    }

private:
    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    int fd_ = -1;
    size_t size_ = 0;
};

// The memory the system can still give, from /proc/meminfo; 0 when unknown.
size_t availableMemory()
{
    FILE* info = std::fopen("/proc/meminfo", "re");
    if (!info)
        return 0;
    char line[256];
    unsigned long long kb = 0;
    while (std::fgets(line, sizeof line, info))
        if (std::sscanf(line, "MemAvailable: %llu kB", &kb) == 1)
            break;
    std::fclose(info);
    return static_cast<size_t>(kb) * 1024;
}

} // namespace

std::string readWholeFile(const std::string& path, OpenFailure failure)
{
    File file(path, failure == OpenFailure::NotFound ? notFound(path) : cannotOpen(path));
    const size_t size = file.size();
    // The bytes and the table built over them take up to three times the file's size.
    const size_t available = availableMemory();
    if (size > kMaxFileBytes || (available != 0 && size / 2 > available / 6))
        throw core::Error(tooLarge(path));
    std::string bytes;
    try {
        bytes.reserve(size);
        core::adviseLargePages(bytes.data(), size);
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        throw core::Error(tooLarge(path));
    }
    const long long got = file.read(bytes.data(), size);
    if (got < 0)
        throw core::Error(readError(path));
    // A file that shrank since its size was taken gives what it still holds.
    bytes.resize(static_cast<size_t>(got));
    return bytes;
}

std::string readHead(const std::string& path, int lines, size_t maxBytes)
{
    File file(path, cannotOpen(path));
    std::string head;
    constexpr size_t kPiece = 64 * 1024;
    size_t crs = 0;
    size_t ends = 0;
    while (head.size() < maxBytes) {
        const size_t from = head.size();
        head.resize(std::min(maxBytes, from + kPiece));
        const long long got = file.read(head.data() + from, head.size() - from);
        if (got < 0)
            throw core::Error(readError(path));
        head.resize(from + static_cast<size_t>(got));
        if (got == 0)
            break;
        for (size_t i = from; i < head.size(); ++i) {
            crs += head[i] == '\r';
            ends += head[i] == '\r' || head[i] == '\n';
        }
        // One more line end than lines shown: the last line shown is then whole. A CR LF
        // pair counts twice, so separator mode needs twice as many end bytes.
        const size_t wanted = static_cast<size_t>(lines) + 1;
        if (crs >= wanted && ends >= 2 * wanted)
            break;
        if (head.find('\0') != std::string::npos && crs >= wanted)
            break;
    }
    return head;
}

size_t longestFixedLine(const std::string& path)
{
    File file(path, readError(path));
    LongestLine longest;
    std::string piece(1024 * 1024, '\0');
    while (!longest.ended) {
        const long long got = file.read(piece.data(), piece.size());
        if (got < 0)
            throw core::Error(readError(path));
        if (got == 0)
            break;
        longest.feed(std::string_view(piece.data(), static_cast<size_t>(got)));
    }
    return longest.longest;
}

} // namespace csv
