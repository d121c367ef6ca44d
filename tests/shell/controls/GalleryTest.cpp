#include "shell/FrameClock.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/CheckCircle.hpp"
#include "shell/controls/Chip.hpp"
#include "shell/controls/DueChip.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/MiniCalendar.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/controls/Ring.hpp"
#include "shell/controls/RollingText.hpp"
#include "shell/controls/Segmented.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/NotchShape.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"
#include "support/ScopedTimeZone.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace vesk {
namespace {

// The tarnel's outline at a size, with its radii, filled the way the root view fills it.
class NotchSample final : public QWidget {
  public:
    NotchSample(NotchShape shape, QSize size) : shape_(shape) {
        setFixedSize(size.width() + 8, size.height() + 8);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(40, 40, 46));
        p.fillPath(shape_.path(QRectF(4, 0, width() - 8, height() - 8)), Theme::tarnel());
    }

  private:
    NotchShape shape_;
};

class SymbolStrip final : public QWidget {
  public:
    SymbolStrip() { setFixedSize(37 * 22, 24); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const char* names[] = {"arrow.clockwise",
                               "arrow.counterclockwise",
                               "arrow.turn.down.right",
                               "bolt.fill",
                               "calendar",
                               "chart.bar.xaxis",
                               "checklist",
                               "checkmark",
                               "checkmark.circle",
                               "checkmark.circle.fill",
                               "chevron.down",
                               "chevron.left",
                               "chevron.right",
                               "circle",
                               "circle.dashed",
                               "ellipsis",
                               "forward.end.fill",
                               "leaf",
                               "leaf.fill",
                               "line.3.horizontal.decrease",
                               "link",
                               "lock.fill",
                               "pause.fill",
                               "play.fill",
                               "plus",
                               "questionmark.circle",
                               "sparkles",
                               "square.grid.2x2",
                               "star",
                               "star.fill",
                               "stop.fill",
                               "stopwatch",
                               "text.alignleft",
                               "timer",
                               "trash",
                               "xmark",
                               "xmark.circle.fill"};
        int x = 0;
        for (const char* name : names) {
            Symbols::draw(p, QRectF(x, 0, 22, 24), name, 12, Theme::text());
            x += 22;
        }
    }
};

QHBoxLayout* row(QVBoxLayout* column) {
    auto* line = new QHBoxLayout;
    line->setSpacing(10);
    line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    column->addLayout(line);
    return line;
}

TEST(GalleryTest, WritesOnePictureOfEveryComponent) {
    test::ScopedTimeZone zone("UTC");
    const Calendar mondayFirst(2);
    const Date now = dateFromUnixSeconds(1'773'057'600); // Mon 9 March 2026, noon

    test::FrameClock frames; // outlives the sheet whose views it moves
    QWidget sheet;
    sheet.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::black);
    sheet.setPalette(palette);
    auto* column = new QVBoxLayout(&sheet);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(14);

    auto* notches = row(column);
    notches->addWidget(new NotchSample({14, 6}, {112, 30}));
    notches->addWidget(new NotchSample({14, 6}, {280, 32}));
    notches->addWidget(new NotchSample({24, 19}, {440, 120}));

    auto* checks = row(column);
    checks->addWidget(new CheckCircle(false, 18, {}));
    auto* hovered = new CheckCircle(false, 18, {});
    checks->addWidget(hovered);
    checks->addWidget(new CheckCircle(true, 18, {}));
    checks->addWidget(new CheckCircle(true, 14, {}));
    for (double progress : {0.0, 0.25, 0.66, 1.0}) {
        auto* ring = new Ring(progress, Theme::focus(), 2);
        ring->setFixedSize(12, 12);
        checks->addWidget(ring);
    }
    auto* bigRing = new Ring(0.4, Theme::rest(), 4);
    bigRing->setFixedSize(48, 48);
    checks->addWidget(bigRing);

    auto* buttons = row(column);
    buttons->addWidget(new IconButton("star", 11, Theme::text3(), "Star", {}));
    auto* hotIcon = new IconButton("trash", 11.5, Theme::text2(), "Delete", {});
    buttons->addWidget(hotIcon);
    buttons->addWidget(new IconButton("ellipsis", 12, Theme::text2(), {}, {}));
    buttons->addWidget(new IconButton("play.fill", 10.5, Theme::text2(), {}, {}));
    buttons->addWidget(new Chip("Today", Chip::State::selected, Theme::accent(), {}));
    buttons->addWidget(new Chip("Tomorrow", Chip::State::unselected, Theme::accent(), {}));
    auto* hotChip = new Chip("Next week", Chip::State::unselected, Theme::accent(), {});
    buttons->addWidget(hotChip);
    auto* plain = new PlainButton;
    plain->setText("Plain");
    plain->setSymbol("plus", 11);
    plain->setFills(Theme::surface(), Theme::surfaceHi());
    buttons->addWidget(plain);

    auto* segments = row(column);
    segments->addWidget(new Segmented<int>({{0, "Pomodoro"}, {1, "Stopwatch"}}, 0, {}));
    segments->addWidget(new Segmented<int>({{5, "5"}, {10, "10"}, {15, "15"}}, 7, {}));
    segments->addWidget(new DueChip(addingSeconds(now, -86400 * 2), now, mondayFirst));
    segments->addWidget(new DueChip(addingSeconds(now, -3600), now, mondayFirst));
    segments->addWidget(new DueChip(addingSeconds(now, 86400 * 9), now, mondayFirst));

    auto* texts = row(column);
    auto* clock = new RollingText;
    clock->setTextFont(Fonts::text(12.5, FontWeight::semibold, FontDesign::rounded));
    clock->setColor(Theme::focus());
    clock->setText("24:59");
    texts->addWidget(clock);
    auto* count = new RollingText;
    count->setTextFont(Fonts::text(40, FontWeight::light, FontDesign::rounded));
    count->setText("11:11");
    texts->addWidget(count);
    texts->addWidget(
        new TextLabel("Complete your first task", Fonts::text(12.5, FontWeight::medium), Theme::text()));
    texts->addWidget(new TextLabel("secondary", Fonts::text(11.5, FontWeight::medium), Theme::text2()));
    texts->addWidget(new TextLabel("tertiary", Fonts::text(11, FontWeight::regular), Theme::text3()));
    auto* count42 =
        new TextLabel("1,204", Fonts::text(11, FontWeight::medium, FontDesign::rounded), Theme::text3());
    count42->setTabularDigits(true);
    texts->addWidget(count42);

    // Mid-flight: a clock rolling down from 25 to 24, and a toast scaling in from 0.9 at the top.
    auto* rolling = new RollingText(nullptr, &frames.manager);
    rolling->setTextFont(Fonts::text(20, FontWeight::semibold, FontDesign::rounded));
    rolling->setColor(Theme::rest());
    rolling->setText("00:25");
    rolling->setText("00:24", RollingText::Direction::down);
    texts->addWidget(rolling);
    auto* toast = new Chip("Focus done · 5 min break", Chip::State::selected, Theme::focus(), {});
    toast->hide();
    Presence toastPresence(toast, Transition::scaled(0.9, 0.5, 0).combined(Transition::fade()),
                           &frames.manager);
    withAnimation(Animation::tarnel, [&] { toastPresence.setPresent(true); });
    texts->addWidget(toast);
    frames.runFrames(4);

    column->addWidget(new SymbolStrip);

    auto* calendarRow = row(column);
    auto* calendar = new MiniCalendar(addingSeconds(now, 86400 * 3), {}, now, mondayFirst);
    calendar->setFixedWidth(220);
    calendarRow->addWidget(calendar);
    auto* sundayCalendar = new MiniCalendar(std::nullopt, {}, now, Calendar(1));
    sundayCalendar->setFixedWidth(220);
    calendarRow->addWidget(sundayCalendar);

    sheet.resize(sheet.sizeHint().expandedTo(QSize(900, 0)));
    sheet.layout()->activate();
    test::hover(hovered);
    test::hover(hotIcon);
    test::hover(hotChip);

    const QImage image = test::renderOnBlack(&sheet);
    EXPECT_TRUE(test::paintedSomething(image));
    EXPECT_TRUE(image.save("/tmp/vesk-gallery.png"));
}

} // namespace
} // namespace vesk
