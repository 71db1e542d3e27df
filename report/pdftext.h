#pragma once

#include <QByteArray>

namespace veldora {

// A PDF of Qt's PDF writer whose text copies and searches as the letters it shows. Qt maps each
// glyph to the first character the font's own character map gives it, which for the joined
// shapes of Arabic-script letters in fonts such as Nazli is a presentation form ("ﺑﺮﮔﻪ" where
// the page shows "برگه"): each font's ToUnicode map is written anew with the letters instead,
// and the cross-reference table with the objects' new places. Anything else is left as it is.
QByteArray withLettersForText(const QByteArray& pdf);

}  // namespace veldora
