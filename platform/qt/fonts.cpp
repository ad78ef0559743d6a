#include "platform/qt/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

#include <array>

namespace orvanel::platform {

namespace {

struct Candidate {
    const char *family = nullptr;
    bool requestBold = false; // false for a family that is itself the bold design
};

// Free faces packaged for Debian that stand in for the Windows ones, best first.
// The bitmap "MS Sans Serif" shipped with Wine has a single size and no bold,
// so the outline Tahoma, which shares its metrics closely, takes its place.
// Wine's Tahoma Bold is drawn hardly heavier than the regular face; DejaVu
// Sans, whose shapes Wine's Tahoma shares, gives a bold that reads as bold.
struct Substitute {
    std::string_view face;
    bool bold = false;
    std::array<Candidate, 3> candidates;
};

constexpr std::array substitutes {
    Substitute { "MS Sans Serif", false,
        { { { "Tahoma", false }, { "Liberation Sans", false }, { "DejaVu Sans", false } } } },
    Substitute { "MS Sans Serif", true,
        { { { "DejaVu Sans", true }, { "Tahoma", true }, { "Liberation Sans", true } } } },
    Substitute {
        "OCR A Extended", false, { { { "OCRA", false }, { "DejaVu Sans Mono", false }, {} } } },
    Substitute { "OCR A Extended", true,
        { { { "OCRABold", false }, { "OCRA", true }, { "DejaVu Sans Mono", true } } } },
    Substitute { "Old English Text MT", false,
        { { { "Blankenburg_UNZ1A", false }, { "Gamaliel", false }, {} } } },
    Substitute { "Old English Text MT", true,
        { { { "Blankenburg_UNZ1A", true }, { "Gamaliel", true }, {} } } },
};

constexpr std::array fontFiles {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

// The installed families, read once until the set of fonts changes. A face
// counts as installed when a family has its very name: QFontDatabase::hasFamily
// would also follow fontconfig's aliases, which costs a pass of its
// substitution rules for every name, more than the rest of building a window's
// fonts.
QStringList &installedFamilies()
{
    static QStringList families;
    return families;
}

bool isInstalled(const QString &family)
{
    QStringList &families = installedFamilies();
    if (families.isEmpty())
        families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

} // namespace

void loadFontSubstitutes()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    for (const char *file : fontFiles) {
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
    installedFamilies().clear();
}

QFont resolveFont(const FontDescription &wanted)
{
    QString family = QString::fromUtf8(wanted.face.data(), qsizetype(wanted.face.size()));
    bool bold = wanted.bold;
    // Where the face itself is installed, as on Windows, it needs no stand-in.
    for (const Substitute &substitute : substitutes) {
        if (substitute.face != wanted.face || substitute.bold != wanted.bold || isInstalled(family))
            continue;
        for (const Candidate &candidate : substitute.candidates) {
            if (candidate.family && isInstalled(QString::fromLatin1(candidate.family))) {
                family = QString::fromLatin1(candidate.family);
                bold = candidate.requestBold;
                break;
            }
        }
        break;
    }

    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pointsToPixels(wanted.points));
    font.setBold(bold);
    font.setUnderline(wanted.underline);
    return font;
}

} // namespace orvanel::platform
