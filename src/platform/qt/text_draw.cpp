#include "platform/text_draw.h"
#include "platform/qt/device_context.h"
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace vx::win {
namespace {

QColor fromColorRef(COLORREF c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
COLORREF toColorRef(const QColor& c) {
    return static_cast<COLORREF>(c.red()) | static_cast<COLORREF>(c.green()) << 8 |
           static_cast<COLORREF>(c.blue()) << 16;
}

// One line as it is drawn: prefix characters taken out, the underlined positions noted.
struct Line {
    QString text;
    std::vector<int> underlined;
};

// The flags that stay meaningful when bits 8-15 hold a tab length.
UINT effectiveFlags(UINT format) {
    return format & DT_TABSTOP ? format & ~0xFF00u : format;
}

int tabLength(UINT format) {
    const int n = format & DT_TABSTOP ? static_cast<int>((format >> 8) & 0xFF) : 8;
    return n > 0 ? n : 8;
}

std::vector<QString> hardLines(const QString& s, bool singleLine) {
    if (singleLine) {
        QString one = s;
        one.remove(QChar(u'\r'));
        one.remove(QChar(u'\n'));
        return {one};
    }
    std::vector<QString> lines;
    QString cur;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\r' || c == u'\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
        } else {
            cur += c;
        }
    }
    lines.push_back(cur);
    return lines;
}

Line takePrefixes(const QString& s, UINT flags) {
    Line line;
    if (flags & DT_NOPREFIX) {
        line.text = s;
        return line;
    }
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'&') {
            line.text += s[i];
        } else if (i + 1 < s.size() && s[i + 1] == u'&') {
            line.text += u'&';
            ++i;
        } else if (i + 1 < s.size() && !(flags & DT_HIDEPREFIX)) {
            line.underlined.push_back(static_cast<int>(line.text.size()));
        }
    }
    return line;
}

class Measure {
  public:
    Measure(const QFont& f, QPaintDevice* device, UINT format)
        : fm_(f, device), expandTabs_(effectiveFlags(format) & DT_EXPANDTABS),
          tabChars_(tabLength(format)), face_(f, device->logicalDpiY()),
          tallest_(tallestOf(face_, fm_)), device_(device) {}

    // How far the tallest letters the program writes reach above the baseline: some faces
    // place stacked Vietnamese marks above their nominal ascent.
    int tallest() const { return tallest_; }

    // The pen position after the first n characters; tabs advance to the next stop when
    // expanded and take no room otherwise.
    int advance(const QString& s, qsizetype n) const {
        int x = 0;
        qsizetype start = 0;
        for (qsizetype i = 0; i < n; ++i) {
            if (s[i] != u'\t') continue;
            x += plainWidth(s.mid(start, i - start));
            if (expandTabs_) {
                const int tab = tabChars_ * std::max(1, fm_.averageCharWidth());
                x = (x / tab + 1) * tab;
            }
            start = i + 1;
        }
        return x + plainWidth(s.mid(start, n - start));
    }
    int width(const QString& s) const { return advance(s, s.size()); }
    const QFontMetrics& fm() const { return fm_; }

    // Draws a piece with its baseline at `at`, from its kept shaping; the glyphs and their
    // places are what QPainter::drawText would put there.
    void draw(QPainter& p, QPoint at, const QString& s) const {
        static Remembered<std::shared_ptr<QTextLayout>> known;
        // A layout holds on to its font engines; they go before Qt's font machinery does.
        [[maybe_unused]] static const bool cleared = (qAddPostRoutine([] { known.clear(); }), true);
        const QTextLayout& layout = *remember(known, s, 64, [&] {
            auto l = std::make_shared<QTextLayout>(s, face_.first, device_);
            QTextOption option;
            option.setWrapMode(QTextOption::NoWrap);
            option.setTextDirection(Qt::LeftToRight); // as the painter's default direction
            l->setTextOption(option);
            l->setCacheEnabled(true);
            l->beginLayout();
            l->createLine();
            l->endLayout();
            return l;
        });
        layout.draw(&p, QPointF(at.x(), at.y() - layout.lineAt(0).ascent()));
    }

    // Tab-separated pieces of a line with their pen positions.
    template <class F> void eachPiece(const QString& s, F&& f) const {
        qsizetype start = 0;
        for (qsizetype i = 0; i <= s.size(); ++i) {
            if (i < s.size() && s[i] != u'\t') continue;
            if (i > start) f(s.mid(start, i - start), advance(s, start));
            start = i + 1;
        }
    }

  private:
    using Face = std::pair<QFont, int>; // a font at a resolution

    // Shaping a line costs more than all the rest of drawing it, and the program writes the
    // same few lines again and again (the ticker swaps two), so what shaping gives (widths,
    // layouts) is remembered per face and text. The memory is bounded: it starts afresh when
    // full.
    template <class V> using Remembered = QHash<std::pair<Face, QString>, V>;
    template <class V, class Make>
    const V& remember(Remembered<V>& known, const QString& s, qsizetype limit, Make&& make) const {
        std::pair<Face, QString> key{face_, s};
        auto it = known.constFind(key);
        if (it == known.cend()) {
            if (known.size() >= limit) known.clear();
            it = known.insert(std::move(key), make());
        }
        return *it;
    }

    int plainWidth(const QString& s) const {
        if (s.isEmpty()) return 0;
        static Remembered<int> known;
        return remember(known, s, 512, [&] { return fm_.horizontalAdvance(s); });
    }

    static constexpr char16_t kTallest[] = u"\u1EA4\u1EAA\u1EC4\u1ED6\u1EEE\u00C1\u0110";
    // Once per face: shaping these letters costs as much as a line.
    static int tallestOf(const Face& face, const QFontMetrics& fm) {
        static QHash<Face, int> known;
        if (const auto it = known.constFind(face); it != known.cend()) return *it;
        const int tallest =
            std::max(fm.ascent(), -fm.tightBoundingRect(QString::fromUtf16(kTallest)).top());
        known.insert(face, tallest);
        return tallest;
    }
    QFontMetrics fm_;
    bool expandTabs_;
    int tabChars_;
    Face face_;
    int tallest_;
    QPaintDevice* device_;
};

// Greedy breaks at spaces; a word wider than the rectangle keeps a line of its own.
std::vector<Line> wrap(const Line& line, int maxWidth, const Measure& m) {
    const QString& s = line.text;
    std::vector<std::pair<qsizetype, qsizetype>> ranges;
    qsizetype start = 0;
    do {
        qsizetype end = -1, i = start;
        while (i < s.size() || end < 0) {
            qsizetype j = i;
            while (j < s.size() && s[j] != u' ') ++j;
            if (end >= 0 && m.width(s.mid(start, j - start)) > maxWidth) break;
            end = j;
            i = j;
            while (i < s.size() && s[i] == u' ') ++i;
            if (i >= s.size()) break;
        }
        ranges.emplace_back(start, end);
        start = end;
        while (start < s.size() && s[start] == u' ') ++start;
    } while (start < s.size());

    std::vector<Line> out;
    for (auto [a, b] : ranges) {
        Line part{s.mid(a, b - a), {}};
        for (int u : line.underlined)
            if (u >= a && u < b) part.underlined.push_back(static_cast<int>(u - a));
        out.push_back(std::move(part));
    }
    return out;
}

} // namespace

int DrawTextW(HDC hdc, const char16_t* lpchText, int cchText, RECT* lprc, UINT format) {
    qt::DeviceContext* dc = qt::dcFromHandle(hdc);
    if (!dc || !lpchText || !lprc || cchText < -1) return 0;
    QImage* img = dc->image();
    if (!img || img->isNull()) return 0;

    const UINT flags = effectiveFlags(format);
    const bool single = flags & DT_SINGLELINE;
    const qsizetype count = cchText == -1 ? std::char_traits<char16_t>::length(lpchText) : cchText;
    const QString text = QString::fromUtf16(lpchText, count);
    const Measure m(dc->font, img, format);
    const RECT r = *lprc;

    std::vector<Line> lines;
    for (const QString& hard : hardLines(text, single)) {
        const Line l = takePrefixes(hard, flags);
        if (!single && (flags & DT_WORDBREAK)) {
            for (Line& part : wrap(l, r.right - r.left, m)) lines.push_back(std::move(part));
        } else {
            lines.push_back(l);
        }
    }

    const int lineHeight =
        m.fm().height() + (flags & DT_EXTERNALLEADING ? std::max(0, m.fm().leading()) : 0);
    const int total = text.isEmpty() ? 0 : lineHeight * static_cast<int>(lines.size());
    int maxWidth = 0;
    for (const Line& l : lines) maxWidth = std::max(maxWidth, m.width(l.text));

    if (flags & DT_CALCRECT) {
        lprc->right = lprc->left + (text.isEmpty() ? 0 : maxWidth);
        lprc->bottom = lprc->top + total;
        return total;
    }
    if (text.isEmpty()) return 0;

    int y = r.top;
    if (single && (flags & DT_VCENTER))
        y = r.top + (r.bottom - r.top - lineHeight) / 2;
    else if (single && (flags & DT_BOTTOM))
        y = r.bottom - lineHeight;
    // Top-aligned text is lowered into spare room below so that tall marks are not cut off;
    // its first line's box still starts at the top.
    int lowered = 0;
    if (!(single && (flags & (DT_VCENTER | DT_BOTTOM))))
        lowered =
            std::clamp(m.tallest() - m.fm().ascent(), 0, std::max(0, r.bottom - r.top - total));
    y += lowered;
    const int firstTop = y;

    QPainter p(img);
    p.translate(dc->origin);
    p.setFont(dc->font);
    p.setPen(dc->textColor);
    const QRect clip(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (!(flags & DT_NOCLIP)) p.setClipRect(clip);
    QRect drawn;
    for (const Line& l : lines) {
        const int w = m.width(l.text);
        int x = r.left;
        if (flags & DT_CENTER)
            x = r.left + (r.right - r.left - w) / 2;
        else if (flags & DT_RIGHT)
            x = r.right - w;
        const QRect box(x, y - lowered, w, lineHeight + lowered);
        lowered = 0;
        if (dc->bkMode == qt::OPAQUE_) p.fillRect(box, dc->backColor);
        const int baseline = y + m.fm().ascent();
        if (!(flags & DT_PREFIXONLY))
            m.eachPiece(l.text, [&](const QString& piece, int at) {
                m.draw(p, QPoint(x + at, baseline), piece);
            });
        for (int u : l.underlined) {
            const int x0 = m.advance(l.text, u), x1 = m.advance(l.text, u + 1);
            p.fillRect(QRect(x + x0, baseline + std::max(1, m.fm().underlinePos()), x1 - x0,
                             std::max(1, m.fm().lineWidth())),
                       dc->textColor);
        }
        drawn |= box;
        y += lineHeight;
    }
    p.end();
    if (!(flags & DT_NOCLIP)) drawn &= clip;
    drawn = drawn.translated(dc->origin) & img->rect();
    if (!drawn.isEmpty()) dc->changed(drawn);

    if (single && (flags & (DT_VCENTER | DT_BOTTOM))) return firstTop + lineHeight - r.top;
    return total;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    qt::DeviceContext* dc = qt::dcFromHandle(hdc);
    if (!dc) return CLR_INVALID;
    const COLORREF old = toColorRef(dc->textColor);
    dc->textColor = fromColorRef(color);
    return old;
}

COLORREF GetTextColor(HDC hdc) {
    qt::DeviceContext* dc = qt::dcFromHandle(hdc);
    return dc ? toColorRef(dc->textColor) : CLR_INVALID;
}

} // namespace vx::win
