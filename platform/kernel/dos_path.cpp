#include "kernel/dos_path.h"

#include <algorithm>
#include <cctype>

namespace qv::kernel {

std::string ToDosPath(std::string_view linuxPath) {
    std::string path(linuxPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    if (linuxPath.empty() || linuxPath.front() != '/')
        return path;
    std::string dos = "Z:";
    dos += path;
    return dos;
}

std::optional<std::string> ToLinuxPath(std::string_view dosPath) {
    std::string path(dosPath);
    bool hasDrive = path.size() >= 2 && path[1] == ':' &&
                    std::isalpha(static_cast<unsigned char>(path[0]));
    if (hasDrive) {
        if (std::toupper(static_cast<unsigned char>(path[0])) != 'Z')
            return std::nullopt;
        path.erase(0, 2);
        if (path.empty())
            path = "/";
    }
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace qv::kernel
