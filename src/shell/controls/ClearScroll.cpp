#include "shell/controls/ClearScroll.hpp"

#include <QScrollArea>
#include <algorithm>

namespace vesk {

QScrollArea* clearScrollArea(QWidget* content, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    // It could show no mark of having the keyboard: Tab passes it by, from field to field.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    scroll->setWidget(content);
    content->setAutoFillBackground(false);
    return scroll;
}

int scrollToShow(int top, int bottom, int shownTop, int shownHeight) {
    if (top < shownTop) return top;
    if (bottom > shownTop + shownHeight) return std::min(top, bottom - shownHeight);
    return shownTop;
}

} // namespace vesk
