// Draws the artwork of the picture store (pictures/*.png) with QPainter.
//
// Usage: draw_pictures OUTPUT_FOLDER
//
// Every picture is vector-drawn, anti-aliased, on a transparent background
// (except the two sampled colour pictures, which are opaque), so that the
// same drawing code gives the small (64 px) and the large (96 px) set of the
// bar and button pictures.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRectF>
#include <QString>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace {

QString g_out;
int g_failures = 0;

QImage canvas(int w, int h, QColor fill = Qt::transparent) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(fill);
    return img;
}

void save(const QImage& img, const QString& name) {
    const QString path = g_out + "/" + name;
    if (!img.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++g_failures;
    }
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPen pen(QColor c, double w) {
    QPen pn(c, w);
    pn.setCapStyle(Qt::RoundCap);
    pn.setJoinStyle(Qt::RoundJoin);
    return pn;
}

QLinearGradient vgrad(double y0, double y1, QColor top, QColor bottom) {
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// ---------------------------------------------------------------------------
// Palette of the pictograms
// ---------------------------------------------------------------------------
const QColor kGreen("#34A853"), kGreenLight("#5CC878"), kGreenDark("#1E7A3A");
const QColor kRed("#DC3B3B"), kRedLight("#F06464"), kRedDark("#9E2222");
const QColor kBlue("#2F7FD1"), kBlueLight("#5BA4EC"), kBlueDark("#1D558F");
const QColor kOrange("#EF8A2C"), kOrangeLight("#F8AC5A"), kOrangeDark("#B35E12");
const QColor kSlate("#66778A"), kSlateLight("#8A9AAB"), kSlateDark("#3E4B59");
const QColor kBrown("#9A6A43"), kBrownLight("#BD8B60"), kBrownDark("#5E3D22");
const QColor kInk("#2F3842");

// A thick stroke drawn twice: a dark rim, then the colour.
void boldStroke(QPainter& p, const QPainterPath& path, QColor rim, QColor fill, double width,
                double rimWidth) {
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(rim, width + 2 * rimWidth));
    p.drawPath(path);
    p.setPen(pen(fill, width));
    p.drawPath(path);
}

// Block arrow pointing right inside the 64-unit design square.
QPainterPath rightArrowShape() {
    QPainterPath a;
    a.moveTo(6, 21);
    a.lineTo(33, 21);
    a.lineTo(33, 7);
    a.lineTo(59, 32);
    a.lineTo(33, 57);
    a.lineTo(33, 43);
    a.lineTo(6, 43);
    a.closeSubpath();
    return a;
}

QPainterPath mirrored(const QPainterPath& path) {
    QTransform t;
    t.translate(64, 0);
    t.scale(-1, 1);
    return t.map(path);
}

void fillArrow(QPainter& p, const QPainterPath& shape, QColor light, QColor base, QColor dark) {
    p.setPen(pen(dark, 2.6));
    p.setBrush(vgrad(7, 57, light, base));
    p.drawPath(shape);
}

// ---------------------------------------------------------------------------
// Bar and button pictures, drawn in a 64 x 64 design square
// ---------------------------------------------------------------------------

void drawNo(QPainter& p) {  // 10: a red cross
    QPainterPath x;
    x.moveTo(17, 17);
    x.lineTo(47, 47);
    x.moveTo(47, 17);
    x.lineTo(17, 47);
    boldStroke(p, x, kRedDark, kRed, 10, 2.2);
    QPainterPath hi;
    hi.moveTo(18.5, 17.5);
    hi.lineTo(27, 26);
    p.setPen(pen(QColor(255, 255, 255, 110), 2.5));
    p.drawPath(hi);
}

void drawTable(QPainter& p) {  // 11: a restaurant table with two chairs
    // chairs
    auto chair = [&](bool left) {
        QPainterPath c;
        if (left) {
            c.addRoundedRect(QRectF(4, 14, 5, 42), 2, 2);       // back
            c.addRoundedRect(QRectF(4, 35, 15, 5), 2, 2);       // seat
            c.addRoundedRect(QRectF(15, 38, 4, 18), 1.5, 1.5);  // front leg
        } else {
            c.addRoundedRect(QRectF(55, 14, 5, 42), 2, 2);
            c.addRoundedRect(QRectF(45, 35, 15, 5), 2, 2);
            c.addRoundedRect(QRectF(45, 38, 4, 18), 1.5, 1.5);
        }
        c.setFillRule(Qt::WindingFill);
        p.setPen(pen(kSlateDark, 1.6));
        p.setBrush(kSlate);
        p.drawPath(c.simplified());
    };
    chair(true);
    chair(false);
    // table: cloth-covered top, pedestal and foot
    p.setPen(pen(kBrownDark, 1.8));
    p.setBrush(vgrad(45, 57, kBrownLight, kBrown));
    p.drawRoundedRect(QRectF(29, 32, 6, 22), 1.5, 1.5);
    p.drawRoundedRect(QRectF(22, 52, 20, 5), 2.5, 2.5);
    QPainterPath cloth;
    cloth.moveTo(17, 25);
    cloth.lineTo(47, 25);
    cloth.lineTo(49, 36);
    cloth.quadTo(32, 39, 15, 36);
    cloth.closeSubpath();
    p.setPen(pen(kRedDark, 1.8));
    p.setBrush(vgrad(25, 38, QColor("#F36B6B"), kRed));
    p.drawPath(cloth);
    p.setPen(pen(QColor(255, 255, 255, 150), 1.2));
    p.drawLine(QPointF(18, 27.5), QPointF(46, 27.5));
    // a plate and a glass on it
    p.setPen(pen(QColor("#8C96A0"), 1.2));
    p.setBrush(QColor("#FFFFFF"));
    p.drawEllipse(QRectF(20, 20.5, 14, 5));
    QPainterPath glass;
    glass.moveTo(38, 11);
    glass.lineTo(46, 11);
    glass.quadTo(46, 19, 42, 19.5);
    glass.quadTo(38, 19, 38, 11);
    p.setPen(pen(kBlueDark, 1.3));
    p.setBrush(QColor("#CFE6FA"));
    p.drawPath(glass);
    p.drawLine(QPointF(42, 19.5), QPointF(42, 24.5));
    p.drawLine(QPointF(39.5, 24.6), QPointF(44.5, 24.6));
}

void drawEnd(QPainter& p) {  // 12: the power symbol
    p.setPen(pen(kRedDark, 1.0));
    p.setBrush(QColor("#FDECEC"));
    p.drawEllipse(QRectF(4, 4, 56, 56));
    QPainterPath sym;
    const QRectF r(15, 16, 34, 34);
    sym.arcMoveTo(r, 120);
    sym.arcTo(r, 120, 300);
    sym.moveTo(32, 10);
    sym.lineTo(32, 31);
    boldStroke(p, sym, kRedDark, kRed, 6.5, 1.6);
}

void drawForkKnife(QPainter& p, double cx, double top, double bottom, double scale, QColor colour) {
    // fork on the left of cx, knife on the right
    const double fx = cx - 6 * scale, kx = cx + 6 * scale;
    const double tine = (bottom - top) * 0.30;
    p.setPen(pen(colour, 2.2 * scale));
    p.setBrush(Qt::NoBrush);
    for (double dx : {-3.2, 0.0, 3.2})
        p.drawLine(QPointF(fx + dx * scale, top), QPointF(fx + dx * scale, top + tine));
    QPainterPath neck;
    neck.moveTo(fx - 3.2 * scale, top + tine);
    neck.quadTo(fx - 3.2 * scale, top + tine + 5 * scale, fx, top + tine + 5 * scale);
    neck.quadTo(fx + 3.2 * scale, top + tine + 5 * scale, fx + 3.2 * scale, top + tine);
    p.drawPath(neck);
    p.setPen(pen(colour, 3.2 * scale));
    p.drawLine(QPointF(fx, top + tine + 5 * scale), QPointF(fx, bottom));
    QPainterPath blade;
    blade.moveTo(kx - 1.6 * scale, bottom);
    blade.lineTo(kx - 1.6 * scale, top + 2 * scale);
    blade.quadTo(kx + 4.5 * scale, top + 4 * scale, kx + 3.2 * scale, top + (bottom - top) * 0.55);
    blade.lineTo(kx + 0.8 * scale, top + (bottom - top) * 0.58);
    blade.lineTo(kx + 0.8 * scale, bottom);
    blade.closeSubpath();
    p.setPen(pen(colour, 1.4 * scale));
    p.setBrush(colour);
    p.drawPath(blade);
}

void drawFamilies(QPainter& p) {  // 13: the menu card
    p.setPen(pen(QColor("#6E1C1E"), 2.0));
    p.setBrush(vgrad(5, 59, QColor("#C9474A"), QColor("#9C2D30")));
    p.drawRoundedRect(QRectF(12, 5, 40, 54), 4, 4);
    // spine
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawRect(QRectF(13, 6, 5, 52));
    p.setPen(pen(QColor("#F0CD74"), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(21, 9, 27, 46), 2.5, 2.5);
    drawForkKnife(p, 34.5, 15, 49, 1.0, QColor("#FFF3D6"));
}

void drawYes(QPainter& p) {  // 14: a green check mark
    QPainterPath c;
    c.moveTo(13, 34);
    c.lineTo(26, 47);
    c.lineTo(51, 18);
    boldStroke(p, c, kGreenDark, kGreen, 10, 2.2);
    QPainterPath hi;
    hi.moveTo(27, 44);
    hi.lineTo(49, 19);
    p.setPen(pen(QColor(255, 255, 255, 90), 2.2));
    p.drawPath(hi);
}

void drawServer(QPainter& p) {  // 15: a waiter carrying a tray
    const QColor skin("#F2C6A0"), skinDark("#B98A64"), suit("#2E3440"), hair("#4A3222");
    // body
    QPainterPath body;
    body.moveTo(8, 62);
    body.lineTo(9, 44);
    body.quadTo(10, 34, 20, 33);
    body.lineTo(34, 33);
    body.quadTo(43, 34, 44, 44);
    body.lineTo(45, 62);
    body.closeSubpath();
    p.setPen(pen(QColor("#151A20"), 1.6));
    p.setBrush(suit);
    p.drawPath(body);
    // shirt front
    QPainterPath shirt;
    shirt.moveTo(21, 33);
    shirt.lineTo(33, 33);
    shirt.lineTo(27, 50);
    shirt.closeSubpath();
    p.setPen(pen(QColor("#AAB2BA"), 1.0));
    p.setBrush(QColor("#FFFFFF"));
    p.drawPath(shirt);
    // bow tie
    QPainterPath bow;
    bow.moveTo(27, 36.5);
    bow.lineTo(22, 33.5);
    bow.lineTo(22, 39.5);
    bow.closeSubpath();
    bow.moveTo(27, 36.5);
    bow.lineTo(32, 33.5);
    bow.lineTo(32, 39.5);
    bow.closeSubpath();
    p.setPen(pen(kRedDark, 0.9));
    p.setBrush(kRed);
    p.drawPath(bow);
    // neck and head
    p.setPen(pen(skinDark, 1.4));
    p.setBrush(skin);
    p.drawRoundedRect(QRectF(24, 27, 6, 7), 2, 2);
    p.drawEllipse(QRectF(18, 9, 18, 20));
    // hair
    QPainterPath hr;
    hr.moveTo(18.3, 19);
    hr.cubicTo(17, 8, 37, 6, 35.7, 18);
    hr.cubicTo(31, 13, 24, 13, 18.3, 19);
    p.setPen(pen(hair, 1.0));
    p.setBrush(hair);
    p.drawPath(hr);
    // raised arm and hand
    QPainterPath arm;
    arm.moveTo(40, 37);
    arm.lineTo(50, 29);
    arm.lineTo(51, 21);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor("#151A20"), 7.5));
    p.drawPath(arm);
    p.setPen(pen(suit, 5.2));
    p.drawPath(arm);
    p.setPen(pen(skinDark, 1.2));
    p.setBrush(skin);
    p.drawEllipse(QRectF(47.5, 17, 7, 6));
    // tray and cloche
    p.setPen(pen(QColor("#5E6A76"), 1.4));
    p.setBrush(vgrad(13, 17, QColor("#E3E8ED"), QColor("#A9B3BD")));
    p.drawRoundedRect(QRectF(38, 14, 24, 3.6), 1.8, 1.8);
    QPainterPath dome;
    dome.moveTo(41, 14);
    dome.cubicTo(41, 3.5, 59, 3.5, 59, 14);
    dome.closeSubpath();
    p.setBrush(vgrad(4, 14, QColor("#F7F9FB"), QColor("#B4BEC8")));
    p.drawPath(dome);
    p.setBrush(QColor("#8893A0"));
    p.drawEllipse(QRectF(48.5, 3.2, 3, 3));
}

void drawKeyboardIcon(QPainter& p) {  // 16: a keyboard
    p.setPen(pen(QColor("#232A32"), 2.0));
    p.setBrush(vgrad(14, 50, QColor("#5C6875"), QColor("#3C4651")));
    p.drawRoundedRect(QRectF(3, 15, 58, 35), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#EEF1F4"));
    const double kw = 4.6, gap = 1.4;
    for (int row = 0; row < 3; ++row) {
        const double y = 19.5 + row * 6.4;
        const double x0 = 7.5 + row * 1.6;
        const int n = row == 2 ? 7 : 8;
        for (int i = 0; i < n; ++i) p.drawRoundedRect(QRectF(x0 + i * (kw + gap), y, kw, 4.6), 1, 1);
    }
    p.drawRoundedRect(QRectF(17, 39.3, 30, 5.2), 1.2, 1.2);
    p.setBrush(QColor("#9FD3A8"));
    p.drawRoundedRect(QRectF(52.5, 32.6, 5, 11.9), 1, 1);
}

void drawNext(QPainter& p) {  // 17: forward arrow
    fillArrow(p, rightArrowShape(), kBlueLight, kBlue, kBlueDark);
}

void drawPrevious(QPainter& p) {  // 18: back arrow
    fillArrow(p, mirrored(rightArrowShape()), kBlueLight, kBlue, kBlueDark);
}

void drawEraser(QPainter& p) {  // 19: clear the entry
    // wiped trace
    p.setPen(pen(QColor("#9AA6B2"), 2.4));
    p.drawLine(QPointF(6, 57), QPointF(22, 57));
    p.setPen(pen(QColor("#C3CBD3"), 2.0));
    p.drawLine(QPointF(26, 57), QPointF(34, 57));
    p.save();
    p.translate(34, 31);
    p.rotate(-38);
    QPainterPath body;
    body.addRoundedRect(QRectF(-23, -10, 46, 20), 4, 4);
    p.setPen(pen(QColor("#3F4650"), 2.0));
    p.setBrush(QColor("#FFFFFF"));
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(vgrad(-10, 10, QColor("#F8B9C7"), QColor("#E98AA1")));
    p.drawRect(QRectF(-23, -10, 20, 20));
    p.setBrush(vgrad(-10, 10, QColor("#6EA3E6"), QColor("#3F7AC8")));
    p.drawRect(QRectF(-1, -10, 24, 20));
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRect(QRectF(-23, -10, 46, 5));
    p.restore();
    p.setPen(pen(QColor("#3F4650"), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.drawLine(QPointF(-2, -10), QPointF(-2, 10));
    p.restore();
}

// 20 and 21: the plus and minus arrows
void drawPlusArrow(QPainter& p) {
    fillArrow(p, rightArrowShape(), kGreenLight, kGreen, kGreenDark);
    p.setPen(pen(QColor("#FFFFFF"), 6.0));
    p.drawLine(QPointF(21, 32), QPointF(41, 32));
    p.drawLine(QPointF(31, 22), QPointF(31, 42));
}

void drawMinusArrow(QPainter& p) {
    fillArrow(p, mirrored(rightArrowShape()), kOrangeLight, kOrange, kOrangeDark);
    p.setPen(pen(QColor("#FFFFFF"), 6.0));
    p.drawLine(QPointF(23, 32), QPointF(43, 32));
}

void drawNote(QPainter& p) {  // 22: the note pad of the order
    p.setPen(pen(QColor("#A98A2A"), 1.8));
    p.setBrush(vgrad(10, 58, QColor("#FFF2B3"), QColor("#FFE27A")));
    p.drawRoundedRect(QRectF(11, 9, 38, 50), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#7B8794"));
    p.drawRoundedRect(QRectF(11, 8, 38, 7), 2, 2);
    p.setPen(pen(QColor("#4C5560"), 1.6));
    p.setBrush(QColor("#FFFFFF"));
    for (double x : {17.0, 24.0, 31.0, 38.0, 45.0}) p.drawRoundedRect(QRectF(x - 1.6, 4.5, 3.2, 7), 1.6, 1.6);
    p.setPen(pen(QColor("#C4A24A"), 2.0));
    for (double y : {23.0, 30.0, 37.0, 44.0, 51.0}) p.drawLine(QPointF(17, y), QPointF(y > 40 ? 32 : 43, y));
    // pencil
    p.save();
    p.translate(46, 39);
    p.rotate(122);
    p.setPen(pen(QColor("#4C3A20"), 1.4));
    p.setBrush(QColor("#F29BB0"));
    p.drawRoundedRect(QRectF(-20, -4.2, 6, 8.4), 1.5, 1.5);
    p.setBrush(QColor("#B8C0C8"));
    p.drawRect(QRectF(-15, -4.2, 3, 8.4));
    p.setBrush(vgrad(-4, 4, QColor("#F9B54C"), QColor("#E08A14")));
    p.drawRect(QRectF(-12, -4.2, 22, 8.4));
    QPainterPath tip;
    tip.moveTo(10, -4.2);
    tip.lineTo(19, 0);
    tip.lineTo(10, 4.2);
    tip.closeSubpath();
    p.setBrush(QColor("#F4D9AE"));
    p.drawPath(tip);
    QPainterPath lead;
    lead.moveTo(16, -1.4);
    lead.lineTo(19, 0);
    lead.lineTo(16, 1.4);
    lead.closeSubpath();
    p.setBrush(QColor("#3A3A3A"));
    p.drawPath(lead);
    p.restore();
}

void paperPlane(QPainter& p, QColor wingTop, QColor wingBottom, QColor fold, QColor rim, bool motion) {
    const QPointF nose(59, 7), left(5, 29), mid(25, 38), tail(34, 59), inner(29, 44);
    if (motion) {
        p.setPen(pen(QColor("#8FB3D9"), 2.4));
        p.drawLine(QPointF(5, 46), QPointF(15, 42));
        p.drawLine(QPointF(7, 55), QPointF(20, 49));
    }
    QPolygonF top({nose, left, mid});
    QPolygonF bottom({nose, mid, tail});
    QPolygonF flap({mid, inner, QPointF(25, 52)});
    p.setPen(pen(rim, 2.2));
    p.setBrush(wingBottom);
    p.drawPolygon(bottom);
    p.setBrush(fold);
    p.drawPolygon(flap);
    p.setBrush(wingTop);
    p.drawPolygon(top);
}

void drawSend(QPainter& p) {  // 23: send the order
    paperPlane(p, QColor("#EAF4FE"), QColor("#5EA3E6"), QColor("#3B7FC4"), kBlueDark, true);
}

void drawValidate(QPainter& p) {  // 24: validate / done
    p.setPen(pen(kGreenDark, 2.2));
    QRadialGradient g(26, 22, 34);
    g.setColorAt(0, kGreenLight);
    g.setColorAt(1, kGreen);
    p.setBrush(g);
    p.drawEllipse(QRectF(5, 5, 54, 54));
    QPainterPath c;
    c.moveTo(18, 33);
    c.lineTo(28, 43);
    c.lineTo(46, 22);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(0, 0, 0, 50), 8.0));
    p.translate(0, 1);
    p.drawPath(c);
    p.translate(0, -1);
    p.setPen(pen(QColor("#FFFFFF"), 7.0));
    p.drawPath(c);
}

void drawDetails(QPainter& p) {  // 25: the detail list
    p.setPen(pen(QColor("#6D7A87"), 1.8));
    p.setBrush(QColor("#FFFFFF"));
    p.drawRoundedRect(QRectF(10, 5, 44, 54), 4, 4);
    for (int i = 0; i < 3; ++i) {
        const double y = 13 + i * 15;
        p.setPen(pen(QColor("#6D7A87"), 1.6));
        p.setBrush(QColor("#F4F6F8"));
        p.drawRoundedRect(QRectF(15, y, 10, 10), 2, 2);
        if (i < 2) {
            QPainterPath t;
            t.moveTo(17, y + 5);
            t.lineTo(20, y + 8);
            t.lineTo(26, y + 0.5);
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(kGreen, 2.6));
            p.drawPath(t);
        }
        p.setPen(pen(QColor("#9AA6B2"), 3.0));
        p.drawLine(QPointF(31, y + 5), QPointF(48, y + 5));
    }
}

void drawGear(QPainter& p) {  // 26: a gear (generic)
    QPainterPath gear;
    const double cx = 32, cy = 32;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = (i / double(teeth * 4)) * 2 * M_PI - M_PI / 2 - M_PI / (teeth * 4.0) * 1.5;
        const double r = (i % 4 == 0 || i % 4 == 1) ? 26.0 : 19.0;
        const QPointF pt(cx + r * std::cos(a), cy + r * std::sin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(cx, cy), 8, 8);
    p.setPen(pen(kSlateDark, 2.0));
    p.setBrush(vgrad(6, 58, kSlateLight, kSlate));
    p.drawPath(gear.subtracted(hole));
}

void drawClose(QPainter& p) {  // 27: close, a cross in a circle
    p.setPen(pen(kSlateDark, 2.2));
    p.setBrush(vgrad(5, 59, kSlateLight, kSlate));
    p.drawEllipse(QRectF(5, 5, 54, 54));
    p.setPen(pen(QColor("#FFFFFF"), 7.0));
    p.drawLine(QPointF(22, 22), QPointF(42, 42));
    p.drawLine(QPointF(42, 22), QPointF(22, 42));
}

void drawScreenFormat(QPainter& p) {  // 28: the screen format (monitor and tablet)
    p.setPen(pen(QColor("#232A32"), 1.8));
    p.setBrush(QColor("#3C4652"));
    p.drawRoundedRect(QRectF(3, 7, 48, 34), 3, 3);
    p.setBrush(vgrad(11, 37, QColor("#D6ECFC"), QColor("#8EC3EE")));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(7, 11, 40, 26));
    p.setPen(pen(QColor("#232A32"), 1.6));
    p.setBrush(QColor("#5B6673"));
    p.drawRect(QRectF(23, 41, 8, 6));
    p.drawRoundedRect(QRectF(15, 47, 24, 4), 2, 2);
    // tablet in front
    p.setPen(pen(QColor("#151A20"), 1.8));
    p.setBrush(QColor("#2E3640"));
    p.drawRoundedRect(QRectF(39, 21, 22, 38), 3.5, 3.5);
    p.setPen(Qt::NoPen);
    p.setBrush(vgrad(25, 53, QColor("#E2F5E8"), QColor("#96D5AA")));
    p.drawRect(QRectF(42, 25, 16, 28));
    p.setBrush(QColor("#8893A0"));
    p.drawEllipse(QRectF(48.7, 54.5, 2.6, 2.6));
}

void drawStar(QPainter& p) {  // 29: a star (generic)
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = (i % 2 == 0) ? 27.0 : 11.5;
        star << QPointF(32 + r * std::cos(a), 34 + r * std::sin(a));
    }
    p.setPen(pen(QColor("#B7861A"), 2.2));
    p.setBrush(vgrad(7, 60, QColor("#FFE07A"), QColor("#F2B51F")));
    p.drawPolygon(star);
}

void drawSendOffline(QPainter& p) {  // 30: send while the network folder is unreachable
    paperPlane(p, QColor("#F5F7FA"), QColor("#DDE3EA"), QColor("#C9D1DA"), QColor("#9AA6B2"), false);
    // red badge in the lower right corner, away from the centre
    p.setPen(pen(QColor("#FFFFFF"), 2.0));
    p.setBrush(kRed);
    p.drawEllipse(QRectF(41, 41, 21, 21));
    p.setPen(pen(QColor("#FFFFFF"), 3.2));
    p.drawLine(QPointF(47, 47), QPointF(56, 56));
    p.drawLine(QPointF(56, 47), QPointF(47, 56));
}

void drawClock(QPainter& p) {  // 31: a clock (generic)
    p.setPen(pen(kSlateDark, 3.0));
    p.setBrush(QColor("#FFFFFF"));
    p.drawEllipse(QRectF(6, 6, 52, 52));
    p.setPen(pen(kSlate, 2.4));
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        const double r0 = (i % 3 == 0) ? 18.5 : 21.0;
        p.drawLine(QPointF(32 + r0 * std::cos(a), 32 + r0 * std::sin(a)),
                   QPointF(32 + 23 * std::cos(a), 32 + 23 * std::sin(a)));
    }
    p.setPen(pen(kInk, 3.6));
    p.drawLine(QPointF(32, 32), QPointF(32, 17));
    p.setPen(pen(kRed, 3.0));
    p.drawLine(QPointF(32, 32), QPointF(43, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(32, 32), 3, 3);
}

void drawTakeAway(QPainter& p) {  // 32: the quick table 999 (one cover, take-away)
    QPainterPath handle;
    handle.moveTo(24, 22);
    handle.cubicTo(24, 8, 40, 8, 40, 22);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(kBrownDark, 3.4));
    p.drawPath(handle);
    QPainterPath bag;
    bag.moveTo(13, 20);
    bag.lineTo(51, 20);
    bag.lineTo(54, 59);
    bag.lineTo(10, 59);
    bag.closeSubpath();
    p.setPen(pen(QColor("#8A5A2E"), 2.0));
    p.setBrush(vgrad(20, 59, QColor("#E8BE86"), QColor("#CE9A5C")));
    p.drawPath(bag);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 30));
    p.drawRect(QRectF(13.3, 20.5, 37.4, 4));
    p.setPen(pen(QColor("#FFFFFF"), 1.4));
    p.setBrush(QColor("#FFFFFF"));
    p.drawEllipse(QRectF(21, 29, 22, 22));
    drawForkKnife(p, 32, 32.5, 47.5, 0.62, QColor("#8A5A2E"));
}

void drawBar(int number, int size, const std::function<void(QPainter&)>& draw) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    prepare(p);
    p.scale(size / 64.0, size / 64.0);
    draw(p);
    p.end();
    save(img, QString("bt_coul_%1.png").arg(number));
}

// ---------------------------------------------------------------------------
// Key colour pictures 0 to 9
// ---------------------------------------------------------------------------
void drawKeyColours() {
    const char* bases[10] = {
        "#E3E5E8",  // 0 neutral light grey
        "#A3C8F0",  // 1 blue
        "#B2E0A8",  // 2 green
        "#F8E68E",  // 3 yellow
        "#F9BD7C",  // 4 orange
        "#F2958F",  // 5 red
        "#CDB8EC",  // 6 violet
        "#93D6CD",  // 7 teal
        "#F3B2DC",  // 8 pink
        "#CFAE8A",  // 9 brown
    };
    for (int d = 0; d < 10; ++d) {
        const QColor base(bases[d]);
        QImage img = canvas(160, 120);
        QPainter p(&img);
        prepare(p);
        const QRectF r(1.5, 1.5, 157, 117);
        p.setPen(pen(base.darker(165), 2.0));
        p.setBrush(vgrad(0, 120, base.lighter(110), base.darker(104)));
        p.drawRoundedRect(r, 14, 14);
        // soft top sheen
        QLinearGradient sheen(0, 3, 0, 50);
        sheen.setColorAt(0, QColor(255, 255, 255, 75));
        sheen.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(sheen);
        p.drawRoundedRect(QRectF(5, 4, 150, 48), 11, 11);
        p.end();
        save(img, QString("bt_coul_%1.png").arg(d));
    }
}

// ---------------------------------------------------------------------------
// Frame pieces of the dialogs, 12 x 12: a band whose profile runs from the
// outer edge (0) to the inner edge (11).
// ---------------------------------------------------------------------------
void drawFramePieces() {
    const QColor profile[12] = {
        QColor("#1E2833"), QColor("#3A4A5C"), QColor("#44566A"), QColor("#4B5E73"),
        QColor("#4B5E73"), QColor("#46596D"), QColor("#405266"), QColor("#364657"),
        QColor("#9FB4CA"), QColor("#C4D3E2"), QColor("#3A4A5C"), QColor("#2A3644"),
    };
    // d(x, y) = depth of the pixel into the band, 0 at the outer edge
    const std::function<int(int, int)> depth[8] = {
        [](int x, int y) { return std::min(x, y); },            // 0 top-left
        [](int x, int y) { return std::min(11 - x, y); },       // 1 top-right
        [](int x, int y) { return std::min(11 - x, 11 - y); },  // 2 bottom-right
        [](int x, int y) { return std::min(x, 11 - y); },       // 3 bottom-left
        [](int x, int) { return x; },                           // 4 left edge
        [](int, int y) { return y; },                           // 5 top edge
        [](int x, int) { return 11 - x; },                      // 6 right edge
        [](int, int y) { return 11 - y; },                      // 7 bottom edge
    };
    for (int k = 0; k < 8; ++k) {
        QImage img = canvas(12, 12);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) img.setPixelColor(x, y, profile[depth[k](x, y)]);
        save(img, QString("ccbm_%1.png").arg(k));
    }
}

// ---------------------------------------------------------------------------
// Emblems
// ---------------------------------------------------------------------------
void drawCloche(QPainter& p, QRectF box) {
    // box: the area of the cloche and its plate, in the unit square scaled to it
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 120.0, box.height() / 80.0);
    // plate
    p.setPen(pen(QColor("#5E6A76"), 2.0));
    p.setBrush(vgrad(62, 74, QColor("#F3F5F7"), QColor("#B5BFC9")));
    p.drawEllipse(QRectF(6, 60, 108, 14));
    // dome
    QPainterPath dome;
    dome.moveTo(18, 65);
    dome.cubicTo(18, 18, 102, 18, 102, 65);
    dome.closeSubpath();
    QLinearGradient g(18, 0, 102, 0);
    g.setColorAt(0, QColor("#C4CDD6"));
    g.setColorAt(0.35, QColor("#F8FAFC"));
    g.setColorAt(1, QColor("#97A3AF"));
    p.setBrush(g);
    p.drawPath(dome);
    // rim of the dome
    p.setBrush(vgrad(61, 67, QColor("#D9A441"), QColor("#A8761E")));
    p.setPen(pen(QColor("#7A5414"), 1.4));
    p.drawRoundedRect(QRectF(15, 61.5, 90, 5.5), 2.7, 2.7);
    // knob
    p.setPen(pen(QColor("#7A5414"), 1.4));
    p.setBrush(vgrad(16, 30, QColor("#F0C25A"), QColor("#B8841F")));
    p.drawEllipse(QRectF(53, 17, 14, 10));
    p.drawRect(QRectF(57.5, 25, 5, 5));
    // sheen
    QPainterPath shine;
    shine.moveTo(33, 56);
    shine.cubicTo(31, 44, 37, 36, 47, 33);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(255, 255, 255, 200), 4.0));
    p.drawPath(shine);
    p.restore();
}

void drawIclogo() {
    QImage img = canvas(120, 80);
    QPainter p(&img);
    prepare(p);
    drawCloche(p, QRectF(0, 0, 120, 80));
    // steam
    p.setPen(pen(QColor("#9FB0C2"), 2.6));
    p.setBrush(Qt::NoBrush);
    for (double x : {44.0, 76.0}) {
        QPainterPath s;
        s.moveTo(x, 22);
        s.cubicTo(x - 5, 16, x + 5, 11, x, 4);
        p.drawPath(s);
    }
    p.end();
    save(img, "iclogo.png");
}

void drawLogo() {
    const int S = 512;
    QImage img = canvas(S, S);
    QPainter p(&img);
    prepare(p);
    const QColor navy("#2F4A6B"), gold("#C8963E");
    const QPointF c(256, 300);
    // plate
    QRadialGradient plate(c, 196);
    plate.setColorAt(0, QColor("#FFFFFF"));
    plate.setColorAt(0.72, QColor("#FFFFFF"));
    plate.setColorAt(0.80, QColor("#F1F3F6"));
    plate.setColorAt(1, QColor("#DCE2E9"));
    p.setPen(pen(navy, 9));
    p.setBrush(plate);
    p.drawEllipse(c, 190, 190);
    p.setPen(pen(gold, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 176, 176);
    p.setPen(pen(QColor("#D3DAE2"), 4));
    p.drawEllipse(c, 140, 140);
    {
        // fork
        const double fx = 34, top = 150, bottom = 450;
        p.setPen(pen(navy, 8));
        for (double dx : {-13.0, 0.0, 13.0}) p.drawLine(QPointF(fx + dx, top), QPointF(fx + dx, top + 78));
        QPainterPath neck;
        neck.moveTo(fx - 13, top + 78);
        neck.quadTo(fx - 13, top + 100, fx, top + 100);
        neck.quadTo(fx + 13, top + 100, fx + 13, top + 78);
        p.drawPath(neck);
        p.setPen(pen(navy, 13));
        p.drawLine(QPointF(fx, top + 100), QPointF(fx, bottom));
        // knife
        const double kx = 478;
        QPainterPath blade;
        blade.moveTo(kx - 6, bottom);
        blade.lineTo(kx - 6, top + 4);
        blade.quadTo(kx + 20, top + 20, kx + 14, top + 170);
        blade.lineTo(kx + 5, top + 176);
        blade.lineTo(kx + 5, bottom);
        blade.closeSubpath();
        p.setPen(pen(navy, 4));
        p.setBrush(navy);
        p.drawPath(blade);
        p.setPen(pen(navy, 13));
        p.drawLine(QPointF(kx, top + 180), QPointF(kx, bottom));
    }
    // The plate's middle stays plain: the server's name and the product title
    // are laid over it by the home view.
    p.end();
    save(img, "logo.png");
}

// ---------------------------------------------------------------------------
// Ticks, check boxes, message-box picture
// ---------------------------------------------------------------------------
void drawTicks() {
    auto box = [](QPainter& p, QColor fill, QColor rim) {
        p.setPen(pen(rim, 2.0));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 4, 4);
    };
    auto tick = [](QPainter& p, QColor rim, QColor colour, double w) {
        QPainterPath t;
        t.moveTo(8, 16.5);
        t.lineTo(14, 22.5);
        t.lineTo(26, 8);
        boldStroke(p, t, rim, colour, w, rim.alpha() ? 1.2 : 0);
    };
    {
        QImage img = canvas(32, 32);
        QPainter p(&img);
        prepare(p);
        box(p, QColor("#FFFFFF"), QColor("#8A96A3"));
        tick(p, kGreenDark, kGreen, 4.2);
        p.end();
        save(img, "valid.png");
    }
    {
        QImage img = canvas(32, 32);
        QPainter p(&img);
        prepare(p);
        box(p, QColor("#FFFFFF"), QColor("#8A96A3"));
        p.end();
        save(img, "vide.png");
    }
    {
        QImage img = canvas(32, 32);
        QPainter p(&img);
        prepare(p);
        box(p, QColor("#FFFFFF"), QColor("#4E5C6B"));
        p.end();
        save(img, "oui_0.png");
    }
    {
        QImage img = canvas(32, 32);
        QPainter p(&img);
        prepare(p);
        box(p, kBlue, kBlueDark);
        tick(p, QColor(0, 0, 0, 0), QColor("#FFFFFF"), 3.6);
        p.end();
        save(img, "oui_1.png");
    }
}

void drawMessagePicture() {
    QImage img = canvas(117, 82);
    QPainter p(&img);
    prepare(p);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(18, 3, 82, 60), 16, 16);
    QPainterPath tail;
    tail.moveTo(36, 58);
    tail.lineTo(28, 79);
    tail.lineTo(56, 60);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    p.setPen(pen(kBlueDark, 2.4));
    p.setBrush(vgrad(3, 80, kBlueLight, kBlue));
    p.drawPath(bubble);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#FFFFFF"));
    p.drawEllipse(QPointF(59, 16), 6, 6);
    QPainterPath stem;
    stem.addRoundedRect(QRectF(53.5, 26, 11, 28), 3, 3);
    p.drawPath(stem);
    p.drawRoundedRect(QRectF(49, 26, 10, 5), 2, 2);
    p.drawRoundedRect(QRectF(49, 50, 20, 5), 2, 2);
    p.end();
    save(img, "mini97_image1.png");
}

// ---------------------------------------------------------------------------
// The on-screen keyboard picture, 933 x 347 (13995 x 5205 twips); key
// rectangles in twips relative to the picture's top left.
// ---------------------------------------------------------------------------
struct Key {
    int index;
    double left, top, width, height;  // twips, picture coordinates
};

std::vector<Key> keyboardKeys() {
    const double base = 1680;  // top of the picture on the keyboard screen
    const double std_ = 795;
    std::vector<Key> k;
    auto add = [&](int i, double l, double t, double w = 795, double h = 795) {
        k.push_back({i, l, t - base, w, h});
    };
    // row 1
    add(12, 270, 1920);
    for (int i = 1; i <= 11; ++i) add(i, 1290 + (i - 1) * (11160 - 1290) / 10.0, 1920);
    add(13, 12150, 1920, 1725, 885);
    // row 2
    add(14, 180, 2910, 1215, 855);
    for (int i = 15; i <= 25; ++i) add(i, 1530 + (i - 15) * (11430 - 1530) / 10.0, 2940);
    add(38, 12570, 2910, 1275, 1845);
    // row 3
    add(26, 240, 3930, 1275, 855);
    for (int i = 27; i <= 37; ++i) add(i, 1710 + (i - 27) * (11610 - 1710) / 10.0, 3960);
    // row 4
    add(39, 270, 4950, 1095, std_);
    add(40, 1590, 4950, 735, std_);
    for (int i = 41; i <= 50; ++i) add(i, 2520 + (i - 41) * (11460 - 2520) / 9.0, 4950);
    add(51, 12390, 4890, 1425, 885);
    // row 5
    add(57, 750, 5910);
    add(54, 1860, 5910);
    add(55, 2850, 5910);
    add(0, 3870, 5910, 5385, 975);
    add(56, 9540, 5910, 1245, 915);
    add(52, 11010, 5910, 855, 885);
    add(53, 12060, 5910, 855, 885);
    return k;
}

enum class CapKind { Plain, Function, Enter, Escape };

void drawCap(QPainter& p, const QRectF& r, CapKind kind) {
    QColor top("#FFFFFF"), bottom("#E2E5E9"), rim("#7E8893");
    switch (kind) {
        case CapKind::Plain:
            break;
        case CapKind::Function:
            top = QColor("#EEF3F8");
            bottom = QColor("#C8D4E1");
            rim = QColor("#6F7E8E");
            break;
        case CapKind::Enter:
            top = QColor("#E6F6E6");
            bottom = QColor("#B4DDB6");
            rim = QColor("#5E8F63");
            break;
        case CapKind::Escape:
            top = QColor("#FCEAEA");
            bottom = QColor("#EDC0C0");
            rim = QColor("#9A6A6A");
            break;
    }
    const QRectF face = r.adjusted(1.5, 1.5, -1.5, -3.5);
    // shadow / key side
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(face.translated(0, 3), 6, 6);
    p.setPen(pen(rim, 1.2));
    p.setBrush(vgrad(face.top(), face.bottom(), top, bottom));
    p.drawRoundedRect(face, 6, 6);
}

// Symbols of the function keys, drawn in the cap's face.
void hollowUpArrow(QPainter& p, QPointF c, double s, bool bar) {
    QPainterPath a;
    a.moveTo(c.x(), c.y() - 0.55 * s);
    a.lineTo(c.x() + 0.45 * s, c.y() - 0.05 * s);
    a.lineTo(c.x() + 0.2 * s, c.y() - 0.05 * s);
    a.lineTo(c.x() + 0.2 * s, c.y() + 0.3 * s);
    a.lineTo(c.x() - 0.2 * s, c.y() + 0.3 * s);
    a.lineTo(c.x() - 0.2 * s, c.y() - 0.05 * s);
    a.lineTo(c.x() - 0.45 * s, c.y() - 0.05 * s);
    a.closeSubpath();
    p.setPen(pen(kInk, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(a);
    if (bar) {
        p.setBrush(kInk);
        p.setPen(pen(kInk, 1.0));
        p.drawRect(QRectF(c.x() - 0.2 * s, c.y() + 0.42 * s, 0.4 * s, 0.12 * s));
    }
}

void solidArrow(QPainter& p, QPointF c, double s, double angleDeg) {
    p.save();
    p.translate(c);
    p.rotate(angleDeg);  // 0: pointing right
    QPainterPath a;
    a.moveTo(0.45 * s, 0);
    a.lineTo(0.02 * s, -0.34 * s);
    a.lineTo(0.02 * s, -0.12 * s);
    a.lineTo(-0.42 * s, -0.12 * s);
    a.lineTo(-0.42 * s, 0.12 * s);
    a.lineTo(0.02 * s, 0.12 * s);
    a.lineTo(0.02 * s, 0.34 * s);
    a.closeSubpath();
    p.setPen(pen(kInk, 1.4));
    p.setBrush(kInk);
    p.drawPath(a);
    p.restore();
}

void triangle(QPainter& p, QPointF c, double s, bool up) {
    QPolygonF t;
    const double d = up ? -1 : 1;
    t << QPointF(c.x(), c.y() + d * 0.3 * s) << QPointF(c.x() - 0.36 * s, c.y() - d * 0.22 * s)
      << QPointF(c.x() + 0.36 * s, c.y() - d * 0.22 * s);
    p.setPen(pen(kInk, 1.6));
    p.setBrush(kInk);
    p.drawPolygon(t);
}

void capText(QPainter& p, const QRectF& face, const QString& text, int px, QColor colour) {
    QFont f("DejaVu Sans");
    f.setPixelSize(px);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(face, Qt::AlignCenter, text);
}

void drawKeyboard() {
    const double T = 15.0;  // twips per pixel
    QImage img = canvas(933, 347);
    QPainter p(&img);
    prepare(p);
    // body
    p.setPen(pen(QColor("#262E37"), 2.0));
    p.setBrush(vgrad(0, 347, QColor("#65727F"), QColor("#434D58")));
    p.drawRoundedRect(QRectF(1, 1, 931, 345), 10, 10);

    for (const Key& k : keyboardKeys()) {
        const QRectF r(k.left / T, k.top / T, k.width / T, k.height / T);
        CapKind kind = CapKind::Plain;
        switch (k.index) {
            case 13:
            case 14:
            case 26:
            case 39:
            case 51:
            case 52:
            case 53:
            case 54:
            case 55:
            case 56:
                kind = CapKind::Function;
                break;
            case 38:
                kind = CapKind::Enter;
                break;
            case 57:
                kind = CapKind::Escape;
                break;
            default:
                break;
        }
        drawCap(p, r, kind);
        const QRectF face = r.adjusted(1.5, 1.5, -1.5, -3.5);
        const QPointF c = face.center();
        const double s = std::min(face.width(), face.height());
        switch (k.index) {
            case 13: {  // backspace: a long left arrow
                QPainterPath a;
                a.moveTo(c.x() + 0.32 * face.width(), c.y());
                a.lineTo(c.x() - 0.28 * face.width(), c.y());
                p.setPen(pen(kInk, 4.0));
                p.setBrush(Qt::NoBrush);
                p.drawPath(a);
                QPolygonF head;
                head << QPointF(c.x() - 0.36 * face.width(), c.y())
                     << QPointF(c.x() - 0.22 * face.width(), c.y() - 0.22 * s)
                     << QPointF(c.x() - 0.22 * face.width(), c.y() + 0.22 * s);
                p.setPen(pen(kInk, 2.0));
                p.setBrush(kInk);
                p.drawPolygon(head);
                break;
            }
            case 14: {  // clear the whole text: an eraser
                p.save();
                p.translate(c);
                const double sc = s / 64.0 * 1.05;
                p.scale(sc, sc);
                p.translate(-32, -32);
                drawEraser(p);
                p.restore();
                break;
            }
            case 26:
                hollowUpArrow(p, c, s * 0.72, true);
                break;  // Caps
            case 39:
                hollowUpArrow(p, c, s * 0.72, false);
                break;  // Shift
            case 38: {  // Enter: return arrow
                const double w = face.width(), h = face.height();
                QPainterPath a;
                a.moveTo(c.x() + 0.22 * w, c.y() - 0.22 * h);
                a.lineTo(c.x() + 0.22 * w, c.y() + 0.08 * h);
                a.lineTo(c.x() - 0.18 * w, c.y() + 0.08 * h);
                p.setPen(pen(QColor("#23592A"), 5.0));
                p.setBrush(Qt::NoBrush);
                p.drawPath(a);
                QPolygonF head;
                head << QPointF(c.x() - 0.34 * w, c.y() + 0.08 * h)
                     << QPointF(c.x() - 0.14 * w, c.y() + 0.08 * h - 0.2 * w)
                     << QPointF(c.x() - 0.14 * w, c.y() + 0.08 * h + 0.2 * w);
                p.setPen(pen(QColor("#23592A"), 2.0));
                p.setBrush(QColor("#23592A"));
                p.drawPolygon(head);
                break;
            }
            case 52:
                triangle(p, c, s * 0.7, true);
                break;  // list up
            case 53:
                triangle(p, c, s * 0.7, false);
                break;  // list down
            case 54:
                solidArrow(p, c, s * 0.72, 180);
                break;  // caret left
            case 55:
                solidArrow(p, c, s * 0.72, 0);
                break;  // caret right
            case 56:
                capText(p, face, "Alt Gr", 15, kInk);
                break;
            case 57:
                capText(p, face,
                        QString::fromUtf8("\xC3\x89"
                                          "chap"),
                        14, QColor("#6E2222"));
                break;
            default:
                break;  // ordinary keys and key 51: blank cap
        }
    }
    p.end();
    save(img, "clavier.png");
}

// ---------------------------------------------------------------------------
// Sampled colour pictures
// ---------------------------------------------------------------------------

// Numeric keypad: the colour of cell (row, column) is read at the point
// X = 75 x row, Y = 75 x column twips, that is pixel (5 x row, 5 x column).
// Each sampled point is the top left of a uniform 5 x 5 block.
void drawNumericKeypadColours() {
    const QColor digit("#CFE5F8"), clear("#FBCF9E"), point("#F4EAB4");
    QImage img = canvas(25, 25, digit);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            QColor c = digit;
            if (row == 3 && col == 0) c = clear;  // "C"
            if (row == 3 && col == 2) c = point;  // "."
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 5; ++x) img.setPixelColor(5 * row + x, 5 * col + y, c);
        }
    save(img, "clav_num_keys.png");
}

// Table dialog: 25 x 25 shaded diagonally from #FFFDFC (top left) to
// #FABF90 (bottom right); the points (5 r, 5 c) carry the exact cell colours.
void drawTableShade() {
    const unsigned exact[4][3] = {
        {0xFFFDFC, 0xFEFBFA, 0xFDF7F3},
        {0xFEFBFA, 0xFDF7F4, 0xFEF1E9},
        {0xFDF7F4, 0xFEF1EA, 0xFBE9DD},
        {0xFEF1EA, 0xFCE9DD, 0xFBDFCC},
    };
    // knots of the shade along s = x + y (0 .. 48), per channel
    struct Knot {
        double s;
        double r, g, b;
    };
    const Knot knots[] = {
        {0, 0xFF, 0xFD, 0xFC},  {5, 0xFE, 0xFB, 0xFA},  {10, 0xFD, 0xF7, 243.5}, {15, 0xFE, 0xF1, 233.5},
        {20, 0xFB, 0xE9, 0xDD}, {25, 0xFB, 0xDF, 0xCC}, {48, 0xFA, 0xBF, 0x90},
    };
    auto shade = [&](double s) {
        for (size_t i = 0; i + 1 < std::size(knots); ++i) {
            if (s <= knots[i + 1].s) {
                const Knot &a = knots[i], &b = knots[i + 1];
                const double t = (s - a.s) / (b.s - a.s);
                return QColor(int(std::lround(a.r + t * (b.r - a.r))),
                              int(std::lround(a.g + t * (b.g - a.g))),
                              int(std::lround(a.b + t * (b.b - a.b))));
            }
        }
        return QColor(0xFA, 0xBF, 0x90);
    };
    QImage img = canvas(25, 25, Qt::white);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 25; ++x) img.setPixelColor(x, y, shade(x + y));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) img.setPixelColor(5 * r, 5 * c, QColor::fromRgb(exact[r][c]));
    img.setPixelColor(0, 0, QColor(0xFF, 0xFD, 0xFC));
    img.setPixelColor(24, 24, QColor(0xFA, 0xBF, 0x90));
    // check
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            if ((img.pixel(5 * r, 5 * c) & 0xFFFFFF) != exact[r][c]) {
                std::fprintf(stderr, "shade point %d,%d wrong\n", r, c);
                ++g_failures;
            }
    save(img, "ch_numtab_shade.png");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_out);

    drawKeyColours();

    const std::map<int, std::function<void(QPainter&)>> bar = {
        {10, drawNo},          {11, drawTable},  {12, drawEnd},          {13, drawFamilies},
        {14, drawYes},         {15, drawServer}, {16, drawKeyboardIcon}, {17, drawNext},
        {18, drawPrevious},    {19, drawEraser}, {20, drawPlusArrow},    {21, drawMinusArrow},
        {22, drawNote},        {23, drawSend},   {24, drawValidate},     {25, drawDetails},
        {26, drawGear},        {27, drawClose},  {28, drawScreenFormat}, {29, drawStar},
        {30, drawSendOffline}, {31, drawClock},  {32, drawTakeAway},
    };
    for (const auto& [n, draw] : bar) {
        drawBar(n, 64, draw);
        drawBar(n + 50, 96, draw);
    }

    drawFramePieces();
    drawIclogo();
    drawLogo();
    drawTicks();
    drawMessagePicture();
    drawKeyboard();
    drawNumericKeypadColours();
    drawTableShade();

    if (g_failures) {
        std::fprintf(stderr, "%d picture(s) failed\n", g_failures);
        return 1;
    }
    return 0;
}
