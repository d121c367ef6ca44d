#include "garden/bonsai/BonsaiRules.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/WrappedText.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>
#include <array>

namespace vesk {

namespace {

struct Rule {
    const char* symbol;
    const char* title;
    const char* text;
};

constexpr std::array<Rule, 4> rules{{
    {"plus", "+1 cube", "for every task you create"},
    {"checkmark", "+2–4 cubes", "when you complete a task (once per task)"},
    {"leaf", "The tree on screen grows",
     "Only your current tree gets cubes. All your trees live in the Garden — switch whenever you like."},
    {"sparkles", "New seedlings",
     "Unlock one at 50 cubes, then after +100, +150, +200… more. You pick each one yourself in the Garden."},
}};

// The rule's symbol on a faint disc of the accent.
class Badge final : public QWidget {
  public:
    Badge(const char* symbol, QWidget* parent) : QWidget(parent), symbol_(symbol) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFixedSize(20, 20);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Presence::apply(painter, this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor disc = Theme::accent();
        disc.setAlphaF(0.14f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(disc);
        painter.drawEllipse(QRectF(rect()));
        Symbols::draw(painter, QRectF(rect()), symbol_, 10.5, Theme::accent());
    }

  private:
    const char* symbol_;
};

QWidget* ruleRow(const Rule& rule, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = rowLayout(row, 10);
    layout->addWidget(new Badge(rule.symbol, row), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(new TextLabel(QString::fromUtf8(rule.title), Fonts::text(12.5, FontWeight::semibold),
                                   Theme::text(), row));
    texts->addWidget(new WrappedText(QString::fromUtf8(rule.text), Fonts::text(11.5), Theme::text2(), row));
    layout->addLayout(texts, 1);
    return row;
}

} // namespace

BonsaiRules::BonsaiRules(QWidget* parent) : QWidget(parent) {
    auto* column = columnLayout(this, 9);
    for (const Rule& rule : rules)
        column->addWidget(ruleRow(rule, this));
}

} // namespace vesk
