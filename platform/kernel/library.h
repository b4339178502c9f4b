// The libraries the platform provides to LoadLibraryA and GetProcAddress, and a test hook that
// makes one of them, or one of their functions, missing.
#pragma once
#include <string>

namespace qv::kernel {

// Hides a library (function empty) or one function of it from LoadLibraryA and GetProcAddress.
void HideLibraryExport(const std::string& library, const std::string& function = {});
// Makes everything hidden visible again.
void ShowAllLibraryExports();

} // namespace qv::kernel
