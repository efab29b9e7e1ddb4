// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLineHelp.h"

#include <algorithm>
#include <utility>

#include "app/CoilixApp.h"
#include "app/Strings.h"
#include "framework/CommandLine.h"
#include "res/resource.h"

namespace {

QString Text(unsigned nID) {
    return ProgramString(nID);
}

}  // namespace

QString CommandLineHelpText() {
    const QString strFile = Text(IDS_CMD_ARG_FILE);
    const QString strPrinter = Text(IDS_CMD_ARG_PRINTER);
    const std::pair<QString, unsigned> rows[] = {
        {QStringLiteral("-h, --help"), IDS_CMD_OPT_HELP},
        {QStringLiteral("-v, --version"), IDS_CMD_OPT_VERSION},
        {QStringLiteral("--print ") + strFile, IDS_CMD_OPT_PRINT},
        {QStringLiteral("--print-to %1 %2").arg(strFile, strPrinter), IDS_CMD_OPT_PRINT_TO},
        {QStringLiteral("/p ") + strFile, IDS_CMD_OPT_SHORT_PRINT},
        {QStringLiteral("/pt %1 %2").arg(strFile, strPrinter), IDS_CMD_OPT_SHORT_PRINT_TO},
    };
    qsizetype nWidth = 0;
    for (const auto& row : rows) nWidth = std::max(nWidth, row.first.size());
    nWidth += 2;
    const QString strIndent(2 + nWidth, QLatin1Char(' '));

    QString out = Text(IDS_CMD_USAGE).arg(QString::fromLatin1(kProgramName), strFile) + '\n' +
                  Text(IDS_CMD_DESCRIPTION) + QStringLiteral("\n\n") + Text(IDS_CMD_OPTIONS) + '\n';
    for (const auto& [strSyntax, nID] : rows) {
        // A description of several lines continues under its first line.
        out += QStringLiteral("  ") + strSyntax.leftJustified(nWidth) +
               Text(nID).replace(QLatin1Char('\n'), QLatin1Char('\n') + strIndent) + '\n';
    }
    return out + '\n' + Text(IDS_CMD_QT_OPTIONS) + '\n';
}

QString CommandLineErrorText(const CommandLineInfo& info) {
    const QString strArg = QString::fromLocal8Bit(info.strErrorArg.c_str());
    switch (info.error) {
        case CommandLineInfo::Error::kUnknownOption:
            return Text(IDS_CMD_ERR_UNKNOWN).arg(strArg);
        case CommandLineInfo::Error::kMissingValue:
            return Text(IDS_CMD_ERR_MISSING_VALUE).arg(strArg);
        case CommandLineInfo::Error::kMissingFile:
            return Text(IDS_CMD_ERR_MISSING_FILE).arg(strArg);
        case CommandLineInfo::Error::kMissingPrinter:
            return Text(IDS_CMD_ERR_MISSING_PRINTER);
        case CommandLineInfo::Error::kUnexpectedArgument:
        case CommandLineInfo::Error::kNone:
            break;
    }
    return Text(IDS_CMD_ERR_UNEXPECTED).arg(strArg);
}
