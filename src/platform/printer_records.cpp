// The DEVMODE and DEVNAMES blocks that carry a printer and its settings between the print
// dialogs and their callers.
#include "platform/comdlg_internal.h"
#include "platform/memory.h"
#include <algorithm>
#include <cstring>

namespace vx::win::detail {
namespace {

constexpr DWORD kFieldsWritten = DM_ORIENTATION | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                                 DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX | DM_YRESOLUTION |
                                 DM_COLLATE | DM_FORMNAME;
// Through dmCollate: the smallest DEVMODE worth reading.
constexpr std::size_t kMinDevMode = offsetof(DEVMODEA, dmFormName);

DWORD readDevMode(HGLOBAL h, PrinterSetup& out) {
    const SIZE_T size = GlobalSize(h);
    const void* p = GlobalLock(h);
    if (!p) return CDERR_MEMLOCKFAILURE;
    DEVMODEA dm{};
    std::memcpy(&dm, p, std::min<std::size_t>(size, sizeof dm));
    GlobalUnlock(h);
    if (size < kMinDevMode) return CDERR_INITIALIZATION;

    out.device = boundedString(dm.dmDeviceName, CCHDEVICENAME);
    if (dm.dmFields & DM_ORIENTATION) out.orientation = dm.dmOrientation;
    if (dm.dmFields & DM_PAPERSIZE) out.paperSize = dm.dmPaperSize;
    if (dm.dmFields & DM_PAPERLENGTH) out.paperLength = dm.dmPaperLength;
    if (dm.dmFields & DM_PAPERWIDTH) out.paperWidth = dm.dmPaperWidth;
    if (dm.dmFields & DM_COPIES) out.copies = dm.dmCopies;
    if (dm.dmFields & DM_COLLATE) out.collate = dm.dmCollate == DMCOLLATE_TRUE;
    if (dm.dmFields & DM_PRINTQUALITY) out.printQuality = dm.dmPrintQuality;
    if (dm.dmFields & DM_YRESOLUTION) out.yResolution = dm.dmYResolution;
    if (dm.dmFields & DM_COLOR) out.color = dm.dmColor;
    if (dm.dmFields & DM_DUPLEX) out.duplex = dm.dmDuplex;
    if ((dm.dmFields & DM_FORMNAME) && size >= offsetof(DEVMODEA, dmLogPixels))
        out.formName = boundedString(dm.dmFormName, CCHFORMNAME);
    return 0;
}

DWORD readDevNames(HGLOBAL h, PrinterSetup& out) {
    const SIZE_T size = GlobalSize(h);
    const auto* p = static_cast<const char*>(GlobalLock(h));
    if (!p) return CDERR_MEMLOCKFAILURE;
    DWORD error = 0;
    if (size < sizeof(DEVNAMES)) {
        error = CDERR_INITIALIZATION;
    } else {
        DEVNAMES dn;
        std::memcpy(&dn, p, sizeof dn);
        // Every offset must point inside the block; the names end at their NUL or the block.
        const auto name = [&](WORD offset, std::string& to) {
            if (offset < sizeof(DEVNAMES) || offset >= size) {
                error = CDERR_INITIALIZATION;
                return;
            }
            to = boundedString(p + offset, size - offset);
        };
        name(dn.wDriverOffset, out.driver);
        std::string device;
        name(dn.wDeviceOffset, device);
        name(dn.wOutputOffset, out.output);
        if (!error && !out.device.empty() && !device.empty() &&
            out.device.substr(0, CCHDEVICENAME - 1) != device.substr(0, CCHDEVICENAME - 1))
            error = PDERR_DNDMMISMATCH;
        if (!error && !device.empty()) out.device = device;
        out.isDefault = (dn.wDefault & DN_DEFAULTPRN) != 0;
    }
    GlobalUnlock(h);
    return error;
}

DEVMODEA toDevMode(const PrinterSetup& s) {
    DEVMODEA dm{};
    copyFixed(dm.dmDeviceName, CCHDEVICENAME, s.device);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmSize = sizeof(DEVMODEA);
    dm.dmFields = kFieldsWritten | (s.paperSize ? DM_PAPERSIZE : 0);
    dm.dmOrientation = s.orientation;
    dm.dmPaperSize = s.paperSize;
    dm.dmPaperLength = s.paperLength;
    dm.dmPaperWidth = s.paperWidth;
    dm.dmScale = 100;
    dm.dmCopies = s.copies;
    dm.dmPrintQuality = s.printQuality;
    dm.dmColor = s.color;
    dm.dmDuplex = s.duplex;
    dm.dmYResolution = s.yResolution;
    dm.dmCollate = s.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    copyFixed(dm.dmFormName, CCHFORMNAME, s.formName);
    return dm;
}

} // namespace

DWORD readPrinterSetup(HGLOBAL hDevMode, HGLOBAL hDevNames, PrinterSetup& out, bool& hasPrinter) {
    hasPrinter = false;
    if (hDevMode)
        if (const DWORD e = readDevMode(hDevMode, out)) return e;
    if (hDevNames)
        if (const DWORD e = readDevNames(hDevNames, out)) return e;
    hasPrinter = !out.device.empty();
    return 0;
}

DWORD writePrinterSetup(const PrinterSetup& setup, HGLOBAL& hDevMode, HGLOBAL& hDevNames) {
    const DEVMODEA dm = toDevMode(setup);
    const std::string_view device = utf8Prefix(setup.device, CCHDEVICENAME - 1);
    const std::size_t namesSize =
        sizeof(DEVNAMES) + setup.driver.size() + device.size() + setup.output.size() + 3;
    if (namesSize > 0xFFFF) return CDERR_INITIALIZATION; // offsets are 16-bit

    // The caller's DEVMODE block is reused when it can hold the record.
    HGLOBAL modeBlock = hDevMode;
    if (!modeBlock || GlobalSize(modeBlock) < sizeof(DEVMODEA))
        modeBlock = GlobalAlloc(GHND, sizeof(DEVMODEA));
    const HGLOBAL namesBlock = GlobalAlloc(GHND, namesSize);
    void* mode = modeBlock ? GlobalLock(modeBlock) : nullptr;
    auto* names = namesBlock ? static_cast<char*>(GlobalLock(namesBlock)) : nullptr;
    if (!mode || !names) {
        if (mode) GlobalUnlock(modeBlock);
        if (names) GlobalUnlock(namesBlock);
        if (modeBlock != hDevMode) GlobalFree(modeBlock);
        GlobalFree(namesBlock);
        return CDERR_MEMALLOCFAILURE;
    }
    std::memcpy(mode, &dm, sizeof dm);
    GlobalUnlock(modeBlock);

    DEVNAMES dn{};
    std::size_t at = sizeof(DEVNAMES);
    const auto put = [&](std::string_view s) {
        const auto offset = static_cast<WORD>(at);
        std::memcpy(names + at, s.data(), s.size());
        names[at + s.size()] = '\0';
        at += s.size() + 1;
        return offset;
    };
    dn.wDriverOffset = put(setup.driver);
    dn.wDeviceOffset = put(device);
    dn.wOutputOffset = put(setup.output);
    dn.wDefault = setup.isDefault ? DN_DEFAULTPRN : 0;
    std::memcpy(names, &dn, sizeof dn);
    GlobalUnlock(namesBlock);

    if (hDevMode && hDevMode != modeBlock) GlobalFree(hDevMode);
    if (hDevNames) GlobalFree(hDevNames);
    hDevMode = modeBlock;
    hDevNames = namesBlock;
    return 0;
}

} // namespace vx::win::detail
