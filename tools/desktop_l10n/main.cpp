// SPDX-License-Identifier: GPL-3.0-or-later
// coilix-desktop-l10n: the desktop entry, the AppStream metainfo and the
// saved-game file type are translated in the program's own translation files
// (.ts), so that a translator needs Qt Linguist alone.
//
//   coilix-desktop-l10n texts DESKTOP METAINFO MIME OUT.cpp
//       writes their texts to translate as a file that lupdate reads (never
//       compiled): each with its id, its English source and a note.
//   coilix-desktop-l10n merge DESKTOP METAINFO MIME OUTDIR TS...
//       writes the three files to OUTDIR with every finished translation of
//       the .ts files (coilix_<language>.ts) added: Key[<language>]= lines
//       and elements with xml:lang="<language>".
//
// The three files hold the English texts only. A translation whose source
// is no longer the English text is left out until it is updated.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

struct Failure : std::runtime_error {
    Failure(const QString& strFile, const QString& strWhat)
        : std::runtime_error((strFile + QStringLiteral(": ") + strWhat).toStdString()) {}
};

// One text to translate.
struct Text {
    QString strId;
    QString strSource;
    QString strNote;
};

// A language's finished translations, by id: the source they translate and
// the translation.
struct Translation {
    QString strSource;
    QString strText;
};
using Catalog = QHash<QString, Translation>;

QByteArray ReadAll(const QString& strPath) {
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) throw Failure(strPath, file.errorString());
    return file.readAll();
}

void WriteAll(const QString& strPath, const QByteArray& data) {
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        throw Failure(strPath, file.errorString());
    }
}

// ---- the desktop entry ----------------------------------------------------

const QStringList kDesktopKeys = {QStringLiteral("Name"), QStringLiteral("GenericName"),
                                  QStringLiteral("Comment"), QStringLiteral("Keywords")};

QString DesktopNote(const QString& strKey) {
    if (strKey == QLatin1String("Name"))
        return QStringLiteral("The desktop menu's name of the game.");
    if (strKey == QLatin1String("GenericName")) {
        return QStringLiteral("The desktop menu: what kind of program this is.");
    }
    if (strKey == QLatin1String("Comment")) {
        return QStringLiteral("The desktop menu's tooltip: what the game is, in one line.");
    }
    return QStringLiteral(
        "Words a player may type into the desktop's search to find the game, each one "
        "followed by a semicolon (;).");
}

struct DesktopLine {
    QString strText;
    QString strKey;  // a key to translate, else empty
    QString strSource;
};

// The lines of the desktop entry; the keys to translate are those of the
// [Desktop Entry] group.
std::vector<DesktopLine> ReadDesktop(const QString& strPath, std::vector<Text>& texts) {
    const QString strAll = QString::fromUtf8(ReadAll(strPath));
    std::vector<DesktopLine> lines;
    QString strGroup;
    for (const QString& strLine : strAll.split(QLatin1Char('\n'))) {
        DesktopLine line{strLine, {}, {}};
        if (strLine.startsWith(QLatin1Char('['))) strGroup = strLine;
        const qsizetype nEquals = strLine.indexOf(QLatin1Char('='));
        if (strGroup == QLatin1String("[Desktop Entry]") && nEquals > 0 &&
            !strLine.startsWith(QLatin1Char('#'))) {
            const QString strKey = strLine.left(nEquals).trimmed();
            const QString strBase = strKey.section(QLatin1Char('['), 0, 0);
            if (kDesktopKeys.contains(strBase)) {
                if (strKey != strBase) {
                    throw Failure(strPath,
                                  strKey + QStringLiteral(" is a translation; translations "
                                                          "come from the .ts files"));
                }
                line.strKey = strKey;
                line.strSource = strLine.mid(nEquals + 1).trimmed();
                texts.push_back(
                    {QStringLiteral("desktop.") + strKey, line.strSource, DesktopNote(strKey)});
            }
        }
        lines.push_back(line);
    }
    if (!lines.empty() && lines.back().strText.isEmpty()) lines.pop_back();
    return lines;
}

QString DesktopValue(QString strText, const QString& strSource) {
    // A value is one line; a list ends with its separator as the source does.
    strText.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    if (strSource.endsWith(QLatin1Char(';')) && !strText.endsWith(QLatin1Char(';'))) {
        strText += QLatin1Char(';');
    }
    return strText;
}

// ---- the XML files -------------------------------------------------------

// Which elements of an XML file are texts to translate: the id of the
// element at a path (empty for one that is not) and the translator's note.
class XmlTexts {
public:
    virtual ~XmlTexts() = default;
    virtual QString IdOf(const QStringList& path, const QXmlStreamAttributes& attributes) = 0;
    virtual QString NoteOf(const QString& strId) const = 0;
};

// The metainfo. Paragraphs and screenshots are numbered in their order in
// the file.
class MetainfoTexts : public XmlTexts {
public:
    QString IdOf(const QStringList& path, const QXmlStreamAttributes& attributes) override {
        const QString strPath = path.join(QLatin1Char('/'));
        if (strPath == QLatin1String("component/name")) return QStringLiteral("metainfo.name");
        if (strPath == QLatin1String("component/summary")) {
            return QStringLiteral("metainfo.summary");
        }
        if (strPath == QLatin1String("component/screenshots/screenshot")) ++m_nScreenshot;
        if (strPath == QLatin1String("component/screenshots/screenshot/caption")) {
            return QStringLiteral("metainfo.screenshot.%1.caption").arg(m_nScreenshot);
        }
        if (strPath == QLatin1String("component/releases/release")) {
            m_strRelease = attributes.value(QLatin1String("version")).toString();
            m_nReleaseParagraph = 0;
        }
        const bool bParagraph =
            path.last() == QLatin1String("p") || path.last() == QLatin1String("li");
        if (bParagraph && strPath.startsWith(QLatin1String("component/description/"))) {
            return QStringLiteral("metainfo.description.%1").arg(++m_nParagraph);
        }
        if (bParagraph && strPath.startsWith(QLatin1String("component/releases/release/"
                                                           "description/"))) {
            return QStringLiteral("metainfo.release.%1.%2")
                .arg(m_strRelease)
                .arg(++m_nReleaseParagraph);
        }
        return {};
    }

    QString NoteOf(const QString& strId) const override {
        if (strId == QLatin1String("metainfo.name")) {
            return QStringLiteral("Software centres: the name of the game.");
        }
        if (strId == QLatin1String("metainfo.summary")) {
            return QStringLiteral("Software centres: the game in one short line, no full stop.");
        }
        if (strId.startsWith(QLatin1String("metainfo.screenshot."))) {
            return QStringLiteral("Software centres: the caption of a screenshot.");
        }
        if (strId.startsWith(QLatin1String("metainfo.release."))) {
            return QStringLiteral("Software centres: a paragraph of the notes of release %1.")
                .arg(strId.section(QLatin1Char('.'), 2, -2));
        }
        return QStringLiteral("Software centres: a paragraph or list item of the description.");
    }

private:
    int m_nParagraph = 0;
    int m_nScreenshot = 0;
    int m_nReleaseParagraph = 0;
    QString m_strRelease;
};

// The shared MIME-info file: the comment of each file type, which file
// managers show as the type's name. The id names the type.
class MimeTexts : public XmlTexts {
public:
    QString IdOf(const QStringList& path, const QXmlStreamAttributes& attributes) override {
        const QString strPath = path.join(QLatin1Char('/'));
        if (strPath == QLatin1String("mime-info/mime-type")) {
            m_strType = attributes.value(QLatin1String("type")).toString();
        }
        if (strPath == QLatin1String("mime-info/mime-type/comment")) {
            return QStringLiteral("mime.") + m_strType;
        }
        return {};
    }

    QString NoteOf(const QString&) const override {
        return QStringLiteral(
            "File managers: the name of the file type of saved games, shown beside a file's "
            "name.");
    }

private:
    QString m_strType;
};

// Reads an XML file; with a writer, writes it again with the translations
// of each translatable element after it.
void ProcessXml(const QString& strPath, XmlTexts&& ids, std::vector<Text>& texts,
                QXmlStreamWriter* pOut, const std::map<QString, Catalog>& catalogs) {
    const QByteArray data = ReadAll(strPath);
    QXmlStreamReader in(data);
    QStringList path;
    while (!in.atEnd()) {
        switch (in.readNext()) {
            case QXmlStreamReader::StartDocument:
                if (pOut) pOut->writeStartDocument();
                break;
            case QXmlStreamReader::Comment:
                if (pOut) pOut->writeComment(in.text().toString());
                break;
            case QXmlStreamReader::StartElement: {
                path << in.name().toString();
                const QXmlStreamAttributes attributes = in.attributes();
                const QString strId = ids.IdOf(path, attributes);
                if (pOut) {
                    pOut->writeStartElement(in.qualifiedName().toString());
                    for (const QXmlStreamNamespaceDeclaration& ns : in.namespaceDeclarations()) {
                        if (ns.prefix().isEmpty()) {
                            pOut->writeDefaultNamespace(ns.namespaceUri().toString());
                        } else {
                            pOut->writeNamespace(ns.namespaceUri().toString(),
                                                 ns.prefix().toString());
                        }
                    }
                    pOut->writeAttributes(attributes);
                }
                if (strId.isEmpty()) break;
                if (attributes.hasAttribute(QLatin1String("xml:lang"))) {
                    throw Failure(strPath, QStringLiteral("line %1: a translation; translations "
                                                          "come from the .ts files")
                                               .arg(in.lineNumber()));
                }
                const QString strName = in.qualifiedName().toString();
                const QString strSource =
                    in.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement).simplified();
                path.removeLast();
                texts.push_back({strId, strSource, ids.NoteOf(strId)});
                if (!pOut) break;
                pOut->writeCharacters(strSource);
                pOut->writeEndElement();
                for (const auto& [strLanguage, catalog] : catalogs) {
                    const auto it = catalog.find(strId);
                    if (it == catalog.end() || it->strSource.simplified() != strSource) continue;
                    pOut->writeStartElement(strName);
                    pOut->writeAttribute(QStringLiteral("xml:lang"), strLanguage);
                    pOut->writeCharacters(it->strText.simplified());
                    pOut->writeEndElement();
                }
                break;
            }
            case QXmlStreamReader::EndElement:
                path.removeLast();
                if (pOut) pOut->writeEndElement();
                break;
            case QXmlStreamReader::Characters:
                if (pOut && !in.isWhitespace()) pOut->writeCharacters(in.text().toString());
                break;
            default:
                break;
        }
    }
    if (in.hasError()) {
        throw Failure(strPath,
                      QStringLiteral("line %1: %2").arg(in.lineNumber()).arg(in.errorString()));
    }
    if (pOut) pOut->writeEndDocument();
}

// Writes an XML file again, translated, to OUTDIR under its own name.
void MergeXml(const QString& strPath, XmlTexts&& ids, const QString& strOutDir,
              const std::map<QString, Catalog>& catalogs) {
    std::vector<Text> texts;
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(2);
    ProcessXml(strPath, std::move(ids), texts, &writer, catalogs);
    out += '\n';
    WriteAll(QDir(strOutDir).filePath(QFileInfo(strPath).fileName()), out);
}

// ---- the translation files ----------------------------------------------------

// The language of coilix_<language>.ts, from its name.
QString LanguageOf(const QString& strTsPath) {
    const QString strBase = QFileInfo(strTsPath).completeBaseName();
    const qsizetype n = strBase.indexOf(QLatin1Char('_'));
    if (n < 0) throw Failure(strTsPath, QStringLiteral("not named <name>_<language>.ts"));
    return strBase.mid(n + 1);
}

Catalog ReadCatalog(const QString& strPath) {
    Catalog catalog;
    const QByteArray data = ReadAll(strPath);
    QXmlStreamReader in(data);
    QString strId;
    Translation current;
    bool bFinished = false;
    while (!in.atEnd()) {
        in.readNext();
        if (in.isStartElement()) {
            if (in.name() == QLatin1String("message")) {
                strId = in.attributes().value(QLatin1String("id")).toString();
                current = {};
                bFinished = false;
            } else if (in.name() == QLatin1String("source")) {
                current.strSource = in.readElementText();
            } else if (in.name() == QLatin1String("translation")) {
                // Unfinished, vanished and obsolete translations are not used.
                bFinished = !in.attributes().hasAttribute(QLatin1String("type"));
                current.strText = in.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (in.isEndElement() && in.name() == QLatin1String("message")) {
            if (!strId.isEmpty() && bFinished && !current.strText.isEmpty()) {
                catalog.insert(strId, current);
            }
        }
    }
    if (in.hasError()) {
        throw Failure(strPath,
                      QStringLiteral("line %1: %2").arg(in.lineNumber()).arg(in.errorString()));
    }
    return catalog;
}

// ---- the two commands -----------------------------------------------------

QString CString(const QString& strText) {
    QString out = strText;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    out.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    out.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

void WriteTexts(const QString& strDesktop, const QString& strMetainfo, const QString& strMime,
                const QString& strOut) {
    std::vector<Text> texts;
    ReadDesktop(strDesktop, texts);
    ProcessXml(strMetainfo, MetainfoTexts(), texts, nullptr, {});
    ProcessXml(strMime, MimeTexts(), texts, nullptr, {});
    QString out =
        QStringLiteral(
            "// Made by coilix-desktop-l10n from %1, %2 and %3 for lupdate: the texts to\n"
            "// translate of the desktop entry, the metainfo and the file type. Never compiled.\n")
            .arg(QFileInfo(strDesktop).fileName(), QFileInfo(strMetainfo).fileName(),
                 QFileInfo(strMime).fileName());
    for (const Text& text : texts) {
        out += QStringLiteral("\n//: %1\n//% %2\nQT_TRID_NOOP(\"%3\");\n")
                   .arg(text.strNote, CString(text.strSource), text.strId);
    }
    QDir().mkpath(QFileInfo(strOut).path());
    WriteAll(strOut, out.toUtf8());
}

void Merge(const QString& strDesktop, const QString& strMetainfo, const QString& strMime,
           const QString& strOutDir, const QStringList& tsFiles) {
    std::map<QString, Catalog> catalogs;
    for (const QString& strTs : tsFiles) {
        const QString strLanguage = LanguageOf(strTs);
        // English is the language the files are written in.
        if (strLanguage != QLatin1String("en")) catalogs[strLanguage] = ReadCatalog(strTs);
    }

    std::vector<Text> texts;
    QString strOut;
    for (const DesktopLine& line : ReadDesktop(strDesktop, texts)) {
        strOut += line.strText + QLatin1Char('\n');
        if (line.strKey.isEmpty()) continue;
        const QString strId = QStringLiteral("desktop.") + line.strKey;
        for (const auto& [strLanguage, catalog] : catalogs) {
            const auto it = catalog.find(strId);
            if (it == catalog.end() || it->strSource != line.strSource) continue;
            strOut += QStringLiteral("%1[%2]=%3\n")
                          .arg(line.strKey, strLanguage, DesktopValue(it->strText, line.strSource));
        }
    }
    QDir().mkpath(strOutDir);
    WriteAll(QDir(strOutDir).filePath(QFileInfo(strDesktop).fileName()), strOut.toUtf8());
    MergeXml(strMetainfo, MetainfoTexts(), strOutDir, catalogs);
    MergeXml(strMime, MimeTexts(), strOutDir, catalogs);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    try {
        if (args.size() == 5 && args[0] == QLatin1String("texts")) {
            WriteTexts(args[1], args[2], args[3], args[4]);
            return 0;
        }
        if (args.size() >= 5 && args[0] == QLatin1String("merge")) {
            Merge(args[1], args[2], args[3], args[4], args.mid(5));
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "coilix-desktop-l10n: %s\n", e.what());
        return 1;
    }
    std::fputs(
        "usage: coilix-desktop-l10n texts DESKTOP METAINFO MIME OUT.cpp\n"
        "       coilix-desktop-l10n merge DESKTOP METAINFO MIME OUTDIR [TS...]\n",
        stderr);
    return 2;
}
