// Makes the application icon's files from its XPM picture, at build time:
//   icongen png SOURCE.xpm FACTOR OUT.png   scaled by a whole factor, pixels kept sharp
//   icongen ico SOURCE.xpm OUT.ico          32 × 32 in 16 colours with a transparency mask

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>

#include <cstdio>

namespace {

// The standard 16-colour palette; the picture uses black (0) and white (15).
constexpr QRgb palette16[16] = { 0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080,
    0xff800080, 0xff008080, 0xffc0c0c0, 0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff,
    0xffff00ff, 0xff00ffff, 0xffffffff };

int nearestPaletteIndex(QRgb colour)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < 16; ++i) {
        const int dr = qRed(colour) - qRed(palette16[i]);
        const int dg = qGreen(colour) - qGreen(palette16[i]);
        const int db = qBlue(colour) - qBlue(palette16[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

template<class T> void append(QByteArray &out, T value)
{
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&little), sizeof little);
}

// A Windows icon file holding one 4-bit image: the colour pixels bottom-up,
// then the mask (1 = transparent), each row padded to four bytes.
QByteArray makeIco(const QImage &image)
{
    const int size = image.width();
    const int colourRow = ((size * 4 + 31) / 32) * 4;
    const int maskRow = ((size + 31) / 32) * 4;
    QByteArray dib;
    append<quint32>(dib, 40); // BITMAPINFOHEADER
    append<qint32>(dib, size);
    append<qint32>(dib, size * 2); // colour and mask together
    append<quint16>(dib, 1);
    append<quint16>(dib, 4);
    append<quint32>(dib, 0); // no compression
    append<quint32>(dib, quint32(size * (colourRow + maskRow)));
    append<qint32>(dib, 0);
    append<qint32>(dib, 0);
    append<quint32>(dib, 16);
    append<quint32>(dib, 0);
    for (QRgb colour : palette16) {
        dib.append(char(qBlue(colour)));
        dib.append(char(qGreen(colour)));
        dib.append(char(qRed(colour)));
        dib.append('\0');
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(colourRow, '\0');
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int index = qAlpha(pixel) == 0 ? 0 : nearestPaletteIndex(pixel);
            row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        dib.append(row);
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < size; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        dib.append(row);
    }

    QByteArray ico;
    append<quint16>(ico, 0);
    append<quint16>(ico, 1); // an icon
    append<quint16>(ico, 1); // one image
    ico.append(char(size));
    ico.append(char(size));
    ico.append(char(16)); // colours
    ico.append('\0');
    append<quint16>(ico, 1); // planes
    append<quint16>(ico, 4); // bits per pixel
    append<quint32>(ico, quint32(dib.size()));
    append<quint32>(ico, 6 + 16);
    return ico + dib;
}

int fail(const char *message)
{
    std::fprintf(stderr, "icongen: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    qputenv("QT_QPA_PLATFORM", "minimal");
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4)
        return fail(
            "usage: icongen png SOURCE.xpm FACTOR OUT.png | icongen ico SOURCE.xpm OUT.ico");

    const QImage source = QImage(args[2]).convertToFormat(QImage::Format_ARGB32);
    if (source.isNull())
        return fail("cannot read the picture");

    if (args[1] == "png" && args.size() == 5) {
        const int factor = args[3].toInt();
        if (factor < 1)
            return fail("the factor must be a whole number of at least 1");
        const QImage scaled
            = source.scaled(source.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        return scaled.save(args[4], "PNG") ? 0 : fail("cannot write the PNG file");
    }
    if (args[1] == "ico" && args.size() == 4) {
        QFile out(args[3]);
        if (!out.open(QIODevice::WriteOnly) || out.write(makeIco(source)) < 0)
            return fail("cannot write the icon file");
        return 0;
    }
    return fail("unknown command");
}
