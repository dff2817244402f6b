// Between Qt's printer and the settings a DEVMODE carries, and the printer's device
// contexts.
#include "platform/qt/device_context.h"
#include "platform/qt/qt_dialog_driver.h"
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>
#include <set>

namespace vx::win::qt {
namespace {

std::set<HDC>& printerDCs() {
    static std::set<HDC> s;
    return s;
}

SHORT tenthsOfMm(double mm) {
    return static_cast<SHORT>(std::lround(mm * 10.0));
}

} // namespace

const char* pdfDeviceName() {
    return "Print to File (PDF)";
}

bool havePrinters() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

PrinterSetup describePrinter(const QPrinter& printer) {
    PrinterSetup s;
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
    s.device = pdf ? pdfDeviceName() : printer.printerName().toUtf8().toStdString();
    s.driver = pdf ? "pdf" : "cups";
    s.output = (pdf ? printer.outputFileName() : printer.printerName()).toUtf8().toStdString();
    s.isDefault = !pdf && printer.printerName() == QPrinterInfo::defaultPrinterName();

    const QPageLayout layout = printer.pageLayout();
    s.orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    const QPageSize page = layout.pageSize();
    s.paperSize = static_cast<SHORT>(page.windowsId());
    const QSizeF mm = page.size(QPageSize::Millimeter);
    s.paperWidth = tenthsOfMm(mm.width());
    s.paperLength = tenthsOfMm(mm.height());
    s.formName = page.name().toUtf8().toStdString();

    s.copies = static_cast<SHORT>(std::clamp(printer.copyCount(), 1, 0x7FFF));
    s.collate = printer.collateCopies();
    s.printQuality = static_cast<SHORT>(std::clamp(printer.resolution(), 1, 0x7FFF));
    s.yResolution = s.printQuality;
    s.color = printer.colorMode() == QPrinter::Color ? 2 : 1;
    switch (printer.duplex()) {
    case QPrinter::DuplexShortSide: s.duplex = 3; break;
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto: s.duplex = 2; break;
    case QPrinter::DuplexNone: s.duplex = 1; break;
    }
    return s;
}

bool choosePrinter(QPrinter& printer, const PrinterSetup& setup) {
    if (setup.device == pdfDeviceName()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        if (!setup.output.empty()) printer.setOutputFileName(QString::fromStdString(setup.output));
        return true;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(setup.device));
    if (info.isNull()) return false;
    printer.setPrinterName(info.printerName());
    return true;
}

void applySettings(QPrinter& printer, const PrinterSetup& setup) {
    if (setup.paperSize > 0) {
        const QPageSize page(QPageSize::id(setup.paperSize));
        if (page.isValid()) printer.setPageSize(page);
    } else if (setup.paperWidth > 0 && setup.paperLength > 0) {
        printer.setPageSize(QPageSize(QSizeF(setup.paperWidth / 10.0, setup.paperLength / 10.0),
                                      QPageSize::Millimeter));
    }
    printer.setPageOrientation(setup.orientation == 2 ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait);
    printer.setCopyCount(std::max<int>(setup.copies, 1));
    printer.setCollateCopies(setup.collate);
    printer.setColorMode(setup.color == 1 ? QPrinter::GrayScale : QPrinter::Color);
    printer.setDuplex(setup.duplex == 3   ? QPrinter::DuplexShortSide
                      : setup.duplex == 2 ? QPrinter::DuplexLongSide
                                          : QPrinter::DuplexNone);
}

HDC createPrinterDC(const QPrinter& printer) {
    const QRect page = printer.pageLayout().fullRectPixels(96);
    auto image =
        std::make_unique<QImage>(page.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image->fill(Qt::white);
    const HDC dc = createScreenDC(std::move(image));
    printerDCs().insert(dc);
    return dc;
}

HDC QtDialogDriver::defaultPrinterDC() {
    static HDC dc = 0;
    if (dc && dcFromHandle(dc)) return dc;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return 0;
    QPrinter printer(info);
    dc = createPrinterDC(printer);
    return dc;
}

bool QtDialogDriver::isPrinterDC(HDC hdc) {
    return printerDCs().count(hdc) != 0 && dcFromHandle(hdc) != nullptr;
}

} // namespace vx::win::qt
