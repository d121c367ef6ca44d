#pragma once

#include <QString>

namespace vesk::TextDirection {

// Text follows its own direction: a title in Arabic or Hebrew (its first letter that has a
// direction reads from right to left) starts at the right, whatever the language of the
// rest of the tarnel.

// `alignment` for `text`: a left (leading) one turns right for right-to-left text; centred
// and right alignments stay.
Qt::Alignment aligned(const QString& text, Qt::Alignment alignment);
// Flags for QPainter::drawText: the aligned position, taken as it is, and the text laid out
// in its own direction.
int drawFlags(const QString& text, Qt::Alignment alignment);

} // namespace vesk::TextDirection
