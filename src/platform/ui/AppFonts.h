#pragma once

#include <QString>

// Makes the views' "Tahoma" the real metric Tahoma: Debian's fonts-wine installs it where
// fontconfig does not look, so it is registered with the application; Korean text falls back
// to NanumGothic. Returns the family a "Tahoma" request now resolves to.
QString LoadApplicationFonts(const QString& wineFontDir = QStringLiteral("/usr/share/wine/fonts"));
