// Whether Japanese text can be shown and printed: without a font that
// covers Japanese every character becomes a box on the screen and nothing
// at all in a PDF.
#pragma once

namespace printing {

// True when fontconfig offers at least one font for Japanese. Needs a
// QGuiApplication.
bool HaveJapaneseFont();

// The Debian package that brings the fonts the program asks for.
constexpr const char* kJapaneseFontPackage = "fonts-ipafont-gothic";

} // namespace printing
