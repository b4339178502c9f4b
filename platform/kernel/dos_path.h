// DOS paths at the API, Linux paths inside: drive Z: is the Linux root.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qv::kernel {

// "/usr/bin/x" -> "Z:\usr\bin\x". A relative path keeps its form, with backslashes.
std::string ToDosPath(std::string_view linuxPath);

// "Z:\usr\bin\x" -> "/usr/bin/x"; a relative path keeps its form, with slashes. A path that
// starts with "/" is a Linux path whose backslashes are separators too. Other drives have no
// place on Linux: nothing (callers then fail with ERROR_PATH_NOT_FOUND).
std::optional<std::string> ToLinuxPath(std::string_view dosPath);

} // namespace qv::kernel
