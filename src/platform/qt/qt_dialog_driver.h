#pragma once
// The desktop's dialog driver: Qt's colour, file, font, print and page-setup dialogs.
#include "platform/dialog_driver.h"
#include <QWidget>

class QDialog;
class QPrinter;

namespace vx::win::qt {

class QtDialogDriver : public DialogDriver {
  public:
    ColorReply chooseColor(const ColorQuery& q) override;
    FileReply chooseFile(const FileQuery& q) override;
    FontReply chooseFont(const FontQuery& q) override;
    PrintReply print(const PrintQuery& q) override;
    PageSetupReply pageSetup(const PageSetupQuery& q) override;
    int logPixelsY() override;
    HDC defaultPrinterDC() override;
    bool isPrinterDC(HDC hdc) override;
};

// The top-level window of an owner handle, or null for none.
QWidget* ownerWidget(HWND owner);
// Runs a dialog of the caller's stack frame modally, centred on its owner; true when accepted.
bool runModal(QDialog& dlg);

// The device the PDF writer stands for in the print dialogs.
const char* pdfDeviceName();
PrinterSetup describePrinter(const QPrinter& printer);
// Points the printer at the named device and applies the settings. False when no such
// printer exists.
bool choosePrinter(QPrinter& printer, const PrinterSetup& setup);
void applySettings(QPrinter& printer, const PrinterSetup& setup);
bool havePrinters();
// A device context drawing into one page of the printer, at the screen's resolution.
HDC createPrinterDC(const QPrinter& printer);

} // namespace vx::win::qt
