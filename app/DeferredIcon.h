#pragma once

#include <QIcon>
#include <QList>
#include <QSize>
#include <functional>

// An icon whose images are read only when one is first drawn: where nothing asks for the window
// icon (a Wayland desktop, no display), start-up does not decode them. Its sizes are known
// without reading.
QIcon deferredIcon(QList<QSize> sizes, std::function<QIcon()> make);
