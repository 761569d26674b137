#include "platform/ui/Hourglass.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace zav;

TEST(Hourglass, IsOneStateNotAStack)
{
    SetHourglass(true);
    SetHourglass(true);
    ASSERT_TRUE(IsHourglass());
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

    SetHourglass(false);
    EXPECT_FALSE(IsHourglass());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "one reset clears two sets";

    SetHourglass(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Hourglass, ResetRestoresTheNormalPointerFully)
{
    SetHourglass(true);
    // Something else stacked an override meanwhile: the reset still leaves the normal pointer.
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    SetHourglass(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
