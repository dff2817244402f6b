#pragma once
// What shows the common dialogs. The comdlg calls check and decode their records into the
// plain queries below, ask the driver, and write its reply back into the caller's record
// within the capacities the record gives. The desktop driver shows Qt's dialogs; tests
// install a scripted one.
#include "platform/comdlg.h"
#include "platform/win_types.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace vx::win {

// Every query also carries the caller's flags as given, for drivers that look further.

// How a dialog ended. A nonzero error is a failure with that extended error code.
struct DialogEnd {
    bool confirmed = false;
    DWORD error = 0;
};

struct ColorQuery {
    DWORD flags = 0;
    HWND owner = 0;
    COLORREF initial = 0;
    std::array<COLORREF, 16> custom{};
    bool fullOpen = false;        // custom-colour part shown at once
    bool preventFullOpen = false; // and the button that shows it disabled
    bool solidOnly = false;
};
struct ColorReply : DialogEnd {
    COLORREF color = 0;
    std::array<COLORREF, 16> custom{};
};

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns; // "*.txt", "*"
};
struct FileQuery {
    DWORD flags = 0;
    std::string filterList; // the caller's list, through its closing double NUL
    bool save = false;
    HWND owner = 0;
    std::string title;
    std::vector<FileFilter> filters;
    int filterIndex = 1; // 1-based
    std::string initialDir;
    std::string initialName; // folder and name as the caller's buffer held them
    std::string defaultExt;  // without the dot
    bool fileMustExist = false;
    bool pathMustExist = false;
    bool multiSelect = false;
    bool overwritePrompt = false;
    bool showReadOnly = false; // the read-only box is offered
    bool readOnly = false;     // and starts ticked
};
struct FileReply : DialogEnd {
    std::vector<std::string> files; // absolute paths; several only with multiSelect
    int filterIndex = 1;
    bool readOnly = false;
};

struct FontChoice {
    std::string face;
    int tenths = 0; // point size in tenths of a point
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};
struct FontQuery {
    DWORD flags = 0;
    LOGFONTA logFont{}; // the caller's record and point size, as given
    INT pointSize = 0;
    HWND owner = 0;
    HDC printerDC = 0; // the printer whose fonts are listed, 0 for the screen's
    bool screenFonts = true;
    bool printerFonts = false;
    bool fixedPitchOnly = false;
    bool scalableOnly = false;
    bool effects = false; // underline, strike-out and colour offered
    bool limitSize = false;
    int minSize = 0, maxSize = 0; // points
    bool hasInitial = false;
    FontChoice initial;
    COLORREF color = 0;
};
struct FontReply : DialogEnd {
    FontChoice font;
    COLORREF color = 0;
};

// A printer and its settings, as a DEVMODE and DEVNAMES carry them.
struct PrinterSetup {
    std::string device;
    std::string driver;
    std::string output;
    bool isDefault = false;
    SHORT orientation = 1; // DMORIENT_
    SHORT paperSize = 0;   // DMPAPER_, 0 when the size has no number
    SHORT paperLength = 0; // tenths of a millimetre
    SHORT paperWidth = 0;
    std::string formName;
    SHORT copies = 1;
    bool collate = false;
    SHORT printQuality = 0; // dots per inch, or a DMRES_ value
    SHORT yResolution = 0;
    SHORT color = 2;  // DMCOLOR_
    SHORT duplex = 1; // DMDUP_
};

enum class PrintRange { All, Pages, Selection, CurrentPage };

struct PrintQuery {
    DWORD flags = 0;
    HWND owner = 0;
    bool setupOnly = false;     // the print-setup dialog instead of the print dialog
    bool returnDefault = false; // no dialog: the default printer
    bool returnDC = false;
    bool warnWithoutPrinter = true;
    PrintRange range = PrintRange::All;
    bool allowPages = true;
    bool allowSelection = true;
    bool allowCurrentPage = false;
    bool showPrintToFile = true;
    bool allowPrintToFile = true;
    bool printToFile = false;
    WORD fromPage = 0, toPage = 0, minPage = 0, maxPage = 0;
    bool hasPrinter = false; // the caller's DEVMODE chose the printer and its settings
    PrinterSetup printer;
};
struct PrintReply : DialogEnd {
    PrintRange range = PrintRange::All;
    WORD fromPage = 0, toPage = 0;
    bool printToFile = false;
    PrinterSetup printer;
    HDC dc = 0; // with returnDC: a device context for the chosen printer, the caller's
};

struct PageSetupQuery {
    DWORD flags = 0;
    HWND owner = 0;
    bool returnDefault = false;
    bool inches = true; // thousandths of an inch, else hundredths of a millimetre
    bool disableMargins = false, disableOrientation = false, disablePaper = false,
         disablePrinter = false;
    bool warnWithoutPrinter = true;
    bool hasMargins = false, hasMinMargins = false;
    RECT margins, minMargins; // left, top, right, bottom in the units above
    bool hasPrinter = false;
    PrinterSetup printer;
};
struct PageSetupReply : DialogEnd {
    RECT margins;
    POINT paperSize; // in the query's units
    PrinterSetup printer;
};

class DialogDriver {
  public:
    virtual ~DialogDriver() = default;
    virtual ColorReply chooseColor(const ColorQuery& q) = 0;
    virtual FileReply chooseFile(const FileQuery& q) = 0;
    virtual FontReply chooseFont(const FontQuery& q) = 0;
    virtual PrintReply print(const PrintQuery& q) = 0;
    virtual PageSetupReply pageSetup(const PageSetupQuery& q) = 0;
    // The screen's vertical dots per inch, as fonts are measured in LOGFONT heights.
    virtual int logPixelsY() = 0;
    // A device context on the default printer, 0 when there is none. It stays valid for the
    // life of the program.
    virtual HDC defaultPrinterDC() = 0;
    // Whether a device context belongs to a printer.
    virtual bool isPrinterDC(HDC hdc) = 0;
};

// Null lets go of the driver; the desktop driver is made again on first use.
void setDialogDriver(std::unique_ptr<DialogDriver> driver);
DialogDriver& dialogDriver();

} // namespace vx::win
