#include "platform/comdlg_internal.h"
#include <algorithm>

namespace vx::win {

BOOL ChooseColorA(CHOOSECOLORA* lpcc) {
    using namespace detail;
    if (!lpcc) return fail(CDERR_INITIALIZATION);
    CHOOSECOLORA& cc = *lpcc;
    if (cc.lStructSize != sizeofCHOOSECOLORA) return fail(CDERR_STRUCTSIZE);
    if (const DWORD e = checkCommon(cc.hwndOwner, cc.Flags & CC_ENABLEHOOK,
                                    cc.Flags & (CC_ENABLETEMPLATE | CC_ENABLETEMPLATEHANDLE)))
        return fail(e);
    if (!cc.lpCustColors) return fail(CDERR_INITIALIZATION);

    ColorQuery q;
    q.flags = cc.Flags;
    q.owner = cc.hwndOwner;
    q.initial = (cc.Flags & CC_RGBINIT) ? cc.rgbResult & 0x00FFFFFF : 0;
    std::copy_n(cc.lpCustColors, q.custom.size(), q.custom.begin());
    q.fullOpen = cc.Flags & CC_FULLOPEN;
    q.preventFullOpen = cc.Flags & CC_PREVENTFULLOPEN;
    q.solidOnly = (cc.Flags & CC_SOLIDCOLOR) && !(cc.Flags & CC_ANYCOLOR);

    const ColorReply r = dialogDriver().chooseColor(q);
    if (r.error) return fail(r.error);
    // The custom colours the user defined stay, whichever button closed the dialog.
    std::copy(r.custom.begin(), r.custom.end(), cc.lpCustColors);
    if (!r.confirmed) return endWithoutAnswer(r);
    cc.rgbResult = r.color & 0x00FFFFFF;
    setExtendedError(0);
    return TRUE_;
}

} // namespace vx::win
