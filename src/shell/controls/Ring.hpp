#pragma once

#include <QColor>
#include <QPixmap>
#include <QRegion>
#include <QWidget>

namespace vesk {

// A circular progress ring that fills the frame its parent gives it: a faint full track and,
// over it, an arc from twelve o'clock clockwise over `progress` (0 … 1). At zero a round
// dot stays visible at the top.
class Ring final : public QWidget {
  public:
    Ring(double progress, const QColor& tint, double lineWidth, QWidget* parent = nullptr);

    void setProgress(double progress);
    void setTint(const QColor& tint);
    void setLineWidth(double lineWidth);
    double progress() const { return progress_; }

    // The fraction of the circle the arc covers: at least a dot, at most the whole circle.
    static double arcFraction(double progress);
    // The point `turns` of a full turn clockwise from twelve o'clock on `circle`.
    static QPointF onCircle(const QRectF& circle, double turns);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void redraw();
    // Redraws where the arc's end moved from one fraction to another, and nothing else.
    void redrawArc(double fromFraction, double toFraction);
    QRectF circle() const;
    void draw(QPainter& painter);

    double progress_;
    QColor tint_;
    double lineWidth_;
    double paintedFraction_ = -1; // of the arc last drawn
    QPixmap picture_;
    bool pictureStale_ = true;
    QRegion staleArc_; // of the picture, where the arc changed since it was drawn
};

} // namespace vesk
