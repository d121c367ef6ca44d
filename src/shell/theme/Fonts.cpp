#include "shell/theme/Fonts.hpp"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QStringList>
#include <array>
#include <fontconfig/fontconfig.h>
#include <future>

namespace vesk {

namespace {

struct Loaded {
    QString text = QStringLiteral("Inter");
    QString rounded = QStringLiteral("Quicksand");
    QString symbols;
};

QString addFirst(const QStringList& paths) {
    for (const QString& path : paths) {
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0) continue;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) return families.first();
    }
    return {};
}

std::future<void>& preparing() {
    static std::future<void> reading;
    return reading;
}

Loaded loadOnce() {
    if (preparing().valid()) preparing().wait();
    Loaded loaded;
    const QString inter = QStringLiteral("/usr/share/fonts/opentype/inter/Inter-%1.otf");
    QString family;
    for (const char* style : {"Regular", "Light", "Medium", "SemiBold", "Bold"}) {
        const QString name = addFirst({inter.arg(QLatin1String(style))});
        if (family.isEmpty()) family = name;
    }
    if (!family.isEmpty()) loaded.text = family;

    const QString quicksand = QStringLiteral("/usr/share/fonts/truetype/quicksand/Quicksand-%1.ttf");
    family.clear();
    for (const char* style : {"Regular", "Light", "Medium", "Bold"}) {
        const QString name = addFirst({quicksand.arg(QLatin1String(style))});
        if (family.isEmpty()) family = name;
    }
    if (!family.isEmpty()) loaded.rounded = family;

    loaded.symbols = addFirst(
        {QStringLiteral(
             "/usr/share/fonts/truetype/materialdesignicons-webfont/materialdesignicons-webfont.ttf"),
         QStringLiteral(
             "/usr/share/fonts-materialdesignicons-webfont/fonts/materialdesignicons-webfont.ttf")});
    return loaded;
}

const Loaded& loaded() {
    static const Loaded faces = loadOnce();
    return faces;
}

QFont::Weight qtWeight(FontWeight weight) {
    switch (weight) {
    case FontWeight::light:
        return QFont::Light;
    case FontWeight::regular:
        return QFont::Normal;
    case FontWeight::medium:
        return QFont::Medium;
    case FontWeight::semibold:
        return QFont::DemiBold;
    case FontWeight::bold:
        return QFont::Bold;
    }
    return QFont::Normal;
}

// Qt sizes fonts in typographic points of the device; the views mean device-independent
// pixels, and only a point size keeps the fractional sizes (11.5) they ask for.
double toQtPoints(double pixels) {
    double dpi = 96;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) dpi = screen->logicalDotsPerInchY();
    return pixels * 72.0 / (dpi > 0 ? dpi : 96);
}

} // namespace

void Fonts::prepare() {
    preparing() = std::async(std::launch::async, [] { FcInit(); });
}

void Fonts::load() {
    loaded();
}

QFont Fonts::text(double points, FontWeight weight, FontDesign design) {
    QFont font;
    switch (design) {
    case FontDesign::standard:
        font.setFamily(loaded().text);
        break;
    case FontDesign::rounded:
        font.setFamilies({loaded().rounded, loaded().text});
        break;
    case FontDesign::monospaced:
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        break;
    case FontDesign::serif:
        font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("serif")});
        font.setStyleHint(QFont::Serif);
        break;
    }
    font.setPointSizeF(toQtPoints(points));
    font.setWeight(qtWeight(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont Fonts::symbols(double points) {
    QFont font(loaded().symbols);
    // An icon of the font fills most of its em square; a symbol of the same point size is
    // about a fifth larger than its em, so the icon is sized up to match.
    font.setPointSizeF(toQtPoints(points * 1.2));
    return font;
}

bool Fonts::hasSymbols() {
    return !loaded().symbols.isEmpty();
}

} // namespace vesk
