#pragma once
#include <QString>

#include "res/Strings.h"

// A numbered string of the current language, for the window's widgets.
inline QString LoadQString(unsigned nID) {
    return QString::fromStdString(LoadString(nID));
}
