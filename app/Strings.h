// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// The program's texts in the user's language. The texts are written in
// English; every other language is a translation file built into the program
// (res/translations/coilix_<language>.ts, made with Qt's translation tools),
// so a language is added without a change here.

// The languages the program speaks, named as their translation files name
// them ("cs", "de", "en", "pt_BR"), in alphabetical order.
QStringList AvailableLanguages();

// The first of the user's languages (most wanted first, as "sk", "cs-CZ" or
// "de_AT") that the program speaks; a language with a region also takes the
// translation of the language alone. English when it speaks none of them.
QString ChooseLanguage(const QStringList& userLanguages);

// The language the environment asks for, from Qt's list of the user's
// languages: LANGUAGE (a list, "sk:cs") when set, else LC_ALL, LC_MESSAGES or
// LANG, the first that is set.
QString LanguageFromEnvironment();

// From now on the program's texts, and Qt's own (its dialogs and buttons), are
// in strLanguage (English when the program does not speak it). Needs the
// application object.
void SetLanguage(const QString& strLanguage);
QString GetLanguage();

// The text of numbered string nID in the current language; empty when the
// number is unknown. The program hands it to the framework as its loader.
QString ProgramString(unsigned nID);
