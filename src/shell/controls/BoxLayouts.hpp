#pragma once

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vesk {

// A row or a column as our views lay them out: edge to edge on `host` (none for one to be
// nested in another layout), its items `spacing` apart.
QHBoxLayout* rowLayout(QWidget* host, int spacing);
QVBoxLayout* columnLayout(QWidget* host, int spacing);

} // namespace vesk
