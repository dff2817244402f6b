#include "dialogs/c_common_dialog.h"
#include "dialogs/code_page.h"
#include "dialogs/filter_list.h"
#include "host/errors.h"

namespace vx {
namespace {

constexpr std::size_t kBufferChars = 260;
constexpr win::DWORD kHookAndTemplate = win::OFN_ENABLEHOOK | win::OFN_ENABLETEMPLATE;

// The caller's text followed by NULs up to the buffer's 260 bytes.
std::string textBuffer(const String& text) {
    std::string buffer = toCodePage(text);
    if (text.size() > kBufferChars || buffer.size() > kBufferChars) raiseError(errInvalidCall);
    buffer.resize(kBufferChars, '\0');
    return buffer;
}

const char* optionalText(const std::string& s) {
    return s.empty() ? nullptr : s.c_str();
}

} // namespace

Boolean cCommonDialog::VBGetOpenFileName(ByRef<String> Filename, ByRef<String> FileTitle,
                                         ByRef<Boolean> FileMustExist, ByRef<Boolean> MultiSelect,
                                         ByRef<Boolean> ReadOnly, ByRef<Boolean> HideReadOnly,
                                         ByRef<String> Filter, ByRef<Long> FilterIndex,
                                         ByRef<String> InitDir, ByRef<String> DlgTitle,
                                         ByRef<String> DefaultExt, ByRef<Long> Owner,
                                         ByRef<Long> flags) {
    const win::DWORD dialogFlags = (*FileMustExist ? win::OFN_FILEMUSTEXIST : 0) |
                                   (*MultiSelect ? win::OFN_ALLOWMULTISELECT : 0) |
                                   (*ReadOnly ? win::OFN_READONLY : 0) |
                                   (*HideReadOnly ? win::OFN_HIDEREADONLY : 0) |
                                   (static_cast<win::DWORD>(*flags) & ~kHookAndTemplate);
    return fileDialog(false, dialogFlags, Filename, FileTitle, &ReadOnly, Filter, FilterIndex,
                      *InitDir, *DlgTitle, *DefaultExt, *Owner, flags);
}

Boolean cCommonDialog::VBGetSaveFileName(ByRef<String> Filename, ByRef<String> FileTitle,
                                         ByRef<Boolean> OverWritePrompt, ByRef<String> Filter,
                                         ByRef<Long> FilterIndex, ByRef<String> InitDir,
                                         ByRef<String> DlgTitle, ByRef<String> DefaultExt,
                                         ByRef<Long> Owner, ByRef<Long> flags) {
    // The save dialog never offers the read-only box.
    const win::DWORD dialogFlags = (*OverWritePrompt ? win::OFN_OVERWRITEPROMPT : 0) |
                                   (static_cast<win::DWORD>(*flags) & ~kHookAndTemplate) |
                                   win::OFN_HIDEREADONLY;
    return fileDialog(true, dialogFlags, Filename, FileTitle, nullptr, Filter, FilterIndex,
                      *InitDir, *DlgTitle, *DefaultExt, *Owner, flags);
}

Boolean cCommonDialog::fileDialog(bool save, win::DWORD dialogFlags, ByRef<String>& Filename,
                                  ByRef<String>& FileTitle, ByRef<Boolean>* ReadOnly,
                                  ByRef<String>& Filter, ByRef<Long>& FilterIndex,
                                  const String& InitDir, const String& DlgTitle,
                                  const String& DefaultExt, Long Owner, ByRef<Long>& flags) {
    lApiReturn = 0;
    lExtendedError = 0;

    const String list = filterList(*Filter);
    const std::string filterBytes = toCodePage(list);
    std::string fileBuffer = textBuffer(*Filename);
    std::string titleBuffer = textBuffer(*FileTitle);
    const std::string initDir = toCodePage(InitDir);
    const std::string dlgTitle = toCodePage(DlgTitle);
    const std::string defaultExt = toCodePage(DefaultExt);

    win::OPENFILENAMEA ofn{};
    ofn.lStructSize = win::sizeofOPENFILENAMEA;
    if (Owner != -1) ofn.hwndOwner = Owner;
    ofn.Flags = dialogFlags;
    ofn.lpstrFilter = filterBytes.c_str();
    ofn.nFilterIndex = static_cast<win::DWORD>(*FilterIndex);
    ofn.lpstrFile = fileBuffer.data();
    ofn.nMaxFile = kBufferChars;
    ofn.lpstrFileTitle = titleBuffer.data();
    ofn.nMaxFileTitle = kBufferChars;
    ofn.lpstrInitialDir = optionalText(initDir);
    ofn.lpstrTitle = optionalText(dlgTitle);
    ofn.lpstrDefExt = optionalText(defaultExt);

    const win::BOOL result = save ? win::GetSaveFileNameA(&ofn) : win::GetOpenFileNameA(&ofn);
    lApiReturn = result;
    if (result == 1) {
        Filename = StripAtNull(fileBuffer);
        FileTitle = StripAtNull(titleBuffer);
        flags = static_cast<Long>(ofn.Flags);
        FilterIndex = static_cast<Long>(ofn.nFilterIndex);
        Filter = FilterItem(list, *FilterIndex);
        if (ReadOnly && (ofn.Flags & win::OFN_READONLY)) *ReadOnly = vbTrue;
        return vbTrue;
    }
    noteFailure(result);
    Filename = String();
    FileTitle = String();
    Filter = String();
    flags = 0;
    FilterIndex = save ? 0 : -1;
    return vbFalse;
}

String cCommonDialog::VBGetFileTitle(ByRef<String> sFile) {
    std::string buffer(kBufferChars, '\0');
    const std::string file = toCodePage(*sFile);
    if (win::GetFileTitleA(file.c_str(), buffer.data(), kBufferChars) == 0)
        return StripAtNull(buffer);
    return String();
}

} // namespace vx
