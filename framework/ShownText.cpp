// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ShownText.h"

#include <algorithm>

namespace {

constexpr char16_t kLeftToRightIsolate = 0x2066;
constexpr char16_t kFirstStrongIsolate = 0x2068;
constexpr char16_t kPopIsolate = 0x2069;

// The characters that change how the text around them is ordered or broken:
// the marks, embeddings, overrides and isolates of the bidirectional
// algorithm, and the line and paragraph separators.
bool IsLayoutControl(char16_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029;
}

}  // namespace

QString WithVisibleControls(const QString& strText) {
    QString strShown = strText;
    for (QChar& ch : strShown) {
        const char16_t c = ch.unicode();
        // The replacement character, which every font draws: the control
        // pictures (U+2400...) are missing from the fonts most desktops have.
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || IsLayoutControl(c)) {
            ch = QChar(QChar::ReplacementCharacter);
        }
    }
    return strShown;
}

QString Isolated(const QString& strText, TextDirection dir) {
    // Left-to-right letters, digits and punctuation alone cannot reorder what
    // is around them in the program's left-to-right texts: they need none.
    const bool bRightToLeft = std::any_of(strText.begin(), strText.end(), [](QChar ch) {
        const QChar::Direction d = ch.direction();
        return d == QChar::DirR || d == QChar::DirAL || d == QChar::DirAN;
    });
    if (!bRightToLeft) return strText;
    const QChar open(dir == TextDirection::kLeftToRight ? kLeftToRightIsolate
                                                        : kFirstStrongIsolate);
    return open + strText + QChar(kPopIsolate);
}

QString ShownAsIs(const QString& strText, TextDirection dir) {
    return Isolated(WithVisibleControls(strText), dir);
}

QString WithoutIsolates(QString strText) {
    strText.removeIf([](QChar ch) {
        return ch.unicode() == kLeftToRightIsolate || ch.unicode() == kFirstStrongIsolate ||
               ch.unicode() == kPopIsolate;
    });
    return strText;
}
