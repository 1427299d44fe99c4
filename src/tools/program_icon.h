#pragma once

#include <QIcon>
#include <QPixmap>

namespace kw {

// The program's icon, drawn from its SVG at the usual sizes so every size is sharp.
QIcon programIcon();

// The icon at one size (in device-independent pixels) for the given pixel ratio.
QPixmap programPixmap(int size, qreal devicePixelRatio = 1.0);

}  // namespace kw
