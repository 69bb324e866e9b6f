// Draws every picture the wizard ships: page backgrounds, button faces, the
// error light box, the progress animation and the application icon PNGs.
// Qt cannot write GIF, so backgrounds and animation frames come out as PNGs
// in a work folder and render.sh encodes them with ImageMagick.
//
// With a fourth argument of 2 it draws the same pictures at twice the
// resolution, for screens that scale by more than 1, and writes only those:
// "name@2x" beside each picture (PNG for the bitmaps, GIF for the
// backgrounds). Every drawing is in page units, so both scales come from the
// same code.
//
// Usage: draw <assets folder> <data folder> <work folder> [1|2]

#include "app/PageLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgRenderer>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <optional>

using namespace PageLayout;

namespace {

// One palette for the whole set. kBrand is also the colour of the page headings.
const QColor kBrand(0, 141, 168);
const QColor kBrandDeep(0, 100, 122);
const QColor kHeaderTop(9, 50, 66);
const QColor kHeaderBottom(14, 72, 92);
const QColor kBand(11, 56, 73);  // flat, so the bar faces can match their corners
const QColor kBody(255, 255, 255);
const QColor kPanel(244, 248, 250);
const QColor kPanelLine(220, 230, 234);
const QColor kInk(44, 60, 68);
const QColor kMuted(98, 114, 122);
const QColor kTint(224, 241, 245);
const QColor kWatermark(232, 240, 243);
const QColor kLedOn(52, 214, 122);
const QColor kLedOff(84, 98, 105);
const QColor kEthernetBlue(30, 110, 205);
const QColor kDslGrey(150, 158, 163);
const QColor kPowerBlack(45, 49, 52);
const QColor kKey(0, 0, 1);  // the light box makes exactly this colour see-through

QString gAssets, gData, gWork;
int gScale = 1;

QFont font(int px, bool bold = false, bool italic = false)
{
    QFont f("Liberation Sans");
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Centred text; illustrations and cards use it for their names and tags.
void text(QPainter& p, const QRectF& r, const QString& s, int px, const QColor& c,
          bool bold = false)
{
    p.setFont(font(px, bold));
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, s);
}

// size is in page units; the image holds gScale pixels per unit.
QImage canvas(QSize size, const QColor& fill)
{
    QImage img(size * gScale, QImage::Format_RGB32);
    img.setDevicePixelRatio(gScale);
    img.fill(fill);
    return img;
}

// "next/next.bmp" at scale 2: "next/next@2x.png".
QString scaled(const QString& path)
{
    if (gScale == 1)
        return path;
    const QFileInfo info(path);
    return info.path() + "/" + info.completeBaseName() + "@2x.png";
}

void smooth(QPainter& p)
{
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                     | QPainter::SmoothPixmapTransform);
}

void save(const QImage& img, const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    // RGB888 makes Qt write a plain 24-bit bitmap; PNGs are only work files.
    if (!img.convertToFormat(QImage::Format_RGB888).save(path))
    {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// ---------------------------------------------------------------- line icons

enum class Glyph
{
    Padlock,
    Globe,
    Waves,
    Network,
    Tick,
    Lifebuoy,
    Document,
    Warning,
    Router,
    Bolt,
    Restore,
    Book,
    Download,
    Sliders,
    ChevronLeft,
    ChevronRight
};

// All icons are drawn on a 24 x 24 grid and scaled to the box, so that every
// motif, badge and button glyph shares one line weight and style.
void glyph(QPainter& p, Glyph g, const QRectF& box, const QColor& ink, qreal weight = 2.0)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 24.0, box.height() / 24.0);
    p.setPen(QPen(ink, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    auto dot = [&](qreal x, qreal y, qreal r) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(x, y), r, r);
        p.restore();
    };
    QPainterPath path;
    switch (g)
    {
    case Glyph::Padlock:
        p.drawRoundedRect(QRectF(5, 10.5, 14, 10.5), 2, 2);
        path.moveTo(8, 10.5);
        path.lineTo(8, 7.5);
        path.arcTo(QRectF(8, 3.5, 8, 8), 180, -180);
        path.lineTo(16, 10.5);
        p.drawPath(path);
        dot(12, 15, 1.4);
        p.drawLine(QPointF(12, 15), QPointF(12, 17.5));
        break;
    case Glyph::Globe:
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.drawEllipse(QPointF(12, 12), 3.8, 9);
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        p.drawLine(QPointF(4.6, 7.5), QPointF(19.4, 7.5));
        p.drawLine(QPointF(4.6, 16.5), QPointF(19.4, 16.5));
        break;
    case Glyph::Waves:
        for (qreal r : {4.5, 9.0, 13.5})
            p.drawArc(QRectF(12 - r, 19.5 - r, 2 * r, 2 * r), 50 * 16, 80 * 16);
        dot(12, 19.5, 1.7);
        break;
    case Glyph::Network:
        p.drawLine(QPointF(12, 12), QPointF(12, 5));
        p.drawLine(QPointF(12, 12), QPointF(5.5, 18.5));
        p.drawLine(QPointF(12, 12), QPointF(18.5, 18.5));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(12, 12), 2.8, 2.8);
        p.drawEllipse(QPointF(12, 4), 2.2, 2.2);
        p.drawEllipse(QPointF(4.5, 19.5), 2.2, 2.2);
        p.drawEllipse(QPointF(19.5, 19.5), 2.2, 2.2);
        break;
    case Glyph::Tick:
        path.moveTo(5, 12.5);
        path.lineTo(10, 17.5);
        path.lineTo(19, 7);
        p.drawPath(path);
        break;
    case Glyph::Lifebuoy:
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.drawEllipse(QPointF(12, 12), 4, 4);
        for (int a : {45, 135, 225, 315})
        {
            QLineF l(QPointF(12, 12), QPointF(21, 12));
            l.setAngle(a);
            l.setLength(9);
            QLineF inner(QPointF(12, 12), l.p2());
            inner.setLength(4);
            p.drawLine(inner.p2(), l.p2());
        }
        break;
    case Glyph::Document:
        path.moveTo(6, 3);
        path.lineTo(14, 3);
        path.lineTo(19, 8);
        path.lineTo(19, 21);
        path.lineTo(6, 21);
        path.closeSubpath();
        p.drawPath(path);
        p.drawPolyline(QPolygonF({QPointF(14, 3), QPointF(14, 8), QPointF(19, 8)}));
        for (qreal y : {12.0, 15.0, 18.0})
            p.drawLine(QPointF(9, y), QPointF(16, y));
        break;
    case Glyph::Warning:
        p.drawPolygon(QPolygonF({QPointF(12, 3), QPointF(21.5, 20), QPointF(2.5, 20)}));
        p.drawLine(QPointF(12, 9), QPointF(12, 14));
        dot(12, 17, 1.2);
        break;
    case Glyph::Router:
        p.drawRoundedRect(QRectF(3, 13, 18, 7), 2, 2);
        p.drawLine(QPointF(7, 13), QPointF(5.5, 5));
        p.drawLine(QPointF(17, 13), QPointF(18.5, 5));
        dot(7, 16.5, 1.1);
        dot(10.5, 16.5, 1.1);
        p.drawLine(QPointF(14, 16.5), QPointF(17.5, 16.5));
        break;
    case Glyph::Bolt:
        p.drawPolygon(QPolygonF({QPointF(13.5, 2.5), QPointF(5, 13.5), QPointF(11, 13.5),
                                 QPointF(10, 21.5), QPointF(19, 10), QPointF(13, 10)}));
        break;
    case Glyph::Restore:
        p.drawArc(QRectF(4, 4, 16, 16), 110 * 16, 290 * 16);
        path.moveTo(3.5, 5.5);
        path.lineTo(5.6, 10.2);
        path.lineTo(10.3, 8.3);
        p.drawPath(path);
        p.drawLine(QPointF(12, 8.5), QPointF(12, 12));
        p.drawLine(QPointF(12, 12), QPointF(14.8, 13.8));
        break;
    case Glyph::Book:
        path.moveTo(12, 6.5);
        path.cubicTo(10, 5, 7, 4.5, 3.5, 5);
        path.lineTo(3.5, 18.5);
        path.cubicTo(7, 18, 10, 18.5, 12, 20);
        path.cubicTo(14, 18.5, 17, 18, 20.5, 18.5);
        path.lineTo(20.5, 5);
        path.cubicTo(17, 4.5, 14, 5, 12, 6.5);
        path.lineTo(12, 20);
        p.drawPath(path);
        break;
    case Glyph::Download:
        p.drawLine(QPointF(12, 3.5), QPointF(12, 14.5));
        p.drawPolyline(QPolygonF({QPointF(7.5, 10), QPointF(12, 14.5), QPointF(16.5, 10)}));
        p.drawPolyline(
            QPolygonF({QPointF(4, 16), QPointF(4, 20), QPointF(20, 20), QPointF(20, 16)}));
        break;
    case Glyph::Sliders:
        p.drawRoundedRect(QRectF(3, 4, 18, 16), 2, 2);
        p.drawLine(QPointF(3, 8), QPointF(21, 8));
        p.drawLine(QPointF(7, 12.5), QPointF(17, 12.5));
        p.drawLine(QPointF(7, 16.5), QPointF(17, 16.5));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(10, 12.5), 1.6, 1.6);
        p.drawEllipse(QPointF(14.5, 16.5), 1.6, 1.6);
        break;
    case Glyph::ChevronLeft:
        p.drawPolyline(QPolygonF({QPointF(15, 5), QPointF(8, 12), QPointF(15, 19)}));
        break;
    case Glyph::ChevronRight:
        p.drawPolyline(QPolygonF({QPointF(9, 5), QPointF(16, 12), QPointF(9, 19)}));
        break;
    }
    p.restore();
}

// A round badge: pale disc with the icon in the brand colour.
void badge(QPainter& p, Glyph g, const QRectF& box, const QColor& disc = kTint,
           const QColor& ink = kBrand)
{
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(box);
    const qreal m = box.width() * 0.22;
    glyph(p, g, box.adjusted(m, m, -m, -m), ink, 2.0);
}

void softShadow(QPainter& p, const QRectF& r, qreal radius, int depth = 4)
{
    p.setPen(Qt::NoPen);
    for (int i = depth; i >= 1; --i)
    {
        p.setBrush(QColor(20, 50, 60, 9));
        p.drawRoundedRect(r.adjusted(-i, -i + 2, i, i + 2), radius + i, radius + i);
    }
}

void card(QPainter& p, const QRectF& r, qreal radius, const QColor& fill, const QColor& line)
{
    p.setPen(QPen(line, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

// ---------------------------------------------------------------- page frame

const char* const kStages[] = {"Hardware", "Password", "Internet", "Wireless", "Done"};
constexpr int kStageCount = 5;

// Where the page is in the wizard. On the quick road the hardware stage is
// shown as skipped, which is what tells the 3xxx backgrounds apart.
struct Step
{
    int current = -1;  // index into kStages; -1 draws no step indicator
    bool quick = false;
};

void wordmark(QPainter& p, QPointF at, int markSize, int textPx, const QColor& ink)
{
    QSvgRenderer icon(gAssets + "/tarnix-setup.svg");
    icon.render(&p, QRectF(at, QSizeF(markSize, markSize)));
    p.setFont(font(textPx, true));
    p.setPen(ink);
    const QFontMetricsF fm(p.font());
    const qreal baseline = at.y() + markSize / 2.0 + fm.capHeight() / 2.0;
    p.drawText(QPointF(at.x() + markSize + markSize * 0.3, baseline), "Tarnix");
}

void stepIndicator(QPainter& p, const Step& s)
{
    const qreal left = 214, pitch = 52, y = 27, r = 8;
    const QColor rail(58, 110, 128), future(120, 160, 173), label(150, 196, 208);
    p.setPen(QPen(rail, 2));
    p.drawLine(QPointF(left, y), QPointF(left + pitch * (kStageCount - 1), y));
    for (int i = 0; i < kStageCount; ++i)
    {
        const QPointF c(left + pitch * i, y);
        const bool skipped = s.quick && i == 0;
        const bool done = i < s.current && !skipped;
        const bool current = i == s.current;
        if (current)
        {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 141, 168, 90));
            p.drawEllipse(c, r + 4, r + 4);
            p.setBrush(Qt::white);
            p.drawEllipse(c, r, r);
            text(p, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), QString::number(i + 1), 10,
                 kBrandDeep, true);
        }
        else if (done)
        {
            p.setPen(Qt::NoPen);
            p.setBrush(kBrand);
            p.drawEllipse(c, r, r);
            glyph(p, Glyph::Tick, QRectF(c.x() - 6, c.y() - 6, 12, 12), Qt::white, 3);
        }
        else
        {
            QPen ring(skipped ? rail : future, 1.5);
            if (skipped)
                ring.setStyle(Qt::DotLine);
            p.setPen(ring);
            p.setBrush(kHeaderBottom.darker(110));
            p.drawEllipse(c, r - 0.5, r - 0.5);
            if (skipped)
                p.drawLine(QPointF(c.x() - 3.5, c.y()), QPointF(c.x() + 3.5, c.y()));
            else
                text(p, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), QString::number(i + 1), 9,
                     future, true);
        }
        const QColor ink = current ? Qt::white : skipped ? rail.lighter(130) : label;
        text(p, QRectF(c.x() - 30, 41, 60, 14), skipped ? "Skipped" : kStages[i], 10, ink, current);
    }
}

// The frame every page shares: header band, light body with the content
// panel, and the bottom band that carries the four bar buttons.
void frame(QPainter& p, const Step& step)
{
    QLinearGradient head(0, 0, 0, kHeaderBandHeight);
    head.setColorAt(0, kHeaderTop);
    head.setColorAt(1, kHeaderBottom);
    p.fillRect(QRect(0, 0, kPageSize.width(), kHeaderBandHeight), head);
    p.fillRect(QRect(0, kHeaderBandHeight, kPageSize.width(), 3), kBrand);
    wordmark(p, QPointF(24, 19), 34, 27, Qt::white);
    if (step.current >= 0)
    {
        p.fillRect(QRectF(182, 18, 1, 36), QColor(48, 96, 114));
        stepIndicator(p, step);
    }

    p.fillRect(
        QRect(0, kHeaderBandHeight + 3, kPageSize.width(), kBottomBandTop - kHeaderBandHeight - 3),
        kBody);
    card(p, kContentRect, 8, kPanel, kPanelLine);

    p.fillRect(QRect(0, kBottomBandTop, kPageSize.width(), kPageSize.height() - kBottomBandTop),
               kBand);
    p.fillRect(QRect(0, kBottomBandTop, kPageSize.width(), 1), QColor(28, 88, 108));
}

// The inset where checklist pages show what their text describes.
QRectF illustrationCard(QPainter& p)
{
    const QRectF r = QRectF(kIllustrationRect).adjusted(10, 10, -10, -10);
    card(p, r, 6, Qt::white, kPanelLine);
    return r;
}

// Where a page's faint watermark goes: the panel's lower right corner, which
// the pages' fields leave free; the success page keeps it clear of the
// document buttons along the panel's bottom.
const QRectF kCornerMark(kContentRect.right() - 190, kContentRect.bottom() - 190, 170, 170);
const QRectF kSuccessMark(kContentRect.right() - 170, kContentRect.top() + 150, 120, 120);

// A motif for pages whose panel is needed for fields: a small badge right of
// the heading and the same icon as a faint watermark in the panel.
void motif(QPainter& p, Glyph g, const QRectF& mark)
{
    badge(p, g, QRectF(kHeadingRect.right() - 44, kHeadingRect.top(), 40, 40));
    glyph(p, g, mark, kWatermark, 1.6);
}

// ---------------------------------------------------------------- router drawings

struct BackPorts
{
    QRectF dsl;
    std::array<QRectF, 4> lan;
    QRectF reset, power, onOff;
};

void rj45(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(150, 162, 168), 1));
    p.setBrush(QColor(232, 196, 80));
    p.drawRoundedRect(r, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 27, 30));
    const QRectF hole = r.adjusted(3, 3, -3, -3);
    p.drawRect(hole);
    p.setBrush(QColor(232, 196, 80));
    p.drawRect(QRectF(hole.center().x() - 3, hole.bottom() - 3, 6, 3));
}

// Back of the router as seen from behind, 300 x 72 with its top-left at `at`.
BackPorts routerBack(QPainter& p, QPointF at)
{
    p.save();
    p.translate(at);
    softShadow(p, QRectF(0, 0, 300, 72), 10);
    QLinearGradient shell(0, 0, 0, 72);
    shell.setColorAt(0, QColor(246, 248, 249));
    shell.setColorAt(1, QColor(214, 221, 224));
    p.setPen(QPen(QColor(176, 188, 194), 1));
    p.setBrush(shell);
    p.drawRoundedRect(QRectF(0.5, 0.5, 299, 71), 10, 10);
    // Antenna standing up at the right end.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 82, 88));
    p.drawRoundedRect(QRectF(282, -46, 9, 52), 4, 4);
    p.setBrush(QColor(58, 69, 75));
    p.drawRoundedRect(QRectF(10, 10, 280, 52), 5, 5);

    const QColor print(214, 224, 228);
    BackPorts ports;
    ports.dsl = QRectF(22, 31, 20, 16);
    p.setPen(QPen(QColor(150, 162, 168), 1));
    p.setBrush(QColor(200, 206, 210));
    p.drawRoundedRect(ports.dsl, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 27, 30));
    p.drawRect(ports.dsl.adjusted(4, 3, -4, -4));
    text(p, QRectF(12, 13, 40, 14), "DSL", 9, print, true);

    for (int i = 0; i < 4; ++i)
    {
        ports.lan[i] = QRectF(62 + i * 30, 29, 24, 20);
        rj45(p, ports.lan[i]);
        text(p, QRectF(ports.lan[i].left(), 50, 24, 11), QString::number(i + 1), 9, print, true);
    }
    text(p, QRectF(62, 13, 114, 14), "LAN", 9, print, true);

    ports.reset = QRectF(197, 35, 10, 10);
    p.setPen(QPen(QColor(150, 162, 168), 1.5));
    p.setBrush(QColor(22, 27, 30));
    p.drawEllipse(ports.reset);
    text(p, QRectF(180, 13, 44, 14), "RESET", 8, print, true);

    ports.power = QRectF(228, 30, 20, 20);
    p.setBrush(QColor(30, 35, 38));
    p.drawEllipse(ports.power);
    p.setBrush(QColor(190, 198, 202));
    p.setPen(Qt::NoPen);
    p.drawEllipse(ports.power.center(), 2.5, 2.5);
    text(p, QRectF(218, 13, 40, 14), "POWER", 8, print, true);

    ports.onOff = QRectF(262, 29, 16, 22);
    p.setBrush(QColor(28, 32, 35));
    p.drawRoundedRect(ports.onOff, 3, 3);
    p.setBrush(QColor(90, 100, 106));
    p.drawRoundedRect(QRectF(264, 31, 12, 9), 2, 2);
    text(p, QRectF(250, 50, 40, 11), "ON/OFF", 7, print, true);
    p.restore();

    auto shift = [&](QRectF& r) { r.translate(at); };
    shift(ports.dsl);
    for (auto& r : ports.lan)
        shift(r);
    shift(ports.reset);
    shift(ports.power);
    shift(ports.onOff);
    return ports;
}

enum class Led
{
    Off,
    Green
};

const char* const kLedNames[] = {"Power", "DSL", "Internet", "WLAN", "1", "2", "3", "4"};
using Leds = std::array<Led, 8>;

// Front of the router, `body` wide and tall; the lights sit in a dark strip
// with their names printed underneath. Returns where each light is.
std::array<QPointF, 8> routerFront(QPainter& p, const QRectF& body, const Leds& leds)
{
    const qreal s = body.width() / 300.0;  // drawn for 300 px, scaled for the hero
    p.save();
    p.translate(body.topLeft());
    p.scale(s, s);
    const qreal h = body.height() / s;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 82, 88));
    p.drawRoundedRect(QRectF(22, -58, 9, 64), 4, 4);
    p.drawRoundedRect(QRectF(269, -58, 9, 64), 4, 4);
    QRadialGradient floor(150, h + 6, 150);
    floor.setColorAt(0, QColor(20, 50, 60, 60));
    floor.setColorAt(1, QColor(20, 50, 60, 0));
    p.setBrush(floor);
    p.drawEllipse(QRectF(0, h - 4, 300, 20));
    QLinearGradient shell(0, 0, 0, h);
    shell.setColorAt(0, QColor(252, 253, 253));
    shell.setColorAt(1, QColor(214, 222, 226));
    p.setPen(QPen(QColor(176, 188, 194), 1));
    p.setBrush(shell);
    p.drawRoundedRect(QRectF(0.5, 0.5, 299, h - 1), 14, 14);
    const QRectF strip(14, h * 0.22, 272, h * 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(44, 54, 60));
    p.drawRoundedRect(strip, 6, 6);
    p.setFont(font(13, true));
    p.setPen(Qt::white);
    p.drawText(strip.adjusted(12, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, "Tarnix");

    std::array<QPointF, 8> at{};
    for (int i = 0; i < 8; ++i)
    {
        const QPointF c(i < 4 ? 94 + i * 31 : 214 + (i - 4) * 20, strip.center().y());
        at[i] = p.transform().map(c);
        const bool on = leds[i] == Led::Green;
        p.setPen(Qt::NoPen);
        if (on)
        {
            QRadialGradient glow(c, 9);
            glow.setColorAt(0, QColor(kLedOn.red(), kLedOn.green(), kLedOn.blue(), 150));
            glow.setColorAt(1, QColor(kLedOn.red(), kLedOn.green(), kLedOn.blue(), 0));
            p.setBrush(glow);
            p.drawEllipse(c, 9, 9);
        }
        p.setBrush(on ? kLedOn : kLedOff);
        p.drawEllipse(c, 3.6, 3.6);
        text(p, QRectF(c.x() - 22, strip.bottom() + 3, 44, 12), kLedNames[i], 8, kMuted, true);
    }
    text(p, QRectF(206, strip.bottom() + 14, 76, 11), "LAN", 8, kMuted, true);
    p.restore();
    return at;
}

// A cable as a thick line with a darker edge, so it reads on white and on
// the router's dark panel alike.
void cable(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour.darker(140), width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// Plug pushed into a port: a boot slightly larger than the port, cable below.
void plug(QPainter& p, const QRectF& port, const QColor& colour)
{
    const QRectF boot = port.adjusted(-2, -1, 2, 4);
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawRoundedRect(boot, 3, 3);
    p.setPen(QPen(colour.lighter(140), 1));
    p.drawLine(QPointF(boot.left() + 3, boot.top() + 3), QPointF(boot.right() - 3, boot.top() + 3));
}

// Ring around a part with a leader line to a brand-coloured name tag.
void callout(QPainter& p, const QRectF& part, const QString& name, QPointF tag)
{
    const QRectF ring = part.adjusted(-5, -5, 5, 5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBrand, 2));
    p.drawRoundedRect(ring, 6, 6);
    p.setFont(font(11, true));
    const qreal w = QFontMetricsF(p.font()).horizontalAdvance(name) + 16;
    const QRectF chip(tag.x() - w / 2, tag.y() - 10, w, 20);
    const QPointF from(ring.center().x(), tag.y() < ring.top() ? ring.top() : ring.bottom());
    const QPointF to(chip.center().x(), tag.y() < ring.top() ? chip.bottom() : chip.top());
    p.drawLine(from, to);
    p.setPen(Qt::NoPen);
    p.setBrush(kBrand);
    p.drawRoundedRect(chip, 10, 10);
    text(p, chip, name, 11, Qt::white, true);
}

void caption(QPainter& p, const QRectF& r, const QString& s)
{
    text(p, r, s, 11, kMuted, false);
}

void figureLabel(QPainter& p, const QRectF& card, const QString& s)
{
    p.setFont(font(13, true, true));
    p.setPen(kMuted);
    p.drawText(card.adjusted(12, 8, 0, 0), Qt::AlignLeft | Qt::AlignTop, s);
}

// Wall plate with a socket (power: two slanted pins and earth; phone: a jack).
void wallPlate(QPainter& p, const QRectF& r, bool phone)
{
    softShadow(p, r, 8, 3);
    card(p, r, 8, QColor(250, 251, 251), QColor(182, 192, 197));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 46, 50));
    const QPointF c = r.center();
    if (phone)
    {
        p.drawRoundedRect(QRectF(c.x() - 11, c.y() - 8, 22, 16), 2, 2);
        return;
    }
    for (int side : {-1, 1})
    {
        p.save();
        p.translate(c.x() + side * 9, c.y() - 7);
        p.rotate(side * -30);
        p.drawRoundedRect(QRectF(-2, -6, 4, 12), 1.5, 1.5);
        p.restore();
    }
    p.drawRoundedRect(QRectF(c.x() - 2, c.y() + 5, 4, 11), 1.5, 1.5);
}

void drawPower(QPainter& p)
{
    const QRectF box = illustrationCard(p);
    figureLabel(p, box, "fig. A");
    const BackPorts ports = routerBack(p, QPointF(box.left() + 10, box.top() + 86));

    const QRectF outlet(box.left() + 28, box.top() + 214, 78, 78);
    wallPlate(p, outlet, false);
    caption(p, QRectF(outlet.left() - 20, outlet.bottom() + 4, outlet.width() + 40, 16),
            "Wall power outlet");

    // Plug-pack adapter sitting in the outlet, lead running up to POWER.
    const QRectF adapter(outlet.left() + 12, outlet.top() + 8, 54, 62);
    QPainterPath lead;
    lead.moveTo(adapter.right() - 6, adapter.center().y() + 6);
    lead.cubicTo(adapter.right() + 80, adapter.center().y() + 30, ports.power.center().x() - 10,
                 ports.power.bottom() + 110, ports.power.center().x(), ports.power.bottom() + 6);
    cable(p, lead, kPowerBlack, 5);
    QLinearGradient body(adapter.topLeft(), adapter.bottomLeft());
    body.setColorAt(0, QColor(70, 76, 80));
    body.setColorAt(1, QColor(36, 40, 43));
    p.setPen(QPen(QColor(20, 22, 24), 1));
    p.setBrush(body);
    p.drawRoundedRect(adapter, 8, 8);
    p.setPen(QPen(QColor(96, 104, 108), 1));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(adapter.left() + 12, adapter.top() + 16 + i * 7),
                   QPointF(adapter.right() - 12, adapter.top() + 16 + i * 7));
    caption(p, QRectF(adapter.right() + 14, adapter.top() - 6, 110, 16), "Power adapter");

    plug(p, ports.power.adjusted(2, 2, -2, -2), kPowerBlack);
    callout(p, ports.power, "POWER", QPointF(ports.power.center().x() - 40, box.top() + 46));
    callout(p, ports.onOff, "ON/OFF", QPointF(ports.onOff.center().x() + 4, box.top() + 182));
}

void drawLaptop(QPainter& p, const QRectF& screen)
{
    softShadow(p, screen, 6, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(48, 58, 64));
    p.drawRoundedRect(screen, 6, 6);
    const QRectF glass = screen.adjusted(6, 6, -6, -8);
    QLinearGradient sky(glass.topLeft(), glass.bottomLeft());
    sky.setColorAt(0, QColor(214, 238, 244));
    sky.setColorAt(1, QColor(168, 214, 226));
    p.setBrush(sky);
    p.drawRect(glass);
    // The wizard itself on the screen, as a hint of what happens next.
    const QRectF win = glass.adjusted(14, 10, -14, -10);
    p.setBrush(Qt::white);
    p.drawRect(win);
    p.setBrush(kHeaderBottom);
    p.drawRect(QRectF(win.left(), win.top(), win.width(), 9));
    p.setBrush(kPanelLine);
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(win.left() + 6, win.top() + 15 + i * 7, win.width() * 0.55, 3));
    p.setBrush(kBrand);
    p.drawRect(QRectF(win.right() - 22, win.bottom() - 9, 16, 5));
    QPainterPath base;
    base.moveTo(screen.left() - 12, screen.bottom() + 2);
    base.lineTo(screen.right() + 12, screen.bottom() + 2);
    base.lineTo(screen.right() + 20, screen.bottom() + 12);
    base.lineTo(screen.left() - 20, screen.bottom() + 12);
    base.closeSubpath();
    p.setPen(QPen(QColor(160, 170, 176), 1));
    p.setBrush(QColor(206, 213, 217));
    p.drawPath(base);
}

void drawEthernet(QPainter& p)
{
    const QRectF box = illustrationCard(p);
    const BackPorts ports = routerBack(p, QPointF(box.left() + 10, box.top() + 70));
    const QRectF screen(box.left() + 150, box.top() + 196, 132, 84);
    drawLaptop(p, screen);
    const QPointF socket(screen.left() - 14, screen.bottom() + 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 46, 50));
    p.drawRect(QRectF(socket.x() - 4, socket.y() - 3, 6, 6));
    caption(p, QRectF(screen.left() - 10, screen.bottom() + 16, screen.width() + 20, 16),
            "Your computer");

    const QRectF lan1 = ports.lan[0];
    QPainterPath run;
    run.moveTo(lan1.center().x(), lan1.bottom() + 4);
    run.cubicTo(lan1.center().x(), lan1.bottom() + 150, socket.x() - 70, socket.y() + 4,
                socket.x() - 6, socket.y());
    cable(p, run, kEthernetBlue, 6);
    plug(p, lan1, kEthernetBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(kEthernetBlue);
    p.drawRoundedRect(QRectF(socket.x() - 16, socket.y() - 5, 12, 10), 2, 2);
    caption(p, QRectF(lan1.center().x() + 12, box.top() + 160, 120, 16), "Blue Ethernet cable");
    callout(p, lan1, "LAN port 1", QPointF(lan1.center().x() + 10, box.top() + 30));
}

void drawPhone(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(30, 34, 37), 1));
    p.setBrush(QColor(64, 72, 77));
    QPainterPath base;
    base.moveTo(r.left() + 10, r.top() + 22);
    base.lineTo(r.right() - 10, r.top() + 22);
    base.lineTo(r.right(), r.bottom());
    base.lineTo(r.left(), r.bottom());
    base.closeSubpath();
    p.drawPath(base);
    p.setBrush(QColor(48, 55, 60));
    p.drawRoundedRect(QRectF(r.left() + 2, r.top(), r.width() - 4, 16), 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 160, 166));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(r.center().x() - 14 + col * 10, r.top() + 28 + row * 8, 7, 5),
                              1, 1);
}

void drawDsl(QPainter& p)
{
    const QRectF box = illustrationCard(p);
    const BackPorts ports = routerBack(p, QPointF(box.left() + 10, box.top() + 70));

    const QRectF jack(box.left() + 18, box.top() + 206, 64, 64);
    wallPlate(p, jack, true);
    caption(p, QRectF(jack.left() - 10, jack.bottom() + 4, jack.width() + 20, 16), "Phone jack");

    // Microfilter sitting on the jack: ADSL port up to the router, PHONE to the phone.
    const QRectF filter(jack.right() + 34, jack.top() + 4, 86, 56);
    QPainterPath tail;
    tail.moveTo(jack.center().x() + 6, jack.center().y());
    tail.cubicTo(jack.right() + 14, jack.center().y() + 4, filter.left() - 14, filter.center().y(),
                 filter.left(), filter.center().y());
    cable(p, tail, QColor(236, 238, 239), 4);
    softShadow(p, filter, 6, 3);
    card(p, filter, 6, QColor(250, 251, 251), QColor(170, 181, 187));
    const QRectF adslPort(filter.left() + 12, filter.top() + 10, 20, 14);
    const QRectF phonePort(filter.right() - 32, filter.top() + 10, 20, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 46, 50));
    p.drawRoundedRect(adslPort, 2, 2);
    p.drawRoundedRect(phonePort, 2, 2);
    text(p, QRectF(adslPort.left() - 8, filter.top() + 28, 36, 14), "ADSL", 9, kInk, true);
    text(p, QRectF(phonePort.left() - 10, filter.top() + 28, 40, 14), "PHONE", 9, kInk, true);
    caption(p, QRectF(filter.left() - 20, filter.bottom() + 8, filter.width() + 40, 16),
            "Microfilter splitter");

    const QRectF phone(box.right() - 78, jack.top() + 6, 58, 50);
    drawPhone(p, phone);
    caption(p, QRectF(phone.left() - 10, jack.bottom() + 4, phone.width() + 20, 16), "Phone");
    QPainterPath cord;
    cord.moveTo(phonePort.center().x(), phonePort.top() + 4);
    cord.cubicTo(phonePort.center().x() + 10, filter.top() - 30, phone.left() - 6, phone.top() - 20,
                 phone.left() + 6, phone.top() + 30);
    cable(p, cord, QColor(70, 78, 83), 3);
    plug(p, phonePort.adjusted(3, 2, -3, -2), QColor(70, 78, 83));

    QPainterPath grey;
    grey.moveTo(ports.dsl.center().x(), ports.dsl.bottom() + 4);
    grey.cubicTo(ports.dsl.center().x(), ports.dsl.bottom() + 70, adslPort.center().x(),
                 adslPort.top() - 70, adslPort.center().x(), adslPort.top() + 4);
    cable(p, grey, kDslGrey, 5);
    plug(p, ports.dsl, kDslGrey);
    plug(p, adslPort.adjusted(3, 2, -3, -2), kDslGrey);
    callout(p, ports.dsl, "DSL port", QPointF(ports.dsl.center().x() + 20, box.top() + 30));
    caption(p, QRectF(box.left() + 150, box.top() + 160, 110, 16), "Grey DSL cable");
}

void drawReset(QPainter& p)
{
    const QRectF box = illustrationCard(p);
    const BackPorts ports = routerBack(p, QPointF(box.left() + 10, box.top() + 66));
    // A straightened paper clip pressing the reset button.
    QPainterPath clip;
    clip.moveTo(ports.reset.center().x(), ports.reset.center().y());
    clip.lineTo(ports.reset.center().x() - 30, ports.reset.center().y() + 62);
    clip.arcTo(QRectF(ports.reset.center().x() - 46, ports.reset.center().y() + 56, 14, 14), 30,
               200);
    p.setPen(QPen(QColor(120, 130, 136), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(clip);
    callout(p, ports.reset, "RESET  \u2022  hold 10 s",
            QPointF(ports.reset.center().x() - 50, box.top() + 30));

    const QRectF front(box.left() + 30, box.top() + 226, 260, 60);
    const auto lights = routerFront(
        p, front,
        {Led::Green, Led::Off, Led::Off, Led::Off, Led::Off, Led::Off, Led::Off, Led::Off});
    callout(p, QRectF(lights[0] - QPointF(6, 6), QSizeF(12, 12)), "Power LED solid green",
            QPointF(box.center().x(), front.top() - 30));
}

// ---------------------------------------------------------------- backgrounds

enum class Art
{
    None,
    Power,
    Ethernet,
    Dsl,
    Reset
};

struct Background
{
    const char* name;
    Step step;
    Art art;
    std::optional<Glyph> motif;
    QRectF mark = kCornerMark;
};

// 2xxx pages belong to the first installation, 3xxx to the quick one; 2420
// and 2510 serve both roads and so carry the first installation's indicator.
const Background kBackgrounds[] = {
    {"1100", {}, Art::None, {}},
    {"2100", {0, false}, Art::Power, {}},
    {"2200", {0, false}, Art::Ethernet, {}},
    {"2300", {0, false}, Art::Dsl, {}},
    {"2410", {1, false}, Art::None, Glyph::Padlock},
    {"3170", {1, true}, Art::None, Glyph::Padlock},
    {"2420", {1, false}, Art::Reset, {}},
    {"2510", {2, false}, Art::None, Glyph::Globe},
    {"3200", {2, true}, Art::None, Glyph::Globe},
    {"2600", {2, false}, Art::None, Glyph::Network},
    {"3300", {2, true}, Art::None, Glyph::Network},
    {"2700", {3, false}, Art::None, Glyph::Waves},
    {"3400", {3, true}, Art::None, Glyph::Waves},
    {"2901", {4, false}, Art::None, Glyph::Tick, kSuccessMark},
    {"7100", {}, Art::None, Glyph::Lifebuoy},
    {"7200", {}, Art::None, Glyph::Document},
};

QImage background(const Background& b)
{
    QImage img = canvas(kPageSize, kBody);
    QPainter p(&img);
    smooth(p);
    frame(p, b.step);
    if (b.motif)
        motif(p, *b.motif, b.mark);
    switch (b.art)
    {
    case Art::Power: drawPower(p); break;
    case Art::Ethernet: drawEthernet(p); break;
    case Art::Dsl: drawDsl(p); break;
    case Art::Reset: drawReset(p); break;
    case Art::None: break;
    }
    return img;
}

// Welcome page: the router front in the illustration area, its lights
// blinking from frame to frame (only the light strip changes).
const Leds kWelcomeFrames[] = {
    {Led::Green, Led::Green, Led::Green, Led::Green, Led::Green, Led::Off, Led::Off, Led::Off},
    {Led::Green, Led::Green, Led::Green, Led::Off, Led::Green, Led::Off, Led::Off, Led::Off},
    {Led::Green, Led::Green, Led::Off, Led::Green, Led::Off, Led::Off, Led::Off, Led::Off},
    {Led::Green, Led::Green, Led::Green, Led::Green, Led::Off, Led::Off, Led::Off, Led::Off},
};

QImage welcome(const Leds& leds)
{
    QImage img = canvas(kPageSize, kBody);
    QPainter p(&img);
    smooth(p);
    frame(p, {});
    const QRectF stage = QRectF(kIllustrationRect).adjusted(10, 10, -10, -10);
    // A flat disc rather than a glow: gradients band in a 256-colour GIF.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 243, 246));
    p.drawEllipse(stage.center() + QPointF(0, 8), 150, 150);
    routerFront(p, QRectF(stage.left() + 20, stage.top() + 130, 280, 84), leds);
    return img;
}

// ---------------------------------------------------------------- button faces

enum class Tone
{
    Primary,
    Secondary,
    Bar,
    Inactive
};

struct Shade
{
    QColor top, bottom, edge;
};

Shade shade(Tone t, bool over)
{
    switch (t)
    {
    case Tone::Primary:
        return over ? Shade{{16, 160, 186}, {0, 132, 156}, {0, 112, 134}}
                    : Shade{{0, 122, 146}, {0, 98, 118}, {0, 82, 100}};
    case Tone::Secondary:
        return over ? Shade{{82, 124, 140}, {64, 104, 120}, {52, 88, 102}}
                    : Shade{{62, 92, 105}, {49, 76, 88}, {38, 62, 73}};
    case Tone::Bar:
        return over ? Shade{{14, 150, 176}, {0, 124, 148}, {70, 190, 210}}
                    : Shade{{32, 94, 112}, {24, 78, 94}, {52, 118, 136}};
    case Tone::Inactive: return Shade{{208, 215, 219}, {192, 200, 205}, {178, 187, 192}};
    }
    return {};
}

enum class Side
{
    None,
    Left,
    Right
};

// A button face: rounded slab on the colour it sits on, no caption (the
// button draws that), an optional arrow or icon at one side.
QImage face(QSize size, Tone tone, bool over, const QColor& around, Side arrowSide,
            std::optional<Glyph> icon)
{
    QImage img = canvas(size, around);
    QPainter p(&img);
    smooth(p);
    const Shade s = shade(tone, over);
    const QRectF r(0.5, 0.5, size.width() - 1, size.height() - 1);
    const qreal radius = size.height() >= 44 ? 7 : 5;
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, s.top);
    g.setColorAt(1, s.bottom);
    p.setPen(QPen(s.edge, 1));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, tone == Tone::Inactive ? 90 : 45), 1));
    p.drawLine(QPointF(radius, 1.5), QPointF(size.width() - radius, 1.5));

    const QColor ink = tone == Tone::Inactive ? QColor(236, 240, 242) : QColor(Qt::white);
    const qreal a = size.height() * 0.42;
    const qreal y = (size.height() - a) / 2;
    if (arrowSide == Side::Left)
        glyph(p, Glyph::ChevronLeft, QRectF(8, y, a, a), ink, 2.6);
    if (arrowSide == Side::Right)
        glyph(p, Glyph::ChevronRight, QRectF(size.width() - 8 - a, y, a, a), ink, 2.6);
    if (icon)
    {
        const qreal i = size.height() * 0.5;
        glyph(p, *icon, QRectF(10, (size.height() - i) / 2, i, i), QColor(255, 255, 255, 220), 1.8);
    }
    return img;
}

struct FaceSet
{
    const char* normal;  // resting face
    const char* over;    // mouse-over face (nullptr: the face has no second state)
    QSize size;
    Tone tone;
    QColor around;  // what the face sits on, for its rounded corners
    Side arrow;
    std::optional<Glyph> icon;
};

const QSize kStartSize(170, 48), kDocSize(200, 34), kBrowseSize(200, 44), kDetailsSize(160, 36);

const FaceSet kFaces[] = {
    {"pre/prev.bmp", "pre/prev1.bmp", kNavButtonSize, Tone::Primary, kBody, Side::Left, {}},
    {"pre/prev3.bmp", nullptr, kNavButtonSize, Tone::Inactive, kBody, Side::Left, {}},
    {"next/next.bmp", "next/next1.bmp", kNavButtonSize, Tone::Primary, kBody, Side::Right, {}},
    {"next/next3.bmp", nullptr, kNavButtonSize, Tone::Inactive, kBody, Side::Right, {}},
    {"technical_support/technical_support.bmp",
     "technical_support/technical_support1.bmp",
     kBarButtonSize,
     Tone::Bar,
     kBand,
     Side::None,
     {}},
    {"trouble_shooting/trouble_shooting.bmp",
     "trouble_shooting/trouble_shooting1.bmp",
     kBarButtonSize,
     Tone::Bar,
     kBand,
     Side::None,
     {}},
    // The disclaimer pair is named the other way round: "1" is the resting face.
    {"disclaim/disclaim1.bmp",
     "disclaim/disclaim.bmp",
     kBarButtonSize,
     Tone::Bar,
     kBand,
     Side::None,
     {}},
    {"exit/exit.bmp", "exit/exit1.bmp", kBarButtonSize, Tone::Bar, kBand, Side::None, {}},
    {"start1.bmp", "start2.bmp", kStartSize, Tone::Primary, kBody, Side::Right, {}},
    {"technical_manual/technical_manual.bmp", "technical_manual/technical_manual1.bmp", kDocSize,
     Tone::Secondary, kPanel, Side::None, Glyph::Book},
    {"Adobe-Reader/Adobe-Reader.bmp", "Adobe-Reader/Adobe-Reader1.bmp", kDocSize, Tone::Secondary,
     kPanel, Side::None, Glyph::Download},
    {"advanced_ui/advanced_ui.bmp", "advanced_ui/advanced_ui1.bmp", kDocSize, Tone::Secondary,
     kPanel, Side::None, Glyph::Sliders},
    {"start_browsing/start_browsing.bmp",
     "start_browsing/start_browsing1.bmp",
     kBrowseSize,
     Tone::Primary,
     kPanel,
     Side::Right,
     {}},
    {"print_details/print_details.bmp",
     "print_details/print_details1.bmp",
     kDetailsSize,
     Tone::Primary,
     kPanel,
     Side::None,
     {}},
    {"print/print_ready.bmp",
     "print/print_ready1.bmp",
     kNavButtonSize,
     Tone::Primary,
     kBody,
     Side::None,
     {}},
    {"close1.bmp", "close2.bmp", kNavButtonSize, Tone::Primary, kBody, Side::None, {}},
};

// The install mode pictures carry their own texts: icon, title, one line.
struct Choice
{
    const char* folder;
    Glyph icon;
    const char* title;
    const char* line;
};

const Choice kChoices[] = {
    {"first_install", Glyph::Router, "First Installation", "Cable and set up a new router"},
    {"quick_install", Glyph::Bolt, "Quick Installation", "Router already cabled? Skip ahead"},
    {"restore_congif", Glyph::Restore, "Restore Configuration", "Read back your wireless details"},
};

QImage choiceCard(const Choice& c, bool over)
{
    const QSize size(210, 160);
    QImage img = canvas(size, kPanel);
    QPainter p(&img);
    smooth(p);
    const QRectF r(1, 1, size.width() - 2, size.height() - 2);
    p.setPen(QPen(over ? kBrand : kPanelLine, over ? 2 : 1));
    p.setBrush(over ? QColor(236, 248, 251) : QColor(Qt::white));
    p.drawRoundedRect(r, 10, 10);
    const QRectF disc(size.width() / 2.0 - 30, 18, 60, 60);
    badge(p, c.icon, disc, over ? kBrand : kTint, over ? QColor(Qt::white) : kBrand);
    text(p, QRectF(6, 88, size.width() - 12, 24), c.title, 16, over ? kBrandDeep : kInk, true);
    text(p, QRectF(6, 114, size.width() - 12, 18), c.line, 12, kMuted);
    if (over)
        glyph(p, Glyph::ChevronRight, QRectF(size.width() / 2.0 - 8, 136, 16, 16), kBrand, 2.4);
    return img;
}

// ---------------------------------------------------------------- light box and progress

// Page-sized; everything outside the card is the key colour and so
// see-through. The card edges lie on the 8-pixel JPEG block grid, so no block
// mixes key and card and the key colour survives compression exactly.
static_assert(kLightBoxRect.left() % 8 == 0 && kLightBoxRect.top() % 8 == 0
                  && kLightBoxRect.width() % 8 == 0 && kLightBoxRect.height() % 8 == 0,
              "the light box card must lie on the JPEG block grid");

QImage lightBox()
{
    QImage img = canvas(kPageSize, kKey);
    QPainter p(&img);
    const QRect cardRect = kLightBoxRect;
    p.fillRect(cardRect, QColor(150, 172, 181));
    p.fillRect(cardRect.adjusted(2, 2, -2, -2), Qt::white);
    p.fillRect(QRect(cardRect.left() + 2, cardRect.top() + 2, cardRect.width() - 4, 4), kBrand);
    smooth(p);
    // Level with the light box's heading, which sits lower than a page's.
    badge(p, Glyph::Warning, QRectF(kHeadingRect.right() - 44, 102, 40, 40), QColor(253, 239, 214),
          QColor(196, 120, 16));
    glyph(p, Glyph::Warning, kCornerMark, QColor(248, 243, 234), 1.6);
    return img;
}

// Written with libjpeg directly: Qt's writer always converts to YCbCr, in
// which RGB(0,0,1) cannot be stored exactly. RGB components at quality 100
// keep it.
void saveRgbJpeg(const QImage& src, const QString& path)
{
    const QImage img = src.convertToFormat(QImage::Format_RGB888);
    FILE* out = std::fopen(qPrintable(path), "wb");
    if (!out)
    {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, out);
    c.image_width = img.width();
    c.image_height = img.height();
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_colorspace(&c, JCS_RGB);
    jpeg_set_quality(&c, 100, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height)
    {
        JSAMPROW row = const_cast<uchar*>(img.constScanLine(c.next_scanline));
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(out);
}

constexpr int kProgressFrames = 12;
const QSize kProgressSize(300, 24);

// An endless bar: a brand-coloured segment gliding along a pale track.
QImage progressFrame(int i)
{
    QImage img = canvas(kProgressSize, kPanel);
    QPainter p(&img);
    smooth(p);
    const QRectF track(1, 6, kProgressSize.width() - 2, 12);
    p.setPen(QPen(kPanelLine, 1));
    p.setBrush(QColor(232, 239, 242));
    p.drawRoundedRect(track, 6, 6);
    QPainterPath clip;
    clip.addRoundedRect(track, 6, 6);
    p.setClipPath(clip);
    const qreal len = 110;
    // Never wholly off the track, so the loop shows no empty frame.
    const qreal x = -len + (track.width() + len) * (i + 1) / (kProgressFrames + 1);
    QLinearGradient g(x, 0, x + len, 0);
    g.setColorAt(0, QColor(0, 141, 168, 0));
    g.setColorAt(0.35, kBrand);
    g.setColorAt(1, QColor(22, 176, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(x, track.top(), len, track.height()), 6, 6);
    return img;
}

void icons()
{
    QSvgRenderer svg(gAssets + "/tarnix-setup.svg");
    for (int px : {48, 128, 256})
    {
        QImage img(px, px, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        svg.render(&p);
        p.end();
        const QString path = QString("%1/icons/tarnix-setup-%2.png").arg(gData).arg(px);
        QDir().mkpath(QFileInfo(path).path());
        if (!img.save(path))
        {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4 && argc != 5)
    {
        std::fprintf(stderr, "usage: draw <assets folder> <data folder> <work folder> [1|2]\n");
        return 2;
    }
    gScale = argc == 5 ? std::atoi(argv[4]) : 1;
    if (gScale != 1 && gScale != 2)
    {
        std::fprintf(stderr, "scale must be 1 or 2\n");
        return 2;
    }
    gAssets = argv[1];
    gData = argv[2];
    gWork = argv[3];
    const QString button = gData + "/pic/BUTTON/";

    for (const Background& b : kBackgrounds)
        save(background(b), QString("%1/bg/%2.png").arg(gWork, b.name));
    int n = 0;
    for (const Leds& leds : kWelcomeFrames)
        save(welcome(leds), QString("%1/welcome/%2.png").arg(gWork).arg(n++));
    for (int i = 0; i < kProgressFrames; ++i)
        save(progressFrame(i), QString("%1/progress/%2.png").arg(gWork).arg(i, 2, 10, QChar('0')));

    for (const FaceSet& f : kFaces)
    {
        save(face(f.size, f.tone, false, f.around, f.arrow, f.icon), scaled(button + f.normal));
        if (f.over)
            save(face(f.size, f.tone, true, f.around, f.arrow, f.icon), scaled(button + f.over));
    }
    for (const Choice& c : kChoices)
    {
        const QString stem = button + c.folder + "/" + c.folder;
        save(choiceCard(c, false), scaled(stem + ".bmp"));
        save(choiceCard(c, true), scaled(stem + "1.bmp"));
    }

    QDir().mkpath(gData + "/pic/BG");
    if (gScale == 1)
    {
        saveRgbJpeg(lightBox(), gData + "/pic/BG/LightBoxS.jpg");
        icons();
    }
    else
    {
        // PNG keeps the see-through key colour exact without the JPEG's block grid.
        save(lightBox(), gData + "/pic/BG/LightBoxS@2x.png");
    }
    return 0;
}
