#include "common/Cp1252.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace zav;

namespace {

TEST(Cp1252, RoundTripOfTheAccentedLetters)
{
    const QString text = QStringLiteral("ÑñáéíóúÁÉÍÓÚü°");
    const QByteArray bytes = ToCp1252(text);
    EXPECT_EQ(bytes, QByteArray("\xD1\xF1\xE1\xE9\xED\xF3\xFA\xC1\xC9\xCD\xD3\xDA\xFC\xB0"));
    EXPECT_EQ(FromCp1252(bytes), text);
}

TEST(Cp1252, CharacterCodes)
{
    struct {
        QChar c;
        int code;
    } cases[] = {
        {QChar(u'Ñ'), 209}, {QChar(u'ñ'), 241}, {QChar(u'°'), 176}, {QChar(u'€'), 128},
        {QChar(u'A'), 65},  {QChar(u'0'), 48},  {QChar(u' '), 32},  {QChar(u'中'), 63},
        {QChar(0xD83D), 63}, // half of a surrogate pair
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnsiCode(c.c), c.code) << int(c.c.unicode());
}

TEST(Cp1252, CharactersOutsideBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(ToCp1252(QStringLiteral("a中b")), QByteArray("a?b"));
    EXPECT_EQ(ToCp1252(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_EQ(ToCp1252(QString()), QByteArray());
    EXPECT_EQ(FromCp1252(QByteArray("a\x81" "b")), QStringLiteral("a?b"));
    // Long texts go through the conversion in several pieces.
    const QString longText = QString(5000, QChar(u'ñ'));
    EXPECT_EQ(FromCp1252(ToCp1252(longText)), longText);
}

} // namespace
