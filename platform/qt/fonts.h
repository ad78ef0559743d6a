#pragma once

#include "platform/form_description.h"

#include <QFont>

namespace orvanel::platform {

// Makes the free stand-ins for the Windows faces known to Qt. Safe to call more
// than once; faces that are not installed are simply left out.
void loadFontSubstitutes();

// The font for a face, size and weight as a window description names them,
// sized in pixels at 96 dots per inch and mapped to an installed stand-in.
QFont resolveFont(const FontDescription &wanted);

} // namespace orvanel::platform
