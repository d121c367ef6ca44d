#pragma once

#include <QString>
#include <vector>

namespace vesk {

class RandomSource;

// When scripted typing lands each character of a text in the add field, and when it adds
// the task. Characters are what a reader counts as one (an emoji, a letter with its accents).
struct TypingPlan {
    struct Keystroke {
        double delaySeconds; // after typing starts
        QString character;
    };
    std::vector<Keystroke> keystrokes;
    double addDelaySeconds = 0;
};

// Character i lands at i × 0.07 s plus a jitter drawn from 0 … 0.03 s; the task is added at
// n × 0.07 s + 0.35 s, without jitter, so it always follows the last character.
TypingPlan typingPlan(const QString& text, RandomSource& random);

} // namespace vesk
