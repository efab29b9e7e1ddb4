// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>
#include <optional>
#include <utility>

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

// The arguments as the parser reads them: text, with the framework's
// switches in their long forms, after a stand-in for the program's name.
// given[i] is list[i] as it was typed.
struct ParserInput {
    Arguments decoded;
    QStringList list{QStringLiteral("program")};
    std::vector<std::string> given{std::string()};
};

// Fills in; a "/x" that is no switch we know (and no file) is refused.
std::optional<CommandLineInfo> PrepareArguments(const std::vector<std::string>& args,
                                                ParserInput& in) {
    bool bOptions = true;
    for (const std::string& strArg : args) {
        const QString str = in.decoded.Add(strArg);
        in.given.push_back(strArg);
        if (!bOptions) {
            in.list << str;
            continue;
        }
        if (str == QLatin1String("--")) bOptions = false;
        const QString strLong = LongForm(str);
        if (strLong == str && LooksLikeSlashSwitch(str)) {
            return Failure(CommandLineInfo::Error::kUnknownOption, strArg);
        }
        in.list << strLong;
    }
    return std::nullopt;
}

// Our options and Qt's, as the parser knows them.
struct Options {
    QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{QStringList{QStringLiteral("v"), QStringLiteral("version")}};
    QCommandLineOption print{QStringLiteral("print"), QString(), QStringLiteral("file")};
    QCommandLineOption printTo{QStringLiteral("print-to"), QString(), QStringLiteral("file")};
    QStringList qtValueOptions;
    QStringList qtFlagOptions;

    explicit Options(QCommandLineParser& parser) {
        // "-platform" as Qt writes it: single-dash words are long options.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({help, version, print, printTo});
        for (const char* pszName : kQtValueOptions) {
            qtValueOptions << QString::fromLatin1(pszName);
            parser.addOption(
                QCommandLineOption(qtValueOptions.last(), QString(), QStringLiteral("value")));
        }
        for (const char* pszName : kQtFlagOptions) {
            qtFlagOptions << QString::fromLatin1(pszName);
            parser.addOption(QCommandLineOption(qtFlagOptions.last()));
        }
    }
};

// What the parser refused, named by the argument as it was typed.
CommandLineInfo ParseFailure(const QCommandLineParser& parser, const ParserInput& in) {
    const QStringList& list = in.list;
    // The first option for which pred holds, as it was typed.
    auto typed = [&](const auto& pred) -> std::string {
        for (qsizetype i = 1; i < list.size() && list[i] != QLatin1String("--"); ++i) {
            if (list[i].startsWith('-') && pred(i)) return in.given[static_cast<size_t>(i)];
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
        return Failure(
            bPrint ? CommandLineInfo::Error::kMissingFile : CommandLineInfo::Error::kMissingValue,
            in.given.back());
    }
    // A value given to an option that takes none ("--help=1").
    return Failure(CommandLineInfo::Error::kUnexpectedArgument,
                   typed([&](qsizetype i) { return list[i].contains('='); }));
}

// Qt's own options, with their values as typed, for Qt.
void CollectQtOptions(const QCommandLineParser& parser, const Options& options,
                      const Arguments& decoded, CommandLineInfo& info) {
    for (const QString& strName : options.qtValueOptions) {
        for (const QString& strValue : parser.values(strName)) {
            info.qtArgs.push_back((QLatin1Char('-') + strName).toStdString());
            info.qtArgs.push_back(decoded.Raw(strValue));
        }
    }
    for (const QString& strName : options.qtFlagOptions) {
        if (parser.isSet(strName))
            info.qtArgs.push_back((QLatin1Char('-') + strName).toStdString());
    }
    info.bPlatformGiven = parser.isSet(QStringLiteral("platform"));
}

// What the program is to do; a refusal where the arguments do not fit it.
CommandLineInfo ChooseAction(const QCommandLineParser& parser, const Options& options,
                             const Arguments& decoded, CommandLineInfo info) {
    const QStringList positional = parser.positionalArguments();
    using Action = CommandLineInfo::Action;
    using Error = CommandLineInfo::Error;
    if (parser.isSet(options.help)) {
        info.action = Action::kHelp;
    } else if (parser.isSet(options.version)) {
        info.action = Action::kVersion;
    } else if (parser.isSet(options.print) || parser.isSet(options.printTo)) {
        const bool bTo = parser.isSet(options.printTo);
        const QStringList files = parser.values(options.print) + parser.values(options.printTo);
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

}  // namespace

CommandLineInfo ParseCommandLine(const std::vector<std::string>& args) {
    ParserInput in;
    if (std::optional<CommandLineInfo> refused = PrepareArguments(args, in)) return *refused;
    QCommandLineParser parser;
    const Options options(parser);
    if (!parser.parse(in.list)) return ParseFailure(parser, in);
    CommandLineInfo info;
    CollectQtOptions(parser, options, in.decoded, info);
    return ChooseAction(parser, options, in.decoded, std::move(info));
}
