// The program's own Windows-1256 against the ICU converter of Debian's Qt, which mix files were
// written with before: every byte reads as the same character, every character of the Basic
// Multilingual Plane is written as the same byte or refused alike.
#include "files/codepage1256.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

namespace veldora {
namespace {

TEST(CodePage1256, AgreesWithIcuOnEveryByteAndCharacter) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    QStringDecoder decoder("windows-1256");
    ASSERT_TRUE(decoder.isValid());
    EXPECT_EQ(fromCodePage1256(one),
              QString(decoder.decode(QByteArray::fromStdString(one))).toStdString())
        << byte;
  }
  for (unsigned c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const QString text(QChar(static_cast<char16_t>(c)));
    QStringEncoder encoder("windows-1256");
    const QByteArray icu = encoder.encode(text);
    const std::optional<std::string> ours = toCodePage1256(text.toStdString());
    ASSERT_EQ(ours.has_value(), !encoder.hasError()) << std::hex << c;
    if (ours) {
      EXPECT_EQ(*ours, icu.toStdString()) << std::hex << c;
    }
  }
  EXPECT_EQ(toCodePage1256("\xF0\x9F\x98\x80"), std::nullopt);  // beyond the plane
  EXPECT_EQ(toCodePage1256("\xD9"), std::nullopt);              // a cut character
  EXPECT_EQ(toCodePage1256("\xC0\xAF"), std::nullopt);          // not the shortest form
}

}  // namespace
}  // namespace veldora
