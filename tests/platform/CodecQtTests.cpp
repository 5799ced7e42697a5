#include <QStringDecoder>
#include <gtest/gtest.h>

#include "platform/AnsiText.h"

using namespace tavo::platform;

// Our code page table must agree with the system's converter on every defined byte.
TEST(CodecQt, AgreesWithTheSystemConverter)
{
    QStringDecoder decoder("windows-1250");
    ASSERT_TRUE(decoder.isValid());
    for (int b = 1; b < 256; ++b) {
        if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98)
            continue;  // undefined in the code page
        QByteArray one(1, static_cast<char>(b));
        QString expected = decoder.decode(one);
        EXPECT_EQ(FromAnsi(std::string(1, static_cast<char>(b))), expected) << "byte " << b;
        EXPECT_EQ(ToAnsi(expected), std::string(1, static_cast<char>(b)));
    }
}
