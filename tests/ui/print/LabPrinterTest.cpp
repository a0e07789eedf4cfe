// The printout drawn on a device: its geometry, and pixels where the texts go.
#include "ui/print/LabPrinter.h"
#include "core/print/PrintDate.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextItem>

#include <climits>
#include <map>
#include <set>
#include <vector>

namespace {

// A page that keeps where each glyph was drawn, as a printer receives it: the
// baseline point and whether the face is bold.
class BaselineRecorder : public QPaintDevice, private QPaintEngine {
public:
    struct Glyph {
        double baseline;
        bool bold;
        QString text;
    };
    std::vector<Glyph> glyphs;

    QPaintEngine* paintEngine() const override { return const_cast<BaselineRecorder*>(this); }

private:
    static constexpr int Dpi = 600;
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return 8 * Dpi;
        case PdmHeight:
            return 10 * Dpi;
        case PdmWidthMM:
            return 203;
        case PdmHeightMM:
            return 254;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return Dpi;
        }
    }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override { }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
    void drawRects(const QRectF*, int) override { }
    void drawPath(const QPainterPath&) override { }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        glyphs.push_back({state->transform().map(p).y(), item.font().bold(), item.text()});
    }
    Type type() const override { return User; }
};

}  // namespace

class LabPrinterTest : public QObject {
    Q_OBJECT
private slots:
    void geometry_data()
    {
        QTest::addColumn<int>("printableWidth");
        QTest::addColumn<int>("columnWidth");
        QTest::newRow("letter at 600 dpi") << 4800 << 60;
        QTest::newRow("a half rounds to even, down") << 4840 << 60;  // 60.5
        QTest::newRow("a half rounds to even, up") << 4920 << 62;  // 61.5
        QTest::newRow("just above a half") << 4841 << 61;
        QTest::newRow("screen-sized") << 800 << 10;
    }
    void geometry()
    {
        QFETCH(int, printableWidth);
        const PrintoutGeometry g = PrintoutGeometry::from(printableWidth, 17);
        QTEST(g.columnWidth, "columnWidth");
        QCOMPARE(g.lineHeight, 17);
    }

    // 80 characters fit the printable width and each one its column; on a
    // Letter page with quarter-inch margins 12 points fit exactly.
    void fontFitsTheColumns_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("size");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("marginInches");
        QTest::addColumn<bool>("twelvePoints");
        for (int dpi : {300, 600, 1200}) {
            const QByteArray at = " at " + QByteArray::number(dpi);
            QTest::newRow("Letter" + at) << QPageSize::Letter << dpi << 0.25 << true;
            QTest::newRow("A4" + at) << QPageSize::A4 << dpi << 0.25 << false;
            QTest::newRow("A4, no margins" + at) << QPageSize::A4 << dpi << 0.0 << true;
            QTest::newRow("Letter, wide margins" + at) << QPageSize::Letter << dpi << 0.5 << false;
        }
    }
    void fontFitsTheColumns()
    {
        QFETCH(QPageSize::PageSizeId, size);
        QFETCH(int, dpi);
        QFETCH(double, marginInches);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(dpi);
        printer.setPageSize(QPageSize(size));
        printer.setPageMargins(QMarginsF(marginInches, marginInches, marginInches, marginInches), QPageLayout::Inch);
        const int width = printer.pageLayout().paintRectPixels(dpi).width();

        const PrintoutGeometry g = PrintoutGeometry::onDevice(printer, width);
        QFont font(QStringLiteral("Courier"));
        font.setStyleHint(QFont::TypeWriter);
        font.setPointSizeF(g.pointSize);
        const double advance = QFontMetricsF(QFont(font, &printer), &printer).horizontalAdvance(QLatin1Char('0'));
        QVERIFY(advance <= g.columnWidth);
        QVERIFY(80 * advance <= width);
        QTEST(g.pointSize == 12, "twelvePoints");
        QCOMPARE(g.lineHeight, QFontMetrics(QFont(font, &printer), &printer).height());
    }

    // Every short date form the toolkit knows, written by the core as the
    // toolkit writes it with plain digits and English names.
    void shortDateFollowsTheLocalesForm()
    {
        QRandomGenerator random(20261207);
        for (const QLocale& locale :
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            const QString pattern = locale.dateFormat(QLocale::ShortFormat);
            const QDate date = QDate(1900, 1, 1).addDays(random.bounded(80000));
            QCOMPARE(QString::fromStdString(
                         tintora::formatShortDate({date.year(), date.month(), date.day()}, pattern.toStdString())),
                QLocale::c().toString(date, pattern));
        }
    }

    void textsStandAtTheirLinesAndColumns()
    {
        QImage page(800, 1100, QImage::Format_RGB32);
        page.fill(Qt::white);
        tintora::FormulaSheet sheet;
        QVERIFY(LabPrint(page, sheet, QStringLiteral("/lab/primer.tfx"), QStringLiteral("12/7/26")));
        const int lineHeight = QFontMetrics(QFont(QFont(QStringLiteral("Courier"), 12), &page)).height();
        // Line 0 holds the title from column 22 on; column 0 of line 0 stays blank.
        QVERIFY(inkIn(page, QRect(22 * 10, 0, 30 * 10, lineHeight)));
        QVERIFY(!inkIn(page, QRect(0, 0, 20 * 10, lineHeight)));
        // Line 1 is empty; line 2 starts with "FORMULA: ".
        QVERIFY(!inkIn(page, QRect(0, lineHeight + 1, 800, lineHeight - 2)));
        QVERIFY(inkIn(page, QRect(0, 2 * lineHeight, 9 * 10, lineHeight)));
    }

    // Bold labels and regular values share their line's baseline: the two
    // faces' ascents differ, and a page drawn with each face's own ascent
    // showed the values lifted by about a point.
    void oneBaselinePerPrintedLine()
    {
        tintora::FormulaSheet sheet;
        sheet.row(1).RowKind = true;
        sheet.setCell(tintora::Column::Material, 1, "WATER");
        sheet.setCell(tintora::Column::Description, 1, "Water");
        sheet.setCell(tintora::Column::Weight, 1, "100.000");
        BaselineRecorder page;
        QVERIFY(LabPrint(page, sheet, QStringLiteral("/lab/primer.tfx"), QStringLiteral("01/02/2026")));
        const PrintoutGeometry geometry = PrintoutGeometry::onDevice(page, page.width());
        std::map<int, std::set<double>> baselinesOfLine;
        std::set<int> linesWithBothFaces;
        std::map<int, std::set<bool>> facesOfLine;
        for (const auto& glyph : page.glyphs) {
            const int line = static_cast<int>(glyph.baseline / geometry.lineHeight);
            baselinesOfLine[line].insert(glyph.baseline);
            facesOfLine[line].insert(glyph.bold);
        }
        for (const auto& [line, faces] : facesOfLine)
            if (faces.size() == 2)
                linesWithBothFaces.insert(line);
        // "FORMULA: primer.tfx", "VOLUME : ...", "DATE: ..." mix the faces
        QVERIFY2(linesWithBothFaces.size() >= 3, qPrintable(QString::number(linesWithBothFaces.size())));
        for (const auto& [line, baselines] : baselinesOfLine)
            QVERIFY2(baselines.size() == 1,
                qPrintable(QStringLiteral("line %1: %2 baselines, %3 apart")
                               .arg(line)
                               .arg(baselines.size())
                               .arg(*baselines.rbegin() - *baselines.begin())));
    }

    void printsIntoAPdfFile()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("printout.pdf"));
        {
            QPdfWriter pdf(file);
            tintora::FormulaSheet sheet;
            QVERIFY(LabPrint(pdf, sheet, QString(), QStringLiteral("today")));
        }
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");
    }

private:
    static bool inkIn(const QImage& image, QRect area)
    {
        area = area.intersected(image.rect());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    return true;
        return false;
    }
};

QTEST_MAIN(LabPrinterTest)
#include "LabPrinterTest.moc"
