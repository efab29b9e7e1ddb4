// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/PngResource.h"

#include <png.h>

#include <QByteArray>
#include <QResource>
#include <QtEndian>

QImage ReadPngResource(const QString& strPath) {
    const QResource resource(strPath);
    if (!resource.isValid()) return {};
    // In place for a resource stored as it is; a copy for a compressed one.
    const QByteArray bytes = resource.uncompressedData();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&png, bytes.constData(),
                                         static_cast<std::size_t>(bytes.size())) == 0) {
        return {};
    }
    const bool bAlpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    // QImage's 32-bit formats are 0xAARRGGBB words: B, G, R, A in memory on
    // a little-endian machine.
    png.format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage image(static_cast<int>(png.width), static_cast<int>(png.height),
                 bAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull() ||
        png_image_finish_read(&png, nullptr, image.bits(),
                              static_cast<png_int_32>(image.bytesPerLine()), nullptr) == 0) {
        png_image_free(&png);
        return {};
    }
    return image;
}
