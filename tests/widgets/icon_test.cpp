#include "widget_test_main.h"

#include <QIcon>
#include <QImage>
#include <QTest>

#include <vector>

// The application icon, pixel by pixel: a white cross outlined in black on a
// transparent ground.
class IconTest : public QObject {
    Q_OBJECT

    enum Pixel { Clear, Black, White, Other };

    struct Run {
        Pixel colour;
        int first;
        int last;
    };

    static std::vector<std::vector<Pixel>> expectedPicture()
    {
        const std::vector<Run> knob = { { Black, 11, 11 }, { White, 12, 18 }, { Black, 19, 19 } };
        const std::vector<Run> narrowKnob
            = { { Black, 12, 12 }, { White, 13, 17 }, { Black, 18, 18 } };
        const std::vector<Run> shaft = { { Black, 13, 13 }, { White, 14, 16 }, { Black, 17, 17 } };
        const std::vector<Run> armEnds = { { Black, 5, 7 }, { Black, 13, 13 }, { White, 14, 16 },
            { Black, 17, 17 }, { Black, 23, 25 } };
        const std::vector<Run> armTips = { { Black, 4, 4 }, { White, 5, 7 }, { Black, 8, 8 },
            { Black, 13, 13 }, { White, 14, 16 }, { Black, 17, 17 }, { Black, 22, 22 },
            { White, 23, 25 }, { Black, 26, 26 } };
        const std::vector<Run> armEdge = { { Black, 3, 3 }, { White, 4, 8 }, { Black, 9, 13 },
            { White, 14, 16 }, { Black, 17, 21 }, { White, 22, 26 }, { Black, 27, 27 } };
        const std::vector<Run> bar = { { Black, 3, 3 }, { White, 4, 26 }, { Black, 27, 27 } };

        std::vector<std::vector<Run>> rows(32);
        rows[0] = { { Black, 14, 16 } };
        rows[1] = shaft;
        rows[1][0] = { Black, 13, 13 };
        rows[2] = narrowKnob;
        rows[3] = rows[4] = rows[5] = knob;
        rows[6] = narrowKnob;
        rows[7] = shaft;
        rows[8] = armEnds;
        rows[9] = armTips;
        rows[10] = armEdge;
        rows[11] = rows[12] = rows[13] = bar;
        rows[14] = armEdge;
        rows[15] = armTips;
        rows[16] = armEnds;
        for (int r = 17; r <= 25; ++r)
            rows[r] = shaft;
        rows[26] = narrowKnob;
        rows[27] = rows[28] = rows[29] = knob;
        rows[30] = narrowKnob;
        rows[31] = { { Black, 13, 17 } };

        std::vector<std::vector<Pixel>> picture(32, std::vector<Pixel>(32, Clear));
        for (int r = 0; r < 32; ++r) {
            for (const Run &run : rows[r]) {
                for (int c = run.first; c <= run.last; ++c)
                    picture[r][c] = run.colour;
            }
        }
        return picture;
    }

private slots:
    void everyPixelMatchesThePicture()
    {
        const QImage image = QImage(":/orvanel/orvanel.xpm").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 32));
        const auto picture = expectedPicture();
        for (int r = 0; r < 32; ++r) {
            for (int c = 0; c < 32; ++c) {
                const QRgb pixel = image.pixel(c, r);
                const Pixel got = qAlpha(pixel) == 0 ? Clear
                    : pixel == qRgb(0, 0, 0)         ? Black
                    : pixel == qRgb(255, 255, 255)   ? White
                                                     : Other;
                QVERIFY2(
                    got == picture[r][c], qPrintable(QString("row %1, column %2").arg(r).arg(c)));
            }
        }
    }
};

ORVANEL_WIDGET_TEST(IconTest)

#include "icon_test.moc"
