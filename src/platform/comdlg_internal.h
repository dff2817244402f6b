#pragma once
// Shared by the comdlg calls: the extended-error state, record checks, bounded text
// handling and the DEVMODE / DEVNAMES blocks.
#include "platform/comdlg.h"
#include "platform/dialog_driver.h"
#include <cstddef>
#include <string>
#include <string_view>

namespace vx::win::detail {

void setExtendedError(DWORD code);
// Records the error and returns FALSE.
BOOL fail(DWORD code);
// Turns a driver's reply into the call's result for a cancel or a failure; confirmed
// replies return TRUE after the caller has written them back.
BOOL endWithoutAnswer(const DialogEnd& end);

// 0 when the record may be shown: owner valid (0 or a live window), no hook or template
// asked for (this desktop runs neither), else the extended error to fail with.
DWORD checkCommon(HWND owner, bool hookAsked, bool templateAsked);

// The text at p up to its first NUL or max bytes, whichever comes first; empty for null.
std::string boundedString(const char* p, std::size_t max);
// The text at p up to its first NUL (the caller's contract); empty for null.
std::string cString(const char* p);
bool isValidUtf8(std::string_view s);
// s without its malformed bytes.
std::string validUtf8Part(std::string_view s);
// Longest prefix of at most maxBytes bytes that does not split a character.
std::string_view utf8Prefix(std::string_view s, std::size_t maxBytes);
// Copies s and a NUL into dst when they fit in capacity bytes; writes nothing otherwise.
bool copyWithNul(char* dst, std::size_t capacity, std::string_view s);
// Copies the longest whole-character prefix of s that leaves room for a NUL and fills the
// rest of the field with NULs.
void copyFixed(char* field, std::size_t size, std::string_view s);

// Reads the printer and settings a caller put in DEVMODE / DEVNAMES blocks. Returns 0 and
// sets hasPrinter when there was one, or the extended error for a bad block.
DWORD readPrinterSetup(HGLOBAL hDevMode, HGLOBAL hDevNames, PrinterSetup& out, bool& hasPrinter);
// Writes the settings into the caller's DEVMODE block when it is large enough (a new block
// otherwise) and a new DEVNAMES block. Returns 0 or the extended error.
DWORD writePrinterSetup(const PrinterSetup& setup, HGLOBAL& hDevMode, HGLOBAL& hDevNames);

} // namespace vx::win::detail
