#include "platform/process/cWindows.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace zav;

namespace {

struct DesktopCase {
    const char* name;
    QList<TopLevelWindow> windows;
    bool expected;
};

class CorreAppTest : public ::testing::TestWithParam<DesktopCase> {};

TEST_P(CorreAppTest, VisibleTopLevelWithExactCaption)
{
    const DesktopCase& c = GetParam();
    FakeWindowLister lister(c.windows);
    EXPECT_EQ(CorreApp(QStringLiteral("ZAV"), lister), c.expected) << c.name;
    EXPECT_EQ(cWindows(lister).CorreApp(QStringLiteral("ZAV")), c.expected) << c.name;
}

TopLevelWindow W(const char* caption, bool visible) { return {QString::fromUtf8(caption), visible, 0}; }

INSTANTIATE_TEST_SUITE_P(
    Desktops, CorreAppTest,
    ::testing::Values(
        DesktopCase{"exact and visible", {W("ZAV", true)}, true},
        DesktopCase{"hidden", {W("ZAV", false)}, false},
        DesktopCase{"lower case", {W("zav", true)}, false},
        DesktopCase{"mixed case", {W("Zav", true)}, false},
        DesktopCase{"trailing blank", {W("ZAV ", true)}, false},
        DesktopCase{"leading blank", {W(" ZAV", true)}, false},
        DesktopCase{"longer caption", {W("ZAV - Integrador", true)}, false},
        DesktopCase{"caption contains it", {W("Integrador del ZAV", true)}, false},
        DesktopCase{"empty caption", {W("", true)}, false},
        DesktopCase{"no windows", {}, false},
        DesktopCase{"among several", {W("", true), W("Terminal", true), W("ZAV", false), W("ZAV", true), W("x", true)},
                    true},
        DesktopCase{"hidden match among visible others", {W("Terminal", true), W("ZAV", false), W("zav", true)},
                    false}),
    [](const ::testing::TestParamInfo<DesktopCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(CorreApp, EmptyTitleNeverMatches)
{
    FakeWindowLister lister({W("", true), W("", false)});
    EXPECT_FALSE(CorreApp(QString(), lister));
}

TEST(cWindows, DefaultListerCanBeReplacedForStartUpTests)
{
    FakeWindowLister host({W("ZAV", true)});
    {
        DefaultWindowListerScope scope(host);
        EXPECT_TRUE(cWindows().CorreApp(QStringLiteral("ZAV")));
    }
    FakeWindowLister none;
    DefaultWindowListerScope scope(none);
    EXPECT_FALSE(cWindows().CorreApp(QStringLiteral("ZAV")));
}

TEST(X11WindowLister, NoDisplayGivesNoWindows)
{
    const QByteArray saved = qgetenv("DISPLAY");
    const bool had = qEnvironmentVariableIsSet("DISPLAY");
    qunsetenv("DISPLAY");
    EXPECT_TRUE(X11WindowLister().TopLevelWindows().isEmpty());
    qputenv("DISPLAY", ":987654"); // nothing listens there
    EXPECT_TRUE(X11WindowLister().TopLevelWindows().isEmpty());
    EXPECT_TRUE(X11WindowLister::TituloVentana(1).isEmpty());
    if (had)
        qputenv("DISPLAY", saved);
    else
        qunsetenv("DISPLAY");
}

} // namespace
