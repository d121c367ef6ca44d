#include "garden/garden/TreeCard.hpp"

#include "garden/garden/TreeCardContent.hpp"
#include "shell/anim/PresencePainter.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/PendingPicture.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace vesk {
namespace {

constexpr double cornerRadius = 12;
// A locked tree is shown washed out.
constexpr double lockedSaturation = 0.35;
constexpr double lockedOpacity = 0.55;
const Animation thumbnailFade = Animation::easeOut(0.25);

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(float(alpha));
    return color;
}

QColor borderColor(CardBorder border) {
    switch (border) {
    case CardBorder::accent:
        return withAlpha(Theme::accent(), 0.8);
    case CardBorder::hovered:
        return Theme::text3();
    case CardBorder::hairline:
        return Theme::hairline();
    }
    return Theme::hairline();
}

// The stored pixels as an image; a washed-out copy for a locked card.
QImage pictureOf(const gl::Frame& frame, bool locked) {
    const QImage shared(frame.rgba.data(), frame.width, frame.height, frame.width * 4,
                        QImage::Format_RGBA8888);
    if (!locked) return shared;
    QImage copy = shared.convertToFormat(QImage::Format_RGBA8888);
    for (int y = 0; y < copy.height(); ++y) {
        auto* pixel = copy.scanLine(y);
        for (int x = 0; x < copy.width(); ++x, pixel += 4) {
            const double luma = 0.2126 * pixel[0] + 0.7152 * pixel[1] + 0.0722 * pixel[2];
            for (int c = 0; c < 3; ++c)
                pixel[c] =
                    static_cast<uchar>(std::clamp(luma + lockedSaturation * (pixel[c] - luma), 0.0, 255.0));
        }
    }
    return copy;
}

// The part of the picture that fills `target` at its aspect ratio, centred.
QRectF filling(const QSizeF& picture, const QSizeF& target) {
    const double aspect = target.width() / target.height();
    if (picture.width() / picture.height() > aspect) {
        const double width = picture.height() * aspect;
        return {(picture.width() - width) / 2, 0, width, picture.height()};
    }
    const double height = picture.width() / aspect;
    return {0, (picture.height() - height) / 2, picture.width(), height};
}

} // namespace

// The thumbnail area with room around it for the hover growth; it takes no input.
class TreeCard::Area final : public QWidget {
  public:
    Area(TreeCard& card, double height) : QWidget(&card), card_(card) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFixedHeight(int(height) + 2 * overhang);
        setMinimumWidth(10 + 2 * overhang);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override { return {10 + 2 * overhang, height()}; }

  protected:
    void paintEvent(QPaintEvent*) override {
        PresencePainter p(this, QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        const double base = p.opacity();
        const QRectF frame = QRectF(rect()).adjusted(overhang, overhang, -overhang, -overhang);
        const double scale = card_.scale_.value();
        p.translate(frame.center());
        p.scale(scale, scale);
        p.translate(-frame.center());

        QPainterPath shape;
        shape.addRoundedRect(frame, cornerRadius, cornerRadius);
        p.save();
        p.setClipPath(shape);
        p.fillRect(frame, Theme::surface());
        const bool locked = card_.content_.locked;
        const double shown = card_.image_.isNull() ? 0.0 : card_.imageOpacity_.value();
        if (shown > 0) {
            p.setOpacity(base * shown * (locked ? lockedOpacity : 1.0));
            p.drawImage(frame, card_.image_, filling(card_.image_.size(), frame.size()));
        }
        if (shown < 1) {
            const double side = Symbols::extent(16);
            p.setOpacity(base * (1 - shown));
            Symbols::draw(p, QRectF(frame.center().x() - side / 2, frame.center().y() - side / 2, side, side),
                          "leaf", 16, Theme::text3());
        }
        p.setOpacity(base);
        if (locked) {
            const double side = Symbols::extent(11);
            const double diameter = side + 14;
            const QRectF badge(frame.center().x() - diameter / 2, frame.center().y() - diameter / 2, diameter,
                               diameter);
            p.setPen(Qt::NoPen);
            p.setBrush(withAlpha(Qt::black, 0.55));
            p.drawEllipse(badge);
            Symbols::draw(p, badge.adjusted(7, 7, -7, -7), "lock.fill", 11, Theme::text2());
        }
        p.restore();

        const double width = cardBorderWidth(cardBorder({.highlight = card_.content_.highlight}));
        const double inset = width / 2;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(card_.border_.value(), width));
        p.drawRoundedRect(frame.adjusted(inset, inset, -inset, -inset), cornerRadius - inset,
                          cornerRadius - inset);
    }

  private:
    TreeCard& card_;
};

TreeCard::TreeCard(BonsaiThumbnails& thumbs, Content content, double thumbnailHeight, QWidget* parent)
    : PaintedControl(parent), thumbs_(thumbs), content_(std::move(content)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* column = columnLayout(this, 5 - overhang);
    area_ = new Area(*this, thumbnailHeight);
    column->addWidget(area_);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    texts->setContentsMargins(overhang + 2, 0, overhang + 2, 0);
    title_ = new TextLabel("", Fonts::text(11.5, FontWeight::medium), Theme::text(), this);
    subtitle_ = new TextLabel("", Fonts::text(10.5), Theme::text3(), this);
    texts->addWidget(title_);
    texts->addWidget(subtitle_);
    column->addLayout(texts);

    auto repaint = [this] { area_->update(); };
    imageOpacity_.setOnChange(repaint);
    scale_.setOnChange(repaint);
    border_.setOnChange(repaint);
    scale_.jump(1.0);
    applyContent();
    observations_.watch(thumbs_.thumbs, [this] { takeThumbnail(); });
}

TreeCard::~TreeCard() = default;

void TreeCard::setContent(Content content) {
    if (content == content_) return;
    const bool redraw = content.seed != content_.seed || content.n != content_.n;
    const bool relook = content.seed != content_.seed || content.locked != content_.locked;
    content_ = std::move(content);
    if (relook) frame_.reset();
    applyContent();
    if (appeared_ && redraw) request();
}

void TreeCard::appear() {
    if (appeared_) return;
    appeared_ = true;
    PendingPicture::mark(*this,
                         image_.isNull() ? PendingPicture::State::awaited : PendingPicture::State::arrived);
    request();
}

void TreeCard::request() {
    thumbs_.request(content_.seed, content_.n);
}

void TreeCard::applyContent() {
    title_->setText(QString::fromStdString(treeCardTitle(content_.seed)));
    title_->setColor(content_.locked ? Theme::text2() : Theme::text());
    subtitle_->setText(QString::fromStdString(content_.subtitle));
    subtitle_->setColor(content_.highlight ? withAlpha(Theme::accent(), 0.9) : Theme::text3());
    setHelp(QString::fromStdString(treeCardHelp(content_.seed, content_.locked)));
    takeThumbnail();
    followHover();
}

void TreeCard::interactionChanged() {
    withAnimation(Animation::tarnelFast, [this] { followHover(); });
}

void TreeCard::followHover() {
    const CardState state{.highlight = content_.highlight, .hover = isHovered(), .locked = content_.locked};
    scale_.set(cardScale(state));
    border_.set(borderColor(cardBorder(state)));
}

void TreeCard::takeThumbnail() {
    const BonsaiThumbnails::Thumb* thumb = thumbs_.thumb(content_.seed);
    const std::shared_ptr<const gl::Frame> frame = thumb ? thumb->image : nullptr;
    if (frame == frame_ && (frame || image_.isNull())) return;
    // Fades in only when a card that showed the leaf gets its first picture.
    const bool arriving = frame && image_.isNull() && appeared_;
    frame_ = frame;
    image_ = frame ? pictureOf(*frame, content_.locked) : QImage();
    PendingPicture::mark(*this, appeared_ && image_.isNull() ? PendingPicture::State::awaited
                                                             : PendingPicture::State::arrived);
    if (arriving)
        imageOpacity_.animate(1.0, thumbnailFade);
    else
        imageOpacity_.jump(frame ? 1.0 : 0.0);
}

} // namespace vesk
