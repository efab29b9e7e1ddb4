// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QString>

// A PNG picture built into the program (":/..."), decoded with the PNG
// library Qt itself uses, but not through Qt's image readers: to find which
// reader takes a file, those load every image format plugin installed, a
// cost a window's first moments do without. A null image when the resource
// is missing or is not a PNG it can read.
QImage ReadPngResource(const QString& strPath);
