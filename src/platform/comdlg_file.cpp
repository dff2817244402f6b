#include "platform/comdlg_internal.h"
#include <algorithm>
#include <cstring>

namespace vx::win {
namespace {
using namespace detail;

constexpr std::size_t kMaxNameBytes = 255; // one path component on this system

std::string trimBlanks(std::string s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// "desc NUL pattern NUL ... NUL NUL"; a description without its pattern ends the list.
std::vector<FileFilter> parseFilters(const char* list) {
    std::vector<FileFilter> filters;
    if (!list) return filters;
    for (const char* p = list; *p;) {
        FileFilter f;
        f.description = p;
        p += f.description.size() + 1;
        if (!*p) break;
        const std::string patterns = p;
        p += patterns.size() + 1;
        for (std::size_t start = 0; start <= patterns.size();) {
            std::size_t end = patterns.find(';', start);
            if (end == std::string::npos) end = patterns.size();
            std::string one = trimBlanks(patterns.substr(start, end - start));
            // "*.*" is every file here too, names without a dot included.
            if (one == "*.*") one = "*";
            if (!one.empty()) f.patterns.push_back(one);
            start = end + 1;
        }
        filters.push_back(std::move(f));
    }
    return filters;
}

std::string filterListText(const char* list) {
    if (!list || !*list) return {};
    const char* p = list;
    while (p[0] || p[1]) ++p;
    return std::string(list, p + 2);
}

bool validInitialName(const std::string& name) {
    if (!isValidUtf8(name)) return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        if (end - start > kMaxNameBytes) return false;
        start = end + 1;
    }
    return true;
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extensionOf(const std::string& name) {
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool sameExtension(std::string a, std::string b) {
    const auto lower = [](std::string& s) {
        for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    };
    lower(a);
    lower(b);
    return a == b;
}

// What goes into lpstrFile: one path, or for several files the folder followed by each
// name, NUL-separated, with a final extra NUL.
std::string fileBufferText(const std::vector<std::string>& files) {
    if (files.size() == 1) return files.front();
    const std::string& first = files.front();
    std::string text = first.substr(0, std::max<std::size_t>(first.find_last_of('/'), 1));
    for (const std::string& f : files) {
        text += '\0';
        text += baseName(f);
    }
    text += '\0';
    return text;
}

void writeNeededSize(OPENFILENAMEA& ofn, std::size_t needed) {
    if (ofn.nMaxFile < 2) return;
    const auto size = static_cast<WORD>(std::min<std::size_t>(needed, 0xFFFF));
    std::memcpy(ofn.lpstrFile, &size, sizeof size);
}

BOOL runFileDialog(OPENFILENAMEA* lpofn, bool save) {
    if (!lpofn) return fail(CDERR_INITIALIZATION);
    OPENFILENAMEA& ofn = *lpofn;
    if (ofn.lStructSize != sizeofOPENFILENAMEA) return fail(CDERR_STRUCTSIZE);
    if (const DWORD e = checkCommon(ofn.hwndOwner, ofn.Flags & OFN_ENABLEHOOK,
                                    ofn.Flags & (OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE)))
        return fail(e);
    if (!ofn.lpstrFile) return fail(CDERR_INITIALIZATION);

    FileQuery q;
    q.flags = ofn.Flags;
    q.filterList = filterListText(ofn.lpstrFilter);
    q.save = save;
    q.owner = ofn.hwndOwner;
    q.initialName = boundedString(ofn.lpstrFile, ofn.nMaxFile);
    if (!validInitialName(q.initialName)) return fail(FNERR_INVALIDFILENAME);
    q.filters = parseFilters(ofn.lpstrFilter);
    q.filterIndex = ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= q.filters.size()
                        ? static_cast<int>(ofn.nFilterIndex)
                        : 1;
    q.title = cString(ofn.lpstrTitle);
    q.initialDir = cString(ofn.lpstrInitialDir);
    q.defaultExt = cString(ofn.lpstrDefExt);
    while (!q.defaultExt.empty() && q.defaultExt.front() == '.') q.defaultExt.erase(0, 1);
    q.fileMustExist = ofn.Flags & OFN_FILEMUSTEXIST;
    q.pathMustExist = (ofn.Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) != 0;
    q.multiSelect = !save && (ofn.Flags & OFN_ALLOWMULTISELECT);
    q.overwritePrompt = save && (ofn.Flags & OFN_OVERWRITEPROMPT);
    q.showReadOnly = !(ofn.Flags & OFN_HIDEREADONLY);
    q.readOnly = ofn.Flags & OFN_READONLY;

    const FileReply r = dialogDriver().chooseFile(q);
    if (r.error || !r.confirmed) return endWithoutAnswer(r);
    if (r.files.empty() || (r.files.size() > 1 && !q.multiSelect)) return fail(CDERR_DIALOGFAILURE);

    // Everything is checked before anything is written: a reply that does not fit leaves
    // the caller's buffers as they were, but for the size it needs.
    const std::string fileText = fileBufferText(r.files);
    const std::string title = baseName(r.files.front());
    if (fileText.size() + 1 > ofn.nMaxFile) {
        writeNeededSize(ofn, fileText.size() + 1);
        return fail(FNERR_BUFFERTOOSMALL);
    }
    if (ofn.lpstrFileTitle && title.size() + 1 > ofn.nMaxFileTitle)
        return fail(FNERR_BUFFERTOOSMALL);

    copyWithNul(ofn.lpstrFile, ofn.nMaxFile, fileText);
    if (ofn.lpstrFileTitle) copyWithNul(ofn.lpstrFileTitle, ofn.nMaxFileTitle, title);
    if (r.files.size() == 1) {
        const std::size_t nameAt = fileText.size() - title.size();
        const std::size_t dot = title.find_last_of('.');
        const std::size_t extAt = dot == std::string::npos  ? fileText.size()
                                  : dot + 1 == title.size() ? 0
                                                            : nameAt + dot + 1;
        ofn.nFileOffset = static_cast<WORD>(std::min<std::size_t>(nameAt, 0xFFFF));
        ofn.nFileExtension = static_cast<WORD>(std::min<std::size_t>(extAt, 0xFFFF));
    } else {
        ofn.nFileOffset = static_cast<WORD>(std::min<std::size_t>(fileText.find('\0') + 1, 0xFFFF));
        ofn.nFileExtension = 0;
    }
    ofn.nFilterIndex = static_cast<DWORD>(r.filterIndex);
    if (q.showReadOnly)
        ofn.Flags = r.readOnly ? ofn.Flags | OFN_READONLY : ofn.Flags & ~OFN_READONLY;
    const bool differs = !q.defaultExt.empty() && !sameExtension(extensionOf(title), q.defaultExt);
    ofn.Flags = differs ? ofn.Flags | OFN_EXTENSIONDIFFERENT : ofn.Flags & ~OFN_EXTENSIONDIFFERENT;
    setExtendedError(0);
    return TRUE_;
}

} // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* lpofn) {
    return runFileDialog(lpofn, false);
}
BOOL GetSaveFileNameA(OPENFILENAMEA* lpofn) {
    return runFileDialog(lpofn, true);
}

SHORT GetFileTitleA(LPCSTR lpszFile, LPSTR lpszTitle, WORD cchSize) {
    const std::string path = cString(lpszFile);
    const std::string title = baseName(path);
    const bool valid = !title.empty() && title != "." && title != ".." &&
                       title.size() <= kMaxNameBytes && isValidUtf8(title) &&
                       title.find_first_of("*?") == std::string::npos;
    if (!valid) return -1;
    if (!copyWithNul(lpszTitle, cchSize, title)) return static_cast<SHORT>(title.size() + 1);
    return 0;
}

} // namespace vx::win
