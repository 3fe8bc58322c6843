#pragma once

#include "core/services/TextCatalogue.h"

#include <QString>

namespace korvex {

// A catalogue text of the current language, ready for a widget.
inline QString UiText(TextId id)
{
    return QString::fromStdString(Text(id));
}

} // namespace korvex
