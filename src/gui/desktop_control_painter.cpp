#include "gui/desktop_control_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "codecs/compose.h"
#include "codecs/image_loader.h"
#include "platform/files/files.h"

namespace orvella {
namespace {

QColor ToQColor(ColorRef colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

// Our pictures through our own codecs, the same the image preparation wrote them with. A
// missing picture is not drawn, as a page without it; one that cannot be read is not drawn
// either, and said so: the rest of the desktop is still worth showing.
QImage LoadPicture(const std::string& path) {
    if (path.empty() || !FileExists(path))
        return {};
    Result<Bitmap> bitmap = LoadImage(path);
    if (!bitmap) {
        qWarning("orvella: %s", bitmap.message().c_str());
        return {};
    }
    const Bitmap rgb = Flatten(*bitmap, Colour{});
    QImage image(rgb.data(), rgb.width(), rgb.height(), static_cast<qsizetype>(rgb.stride()),
                 QImage::Format_RGB888);
    return image.copy();  // the bitmap's memory ends here
}

// The calendar was designed for a desktop 768 pixels high: on larger screens it grows
// with the screen, so a 10-point face stays as easy to read from the chair.
double ScaleFor(QSize screen) {
    return std::max(1.0, screen.height() / 768.0);
}

struct CalendarLayout {
    QFont font;
    QFont title_font;
    int pad = 0;
    int cell_w = 0;
    int cell_h = 0;
    int line = 1;
    QRect panel;
    QRect title;
    QRect weekdays;
    QRect face;
    QRect today_line;

    // Column 0 holds the week numbers, 1 to 7 Monday to Sunday; row -1 is the weekday row.
    QRect Cell(int row, int column) const {
        return QRect(face.left() + column * cell_w, weekdays.top() + (row + 1) * cell_h, cell_w,
                     cell_h);
    }
};

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString TitleText(int month, int year) {
    return Text(GermanMonthName(month)) + QLatin1Char(' ') + QString::number(year);
}

CalendarLayout LayOutAt(const DesktopControlScene& scene, int pixel_size) {
    CalendarLayout layout;
    const double scale = ScaleFor(scene.screen);
    const CalendarFont& chosen = scene.settings.font;
    QFont font(QString::fromStdString(chosen.name));
    font.setPixelSize(pixel_size);
    font.setBold(chosen.bold);
    font.setItalic(chosen.italic);
    font.setUnderline(chosen.underline);
    font.setStrikeOut(chosen.strike_out);
    layout.font = font;
    layout.title_font = font;
    layout.title_font.setBold(true);
    layout.title_font.setPixelSize(font.pixelSize() * 6 / 5);

    const QFontMetrics metrics(font);
    int widest = metrics.horizontalAdvance(QStringLiteral("00"));
    for (int d = 0; d < 7; ++d)
        widest = std::max(widest, metrics.horizontalAdvance(Text(GermanWeekdayShort(d))));
    const int height = metrics.height();
    layout.line = std::max(1, static_cast<int>(std::lround(scale)));
    layout.cell_w = widest + height * 3 / 4;
    layout.cell_h = height * 3 / 2;
    layout.pad = std::max(4, height / 2);
    const QFontMetrics title_metrics(layout.title_font);
    const int title_h = title_metrics.height() * 9 / 5;
    // The longest month name fits the band in any face.
    const int title_w = title_metrics.horizontalAdvance(TitleText(9, 2026)) + 2 * layout.pad;
    layout.cell_w = std::max(layout.cell_w, (title_w + 7) / 8);

    const int inner_w = 8 * layout.cell_w;
    const int width = inner_w + 2 * layout.pad;
    const int panel_h =
        layout.pad + title_h + layout.pad / 2 + 7 * layout.cell_h + layout.cell_h + layout.pad;
    const QRect box = ControlBoxOf(scene.page);
    const int margin = std::max(12, static_cast<int>(std::lround(24 * scale)));
    layout.panel = QRect(box.right() + 1 - margin - width, box.top() + margin, width, panel_h);
    const int left = layout.panel.left() + layout.pad;
    layout.title = QRect(left, layout.panel.top() + layout.pad, inner_w, title_h);
    layout.weekdays =
        QRect(left, layout.title.bottom() + 1 + layout.pad / 2, inner_w, layout.cell_h);
    layout.face = QRect(left, layout.weekdays.top(), inner_w, 7 * layout.cell_h);
    layout.today_line = QRect(left, layout.face.bottom() + 1, inner_w, layout.cell_h);
    return layout;
}

// The face at the chosen size, or smaller where the calendar would not fit into the box
// with its margins (a large face on a small screen): the calendar is never cut.
CalendarLayout LayOut(const DesktopControlScene& scene) {
    const int wanted = static_cast<int>(
        std::lround(scene.settings.font.size * 96.0 / 72 * ScaleFor(scene.screen)));
    int size = std::max(6, wanted);
    CalendarLayout layout = LayOutAt(scene, size);
    const QRect box = ControlBoxOf(scene.page);
    for (int attempt = 0; attempt < 8 && size > 6; ++attempt) {
        if (layout.panel.left() >= box.left() + 4 && layout.panel.bottom() <= box.bottom() - 4)
            break;
        const double shrink =
            std::min(static_cast<double>(box.width() * 9 / 10) / layout.panel.width(),
                     static_cast<double>(box.height() * 9 / 10) / layout.panel.height());
        size = std::max(6, std::min(size - 1, static_cast<int>(size * std::min(shrink, 1.0))));
        layout = LayOutAt(scene, size);
    }
    return layout;
}

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

void PaintCalendar(QPainter& painter, const DesktopControlScene& scene) {
    const CalendarLayout layout = LayOut(scene);
    const CalendarColours& colours = scene.settings.colours;
    const QColor title_back = ToQColor(colours.title_back);
    const MonthSheet sheet = MakeMonthSheet(scene.today);

    painter.fillRect(layout.panel, ToQColor(colours.back));
    painter.setPen(QPen(title_back, layout.line));
    painter.drawRect(layout.panel.adjusted(0, 0, -layout.line, -layout.line));
    painter.fillRect(layout.title, title_back);
    painter.fillRect(layout.face, ToQColor(colours.month_back));

    painter.setFont(layout.title_font);
    painter.setPen(ToQColor(colours.title_text));
    painter.drawText(layout.title, Qt::AlignCenter, TitleText(sheet.month, sheet.year));

    painter.setFont(layout.font);
    painter.setPen(title_back);
    for (int d = 0; d < 7; ++d)
        painter.drawText(layout.Cell(-1, d + 1), Qt::AlignCenter, Text(GermanWeekdayShort(d)));
    for (int row = 0; row < 6; ++row)
        painter.drawText(layout.Cell(row, 0), Qt::AlignCenter,
                         QString::number(sheet.weeks[row].iso_week));
    // The rules under the weekdays and beside the week numbers.
    const int rule_y = layout.weekdays.bottom() + 1 - layout.line;
    painter.fillRect(QRect(layout.face.left(), rule_y, layout.face.width(), layout.line),
                     title_back);
    painter.fillRect(QRect(layout.face.left() + layout.cell_w - layout.line,
                           layout.weekdays.bottom() + 1, layout.line, 6 * layout.cell_h),
                     title_back);

    for (int row = 0; row < 6; ++row) {
        for (int d = 0; d < 7; ++d) {
            const MonthSheetDay& day = sheet.weeks[row].days[d];
            const QRect cell = layout.Cell(row, d + 1);
            painter.setPen(ToQColor(day.in_month ? colours.text : colours.trailing_text));
            painter.drawText(cell, Qt::AlignCenter, QString::number(day.date.day));
            if (day.today) {
                const int frame = 2 * layout.line;
                painter.setPen(
                    QPen(title_back, frame, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
                painter.drawRect(cell.adjusted(frame, frame / 2, -frame, -frame / 2));
            }
        }
    }

    // "Heute:" with the mark of today's frame in front of it.
    const int mark = layout.cell_h / 2;
    const QRect mark_rect(layout.today_line.left() + layout.cell_w / 4,
                          layout.today_line.center().y() - mark / 2, mark * 3 / 2, mark);
    painter.setPen(QPen(title_back, 2 * layout.line, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(mark_rect);
    painter.setPen(ToQColor(colours.text));
    painter.drawText(layout.today_line.adjusted(
                         mark_rect.right() + layout.cell_w / 4 - layout.today_line.left(), 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Heute: %1.%2.%3")
                         .arg(TwoDigits(scene.today.day), TwoDigits(scene.today.month))
                         .arg(scene.today.year, 4, 10, QLatin1Char('0')));
}

void PaintCalendarPage(QPainter& painter, const DesktopControlScene& scene) {
    const QRect box = ControlBoxOf(scene.page);
    painter.fillRect(QRect(QPoint(0, 0), scene.screen), ToQColor(scene.page.background));
    // A page background repeats from the top left corner; ours is screen-sized.
    const QImage background = LoadPicture(scene.page.background_image);
    if (!background.isNull()) {
        for (int y = 0; y < scene.screen.height(); y += background.height())
            for (int x = 0; x < scene.screen.width(); x += background.width())
                painter.drawImage(x, y, background);
    }
    const QImage control = LoadPicture(scene.control_image);
    if (!control.isNull()) {
        painter.save();
        painter.setClipRect(box);
        QPoint at = box.topLeft();
        if (scene.settings.centre_image)
            at +=
                QPoint((box.width() - control.width()) / 2, (box.height() - control.height()) / 2);
        painter.drawImage(at, control);
        painter.restore();
    }
    PaintCalendar(painter, scene);
}

struct Star {
    double x;  // -1 .. 1 across the box
    double y;
    double z;  // 1 far .. 0 at the viewer
    int tint;
};

// The same sky on every drawing, so the still field does not change from day to day.
std::vector<Star> Sky(QSize box) {
    std::minstd_rand random(20021207);
    std::uniform_real_distribution<double> across(-1.0, 1.0);
    std::uniform_real_distribution<double> depth(0.05, 1.0);
    std::uniform_int_distribution<int> tint(0, 5);
    const int count = std::clamp(box.width() * box.height() / 2400, 50, 4000);
    std::vector<Star> stars(static_cast<std::size_t>(count));
    for (Star& star : stars)
        star = Star{across(random), across(random), depth(random), tint(random)};
    return stars;
}

}  // namespace

QRect ControlBoxOf(const DesktopControlPage& page) {
    return QRect(10, 15, page.control_width, page.control_height);
}

CalendarPlacement PlaceCalendar(const DesktopControlScene& scene) {
    const CalendarLayout layout = LayOut(scene);
    CalendarPlacement placement{layout.panel, layout.title, layout.face, {}};
    const MonthSheet sheet = MakeMonthSheet(scene.today);
    for (int row = 0; row < 6; ++row) {
        for (int d = 0; d < 7; ++d) {
            if (sheet.weeks[row].days[d].today)
                placement.today = layout.Cell(row, d + 1);
        }
    }
    return placement;
}

QImage PaintStarfield(QSize screen, QRect box, int frame) {
    QImage image(screen, QImage::Format_RGB32);
    PaintStarfieldInto(image, box, frame);
    return image;
}

void PaintStarfieldInto(QImage& image, QRect box, int frame) {
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setClipRect(box);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPointF centre = QRectF(box).center();
    const double reach = std::max(box.width(), box.height()) / 2.0;
    // Stars keep their look on screens of more than 1080 lines.
    const double scale = std::max(1.0, image.height() / 1080.0);
    // A star needs some 40 seconds at two frames a second to come from the back.
    constexpr double kStep = 0.0125;
    static constexpr QRgb kTints[6] = {0xFFFFFF, 0xFFF4E8, 0xE8F0FF, 0xFFFFE0, 0xD8E4FF, 0xFFE8D8};
    for (const Star& star : Sky(box.size())) {
        double z = star.z - kStep * frame;
        z -= std::floor(z);  // a star that passed comes round again at the back
        z = std::max(z, 0.02);
        const QPointF at(centre.x() + star.x * reach * 0.5 / z,
                         centre.y() + star.y * reach * 0.5 / z);
        if (!box.contains(at.toPoint()))
            continue;
        const double nearness = 1.0 - z;
        QColor colour = QColor::fromRgb(kTints[star.tint]);
        const double radius = scale * (0.7 + 2.0 * nearness * nearness);
        // The nearest stars shine with a faint halo.
        if (nearness > 0.75) {
            colour.setAlphaF(0.12);
            painter.setBrush(colour);
            painter.drawEllipse(at, radius * 2.5, radius * 2.5);
        }
        colour.setAlphaF(0.45 + 0.55 * nearness);
        painter.setBrush(colour);
        painter.drawEllipse(at, radius, radius);
    }
}

QImage PaintDesktopControl(const DesktopControlScene& scene) {
    if (scene.page.kind == DesktopControlPageKind::Starfield)
        return PaintStarfield(scene.screen, ControlBoxOf(scene.page), 0);
    QImage image(scene.screen, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintCalendarPage(painter, scene);
    return image;
}

}  // namespace orvella
