#include "dialogs/c_common_dialog.h"
#include "platform/system.h"

namespace vx {

Long cCommonDialog::APIReturn() const {
    return lApiReturn;
}

Long cCommonDialog::ExtendedError() const {
    return lExtendedError;
}

Long cCommonDialog::CustomColor(Integer i) {
    if (!CustomColorsReady) InitCustomColors();
    if (i < 0 || i > 15) return -1;
    return static_cast<Long>(CustomColors[i]);
}

void cCommonDialog::CustomColor(Integer i, Long iValue) {
    if (!CustomColorsReady) InitCustomColors();
    if (i < 0 || i > 15) return;
    CustomColors[i] = static_cast<win::COLORREF>(iValue);
}

void cCommonDialog::InitCustomColors() {
    for (int i = 0; i < 16; ++i) CustomColors[i] = win::GetSysColor(i);
    CustomColorsReady = vbTrue;
}

void cCommonDialog::noteFailure(Long result) {
    const auto e = static_cast<Long>(win::CommDlgExtendedError());
    if (result != 0 || e != 0) lExtendedError = e;
}

Boolean cCommonDialog::VBChooseColor(ByRef<Long> Color, ByRef<Boolean> AnyColor,
                                     ByRef<Boolean> FullOpen, ByRef<Boolean> DisableFullOpen,
                                     ByRef<Long> Owner, ByRef<Long> /*flags*/) {
    // The dialog's flags come from the other arguments alone; extra caller flags are not
    // merged.
    win::CHOOSECOLORA cc{};
    cc.lStructSize = win::sizeofCHOOSECOLORA;
    if (*Owner != -1) cc.hwndOwner = *Owner;
    cc.rgbResult = static_cast<win::COLORREF>(*Color);
    cc.lpCustColors = CustomColors.data();
    cc.Flags = win::CC_RGBINIT | (*AnyColor ? win::CC_ANYCOLOR : win::CC_SOLIDCOLOR) |
               (*FullOpen ? win::CC_FULLOPEN : 0) |
               (*DisableFullOpen ? win::CC_PREVENTFULLOPEN : 0);
    if (!CustomColorsReady) InitCustomColors();

    const win::BOOL result = win::ChooseColorA(&cc);
    lApiReturn = result;
    if (result == 1) {
        Color = static_cast<Long>(cc.rgbResult);
        return vbTrue;
    }
    noteFailure(result);
    Color = -1;
    return vbFalse;
}

} // namespace vx
