// Draws the program's artwork into resources/: the toolbar images (16 x 16, and 32 x 32 as @2x for
// high-density screens), the eyedropper cursor of the preview and the program icon, also in the
// sizes of the desktop's icon theme and as SVG.
//
// Usage: tintwright_make_icons <resources folder>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstddef>
#include <cstdio>
#include <functional>
#include <iterator>

namespace {

using TDrawing = std::function<void(QPainter&)>;

// Every drawing works on a 16 x 16 canvas; the painter is scaled for larger images.
bool Save(const QString& file, int size, const TDrawing& draw)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    painter.end();
    if (image.save(file))
        return true;
    std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
    return false;
}

QPen Outline(const QColor& color, double width = 1.0)
{
    QPen pen(color, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void DrawNew(QPainter& p)
{
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(Outline(QColor(90, 100, 120)));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(QColor(210, 220, 235));
    p.drawPolygon(QPolygonF({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
    p.setPen(Outline(QColor(240, 180, 40), 1.2));
    p.drawLine(QPointF(12, 9), QPointF(15, 9));
    p.drawLine(QPointF(13.5, 7.5), QPointF(13.5, 10.5));
}

void DrawOpen(QPainter& p)
{
    p.setPen(Outline(QColor(150, 110, 30)));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(
        QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(QColor(252, 225, 130));
    p.drawPolygon(QPolygonF({{1.5, 13.5}, {4, 7.5}, {15.5, 7.5}, {13.5, 13.5}}));
}

void DrawSave(QPainter& p)
{
    p.setPen(Outline(QColor(30, 60, 120)));
    p.setBrush(QColor(60, 110, 200));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5.5));
    p.setBrush(QColor(200, 210, 225));
    p.drawRect(QRectF(4, 9.5, 8, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 60, 120));
    p.drawRect(QRectF(9, 2.5, 2, 3.5));
}

// A curved arrow; mirrored for Redo.
void DrawTurnArrow(QPainter& p, bool mirrored)
{
    if (mirrored) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(4, 6.5);
    arc.lineTo(9, 6.5);
    arc.cubicTo(15.5, 6.5, 15.5, 14, 9, 14);
    arc.lineTo(6, 14);
    p.setPen(Outline(QColor(30, 110, 50), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Outline(QColor(30, 110, 50), 1));
    p.setBrush(QColor(60, 170, 80));
    p.drawPolygon(QPolygonF({{0.8, 6.5}, {5.5, 2}, {5.5, 11}}));
}

void DrawHelp(QPainter& p)
{
    p.setPen(Outline(QColor(20, 70, 150)));
    p.setBrush(QColor(50, 120, 220));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, "?");
}

// The pointer over the preview: an eyedropper whose tip is the cursor's hot spot at the left
// edge, halfway down (0, 15 of 32 x 32).
bool SaveEyedropper(const QString& file)
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Lay the dropper along a line from the tip (0, 15) up to the right.
    p.translate(0.5, 15.5);
    p.rotate(-40);
    p.setPen(Outline(Qt::black));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{0, 0}, {4, -1.5}, {14, -1.5}, {14, 1.5}, {4, 1.5}}));
    p.setBrush(QColor(60, 60, 60));
    p.drawRoundedRect(QRectF(14, -3.5, 4, 7), 1, 1);
    p.drawRoundedRect(QRectF(18, -2.5, 9, 5), 2.5, 2.5);
    p.end();
    // The tip pixel itself must be opaque, so the hot spot is visible.
    image.setPixel(0, 15, qRgb(0, 0, 0));
    return image.save(file);
}

// The program icon: a fan of colour swatches over a map pin, on the 16 x 16 canvas. One
// description serves both the images and the SVG, so they cannot drift apart.
namespace ProgramIcon {

const QPointF Pivot(8, 13.5);
const QColor Stroke(60, 60, 60);
constexpr double StrokeWidth = 0.5;
// Each swatch before its turn: a rounded bar standing up from just above the pivot.
const QRectF Swatch(-1.4, -12.5, 2.8, 11);
constexpr double SwatchRadius = 0.8;
constexpr double FirstAngle = -62, AngleStep = 24;
const QColor Swatches[] = {{233, 144, 160}, {250, 190, 140}, {255, 250, 190}, {200, 230, 180},
    {170, 211, 223}, {0, 120, 255}};
const QPointF PinCentre(0, -1);
constexpr double PinRadius = 1.8;
const QColor Pin(200, 40, 40);

void Draw(QPainter& p)
{
    p.translate(Pivot);
    p.setPen(Outline(Stroke, StrokeWidth));
    for (std::size_t i = 0; i < std::size(Swatches); ++i) {
        p.save();
        p.rotate(FirstAngle + double(i) * AngleStep);
        p.setBrush(Swatches[i]);
        p.drawRoundedRect(Swatch, SwatchRadius, SwatchRadius);
        p.restore();
    }
    p.setBrush(Pin);
    p.drawEllipse(PinCentre, PinRadius, PinRadius);
}

QString Svg()
{
    const auto number = [](double value) { return QString::number(value, 'g', 6); };
    QString svg
        = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                         "viewBox=\"0 0 16 16\">\n");
    svg += QStringLiteral("  <g transform=\"translate(%1 %2)\" stroke=\"%3\" stroke-width=\"%4\" "
                          "stroke-linejoin=\"round\" stroke-linecap=\"round\">\n")
               .arg(number(Pivot.x()), number(Pivot.y()), Stroke.name(), number(StrokeWidth));
    for (std::size_t i = 0; i < std::size(Swatches); ++i) {
        svg += QStringLiteral("    <rect transform=\"rotate(%1)\" x=\"%2\" y=\"%3\" width=\"%4\" "
                              "height=\"%5\" rx=\"%6\" fill=\"%7\"/>\n")
                   .arg(number(FirstAngle + double(i) * AngleStep), number(Swatch.x()),
                       number(Swatch.y()), number(Swatch.width()), number(Swatch.height()),
                       number(SwatchRadius), Swatches[i].name());
    }
    svg += QStringLiteral("    <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>\n")
               .arg(number(PinCentre.x()), number(PinCentre.y()), number(PinRadius), Pin.name());
    svg += QStringLiteral("  </g>\n</svg>\n");
    return svg;
}

} // namespace ProgramIcon

bool SaveText(const QString& file, const QString& text)
{
    QFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && out.write(text.toUtf8()) == text.toUtf8().size() && out.flush())
        return true;
    std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath("icons");
    folder.mkpath("cursors");
    struct TToolbarImage
    {
        const char* Name;
        TDrawing Draw;
    };
    const TToolbarImage images[] = {
        {"new", DrawNew},
        {"open", DrawOpen},
        {"save", DrawSave},
        {"undo", [](QPainter& p) { DrawTurnArrow(p, false); }},
        {"redo", [](QPainter& p) { DrawTurnArrow(p, true); }},
        {"help", DrawHelp},
    };
    bool ok = true;
    for (const TToolbarImage& image : images) {
        ok &= Save(folder.filePath(QString("icons/%1.png").arg(image.Name)), 16, image.Draw);
        ok &= Save(folder.filePath(QString("icons/%1@2x.png").arg(image.Name)), 32, image.Draw);
    }
    ok &= SaveEyedropper(folder.filePath("cursors/eyedropper.png"));
    ok &= Save(folder.filePath("tintwright.png"), 256, ProgramIcon::Draw);
    // The desktop's icon theme: every size a menu, a task bar or a file manager asks for.
    const QString themeIcon = QStringLiteral("icons/hicolor/%1/apps/org.tintwright.tintwright.%2");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString sizeFolder = QStringLiteral("%1x%1").arg(size);
        folder.mkpath(QStringLiteral("icons/hicolor/%1/apps").arg(sizeFolder));
        ok &= Save(folder.filePath(themeIcon.arg(sizeFolder, "png")), size, ProgramIcon::Draw);
    }
    folder.mkpath("icons/hicolor/scalable/apps");
    ok &= SaveText(folder.filePath(themeIcon.arg("scalable", "svg")), ProgramIcon::Svg());
    return ok ? 0 : 1;
}
