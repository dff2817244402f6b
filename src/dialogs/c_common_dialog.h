#pragma once
// cCommonDialog: the system's colour, file, font, print and page-setup dialogs behind
// methods with plain arguments. Every argument is passed by reference and receives the
// dialog's answer; the optional ones may be left out. A method returns True when the user
// confirmed; APIReturn and ExtendedError tell how the last dialog call ended.
#include "dialogs/by_ref.h"
#include "dialogs/printer_object.h"
#include "host/font.h"
#include "host/vb_types.h"
#include "platform/comdlg.h"
#include <array>
#include <string>
#include <vector>

namespace vx {

class cCommonDialog {
  public:
    cCommonDialog() = default;

    Long APIReturn() const;
    Long ExtendedError() const;

    Boolean VBGetOpenFileName(ByRef<String> Filename, ByRef<String> FileTitle = String(),
                              ByRef<Boolean> FileMustExist = vbTrue,
                              ByRef<Boolean> MultiSelect = vbFalse,
                              ByRef<Boolean> ReadOnly = vbFalse,
                              ByRef<Boolean> HideReadOnly = vbFalse,
                              ByRef<String> Filter = kDefaultFilter, ByRef<Long> FilterIndex = 1,
                              ByRef<String> InitDir = String(), ByRef<String> DlgTitle = String(),
                              ByRef<String> DefaultExt = String(), ByRef<Long> Owner = -1,
                              ByRef<Long> flags = 0);
    Boolean VBGetSaveFileName(ByRef<String> Filename, ByRef<String> FileTitle = String(),
                              ByRef<Boolean> OverWritePrompt = vbTrue,
                              ByRef<String> Filter = kDefaultFilter, ByRef<Long> FilterIndex = 1,
                              ByRef<String> InitDir = String(), ByRef<String> DlgTitle = String(),
                              ByRef<String> DefaultExt = String(), ByRef<Long> Owner = -1,
                              ByRef<Long> flags = 0);
    String VBGetFileTitle(ByRef<String> sFile);
    Boolean VBChooseColor(ByRef<Long> Color, ByRef<Boolean> AnyColor = vbTrue,
                          ByRef<Boolean> FullOpen = vbFalse,
                          ByRef<Boolean> DisableFullOpen = vbFalse, ByRef<Long> Owner = -1,
                          ByRef<Long> flags = 0);
    Long CustomColor(Integer i);
    void CustomColor(Integer i, Long iValue);
    Boolean VBChooseFont(const FontRef& CurFont, ByRef<Long> PrinterDC = -1, ByRef<Long> Owner = -1,
                         ByRef<Long> Color = 0, ByRef<Long> MinSize = 0, ByRef<Long> MaxSize = 0,
                         ByRef<Long> flags = 0);
    Boolean VBPrintDlg(ByRef<Long> hdc, ByRef<Long> PrintRange = 0,
                       ByRef<Boolean> DisablePageNumbers = vbFalse, ByRef<Long> FromPage = 1,
                       ByRef<Long> ToPage = -1, ByRef<Boolean> DisableSelection = vbFalse,
                       ByRef<Integer> Copies = Integer{0}, ByRef<Boolean> ShowPrintToFile = vbFalse,
                       ByRef<Boolean> DisablePrintToFile = vbTrue,
                       ByRef<Boolean> PrintToFile = vbFalse, ByRef<Boolean> Collate = vbFalse,
                       ByRef<Boolean> PreventWarning = vbFalse, ByRef<Long> Owner = 0,
                       PrinterObject* Printer = nullptr, ByRef<Long> flags = 0);
    Boolean VBPageSetupDlg(ByRef<Long> Owner = 0, ByRef<Boolean> DisableMargins = vbFalse,
                           ByRef<Boolean> DisableOrientation = vbFalse,
                           ByRef<Boolean> DisablePaper = vbFalse,
                           ByRef<Boolean> DisablePrinter = vbFalse, ByRef<Long> LeftMargin = 0,
                           ByRef<Long> MinLeftMargin = 0, ByRef<Long> RightMargin = 0,
                           ByRef<Long> MinRightMargin = 0, ByRef<Long> TopMargin = 0,
                           ByRef<Long> MinTopMargin = 0, ByRef<Long> BottomMargin = 0,
                           ByRef<Long> MinBottomMargin = 0, ByRef<Long> PaperSize = 1,
                           ByRef<Long> Orientation = 1, ByRef<Long> PrintQuality = -1,
                           ByRef<Long> Units = 0, PrinterObject* Printer = nullptr,
                           ByRef<Long> flags = 0);

    static inline const String kDefaultFilter = u"All (*.*)| *.*";

  private:
    std::array<win::COLORREF, 16> CustomColors{};
    Boolean CustomColorsReady = vbFalse;
    Long lApiReturn = 0;
    Long lExtendedError = 0;
    win::DEVMODEA LastDevMode{};

    void InitCustomColors();
    // After a dialog call that did not confirm: keeps the extended error of a failure. A
    // zero result with no extended error is a cancel and changes nothing.
    void noteFailure(Long result);
    Boolean fileDialog(bool save, win::DWORD dialogFlags, ByRef<String>& Filename,
                       ByRef<String>& FileTitle, ByRef<Boolean>* ReadOnly, ByRef<String>& Filter,
                       ByRef<Long>& FilterIndex, const String& InitDir, const String& DlgTitle,
                       const String& DefaultExt, Long Owner, ByRef<Long>& flags);

    static String StripAtNull(const std::string& s);
    // Copies the first bytes of a returned DEVMODE block and releases it with its DEVNAMES.
    static void takeDevMode(win::HGLOBAL& hDevMode, win::HGLOBAL& hDevNames, win::DEVMODEA& into);
    static void passToPrinter(PrinterObject* Printer, Integer copies, const win::DEVMODEA& dm);
};

} // namespace vx
