// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>

namespace {

// Qt's own options that take a value, and those that do not. They are
// accepted here and handed on to Qt, which acts on them.
constexpr const char* kQtValueOptions[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "geometry",
    "qwindowicon",
    "icon",
    "qwindowtitle",
    "title",
    "session",
    "display",
    "style",
    "stylesheet",
    "name",
    "qmljsdebugger",
};
constexpr const char* kQtFlagOptions[] = {"reverse", "widgetcount", "nograb",
                                          "dograb",  "sync",        "testability"};

// The arguments as text for the parser. An argument that is not text in the
// locale's encoding (a file name made of other bytes) is replaced by a
// stand-in that the parser passes through untouched; values are mapped back
// to their bytes afterwards, so every path keeps its bytes.
class Arguments {
public:
    QString Add(const std::string& strArg) {
        const QByteArray bytes = QByteArray::fromStdString(strArg);
        const QString str = QString::fromLocal8Bit(bytes);
        if (str.toLocal8Bit() == bytes) return str;
        // "--print=<bytes>": the option's name stays readable.
        const qsizetype nEquals = bytes.indexOf('=');
        if (bytes.startsWith('-') && nEquals > 0) {
            return QString::fromLocal8Bit(bytes.left(nEquals + 1)) +
                   StandIn(strArg.substr(static_cast<size_t>(nEquals) + 1));
        }
        return StandIn(strArg);
    }

    std::string Raw(const QString& str) const {
        const auto it = m_raw.find(str);
        return it != m_raw.end() ? it->second : str.toLocal8Bit().toStdString();
    }

private:
    QString StandIn(const std::string& strRaw) {
        const QString strKey = QStringLiteral("\uE000%1\uE000").arg(m_raw.size());
        m_raw.emplace(strKey, strRaw);
        return strKey;
    }

    std::map<QString, std::string> m_raw;
};

// The framework's switches, '/' or '-' and in any case, in their long forms.
QString LongForm(const QString& strArg) {
    if (strArg.size() < 2 || (strArg[0] != '/' && strArg[0] != '-') || strArg[1] == '-') {
        return strArg;
    }
    const QString strName = strArg.mid(1).toLower();
    if (strName == QLatin1String("p")) return QStringLiteral("--print");
    if (strName == QLatin1String("pt")) return QStringLiteral("--print-to");
    if (strName == QLatin1String("?") || strName == QLatin1String("h")) {
        return QStringLiteral("--help");
    }
    return strArg;
}

// "/x" reads as a switch when it is a word and no such file exists; any other
// argument that begins with '/' is a path.
bool LooksLikeSlashSwitch(const QString& strArg) {
    static const QRegularExpression reSwitch(QStringLiteral("^/[A-Za-z?]+$"));
    return reSwitch.match(strArg).hasMatch() && !QFileInfo::exists(strArg);
}

// "--name=value" or "-name" -> "name".
QString OptionName(const QString& strArg) {
    QString strName = strArg.mid(strArg.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype nEquals = strName.indexOf('=');
    return nEquals >= 0 ? strName.left(nEquals) : strName;
}

CommandLineInfo Failure(CommandLineInfo::Error error, std::string strArg = {}) {
    CommandLineInfo info;
    info.action = CommandLineInfo::Action::kError;
    info.error = error;
    info.strErrorArg = std::move(strArg);
    return info;
}

}  // namespace

CommandLineInfo ParseCommandLine(const std::vector<std::string>& args) {
    Arguments decoded;
    QStringList list{QStringLiteral("coilix")};
    std::vector<std::string> given{std::string()};  // list[i] as it was typed
    bool bOptions = true;
    for (const std::string& strArg : args) {
        const QString str = decoded.Add(strArg);
        given.push_back(strArg);
        if (!bOptions) {
            list << str;
            continue;
        }
        if (str == QLatin1String("--")) bOptions = false;
        const QString strLong = LongForm(str);
        if (strLong == str && LooksLikeSlashSwitch(str)) {
            return Failure(CommandLineInfo::Error::kUnknownOption, strArg);
        }
        list << strLong;
    }

    QCommandLineParser parser;
    // "-platform" as Qt writes it: single-dash words are long options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption print(QStringLiteral("print"), QString(), QStringLiteral("file"));
    const QCommandLineOption printTo(QStringLiteral("print-to"), QString(), QStringLiteral("file"));
    parser.addOptions({help, version, print, printTo});
    QStringList qtValueOptions;
    for (const char* pszName : kQtValueOptions) {
        qtValueOptions << QString::fromLatin1(pszName);
        QCommandLineOption option(qtValueOptions.last(), QString(), QStringLiteral("value"));
        parser.addOption(option);
    }
    QStringList qtFlagOptions;
    for (const char* pszName : kQtFlagOptions) {
        qtFlagOptions << QString::fromLatin1(pszName);
        parser.addOption(QCommandLineOption(qtFlagOptions.last()));
    }

    if (!parser.parse(list)) {
        // The first option for which pred holds, as it was typed.
        auto typed = [&](const auto& pred) -> std::string {
            for (qsizetype i = 1; i < list.size() && list[i] != QLatin1String("--"); ++i) {
                if (list[i].startsWith('-') && pred(i)) return given[static_cast<size_t>(i)];
            }
            return {};
        };
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString strName = parser.unknownOptionNames().constFirst();
            return Failure(CommandLineInfo::Error::kUnknownOption,
                           typed([&](qsizetype i) { return OptionName(list[i]) == strName; }));
        }
        const QString& strLast = list.constLast();
        if (strLast.startsWith('-') && !strLast.contains('=')) {
            const bool bPrint = OptionName(strLast).startsWith(QLatin1String("print"));
            return Failure(bPrint ? CommandLineInfo::Error::kMissingFile
                                  : CommandLineInfo::Error::kMissingValue,
                           given.back());
        }
        // A value given to an option that takes none ("--help=1").
        return Failure(CommandLineInfo::Error::kUnexpectedArgument,
                       typed([&](qsizetype i) { return list[i].contains('='); }));
    }

    CommandLineInfo info;
    for (const QString& strName : qtValueOptions) {
        for (const QString& strValue : parser.values(strName)) {
            info.qtArgs.push_back("-" + strName.toStdString());
            info.qtArgs.push_back(decoded.Raw(strValue));
        }
    }
    for (const QString& strName : qtFlagOptions) {
        if (parser.isSet(strName)) info.qtArgs.push_back("-" + strName.toStdString());
    }
    info.bPlatformGiven = parser.isSet(QStringLiteral("platform"));

    const QStringList positional = parser.positionalArguments();
    using Action = CommandLineInfo::Action;
    using Error = CommandLineInfo::Error;
    if (parser.isSet(help)) {
        info.action = Action::kHelp;
    } else if (parser.isSet(version)) {
        info.action = Action::kVersion;
    } else if (parser.isSet(print) || parser.isSet(printTo)) {
        const bool bTo = parser.isSet(printTo);
        const QStringList files = parser.values(print) + parser.values(printTo);
        // One file, and after --print-to one printer.
        const qsizetype nExpected = bTo ? 1 : 0;
        if (files.size() > 1) {
            return Failure(Error::kUnexpectedArgument, decoded.Raw(files[1]));
        }
        if (positional.size() > nExpected) {
            return Failure(Error::kUnexpectedArgument, decoded.Raw(positional[nExpected]));
        }
        if (positional.size() < nExpected) return Failure(Error::kMissingPrinter);
        info.action = bTo ? Action::kPrintTo : Action::kPrint;
        info.strFile = decoded.Raw(files[0]);
        if (bTo) info.strPrinter = decoded.Raw(positional[0]);
    } else if (positional.size() > 1) {
        return Failure(Error::kUnexpectedArgument, decoded.Raw(positional[1]));
    } else if (positional.size() == 1) {
        info.action = Action::kOpen;
        info.strFile = decoded.Raw(positional[0]);
    }
    return info;
}
