// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ResString.h"

namespace {
StringLoader g_fnLoad = nullptr;
}  // namespace

void SetStringLoader(StringLoader fnLoad) {
    g_fnLoad = fnLoad;
}

QString LoadQString(unsigned nID) {
    return g_fnLoad != nullptr ? g_fnLoad(nID) : QString();
}

QString PromptOf(unsigned nID) {
    return LoadQString(nID).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipOf(unsigned nID) {
    const QString s = LoadQString(nID);
    const qsizetype n = s.indexOf(QLatin1Char('\n'));
    return n < 0 ? QString() : s.mid(n + 1);
}

QString FormatLong(const QString& strFormat, long nValue) {
    QString out = strFormat;
    out.replace(QStringLiteral("%ld"), QString::number(nValue));
    return out;
}
