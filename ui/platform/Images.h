#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace korvex {

// The program's pictures, drawn as SVG in the resources (":/icons/...", ":/flags/...",
// ":/logo/halvo.svg", ":/arrows/...").

// The picture at exactly this size in logical pixels (times the screens' device pixel ratio in
// device pixels), transparent around the drawing. A missing resource gives a transparent pixmap.
QPixmap SvgPixmap(const QString& resource, QSize size);

// An icon with the picture rendered at the usual tool-bar and menu sizes; Qt derives the
// disabled look.
QIcon SvgIcon(const QString& resource);

} // namespace korvex
