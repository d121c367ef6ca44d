#include "shell/views/TarnelSnapshot.hpp"

#include "platform/PngWriter.hpp"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace vesk::TarnelSnapshot {

Frame frame(QSizeF panel, QSizeF tarnel, bool revealPending) {
    const double extra = revealPending ? revealExtraWidth : 0;
    const double height = revealPending ? std::max(tarnel.height(), revealMinHeight) : tarnel.height();
    // The tarnel hangs from the middle of the panel's top edge (y grows downwards here).
    return Frame{QSizeF(tarnel.width() + extra + 2 * margin, height + margin),
                 QPointF(panel.width() / 2 - tarnel.width() / 2 - margin, 0)};
}

SceneCount write(QWidget& content, QSizeF tarnel, bool revealPending, FileSystem& files,
                 const std::filesystem::path& path) {
    const Frame f = frame(content.size(), tarnel, revealPending);
    const QSize size(static_cast<int>(std::ceil(f.size.width())),
                     static_cast<int>(std::ceil(f.size.height())));
    QImage image(size, QImage::Format_RGBA8888_Premultiplied);
    image.fill(QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    {
        // The 3D views paint their last frame like any other view.
        const QPixmap panel = content.grab(QRect(f.origin.toPoint(), size));
        QPainter painter(&image);
        painter.drawPixmap(0, 0, panel);
    }
    SceneCount count;
    // The 3D views live above the shell; they are known by their class name.
    for (const QWidget* view : content.findChildren<QWidget*>()) {
        if (!view->inherits("vesk::BonsaiSceneView")) continue;
        ++count.views;
        count.playing += view->isVisible();
    }
    count.written =
        PngWriter::write(files, path,
                         PngWriter::Pixels{image.width(),
                                           image.height(),
                                           {image.constBits(), static_cast<std::size_t>(image.sizeInBytes())},
                                           true});
    return count;
}

} // namespace vesk::TarnelSnapshot
