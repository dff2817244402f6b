#include "platform/theme.h"
#include "platform/qt/device_context.h"
#include "platform/qt/window_table.h"
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <map>
#include <string>

namespace vx::win {
namespace {

DWORD gAppProperties = STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT;

std::map<HTHEME, QString>& themes() {
    static std::map<HTHEME, QString> t;
    return t;
}
HTHEME nextHandle = 0x40010;
std::function<void(const ThemeDrawCall&)> gObserver;

QStyle* desktopStyle() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style()
                                                                     : nullptr;
}

QStyleOptionButton pushButtonOption(int state, const QRect& r) {
    QStyleOptionButton o;
    o.rect = r;
    o.palette = QApplication::palette();
    o.state = QStyle::State_Enabled | QStyle::State_Raised;
    switch (state) {
    case PBS_HOT: o.state |= QStyle::State_MouseOver; break;
    case PBS_PRESSED: o.state = QStyle::State_Enabled | QStyle::State_Sunken; break;
    case PBS_DISABLED:
        o.state = QStyle::State_Raised;
        o.palette.setCurrentColorGroup(QPalette::Disabled);
        break;
    case PBS_DEFAULTED: o.features |= QStyleOptionButton::DefaultButton; break;
    default: break;
    }
    return o;
}

} // namespace

BOOL IsThemeActive() {
    const QStyle* s = desktopStyle();
    return s && s->name().compare(u"windows", Qt::CaseInsensitive) != 0 ? TRUE_ : FALSE_;
}

void setThemeDrawObserver(std::function<void(const ThemeDrawCall&)> observer) {
    gObserver = std::move(observer);
}

void SetThemeAppProperties(DWORD dwFlags) {
    gAppProperties = dwFlags;
}
DWORD GetThemeAppProperties() {
    return gAppProperties;
}

HTHEME OpenThemeData(HWND hwnd, const char16_t* pszClassList) {
    if (!pszClassList || !(gAppProperties & STAP_ALLOW_CONTROLS) || !IsThemeActive()) return 0;
    if (hwnd != 0 && !qt::widgetFromHandle(hwnd)) return 0;
    for (const QString& name : QString::fromUtf16(pszClassList).split(u';')) {
        if (name.trimmed().compare(u"Button", Qt::CaseInsensitive) != 0) continue;
        const HTHEME h = nextHandle;
        nextHandle += 4;
        themes()[h] = QStringLiteral("Button");
        return h;
    }
    return 0;
}

HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                            const RECT* pClipRect) {
    qt::DeviceContext* dc = qt::dcFromHandle(hdc);
    QStyle* style = desktopStyle();
    if (!themes().count(hTheme) || !dc || !style) return E_HANDLE;
    if (!pRect || iPartId != BP_PUSHBUTTON || iStateId < PBS_NORMAL || iStateId > PBS_DEFAULTED)
        return E_INVALIDARG;
    QImage* img = dc->image();
    if (!img || img->isNull()) return E_HANDLE;
    const QRect r(pRect->left, pRect->top, pRect->right - pRect->left, pRect->bottom - pRect->top);
    QRect area = r;
    QPainter p(img);
    p.translate(dc->origin);
    if (pClipRect) {
        const QRect clip(pClipRect->left, pClipRect->top, pClipRect->right - pClipRect->left,
                         pClipRect->bottom - pClipRect->top);
        p.setClipRect(clip);
        area &= clip;
    }
    const QStyleOptionButton o = pushButtonOption(iStateId, r);
    style->drawControl(QStyle::CE_PushButtonBevel, &o, &p, nullptr);
    p.end();
    area = area.translated(dc->origin) & img->rect();
    if (!area.isEmpty()) dc->changed(area);
    if (gObserver) gObserver(ThemeDrawCall{hdc, iPartId, iStateId});
    return S_OK;
}

HRESULT CloseThemeData(HTHEME hTheme) {
    if (hTheme == 0) return S_OK;
    return themes().erase(hTheme) ? S_OK : E_HANDLE;
}

} // namespace vx::win
