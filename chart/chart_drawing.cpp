#include "chart/chart_drawing.h"

#include "chart/core/curves.h"
#include "table/core/experience_table.h"

#include <QBuffer>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>

#include <cmath>

namespace {

constexpr int kWidth = 1200;
constexpr int kTitleHeight = 56;
constexpr int kPanelHeight = 520;
constexpr int kNoteLineHeight = 22;

// Seven colours told apart on screen and in print; the same in both panels,
// where the legend names the column.
constexpr QRgb kColours[7] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd, 0x8c564b, 0xe377c2};

QAbstractAxis *valueAxis(const Curves &curves, bool logarithmic)
{
    const bool any = curves.largest > 0;
    if (logarithmic) {
        auto *axis = new QLogValueAxis;
        axis->setBase(10);
        axis->setLabelFormat(QStringLiteral("%g"));
        const double low = any ? std::pow(10.0, std::floor(std::log10(curves.smallest))) : 1;
        const double high = any ? std::pow(10.0, std::ceil(std::log10(curves.largest))) : 10;
        axis->setRange(low, std::max(high, low * 10));
        axis->setMinorTickCount(-1);
        return axis;
    }
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setRange(0, any ? curves.largest * 1.05 : 1);
    axis->applyNiceNumbers();
    return axis;
}

QChart *panel(const Curves &curves, const ChartRequest &request, int firstColumn, const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setBackgroundRoundness(0);

    auto *levels = new QValueAxis;
    levels->setTitleText(QStringLiteral("Nivel"));
    levels->setLabelFormat(QStringLiteral("%.0f"));
    levels->setRange(1, double(std::max<qint64>(curves.levels, 2)));
    levels->applyNiceNumbers();
    QAbstractAxis *experience = valueAxis(curves, request.logarithmic);
    experience->setTitleText(QStringLiteral("Experiencia"));
    chart->addAxis(levels, Qt::AlignBottom);
    chart->addAxis(experience, Qt::AlignLeft);

    for (int i = 0; i < 7; ++i) {
        const int column = firstColumn + i;
        auto *series = new QLineSeries;
        series->setName(headerTexts()[size_t(column)].trimmed());
        series->replace(curves.points[size_t(column)]);
        series->setPen(QPen(QColor(kColours[i]), 2));
        chart->addSeries(series);
        series->attachAxis(levels);
        series->attachAxis(experience);
    }
    return chart;
}

QStringList notes(const Curves &curves, bool logarithmic, int buckets)
{
    QStringList lines;
    if (curves.levels == 0)
        lines << QStringLiteral("La tabla no tiene niveles.");
    if (curves.closingRowLeftOut)
        lines << QStringLiteral("La última fila, toda ceros, cierra la tabla y no se dibuja.");
    if (curves.notNumbers > 0)
        lines << QStringLiteral("Celdas que no son números, fuera de las curvas: %1.").arg(curves.notNumbers);
    if (logarithmic && curves.zeros > 0)
        lines << QStringLiteral("Celdas con valor 0, fuera de la escala logarítmica: %1.").arg(curves.zeros);
    if (curves.levels > buckets)
        lines << QStringLiteral("%1 niveles: cada curva muestra el menor y el mayor valor de cada tramo de %2 niveles.")
                     .arg(curves.levels)
                     .arg((curves.levels + buckets - 1) / buckets);
    return lines;
}

} // namespace

QByteArray drawChart(const ExperienceTable &table, const ChartRequest &request)
{
    constexpr int buckets = 2048;
    const Curves curves = curvesOf(table, request.logarithmic, buckets);
    const QStringList noteLines = notes(curves, request.logarithmic, buckets);
    const int height = kTitleHeight + 2 * kPanelHeight + int(noteLines.size()) * kNoteLineHeight + 12;

    QGraphicsScene scene(0, 0, kWidth, height);
    scene.setBackgroundBrush(Qt::white);
    QFont titleFont;
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    QGraphicsSimpleTextItem *title = scene.addSimpleText(request.title, titleFont);
    title->setPos((kWidth - title->boundingRect().width()) / 2, (kTitleHeight - title->boundingRect().height()) / 2);

    QChart *base = panel(curves, request, 1, QStringLiteral("Nivel base"));
    QChart *job = panel(curves, request, 8, QStringLiteral("Nivel de job"));
    scene.addItem(base);
    scene.addItem(job);
    base->setGeometry(0, kTitleHeight, kWidth, kPanelHeight);
    job->setGeometry(0, kTitleHeight + kPanelHeight, kWidth, kPanelHeight);

    int y = kTitleHeight + 2 * kPanelHeight + 4;
    for (const QString &line : noteLines) {
        scene.addSimpleText(line)->setPos(24, y);
        y += kNoteLineHeight;
    }

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (request.format == ChartFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(QSize(kWidth, height));
        svg.setViewBox(QRect(0, 0, kWidth, height));
        // The generator writes the title as it is given: a file named "a&b"
        // would make the document unreadable.
        svg.setTitle(request.title.toHtmlEscaped());
        svg.setDescription(QStringLiteral("Curvas de experiencia por nivel"));
        QPainter painter(&svg);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(0, 0, kWidth, height), scene.sceneRect());
    } else {
        QImage image(kWidth, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            scene.render(&painter, QRectF(0, 0, kWidth, height), scene.sceneRect());
        }
        image.save(&out, "PNG");
    }
    return out.data();
}
