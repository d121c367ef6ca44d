#pragma once

#include <QFont>

namespace vesk {

enum class FontWeight { light, regular, medium, semibold, bold };

// `rounded` is the soft face views ask for on clocks and counts; `monospaced` has every
// character the same width; `serif` is for the few headings that ask for it.
enum class FontDesign { standard, rounded, monospaced, serif };

// The faces of the tarnel: Inter for text, Quicksand for the rounded design, and the
// Material Design Icons font for symbols, loaded by path from the Debian font packages.
// Sizes are in points as the views give them: one point is one device-independent pixel.
struct Fonts {
    Fonts() = delete;

    // Reads the system's font configuration on a thread of its own, before the application
    // exists, so that `load` finds it read.
    static void prepare();
    // Registers the faces once; later calls do nothing. Missing files fall back to the
    // system's faces (text) or draw no symbols.
    static void load();

    static QFont text(double points, FontWeight weight = FontWeight::regular,
                      FontDesign design = FontDesign::standard);
    // The icon font at the size that makes a glyph as large as a symbol of `points`.
    static QFont symbols(double points);
    static bool hasSymbols();
};

} // namespace vesk
