#pragma once
// Common dialogs answered by the test: each dialog kind runs a handler the test sets
// (cancel by default) and records the query it was shown with.
#include "platform/dialog_driver.h"
#include <functional>
#include <set>
#include <vector>

namespace vx::test {

class ScriptedDialogs : public win::DialogDriver {
  public:
    std::function<win::ColorReply(const win::ColorQuery&)> onColor;
    std::function<win::FileReply(const win::FileQuery&)> onFile;
    std::function<win::FontReply(const win::FontQuery&)> onFont;
    std::function<win::PrintReply(const win::PrintQuery&)> onPrint;
    std::function<win::PageSetupReply(const win::PageSetupQuery&)> onPageSetup;

    std::vector<win::ColorQuery> colorQueries;
    std::vector<win::FileQuery> fileQueries;
    std::vector<win::FontQuery> fontQueries;
    std::vector<win::PrintQuery> printQueries;
    std::vector<win::PageSetupQuery> pageSetupQueries;

    int dpi = 96;
    win::HDC printerDC = 0; // the default printer's, 0 for none
    std::set<win::HDC> printerDCs;

    win::ColorReply chooseColor(const win::ColorQuery& q) override {
        colorQueries.push_back(q);
        if (onColor) return onColor(q);
        win::ColorReply r;
        r.custom = q.custom;
        return r;
    }
    win::FileReply chooseFile(const win::FileQuery& q) override {
        fileQueries.push_back(q);
        return onFile ? onFile(q) : win::FileReply{};
    }
    win::FontReply chooseFont(const win::FontQuery& q) override {
        fontQueries.push_back(q);
        return onFont ? onFont(q) : win::FontReply{};
    }
    win::PrintReply print(const win::PrintQuery& q) override {
        printQueries.push_back(q);
        return onPrint ? onPrint(q) : win::PrintReply{};
    }
    win::PageSetupReply pageSetup(const win::PageSetupQuery& q) override {
        pageSetupQueries.push_back(q);
        return onPageSetup ? onPageSetup(q) : win::PageSetupReply{};
    }
    int logPixelsY() override { return dpi; }
    win::HDC defaultPrinterDC() override { return printerDC; }
    bool isPrinterDC(win::HDC hdc) override {
        return hdc != 0 && (hdc == printerDC || printerDCs.count(hdc) != 0);
    }

    std::size_t shown() const {
        return colorQueries.size() + fileQueries.size() + fontQueries.size() + printQueries.size() +
               pageSetupQueries.size();
    }
};

// Installs scripted dialogs for the life of a test and hands them out; the desktop's
// dialogs come back when the guard goes.
class ScriptedDialogsScope {
  public:
    ScriptedDialogsScope() {
        auto d = std::make_unique<ScriptedDialogs>();
        dialogs_ = d.get();
        win::setDialogDriver(std::move(d));
    }
    ~ScriptedDialogsScope() { win::setDialogDriver(nullptr); }
    ScriptedDialogsScope(const ScriptedDialogsScope&) = delete;
    ScriptedDialogsScope& operator=(const ScriptedDialogsScope&) = delete;
    ScriptedDialogs* operator->() const { return dialogs_; }
    ScriptedDialogs& operator*() const { return *dialogs_; }

  private:
    ScriptedDialogs* dialogs_;
};

// Replies a test hands back.
inline win::ColorReply colorChosen(const win::ColorQuery& q, win::COLORREF c) {
    win::ColorReply r;
    r.confirmed = true;
    r.color = c;
    r.custom = q.custom;
    return r;
}
inline win::FileReply fileChosen(std::vector<std::string> files, int filterIndex = 1,
                                 bool readOnly = false) {
    win::FileReply r;
    r.confirmed = true;
    r.files = std::move(files);
    r.filterIndex = filterIndex;
    r.readOnly = readOnly;
    return r;
}
template <class Reply> Reply failedWith(win::DWORD code) {
    Reply r;
    r.error = code;
    return r;
}

} // namespace vx::test
