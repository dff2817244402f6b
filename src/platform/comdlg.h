#pragma once
// comdlg32: the colour, file, font, print and page-setup dialogs with their published
// records and constants. Text is in the system code page (UTF-8). Pointer fields are native
// pointers; lStructSize holds the size the 32-bit system gives each record, and a call
// accepts exactly that value.
#include "platform/fonts.h" // the font weights
#include "platform/win_types.h"
#include <cstddef>

namespace vx::win {

using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using INT = std::int32_t;

// ---- colour -------------------------------------------------------------------------
inline constexpr DWORD CC_RGBINIT = 0x1;
inline constexpr DWORD CC_FULLOPEN = 0x2;
inline constexpr DWORD CC_PREVENTFULLOPEN = 0x4;
inline constexpr DWORD CC_SHOWHELP = 0x8;
inline constexpr DWORD CC_ENABLEHOOK = 0x10;
inline constexpr DWORD CC_ENABLETEMPLATE = 0x20;
inline constexpr DWORD CC_ENABLETEMPLATEHANDLE = 0x40;
inline constexpr DWORD CC_SOLIDCOLOR = 0x80;
inline constexpr DWORD CC_ANYCOLOR = 0x100;

struct CHOOSECOLORA {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;
    COLORREF* lpCustColors; // 16 entries, read and written back
    DWORD Flags;
    LPARAM lCustData;
    LPVOID lpfnHook;
    LPCSTR lpTemplateName;
};
inline constexpr DWORD sizeofCHOOSECOLORA = 36;

// ---- open and save ------------------------------------------------------------------
inline constexpr DWORD OFN_READONLY = 0x1;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
inline constexpr DWORD OFN_HIDEREADONLY = 0x4;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x8;
inline constexpr DWORD OFN_SHOWHELP = 0x10;
inline constexpr DWORD OFN_ENABLEHOOK = 0x20;
inline constexpr DWORD OFN_ENABLETEMPLATE = 0x40;
inline constexpr DWORD OFN_ENABLETEMPLATEHANDLE = 0x80;
inline constexpr DWORD OFN_NOVALIDATE = 0x100;
inline constexpr DWORD OFN_ALLOWMULTISELECT = 0x200;
inline constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x400;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
inline constexpr DWORD OFN_CREATEPROMPT = 0x2000;
inline constexpr DWORD OFN_EXPLORER = 0x80000;

struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter; // description NUL pattern NUL ... NUL
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex; // 1-based
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPVOID lpfnHook;
    LPCSTR lpTemplateName;
};
inline constexpr DWORD sizeofOPENFILENAMEA = 76;

// ---- font ---------------------------------------------------------------------------
inline constexpr int LF_FACESIZE = 32;

struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];
};
static_assert(sizeof(LOGFONTA) == 60);

inline constexpr DWORD CF_SCREENFONTS = 0x1;
inline constexpr DWORD CF_PRINTERFONTS = 0x2;
inline constexpr DWORD CF_BOTH = 0x3;
inline constexpr DWORD CF_SHOWHELP = 0x4;
inline constexpr DWORD CF_ENABLEHOOK = 0x8;
inline constexpr DWORD CF_ENABLETEMPLATE = 0x10;
inline constexpr DWORD CF_ENABLETEMPLATEHANDLE = 0x20;
inline constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x40;
inline constexpr DWORD CF_USESTYLE = 0x80;
inline constexpr DWORD CF_EFFECTS = 0x100;
inline constexpr DWORD CF_APPLY = 0x200;
inline constexpr DWORD CF_LIMITSIZE = 0x2000;
inline constexpr DWORD CF_FIXEDPITCHONLY = 0x4000;
inline constexpr DWORD CF_SCALABLEONLY = 0x20000;
inline constexpr DWORD CF_TTONLY = 0x40000;

inline constexpr WORD BOLD_FONTTYPE = 0x100;
inline constexpr WORD ITALIC_FONTTYPE = 0x200;
inline constexpr WORD REGULAR_FONTTYPE = 0x400;
inline constexpr WORD SCREEN_FONTTYPE = 0x2000;
inline constexpr WORD PRINTER_FONTTYPE = 0x4000;

struct CHOOSEFONTA {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    LOGFONTA* lpLogFont;
    INT iPointSize; // tenths of a point
    DWORD Flags;
    COLORREF rgbColors;
    LPARAM lCustData;
    LPVOID lpfnHook;
    LPCSTR lpTemplateName;
    HINSTANCE hInstance;
    LPSTR lpszStyle;
    WORD nFontType;
    WORD missingAlignment;
    INT nSizeMin;
    INT nSizeMax;
};
inline constexpr DWORD sizeofCHOOSEFONTA = 60;

// ---- printer settings ---------------------------------------------------------------
inline constexpr int CCHDEVICENAME = 32;
inline constexpr int CCHFORMNAME = 32;

struct DEVMODEA {
    char dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    SHORT dmOrientation;
    SHORT dmPaperSize;
    SHORT dmPaperLength; // tenths of a millimetre
    SHORT dmPaperWidth;
    SHORT dmScale;
    SHORT dmCopies;
    SHORT dmDefaultSource;
    SHORT dmPrintQuality;
    SHORT dmColor;
    SHORT dmDuplex;
    SHORT dmYResolution;
    SHORT dmTTOption;
    SHORT dmCollate;
    char dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
};
static_assert(offsetof(DEVMODEA, dmFields) == 40);
static_assert(offsetof(DEVMODEA, dmOrientation) == 44);
static_assert(offsetof(DEVMODEA, dmCopies) == 54);
static_assert(offsetof(DEVMODEA, dmCollate) == 68);
static_assert(offsetof(DEVMODEA, dmFormName) == 70);
static_assert(offsetof(DEVMODEA, dmBitsPerPel) == 104);
static_assert(sizeof(DEVMODEA) == 156);

inline constexpr WORD DM_SPECVERSION = 0x0401;
inline constexpr DWORD DM_ORIENTATION = 0x1;
inline constexpr DWORD DM_PAPERSIZE = 0x2;
inline constexpr DWORD DM_PAPERLENGTH = 0x4;
inline constexpr DWORD DM_PAPERWIDTH = 0x8;
inline constexpr DWORD DM_COPIES = 0x100;
inline constexpr DWORD DM_PRINTQUALITY = 0x400;
inline constexpr DWORD DM_COLOR = 0x800;
inline constexpr DWORD DM_DUPLEX = 0x1000;
inline constexpr DWORD DM_YRESOLUTION = 0x2000;
inline constexpr DWORD DM_COLLATE = 0x8000;
inline constexpr DWORD DM_FORMNAME = 0x10000;

inline constexpr SHORT DMORIENT_PORTRAIT = 1;
inline constexpr SHORT DMORIENT_LANDSCAPE = 2;
inline constexpr SHORT DMPAPER_LETTER = 1;
inline constexpr SHORT DMPAPER_A4 = 9;
inline constexpr SHORT DMRES_HIGH = -4;
inline constexpr SHORT DMCOLOR_MONOCHROME = 1;
inline constexpr SHORT DMCOLOR_COLOR = 2;
inline constexpr SHORT DMDUP_SIMPLEX = 1;
inline constexpr SHORT DMDUP_VERTICAL = 2;
inline constexpr SHORT DMDUP_HORIZONTAL = 3;
inline constexpr SHORT DMCOLLATE_FALSE = 0;
inline constexpr SHORT DMCOLLATE_TRUE = 1;

// Followed in the same block by the driver, device and output names it points at.
struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault;
};
inline constexpr WORD DN_DEFAULTPRN = 0x1;

// ---- print --------------------------------------------------------------------------
inline constexpr DWORD PD_ALLPAGES = 0x0;
inline constexpr DWORD PD_SELECTION = 0x1;
inline constexpr DWORD PD_PAGENUMS = 0x2;
inline constexpr DWORD PD_NOSELECTION = 0x4;
inline constexpr DWORD PD_NOPAGENUMS = 0x8;
inline constexpr DWORD PD_COLLATE = 0x10;
inline constexpr DWORD PD_PRINTTOFILE = 0x20;
inline constexpr DWORD PD_PRINTSETUP = 0x40;
inline constexpr DWORD PD_NOWARNING = 0x80;
inline constexpr DWORD PD_RETURNDC = 0x100;
inline constexpr DWORD PD_RETURNIC = 0x200;
inline constexpr DWORD PD_RETURNDEFAULT = 0x400;
inline constexpr DWORD PD_SHOWHELP = 0x800;
inline constexpr DWORD PD_ENABLEPRINTHOOK = 0x1000;
inline constexpr DWORD PD_ENABLESETUPHOOK = 0x2000;
inline constexpr DWORD PD_ENABLEPRINTTEMPLATE = 0x4000;
inline constexpr DWORD PD_ENABLESETUPTEMPLATE = 0x8000;
inline constexpr DWORD PD_USEDEVMODECOPIES = 0x40000;
inline constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x40000;
inline constexpr DWORD PD_DISABLEPRINTTOFILE = 0x80000;
inline constexpr DWORD PD_HIDEPRINTTOFILE = 0x100000;
inline constexpr DWORD PD_CURRENTPAGE = 0x400000;

struct PRINTDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPVOID lpfnPrintHook;
    LPVOID lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    HGLOBAL hPrintTemplate;
    HGLOBAL hSetupTemplate;
};
inline constexpr DWORD sizeofPRINTDLGA = 66;

// ---- page setup ---------------------------------------------------------------------
inline constexpr DWORD PSD_DEFAULTMINMARGINS = 0x0;
inline constexpr DWORD PSD_MINMARGINS = 0x1;
inline constexpr DWORD PSD_MARGINS = 0x2;
inline constexpr DWORD PSD_INTHOUSANDTHSOFINCHES = 0x4;
inline constexpr DWORD PSD_INHUNDREDTHSOFMILLIMETERS = 0x8;
inline constexpr DWORD PSD_DISABLEMARGINS = 0x10;
inline constexpr DWORD PSD_DISABLEPRINTER = 0x20;
inline constexpr DWORD PSD_NOWARNING = 0x80;
inline constexpr DWORD PSD_DISABLEORIENTATION = 0x100;
inline constexpr DWORD PSD_DISABLEPAPER = 0x200;
inline constexpr DWORD PSD_RETURNDEFAULT = 0x400;
inline constexpr DWORD PSD_SHOWHELP = 0x800;
inline constexpr DWORD PSD_ENABLEPAGESETUPHOOK = 0x2000;
inline constexpr DWORD PSD_ENABLEPAGESETUPTEMPLATE = 0x8000;
inline constexpr DWORD PSD_ENABLEPAGEPAINTHOOK = 0x40000;

struct PAGESETUPDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    DWORD Flags;
    POINT ptPaperSize;
    RECT rtMinMargin;
    RECT rtMargin;
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPVOID lpfnPageSetupHook;
    LPVOID lpfnPagePaintHook;
    LPCSTR lpPageSetupTemplateName;
    HGLOBAL hPageSetupTemplate;
};
inline constexpr DWORD sizeofPAGESETUPDLGA = 84;

// ---- extended errors ----------------------------------------------------------------
inline constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;
inline constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
inline constexpr DWORD CDERR_INITIALIZATION = 0x0002;
inline constexpr DWORD CDERR_NOTEMPLATE = 0x0003;
inline constexpr DWORD CDERR_NOHINSTANCE = 0x0004;
inline constexpr DWORD CDERR_LOADSTRFAILURE = 0x0005;
inline constexpr DWORD CDERR_FINDRESFAILURE = 0x0006;
inline constexpr DWORD CDERR_LOADRESFAILURE = 0x0007;
inline constexpr DWORD CDERR_LOCKRESFAILURE = 0x0008;
inline constexpr DWORD CDERR_MEMALLOCFAILURE = 0x0009;
inline constexpr DWORD CDERR_MEMLOCKFAILURE = 0x000A;
inline constexpr DWORD CDERR_NOHOOK = 0x000B;
inline constexpr DWORD PDERR_SETUPFAILURE = 0x1001;
inline constexpr DWORD PDERR_PARSEFAILURE = 0x1002;
inline constexpr DWORD PDERR_RETDEFFAILURE = 0x1003;
inline constexpr DWORD PDERR_LOADDRVFAILURE = 0x1004;
inline constexpr DWORD PDERR_GETDEVMODEFAIL = 0x1005;
inline constexpr DWORD PDERR_INITFAILURE = 0x1006;
inline constexpr DWORD PDERR_NODEVICES = 0x1007;
inline constexpr DWORD PDERR_NODEFAULTPRN = 0x1008;
inline constexpr DWORD PDERR_DNDMMISMATCH = 0x1009;
inline constexpr DWORD PDERR_CREATEICFAILURE = 0x100A;
inline constexpr DWORD PDERR_PRINTERNOTFOUND = 0x100B;
inline constexpr DWORD PDERR_DEFAULTDIFFERENT = 0x100C;
inline constexpr DWORD CFERR_NOFONTS = 0x2001;
inline constexpr DWORD CFERR_MAXLESSTHANMIN = 0x2002;
inline constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001;
inline constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// ---- calls --------------------------------------------------------------------------
// Each returns nonzero when the user confirmed; zero when the user cancelled or the call
// failed, CommDlgExtendedError telling which (0 for a cancel).
BOOL ChooseColorA(CHOOSECOLORA* lpcc);
BOOL GetOpenFileNameA(OPENFILENAMEA* lpofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* lpofn);
// 0 on success; a positive value is the buffer size needed; negative for an invalid path.
SHORT GetFileTitleA(LPCSTR lpszFile, LPSTR lpszTitle, WORD cchSize);
BOOL ChooseFontA(CHOOSEFONTA* lpcf);
BOOL PrintDlgA(PRINTDLGA* lppd);
BOOL PageSetupDlgA(PAGESETUPDLGA* lppsd);
DWORD CommDlgExtendedError();

} // namespace vx::win
