// The face the window and its dialogs are drawn in. They name
// "ＭＳ Ｐゴシック"; on a system without it IPA's proportional gothic takes
// its place. The font names the installed face itself: asked for a family
// that is not installed, Qt first asks fontconfig for the fallbacks of each
// script it meets (Latin, kanji, hiragana, katakana) before it tries a
// substitute, which was a third of the window's start-up.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <thread>

namespace qttext {

// `family` where it is installed, else the first of `substitutes` that is,
// else `family` (Qt then falls back as it can). Needs a QGuiApplication.
QString InstalledFace(const QString& family, const QStringList& substitutes);

// "ＭＳ Ｐゴシック" (or the face that takes its place) `pixels` high.
QFont ScreenFont(int pixels);

// Reads the font database (fontconfig's settings and its list of every
// installed face, a tenth of the window's start-up) on a thread of its own,
// so that the program can do what needs no font meanwhile; the first font
// asked for waits for the reading to end (the database is thread-safe).
// Joined when the thread object is destroyed. Needs a QGuiApplication.
std::jthread ReadFontDatabaseAside();

} // namespace qttext
