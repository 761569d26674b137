// The amount value of a box is defined through the edit mask; the quick reading must
// agree with it for every kind of text a box can hold.
#include "common/Runtime.h"
#include "declaration/amounts/Importes.h"

#include <gtest/gtest.h>

namespace {

TEST(LecturaImporte, AgreesWithTheEditMaskReading)
{
    const char* textos[] = {"",          "0",          "1234",         "1,234,567",  "(1,234)",   "-1234",
                            "88.5",      "88.49999999999999", "-2.5",   "0.4",        "-0.4",      "(0.5)",
                            "2.675",     "123456789012345678", "1e20",  " 1 234 ",    "12abc",     "abc",
                            "(12",       "999999999999.5", "-999999999999.5", "0.0000001",
                            // whole numbers near the quick reading's edges
                            "-0",        "(0)",        "000123",       "1,23",       "1,,2",      ",1",
                            "1,",        "()",         "-",            "--5",        "(-5)",      "-(5)",
                            "123456789012345", "1234567890123456", "-999,999,999,999,999", "1,234)"};
    for (const char* t : textos) {
        const QString texto = QString::fromUtf8(t);
        EXPECT_EQ(ImporteTexto(texto), zav::Val(FormatoTexto(texto, kMascaraEdicion))) << t;
    }
}

} // namespace
