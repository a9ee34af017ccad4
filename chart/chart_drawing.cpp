// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/chart_drawing.h"

#include "chart/core/curves.h"
#include "chart/png_writer.h"
#include "chart/svg_writer.h"
#include "table/core/experience_table.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <array>
#include <cmath>
#include <functional>
#include <system_error>
#include <thread>

namespace {

constexpr int kWidth = 1200;
constexpr int kTitleHeight = 56;
constexpr int kPanelHeight = 520;
constexpr int kNoteLineHeight = 22;

// The plot area inside a panel: room on the left for the values, below for
// the levels, on the right for the legend.
constexpr int kPlotLeft = 120;
constexpr int kPlotRight = kWidth - 190;
constexpr int kPlotTop = 48;
constexpr int kPlotBottom = kPanelHeight - 70;

// Seven colours told apart on screen and in print; the same in both panels,
// where the legend names the column.
constexpr QRgb kColours[7] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd, 0x8c564b, 0xe377c2};

QFont sansFont(int pixels, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A whole number as Spanish writes it: points between groups of three
// digits from five digits on ("1000", "10.000", "1.000.000"); past what 64
// bits hold, as a power of ten.
QString wholeNumber(double value)
{
    if (std::fabs(value) >= 9e18) {
        const int exponent = int(std::floor(std::log10(std::fabs(value))));
        return QStringLiteral("%1e%2").arg(value / std::pow(10.0, exponent), 0, 'g', 3).arg(exponent);
    }
    const qlonglong whole = std::llround(value);
    QString digits = QString::number(whole < 0 ? -whole : whole);
    if (digits.size() > 4)
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
            digits.insert(at, u'.');
    return whole < 0 ? u'-' + digits : digits;
}

// Ticks of a linear axis from `low` to at least `high`: steps of 1, 2 or 5
// times a power of ten, about `wanted` of them.
struct LinearTicks
{
    double first, last, step;
};

LinearTicks niceTicks(double low, double high, int wanted)
{
    const double span = std::max(high - low, 1.0);
    const double raw = span / wanted;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * magnitude;
        if (span / step <= wanted)
            break;
    }
    step = std::max(step, 1.0); // levels and experience are whole numbers
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

// One value axis: where a value goes between the plot's bottom (0) and top (1).
struct ValueAxis
{
    bool logarithmic = true;
    double low = 0, high = 1; // decades when logarithmic
    double step = 1;          // linear step, or decades between labels

    double fraction(double value) const
    {
        return logarithmic ? (std::log10(value) - low) / (high - low) : (value - low) / (high - low);
    }
};

ValueAxis valueAxis(const Curves &curves, bool logarithmic)
{
    ValueAxis axis;
    axis.logarithmic = logarithmic;
    const bool any = curves.largest > 0;
    if (logarithmic) {
        axis.low = any ? std::floor(std::log10(curves.smallest)) : 0;
        axis.high = any ? std::ceil(std::log10(curves.largest)) : 1;
        if (axis.high <= axis.low)
            axis.high = axis.low + 1;
        axis.step = std::ceil((axis.high - axis.low) / 10); // at most about ten labels
        return axis;
    }
    const LinearTicks ticks = niceTicks(0, any ? curves.largest : 1, 8);
    axis.low = 0;
    axis.high = ticks.last;
    axis.step = ticks.step;
    return axis;
}

class ChartPainter
{
public:
    ChartPainter(QPainter &painter, const Curves &curves, bool logarithmic)
        : painter_(painter), curves_(curves), values_(valueAxis(curves, logarithmic))
    {
        const double lastLevel = double(std::max<qint64>(curves.levels, 2));
        levelTicks_ = niceTicks(1, lastLevel, 10);
        levelLow_ = 1;
        levelHigh_ = lastLevel;
    }

    void title(const QString &text)
    {
        painter_.setFont(sansFont(22, true));
        painter_.setPen(Qt::black);
        painter_.drawText(QRect(0, 0, kWidth, kTitleHeight), Qt::AlignCenter, text);
    }

    // A panel's title, grid, axes and legend: all but its curves.
    void panelBackground(int top, int firstColumn, const QString &name)
    {
        painter_.setFont(sansFont(16, true));
        painter_.setPen(Qt::black);
        painter_.drawText(QRect(kPlotLeft, top + 8, kPlotRight - kPlotLeft, 30), Qt::AlignCenter, name);
        grid(plotOf(top));
        legend(top, firstColumn);
    }

    // A panel's curves, or the layer they were drawn on (curvesLayer), and
    // the frame over them.
    void panelCurves(int top, int firstColumn, const QImage *layer)
    {
        const QRectF plot = plotOf(top);
        if (layer)
            painter_.drawImage(plot.topLeft() - QPointF(1, 1), *layer);
        else
            curves(plot, firstColumn);
        painter_.setPen(QPen(Qt::black, 1));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(plot);
    }

    // The curves of the panel at `top` alone, on a transparent layer the
    // size of its plot area and one pixel more on each side.
    QImage curvesLayer(int top, int firstColumn)
    {
        const QRectF plot = plotOf(top);
        QImage layer(plot.size().toSize() + QSize(2, 2), QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        QPainter layerPainter(&layer);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        layerPainter.translate(-(plot.topLeft() - QPointF(1, 1)));
        ChartPainter(layerPainter, curves_, values_.logarithmic).curves(plot, firstColumn);
        return layer;
    }

    void notes(const QStringList &lines, int top)
    {
        painter_.setFont(sansFont(14));
        painter_.setPen(Qt::black);
        for (const QString &line : lines) {
            painter_.drawText(QRect(24, top, kWidth - 48, kNoteLineHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
            top += kNoteLineHeight;
        }
    }

private:
    static QRectF plotOf(int top)
    {
        return QRectF(kPlotLeft, top + kPlotTop, kPlotRight - kPlotLeft, kPlotBottom - kPlotTop);
    }

    double xOf(const QRectF &plot, double level) const
    {
        return plot.left() + (level - levelLow_) / (levelHigh_ - levelLow_) * plot.width();
    }

    double yOf(const QRectF &plot, double value) const
    {
        return plot.bottom() - values_.fraction(value) * plot.height();
    }

    void grid(const QRectF &plot)
    {
        const QPen major(QColor(0xc8, 0xc8, 0xc8), 1), minor(QColor(0xeb, 0xeb, 0xeb), 1);
        painter_.setFont(sansFont(13));
        // Levels across.
        for (double level = levelTicks_.first; level <= levelHigh_; level += levelTicks_.step) {
            if (level < levelLow_)
                continue;
            const double x = xOf(plot, level);
            painter_.setPen(major);
            painter_.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            painter_.setPen(Qt::black);
            painter_.drawText(QRectF(x - 60, plot.bottom() + 4, 120, 20), Qt::AlignHCenter | Qt::AlignTop,
                              wholeNumber(level));
        }
        // Experience up: decades, with their 2 to 9 between while there is room.
        if (values_.logarithmic) {
            const bool minors = values_.high - values_.low <= 12;
            for (double decade = values_.low; decade <= values_.high; ++decade) {
                if (minors && decade < values_.high) {
                    painter_.setPen(minor);
                    for (int m = 2; m <= 9; ++m) {
                        const double y = yOf(plot, m * std::pow(10.0, decade));
                        painter_.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
                    }
                }
                const double y = yOf(plot, std::pow(10.0, decade));
                painter_.setPen(major);
                painter_.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
                if (std::fmod(decade - values_.low, values_.step) == 0)
                    valueLabel(plot, y, wholeNumber(std::pow(10.0, decade)));
            }
        } else {
            for (double value = values_.low; value <= values_.high + values_.step / 2; value += values_.step) {
                const double y = yOf(plot, value);
                painter_.setPen(major);
                painter_.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
                valueLabel(plot, y, wholeNumber(value));
            }
        }
        // Axis titles.
        painter_.setFont(sansFont(14, true));
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(plot.left(), plot.bottom() + 28, plot.width(), 22), Qt::AlignCenter,
                          QStringLiteral("Nivel"));
        painter_.save();
        painter_.translate(18, plot.center().y());
        painter_.rotate(-90);
        painter_.drawText(QRectF(-plot.height() / 2, -11, plot.height(), 22), Qt::AlignCenter,
                          QStringLiteral("Experiencia"));
        painter_.restore();
    }

    void valueLabel(const QRectF &plot, double y, const QString &text)
    {
        painter_.setFont(sansFont(13));
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(30, y - 10, plot.left() - 36, 20), Qt::AlignRight | Qt::AlignVCenter, text);
    }

    void curves(const QRectF &plot, int firstColumn)
    {
        painter_.save();
        painter_.setClipRect(plot.adjusted(-1, -1, 1, 1));
        painter_.setBrush(Qt::NoBrush);
        for (int i = 0; i < kBaseColumns; ++i) { // a panel: one curve a class group
            const QList<QPointF> &points = curves_.points[size_t(firstColumn + i)];
            QPolygonF line;
            line.reserve(points.size());
            for (const QPointF &point : points)
                line << QPointF(xOf(plot, point.x()), yOf(plot, point.y()));
            painter_.setPen(QPen(QColor(kColours[i]), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
            if (line.size() == 1)
                painter_.drawPoint(line.first());
            else
                painter_.drawPolyline(line);
        }
        painter_.restore();
    }

    void legend(int top, int firstColumn)
    {
        painter_.setFont(sansFont(13));
        int y = top + kPlotTop + 8;
        for (int i = 0; i < kBaseColumns; ++i) { // a panel: one curve a class group
            painter_.setPen(QPen(QColor(kColours[i]), 3));
            painter_.drawLine(kPlotRight + 16, y + 9, kPlotRight + 44, y + 9);
            painter_.setPen(Qt::black);
            painter_.drawText(QRect(kPlotRight + 52, y, kWidth - kPlotRight - 56, 18), Qt::AlignLeft | Qt::AlignVCenter,
                              columnName(firstColumn + i));
            y += 24;
        }
    }

    QPainter &painter_;
    const Curves &curves_;
    ValueAxis values_;
    LinearTicks levelTicks_{};
    double levelLow_ = 1, levelHigh_ = 2;
};

QStringList notes(const Curves &curves, bool logarithmic)
{
    QStringList lines;
    if (curves.levels == 0)
        lines << QStringLiteral("La tabla no tiene niveles.");
    if (curves.closingRowLeftOut)
        lines << QStringLiteral("La última fila, toda ceros, cierra la tabla y no se dibuja.");
    if (curves.notNumbers > 0)
        lines << QStringLiteral("Celdas que no son números, fuera de las curvas: %1.")
                     .arg(wholeNumber(double(curves.notNumbers)));
    if (logarithmic && curves.zeros > 0)
        lines << QStringLiteral("Celdas con valor 0, fuera de la escala logarítmica: %1.")
                     .arg(wholeNumber(double(curves.zeros)));
    if (curves.levels > kChartBuckets)
        lines << QStringLiteral("%1 niveles: cada curva muestra el menor y el mayor valor de cada tramo de %2 niveles.")
                     .arg(wholeNumber(double(curves.levels)),
                          wholeNumber(double((curves.levels + kChartBuckets - 1) / kChartBuckets)));
    return lines;
}

} // namespace

QByteArray drawChart(const Curves &curves, const ChartRequest &request)
{
    const QStringList noteLines = notes(curves, request.logarithmic);
    const int height = kTitleHeight + 2 * kPanelHeight + int(noteLines.size()) * kNoteLineHeight + 12;

    // One drawing for every kind of picture. `layers`, when given, hold the
    // curves already drawn (curvesLayer), one a panel.
    constexpr int kBaseTop = kTitleHeight, kJobTop = kTitleHeight + kPanelHeight;
    constexpr int kJobColumn = jobColumnOf(1);
    const auto paint = [&](QPainter &painter, const std::function<const QImage *(int)> &layers) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.fillRect(QRect(0, 0, kWidth, height), Qt::white);
        ChartPainter chart(painter, curves, request.logarithmic);
        chart.title(request.title);
        chart.panelBackground(kBaseTop, kFirstValueColumn, QStringLiteral("Nivel base"));
        chart.panelBackground(kJobTop, kJobColumn, QStringLiteral("Nivel de job"));
        chart.notes(noteLines, kTitleHeight + 2 * kPanelHeight + 4);
        chart.panelCurves(kBaseTop, kFirstValueColumn, layers(0));
        chart.panelCurves(kJobTop, kJobColumn, layers(1));
    };
    const auto noLayers = [](int) -> const QImage * { return nullptr; };

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    switch (request.format) {
    case ChartFormat::Svg:
        return paintSvg(QSize(kWidth, height), request.title, [&](QPainter &painter) { paint(painter, noLayers); });
    case ChartFormat::Pdf: {
        QPdfWriter pdf(&out);
        pdf.setTitle(request.title);
        pdf.setCreator(QStringLiteral("vandrel-exp grafico"));
        pdf.setResolution(96); // one unit a pixel, as on the other devices
        pdf.setPageSize(
            QPageSize(QSizeF(kWidth * 0.75, height * 0.75), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        paint(painter, noLayers);
        break;
    }
    case ChartFormat::Png: {
        // The curves, most of the drawing, on another thread while this one
        // draws the rest; they join once the rest is done.
        std::array<QImage, 2> layers;
        const auto drawLayers = [&] {
            QImage scrap(1, 1, QImage::Format_ARGB32_Premultiplied);
            QPainter scrapPainter(&scrap);
            ChartPainter chart(scrapPainter, curves, request.logarithmic);
            layers[0] = chart.curvesLayer(kBaseTop, kFirstValueColumn);
            layers[1] = chart.curvesLayer(kJobTop, kJobColumn);
        };
        std::thread drawer;
        try {
            drawer = std::thread(drawLayers);
        } catch (const std::system_error &) {
            drawLayers(); // no thread to be had: first the curves, then the rest
        }
        QImage image(kWidth, height, QImage::Format_RGB888);
        {
            QPainter painter(&image);
            paint(painter, [&](int panel) {
                if (drawer.joinable())
                    drawer.join();
                return &layers[size_t(panel)];
            });
        }
        return pngOf(image);
    }
    }
    return out.data();
}
