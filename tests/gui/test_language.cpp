// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the texts: the translations built in are the translation
// files found, the user's list of languages chooses one, the window and Qt's
// own dialogs speak it, and players' names are kept in its code page.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "GuiTest.h"
#include "support/RecordingSoundOutput.h"

namespace {

// The switch that makes this test program print the window's texts in the
// language the environment asks for, as the program chooses it at start.
constexpr const char* kWindowTextsSwitch = "--print-window-texts";

}  // namespace

int PrintWindowTexts(int argc, char** argv) {
    if (argc != 2 || QByteArray(argv[1]) != kWindowTextsSwitch) return -1;
    SetLanguage(LanguageFromEnvironment());
    CCoilixApp app;
    app.SetSoundOutput(std::make_unique<RecordingSoundOutput>(std::make_shared<SoundLog>()));
    if (!app.InitInstance({})) return 1;
    QStringList titles;
    for (QAction* pTitle : app.MainFrame().menuBar()->actions()) titles << pTitle->text();
    const QStringList lines = {GetLanguage(),
                               titles.join('|'),
                               ShownMenuText(app.MainFrame(), ID_HIGH_SCORES),
                               app.MainFrame().GetPaneText(0),
                               app.MainFrame().GetPaneText(1),
                               QString::fromStdString(app.m_settings.m_strLastName)};
    std::fputs((lines.join('\n') + '\n').toUtf8().constData(), stdout);
    app.MainFrame().close();
    return app.ExitInstance();
}

namespace {

TEST(LanguageTest, EachTranslationFileIsALanguageTheProgramSpeaks) {
    // A language is added by its file alone: what is built in is what is there.
    QStringList files = QDir(QStringLiteral(COILIX_TRANSLATIONS_DIR))
                            .entryList({QStringLiteral("coilix_*.ts")}, QDir::Files, QDir::Name);
    for (QString& strFile : files) strFile = strFile.mid(7).chopped(3);
    EXPECT_EQ(AvailableLanguages(), files);
    for (const char* pszLanguage : {"cs", "de", "en"}) {
        EXPECT_TRUE(files.contains(pszLanguage)) << pszLanguage;
    }
}

TEST(LanguageTest, TheFirstOfTheUsersLanguagesThatIsSpokenIsChosen) {
    const struct {
        QStringList wanted;
        const char* pszChosen;
    } cases[] = {
        {{"sk", "cs"}, "cs"},    {{"sk-SK", "cs-CZ", "de"}, "cs"},
        {{"de-AT"}, "de"},       {{"de_CH", "cs"}, "de"},
        {{"en-US", "cs"}, "en"}, {{"fr", "it"}, "en"},
        {{"C"}, "en"},           {{}, "en"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseLanguage(c.wanted), c.pszChosen) << c.wanted.join(':').toStdString();
    }
}

TEST(LanguageTest, QtsOwnDialogsSpeakTheLanguageToo) {
    const struct {
        const char* pszLanguage;
        const char* pszCancel;
        const char* pszGameOver;
    } cases[] = {
        {"en", "Cancel", "Game over"},
        {"cs", "Zrušit", "Konec hry"},
        {"de", "Abbrechen", "Spiel vorbei"},
        {"fr", "Cancel", "Game over"},  // not spoken: English
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLanguage);
        SetLanguage(c.pszLanguage);
        EXPECT_EQ(GetLanguage(), c.pszLanguage == QLatin1String("fr") ? "en" : c.pszLanguage);
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), c.pszCancel);
        EXPECT_EQ(ProgramString(IDS_GAME_OVER), c.pszGameOver);
    }
    EXPECT_TRUE(ProgramString(1).isEmpty()) << "no text has number 1";
    SetLanguage("en");
}

TEST(LanguageTest, TheEnvironmentChoosesTheLanguageOfTheWindow) {
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    const struct {
        const char* values[4];
        const char* pszLanguage;
    } cases[] = {
        {{nullptr, nullptr, nullptr, "cs_CZ.UTF-8"}, "cs"},
        {{"", "", "", "de_DE.UTF-8"}, "de"},
        // LANGUAGE first, a list taken in order; then LC_ALL, LC_MESSAGES, LANG.
        {{"cs:en", nullptr, nullptr, "en_US.UTF-8"}, "cs"},
        {{"sk:cs", nullptr, nullptr, "de_DE.UTF-8"}, "cs"},
        {{"de_AT:cs", "cs_CZ.UTF-8", nullptr, nullptr}, "de"},
        {{"en", nullptr, nullptr, "cs_CZ.UTF-8"}, "en"},
        {{nullptr, "cs_CZ", "de_DE", "de_DE"}, "cs"},
        {{nullptr, nullptr, "de_DE.UTF-8", "cs_CZ.UTF-8"}, "de"},
        {{nullptr, nullptr, nullptr, "fr_FR.UTF-8"}, "en"},
        {{nullptr, nullptr, nullptr, nullptr}, "en"},
        // A language the program does not speak, then one it does.
        {{"fr:cs", nullptr, nullptr, "en_US.UTF-8"}, "cs"},
    };
    // The last name, stored as the bytes of "Jiří" in code page 1250, is read
    // in the code page of the language spoken: names follow the language.
    const char* pszStore =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"
        "\"Last Name\"=\"Ji\xf8\xed\"\n";
    const std::map<QString, QStringList> expected = {
        {"en",
         {"en", "&Game|&View|&Options|&Help", "&High Scores...\tCtrl+H", "Ready", "Score: 0",
          "Jiøí"}},
        {"cs",
         {"cs", "&Hra|&Zobrazit|&Možnosti|Nápo&věda", "&Rekordy...\tCtrl+H", "Připraven",
          "Skóre: 0", "Jiří"}},
        {"de",
         {"de", "&Spiel|&Ansicht|&Optionen|&Hilfe", "&Bestenliste...\tStrg+H", "Bereit",
          "Punkte: 0", "Jiøí"}},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QStringList shown;
        for (int i = 0; i < 4; ++i) {
            env.remove(names[i]);
            if (c.values[i] != nullptr) env.insert(names[i], c.values[i]);
            shown << QStringLiteral("%1=%2").arg(names[i], c.values[i] ? c.values[i] : "-");
        }
        SCOPED_TRACE(shown.join(' ').toStdString());
        WriteBytes(dir.filePath("store.reg"),
                   std::vector<char>(pszStore, pszStore + std::strlen(pszStore)));
        env.insert("COILIX_REGISTRY", dir.filePath("store.reg"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {kWindowTextsSwitch});
        ASSERT_TRUE(child.waitForFinished(30000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
        const QStringList lines =
            QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines, expected.at(c.pszLanguage));
    }
}

}  // namespace
