// Draws the pictures the program loads from its own folder: the twelve page-button
// pictures (pressed "buttonND.bmp" and released "buttonNU.bmp"), the setting page's
// keypad picture, the program icon and the about window's picture "about.png".
// Run at build time, so the pictures follow the code and nothing binary is kept.
// The icon is drawn once, as an SVG, and rendered here at the sizes desktops use.
//   tempmon-drawassets OUTPUT-FOLDER ICON-SVG ICON-FOLDER

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include "keypadlayout.h"

#include <cstdio>

namespace {

constexpr int kWidth = 112;
constexpr int kHeight = 38;

enum class Glyph { Monitor, Trend, Alarm, Recipe, Record, Bars };

struct PageButton {
    int number;
    const char *label;
    Glyph glyph;
};

// Numbered as the main window names its buttons; 6 is the bar-chart page, placed
// third along the bottom.
const PageButton kButtons[] = {
    {1, "監控畫面", Glyph::Monitor}, {2, "曲線圖", Glyph::Trend},  {3, "警報", Glyph::Alarm},
    {4, "配方", Glyph::Recipe},      {5, "紀錄存檔", Glyph::Record}, {6, "直條圖", Glyph::Bars},
};

QFont labelFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing TW"), QStringLiteral("AR PL UMing TW MBE"),
                      QStringLiteral("Noto Sans CJK TC"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPixelSize(17);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void drawGlyph(QPainter &p, Glyph glyph, const QRectF &box, const QColor &ink)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double l = box.left(), t = box.top(), w = box.width(), h = box.height();
    switch (glyph) {
    case Glyph::Monitor:
        p.drawRoundedRect(QRectF(l + 1, t + 2, w - 2, h * 0.62), 2, 2);
        p.drawLine(QPointF(l + w / 2, t + 2 + h * 0.62), QPointF(l + w / 2, t + h * 0.86));
        p.drawLine(QPointF(l + w * 0.25, t + h * 0.9), QPointF(l + w * 0.75, t + h * 0.9));
        p.setBrush(ink);
        p.drawRect(QRectF(l + 5, t + h * 0.3, 3, h * 0.22));
        p.drawRect(QRectF(l + 10, t + h * 0.18, 3, h * 0.34));
        p.drawRect(QRectF(l + 15, t + h * 0.26, 3, h * 0.26));
        break;
    case Glyph::Trend: {
        p.drawLine(QPointF(l + 1, t + 1), QPointF(l + 1, t + h - 1));
        p.drawLine(QPointF(l + 1, t + h - 1), QPointF(l + w - 1, t + h - 1));
        QPainterPath path(QPointF(l + 3, t + h * 0.75));
        path.cubicTo(QPointF(l + w * 0.35, t - h * 0.05), QPointF(l + w * 0.55, t + h * 1.05),
                     QPointF(l + w - 2, t + h * 0.2));
        p.drawPath(path);
        break;
    }
    case Glyph::Alarm: {
        QPainterPath bell;
        bell.moveTo(l + w * 0.15, t + h * 0.78);
        bell.cubicTo(QPointF(l + w * 0.3, t + h * 0.6), QPointF(l + w * 0.2, t + h * 0.08),
                     QPointF(l + w * 0.5, t + h * 0.08));
        bell.cubicTo(QPointF(l + w * 0.8, t + h * 0.08), QPointF(l + w * 0.7, t + h * 0.6),
                     QPointF(l + w * 0.85, t + h * 0.78));
        bell.closeSubpath();
        p.setBrush(QColor(255, 70, 50));
        p.drawPath(bell);
        p.setBrush(ink);
        p.drawEllipse(QPointF(l + w / 2, t + h * 0.9), 2, 2);
        break;
    }
    case Glyph::Recipe:
        p.drawRect(QRectF(l + 3, t + 1, w - 6, h - 2));
        for (int i = 0; i < 4; ++i) {
            const double y = t + 5 + i * (h - 8) / 3.5;
            p.drawLine(QPointF(l + 6, y), QPointF(l + w - 6, y));
        }
        break;
    case Glyph::Record:
        p.drawRoundedRect(QRectF(l + 1, t + 1, w - 2, h - 2), 2, 2);
        p.drawRect(QRectF(l + w * 0.28, t + 1, w * 0.44, h * 0.32));
        p.setBrush(ink);
        p.drawRect(QRectF(l + w * 0.22, t + h * 0.55, w * 0.56, h * 0.35));
        break;
    case Glyph::Bars:
        p.drawLine(QPointF(l + 1, t + h - 1), QPointF(l + w - 1, t + h - 1));
        p.setBrush(ink);
        p.drawRect(QRectF(l + 3, t + h * 0.45, 4, h * 0.55 - 2));
        p.drawRect(QRectF(l + 9, t + h * 0.15, 4, h * 0.85 - 2));
        p.drawRect(QRectF(l + 15, t + h * 0.6, 4, h * 0.4 - 2));
        break;
    }
    p.restore();
}

// Released: a raised steel-blue key. Pressed: sunk in, lit amber, the face moved one
// pixel down and right as a pressed key looks.
QImage drawPageButton(const PageButton &button, bool pressed)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    const QRect all(0, 0, kWidth, kHeight);

    QLinearGradient face(0, 0, 0, kHeight);
    if (pressed) {
        face.setColorAt(0, QColor(196, 120, 10));
        face.setColorAt(0.5, QColor(244, 170, 40));
        face.setColorAt(1, QColor(255, 205, 90));
    } else {
        face.setColorAt(0, QColor(120, 170, 225));
        face.setColorAt(0.5, QColor(60, 110, 180));
        face.setColorAt(1, QColor(30, 70, 135));
    }
    p.fillRect(all, face);

    // Two-pixel bevel: light on the lit sides, dark on the others; swapped when pressed.
    const QColor light = pressed ? QColor(110, 60, 0) : QColor(225, 238, 255);
    const QColor dark = pressed ? QColor(255, 235, 180) : QColor(15, 35, 75);
    for (int i = 0; i < 2; ++i) {
        p.setPen(light);
        p.drawLine(i, i, kWidth - 1 - i, i);
        p.drawLine(i, i, i, kHeight - 1 - i);
        p.setPen(dark);
        p.drawLine(i, kHeight - 1 - i, kWidth - 1 - i, kHeight - 1 - i);
        p.drawLine(kWidth - 1 - i, i, kWidth - 1 - i, kHeight - 1 - i);
    }

    const int shift = pressed ? 1 : 0;
    const QColor ink = pressed ? QColor(40, 20, 0) : QColor(255, 255, 255);
    drawGlyph(p, button.glyph, QRectF(7 + shift, 9 + shift, 22, 20), ink);

    p.setFont(labelFont());
    const QRect textBox(31 + shift, shift, kWidth - 35, kHeight);
    const QString label = QString::fromUtf8(button.label);
    if (!pressed) {
        p.setPen(QColor(10, 25, 60));
        p.drawText(textBox.translated(1, 1), Qt::AlignCenter, label);
    }
    p.setPen(ink);
    p.drawText(textBox, Qt::AlignCenter, label);
    return image;
}

// The keypad the setting page lays its transparent keys over: raised grey keys on a
// dark plate, the back key amber with a left arrow, each key filling its 40 x 40 cell
// but for a two-pixel gap.
QImage drawKeypad()
{
    namespace kl = keypadlayout;
    QImage image(kl::kWidth, kl::kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(52, 58, 68));

    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);

    for (int i = 0; i < kl::kKeyCount; ++i) {
        const QRectF face(kl::keyLeft(i) + 2.5, kl::keyTop(i) + 2.5, kl::kKeySize - 5, kl::kKeySize - 5);
        const bool back = kl::kKeys[i] == kl::kBackKey;
        QLinearGradient shade(face.topLeft(), face.bottomLeft());
        shade.setColorAt(0, back ? QColor(255, 214, 130) : QColor(250, 250, 250));
        shade.setColorAt(1, back ? QColor(214, 140, 30) : QColor(190, 196, 205));
        p.setPen(QPen(QColor(20, 24, 30), 1));
        p.setBrush(shade);
        p.drawRoundedRect(face, 5, 5);
        p.setPen(QPen(QColor(255, 255, 255, 170), 1));
        p.drawLine(QPointF(face.left() + 4, face.top() + 1.5), QPointF(face.right() - 4, face.top() + 1.5));

        const QColor ink(25, 30, 40);
        if (back) {
            const QPointF c = face.center();
            p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(c.x() - 9, c.y()), QPointF(c.x() + 9, c.y()));
            p.drawLine(QPointF(c.x() - 9, c.y()), QPointF(c.x() - 3, c.y() - 6));
            p.drawLine(QPointF(c.x() - 9, c.y()), QPointF(c.x() - 3, c.y() + 6));
        } else if (kl::kKeys[i] == '.') {
            // A font's full stop is too small to find at a glance.
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(face.center() + QPointF(0, 5), 3.5, 3.5);
        } else {
            p.setPen(ink);
            p.drawText(face, Qt::AlignCenter, QString(QLatin1Char(kl::kKeys[i])));
        }
    }
    return image;
}

// The program icon, rendered from its drawing at one size.
QImage renderIcon(QSvgRenderer &drawing, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawing.render(&p, QRectF(0, 0, size, size));
    return image;
}

// The about window's picture: a thermometer beside a trend of PV held on its SV,
// the program's work in one look.
QImage drawAboutPicture()
{
    constexpr int kSize = 128;
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground(0, 0, 0, kSize);
    ground.setColorAt(0, QColor(110, 170, 235));
    ground.setColorAt(1, QColor(25, 60, 125));
    p.setPen(QPen(QColor(15, 35, 75), 2));
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(2, 2, kSize - 4, kSize - 4), 16, 16);

    // The chart: a black plot with a grid, the SV line and PV settling onto it.
    const QRectF plot(42, 16, 74, 64);
    p.setPen(QPen(QColor(200, 210, 225), 1.5));
    p.setBrush(Qt::black);
    p.drawRoundedRect(plot, 4, 4);
    p.setPen(QPen(QColor(50, 70, 90), 1, Qt::DotLine));
    for (int i = 1; i < 4; ++i) {
        const double y = plot.top() + i * plot.height() / 4;
        p.drawLine(QPointF(plot.left() + 3, y), QPointF(plot.right() - 3, y));
    }
    const double sv = plot.top() + plot.height() * 0.35;
    p.setPen(QPen(QColor(0, 255, 0), 2, Qt::DashLine));
    p.drawLine(QPointF(plot.left() + 4, sv), QPointF(plot.right() - 4, sv));
    QPainterPath pv(QPointF(plot.left() + 4, plot.bottom() - 6));
    pv.cubicTo(QPointF(plot.left() + 26, plot.bottom() - 8), QPointF(plot.left() + 24, sv - 14),
               QPointF(plot.left() + 42, sv - 4));
    pv.cubicTo(QPointF(plot.left() + 52, sv + 3), QPointF(plot.left() + 60, sv), QPointF(plot.right() - 4, sv));
    p.setPen(QPen(QColor(255, 50, 50), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(pv);

    // The thermometer, filled to the set value.
    p.setPen(QPen(QColor(250, 250, 250), 2));
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(14, 14, 16, 78), 8, 8);
    p.drawEllipse(QPointF(22, 98), 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 20, 20));
    p.drawRect(QRectF(19, 38, 6, 60));
    p.drawEllipse(QPointF(22, 98), 10, 10);
    p.setPen(QPen(QColor(60, 80, 110), 1.5));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(30, 24 + i * 14), QPointF(35, 24 + i * 14));

    // Four lamps as on a controller tile: OUT1, OUT2 on, AL1, AL2 off.
    const QColor lamps[] = {QColor(0, 206, 0), QColor(0, 206, 0), QColor(109, 167, 231), QColor(109, 167, 231)};
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(15, 35, 75), 1));
        p.setBrush(lamps[i]);
        p.drawRoundedRect(QRectF(44 + i * 19, 92, 15, 9), 2, 2);
    }
    return image;
}

bool save(const QImage &image, const QString &path, const char *format)
{
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER ICON-SVG ICON-FOLDER\n", argv[0]);
        return 2;
    }
    QSvgRenderer iconDrawing(QString::fromLocal8Bit(argv[2]));
    if (!iconDrawing.isValid()) {
        std::fprintf(stderr, "cannot read the icon drawing %s\n", argv[2]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (const PageButton &button : kButtons) {
        for (bool pressed : {true, false}) {
            const QString name = QStringLiteral("button%1%2.bmp").arg(button.number).arg(pressed ? 'D' : 'U');
            ok = save(drawPageButton(button, pressed), out.filePath(name), "BMP") && ok;
        }
    }
    ok = save(drawKeypad(), out.filePath(QString::fromLatin1(keypadlayout::kPictureFile)), "BMP") && ok;
    ok = save(renderIcon(iconDrawing, 128), out.filePath(QStringLiteral("tempmon.png")), "PNG") && ok;
    // The icon theme's layout: <size>x<size>/apps/tempmon.png.
    const QDir icons(QString::fromLocal8Bit(argv[3]));
    for (int size : {48, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        ok = QDir().mkpath(icons.filePath(folder)) && ok;
        ok = save(renderIcon(iconDrawing, size), icons.filePath(folder + "/tempmon.png"), "PNG") && ok;
    }
    ok = save(drawAboutPicture(), out.filePath(QStringLiteral("about.png")), "PNG") && ok;
    return ok ? 0 : 1;
}
