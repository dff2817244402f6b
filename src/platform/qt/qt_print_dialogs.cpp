#include "platform/comdlg.h"
#include "platform/qt/qt_dialog_driver.h"
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

namespace vx::win::qt {
namespace {

QAbstractPrintDialog::PrintRange toQtRange(PrintRange r) {
    switch (r) {
    case PrintRange::Pages: return QAbstractPrintDialog::PageRange;
    case PrintRange::Selection: return QAbstractPrintDialog::Selection;
    case PrintRange::CurrentPage: return QAbstractPrintDialog::CurrentPage;
    case PrintRange::All: break;
    }
    return QAbstractPrintDialog::AllPages;
}

PrintRange fromQtRange(QAbstractPrintDialog::PrintRange r) {
    switch (r) {
    case QAbstractPrintDialog::PageRange: return PrintRange::Pages;
    case QAbstractPrintDialog::Selection: return PrintRange::Selection;
    case QAbstractPrintDialog::CurrentPage: return PrintRange::CurrentPage;
    case QAbstractPrintDialog::AllPages: break;
    }
    return PrintRange::All;
}

// The printer a dialog starts from: the caller's, else the default one, else (with no
// printer installed) the PDF writer, which the print dialog offers as a file.
DWORD preparePrinter(QPrinter& printer, bool hasPrinter, const PrinterSetup& setup) {
    if (hasPrinter && !choosePrinter(printer, setup)) return PDERR_PRINTERNOTFOUND;
    if (!hasPrinter && !havePrinters()) printer.setOutputFormat(QPrinter::PdfFormat);
    applySettings(printer, setup);
    return 0;
}

void disableGroupOf(QDialog& dlg, const char* childName) {
    if (auto* child = dlg.findChild<QWidget*>(childName))
        if (auto* group = qobject_cast<QGroupBox*>(child->parentWidget())) group->setEnabled(false);
}

} // namespace

PrintReply QtDialogDriver::print(const PrintQuery& q) {
    PrintReply r;
    if (q.returnDefault) {
        if (QPrinterInfo::defaultPrinter().isNull()) {
            r.error = PDERR_NODEFAULTPRN;
            return r;
        }
        QPrinter printer(QPrinterInfo::defaultPrinter());
        r.confirmed = true;
        r.printer = describePrinter(printer);
        if (q.returnDC) r.dc = createPrinterDC(printer);
        return r;
    }

    QPrinter printer;
    if ((r.error = preparePrinter(printer, q.hasPrinter, q.printer))) return r;
    if (q.setupOnly) {
        QPageSetupDialog dlg(&printer, ownerWidget(q.owner));
        r.confirmed = runModal(dlg);
    } else {
        const int minPage = std::max<int>(q.minPage, 1);
        const int maxPage = std::max<int>(q.maxPage, minPage);
        const int from = std::clamp<int>(q.fromPage, minPage, maxPage);
        const int to = std::clamp<int>(q.toPage, from, maxPage);
        printer.setFromTo(from, to);
        if (q.printToFile && q.allowPrintToFile) printer.setOutputFormat(QPrinter::PdfFormat);

        QPrintDialog dlg(&printer, ownerWidget(q.owner));
        QAbstractPrintDialog::PrintDialogOptions options =
            QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize;
        // Without a printer the PDF writer is the one device there is.
        if ((q.showPrintToFile && q.allowPrintToFile) || !havePrinters())
            options |= QAbstractPrintDialog::PrintToFile;
        if (q.allowSelection) options |= QAbstractPrintDialog::PrintSelection;
        if (q.allowPages) options |= QAbstractPrintDialog::PrintPageRange;
        if (q.allowCurrentPage) options |= QAbstractPrintDialog::PrintCurrentPage;
        dlg.setOptions(options);
        dlg.setMinMax(minPage, maxPage);
        dlg.setPrintRange(toQtRange(q.range));
        r.confirmed = runModal(dlg);
        if (r.confirmed) {
            r.range = fromQtRange(dlg.printRange());
            r.fromPage = static_cast<WORD>(printer.fromPage() ? printer.fromPage() : from);
            r.toPage = static_cast<WORD>(printer.toPage() ? printer.toPage() : to);
            r.printToFile = q.showPrintToFile && q.allowPrintToFile &&
                            printer.outputFormat() == QPrinter::PdfFormat;
        }
    }
    if (!r.confirmed) return r;
    r.printer = describePrinter(printer);
    if (q.returnDC) r.dc = createPrinterDC(printer);
    return r;
}

PageSetupReply QtDialogDriver::pageSetup(const PageSetupQuery& q) {
    PageSetupReply r;
    QPrinter printer;
    if (q.returnDefault) {
        if (QPrinterInfo::defaultPrinter().isNull()) {
            r.error = PDERR_NODEFAULTPRN;
            return r;
        }
        printer.setPrinterName(QPrinterInfo::defaultPrinterName());
    } else if ((r.error = preparePrinter(printer, q.hasPrinter, q.printer))) {
        return r;
    }

    const QPageLayout::Unit unit = q.inches ? QPageLayout::Inch : QPageLayout::Millimeter;
    const double factor = q.inches ? 1000.0 : 100.0;
    const auto toMargins = [factor](const RECT& m) {
        return QMarginsF(m.left / factor, m.top / factor, m.right / factor, m.bottom / factor);
    };
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(unit);
    if (q.hasMinMargins) layout.setMinimumMargins(toMargins(q.minMargins));
    if (q.hasMargins) {
        // Margins the page cannot hold are brought within what it can.
        const QMarginsF lo = layout.minimumMargins(), hi = layout.maximumMargins();
        const QMarginsF m = toMargins(q.margins);
        layout.setMargins(QMarginsF(std::clamp(m.left(), lo.left(), hi.left()),
                                    std::clamp(m.top(), lo.top(), hi.top()),
                                    std::clamp(m.right(), lo.right(), hi.right()),
                                    std::clamp(m.bottom(), lo.bottom(), hi.bottom())));
    }
    printer.setPageLayout(layout);

    if (q.returnDefault) {
        r.confirmed = true;
    } else {
        QPageSetupDialog dlg(&printer, ownerWidget(q.owner));
        if (q.disableMargins) disableGroupOf(dlg, "topMargin");
        if (q.disableOrientation) disableGroupOf(dlg, "portrait");
        if (q.disablePaper) disableGroupOf(dlg, "pageSizeCombo");
        r.confirmed = runModal(dlg);
    }
    if (!r.confirmed) return r;

    const QPageLayout chosen = printer.pageLayout();
    const QMarginsF m = chosen.margins(unit);
    const auto scaled = [factor](double v) { return static_cast<LONG>(std::lround(v * factor)); };
    r.margins = {scaled(m.left()), scaled(m.top()), scaled(m.right()), scaled(m.bottom())};
    const QRectF paper = chosen.fullRect(unit);
    r.paperSize = {scaled(paper.width()), scaled(paper.height())};
    r.printer = describePrinter(printer);
    return r;
}

} // namespace vx::win::qt
