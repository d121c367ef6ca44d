#pragma once

#include <QPointF>
#include <QSizeF>
#include <filesystem>

class QWidget;

namespace vesk {

class FileSystem;

// The developer's picture of the tarnel: its area of the panel with a 30-point margin left,
// right and below on dark grey, and room for the growth-reveal panel while one shows.
namespace TarnelSnapshot {

struct Frame {
    QSizeF size;    // of the picture
    QPointF origin; // of the cropped region in the panel's content
    bool operator==(const Frame&) const = default;
};

inline constexpr double margin = 30;
inline constexpr double revealExtraWidth = 262;
inline constexpr double revealMinHeight = 304;

// `panel` is the content's size, `tarnel` the tarnel's current size.
Frame frame(QSizeF panel, QSizeF tarnel, bool revealPending);

// Renders `content` (3D views included) and writes the picture to `path` as PNG; returns
// the number of 3D views found, how many of them were visible, and whether the file was written.
struct SceneCount {
    int views = 0;
    int playing = 0;
    bool written = false;
};
SceneCount write(QWidget& content, QSizeF tarnel, bool revealPending, FileSystem& files,
                 const std::filesystem::path& path);

} // namespace TarnelSnapshot
} // namespace vesk
