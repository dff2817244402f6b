#pragma once
// shell32: hands a document or an address to the desktop's handler for it.
#include "platform/win_types.h"
#include <functional>
#include <string>

namespace vx::win {

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SE_ERR_NOASSOC = 31;
inline constexpr int ERROR_FILE_NOT_FOUND = 2;

// Greater than 32 on success, an error code of 32 or less otherwise. An empty or null verb is
// the default action ("open").
HINSTANCE ShellExecuteA(HWND hwnd, const char* lpOperation, const char* lpFile,
                        const char* lpParameters, const char* lpDirectory, int nShowCmd);

// Where ShellExecuteA sends what it opens: the desktop's default handler unless a test
// installs a recorder. Answers whether a handler took it.
using ShellOpener = std::function<bool(const std::string& file)>;
void setShellOpener(ShellOpener opener);

} // namespace vx::win
