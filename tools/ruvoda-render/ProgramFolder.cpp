#include "ProgramFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <climits>
#endif

std::string ProgramFolder() {
#ifdef _WIN32
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FolderOf(std::string(path, length < MAX_PATH ? length : 0));
#else
    char path[PATH_MAX] = "";
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return FolderOf(std::string(path, length > 0 && length < PATH_MAX ? static_cast<size_t>(length) : 0));
#endif
}

std::string FolderOf(std::string folder) {
    const size_t slash = folder.find_last_of("\\/");
    folder.resize(slash == std::string::npos ? 0 : slash + 1);
    return folder;
}
