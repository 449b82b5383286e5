#include "shell/application.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(Application, NamesTheProgramWithoutChangingWindowCaptions)
{
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Tarvelo"));
    EXPECT_FALSE(QCoreApplication::applicationVersion().isEmpty());

    // A display name, once set, stays when the name changes; Qt appends it to
    // the captions of windows (the connection prompt's " Tarvelo ").
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarvelo"));
}

TEST(Application, StandardDialogsSpeakChinese)
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
}
