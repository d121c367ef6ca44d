#pragma once

#include "core/runtime/Observations.hpp"
#include "render/thumbs/BonsaiThumbnails.hpp"
#include "shell/anim/Animated.hpp"
#include "shell/controls/PaintedControl.hpp"

#include <QImage>
#include <cstdint>
#include <memory>
#include <string>

namespace vesk {

class TextLabel;

// A tree shown by its seed as a clickable card: its thumbnail (the leaf symbol until the
// picture arrives, then faded in), the species' Japanese name with the style, and a subtitle.
// A highlighted card has the accent outline; a locked one is washed out under a lock badge
// and ignores the pointer, though a click still runs its action.
class TreeCard final : public PaintedControl {
  public:
    struct Content {
        std::uint64_t seed = 0;
        std::int64_t n = 0; // the cube count the thumbnail shows
        std::string subtitle;
        bool highlight = false;
        bool locked = false;

        friend bool operator==(const Content&, const Content&) = default;
    };

    // The thumbnail grows on hover beyond its frame; the card's rectangle reaches this far
    // past the frame on the left, top and right so that nothing is cut off. Containers take
    // it off their spacing.
    static constexpr int overhang = 2;

    TreeCard(BonsaiThumbnails& thumbs, Content content, double thumbnailHeight, QWidget* parent = nullptr);
    ~TreeCard() override;

    void setContent(Content content);
    const Content& content() const { return content_; }

    // The card is on screen: it asks for its thumbnail now and whenever its count changes.
    void appear();
    bool hasAppeared() const { return appeared_; }

    // What the thumbnail area shows now, for tests.
    bool showsThumbnail() const { return !image_.isNull(); }
    const TextLabel& title() const { return *title_; }
    const TextLabel& subtitle() const { return *subtitle_; }

  protected:
    void interactionChanged() override;

  private:
    class Area;

    void applyContent();
    void followHover();
    void takeThumbnail();
    void request();

    BonsaiThumbnails& thumbs_;
    Content content_;
    bool appeared_ = false;
    Area* area_;
    TextLabel* title_;
    TextLabel* subtitle_;
    // The picture as stored, and as drawn (washed out while locked).
    std::shared_ptr<const gl::Frame> frame_;
    QImage image_;
    Animated<double> imageOpacity_;
    Animated<double> scale_;
    Animated<QColor> border_;
    Observations observations_;
};

} // namespace vesk
