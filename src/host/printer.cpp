#include "host/printer.h"
#include "platform/dialog_driver.h"

namespace vx::Printer {

Long hDC() {
    return win::dialogDriver().defaultPrinterDC();
}

} // namespace vx::Printer
