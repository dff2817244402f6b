#pragma once
// A printer whose settings the print dialogs hand on, property by property.
#include "host/vb_types.h"

namespace vx {

class PrinterObject {
  public:
    virtual ~PrinterObject() = default;
    // "Copies", "Orientation", "PaperSize", "PrintQuality". Raises a numbered error when the
    // printer refuses the value.
    virtual void SetProperty(const String& name, Integer value) = 0;
};

} // namespace vx
