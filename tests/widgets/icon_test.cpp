#include "tests/widgets/widget_test_main.h"

#include "tests/common/icon_picture.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTest>

namespace {

icon_picture::Pixel classify(QRgb pixel)
{
    if (qAlpha(pixel) == 0)
        return icon_picture::Clear;
    if (pixel == qRgb(0, 0, 0))
        return icon_picture::Black;
    if (pixel == qRgb(255, 255, 255))
        return icon_picture::White;
    return icon_picture::Other;
}

} // namespace

// The application icon, pixel by pixel, as compiled into the program and as
// made into the desktop's icon files.
class IconTest : public QObject {
    Q_OBJECT

private slots:
    void everyPixelMatchesThePicture_data()
    {
        QTest::addColumn<QImage>("icon");
        QTest::addColumn<int>("factor");
        QTest::newRow("compiled in")
            << QApplication::windowIcon().pixmap(QSize(32, 32)).toImage() << 1;
        for (int factor : { 1, 2, 4, 8 }) {
            const int size = 32 * factor;
            QTest::addRow("%dx%d PNG", size, size)
                << QImage(QString("%1/icons/%2x%2/orvanel.png").arg(ORVANEL_ICON_DIR).arg(size))
                << factor;
        }
    }

    void everyPixelMatchesThePicture()
    {
        QFETCH(QImage, icon);
        QFETCH(int, factor);
        const QImage image = icon.convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 32) * factor);
        const auto picture = icon_picture::expected();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QVERIFY2(classify(image.pixel(x, y)) == picture[y / factor][x / factor],
                    qPrintable(QString("x %1, y %2").arg(x).arg(y)));
            }
        }
    }
};

ORVANEL_WIDGET_TEST(IconTest)

#include "icon_test.moc"
