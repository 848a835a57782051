#include "core/ListFile.h"

#include "core/Errors.h"

namespace core {

namespace {

[[noreturn]] void cannotCreate(const std::string& path)
{
    throw Error("Cannot create file " + path);
}

} // namespace

void writeListFile(const std::string& path, std::string_view bytes, FileSystem& fileSystem)
{
    const FileSystem::Target target = fileSystem.inspect(path);
    if (target.exists && !target.replaceable)
        cannotCreate(path);
    const std::string& realPath = target.realPath.empty() ? path : target.realPath;

    std::string newPath;
    const int file = fileSystem.createBeside(realPath, newPath);
    if (file < 0)
        cannotCreate(path);

    // From here on, every way out but the last removes the new file again.
    auto discard = [&] {
        fileSystem.close(file);
        fileSystem.remove(newPath);
    };
    if (target.exists && !fileSystem.copyPermissions(realPath, file)) {
        discard();
        cannotCreate(path);
    }
    if (fileSystem.write(file, bytes.data(), bytes.size()) != bytes.size() ||
        !fileSystem.flush(file)) {
        discard();
        throw Error("Stream write error");
    }
    if (!fileSystem.close(file)) {
        fileSystem.remove(newPath);
        throw Error("Stream write error");
    }
    if (!fileSystem.replace(newPath, realPath)) {
        fileSystem.remove(newPath);
        cannotCreate(path);
    }
}

} // namespace core
