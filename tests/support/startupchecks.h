#pragma once
// What every start-up leaves, however slowly the sound output opens and
// whatever the user does meanwhile: the automatic modes off, the main window
// at its height and centred, the control panel and the playlist window below it.

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "app/program.h"
#include "controls/timer.h"

inline void ExpectStartupFinished(Program& p) {
    EXPECT_TRUE(p.form1.Timer1->Enabled());
    for (Timer* timer :
         {p.form1.Timer2, p.form1.Timer3, p.form1.Timer4, p.form1.Timer5, p.form1.Timer6})
        EXPECT_FALSE(timer->Enabled());
    EXPECT_EQ(p.form1.Height(), 2310);
    EXPECT_EQ(p.form2.Left(), p.form1.Left());
    EXPECT_EQ(p.form4.Left(), p.form1.Left());
    // Positions are kept in whole pixels of 15 twips.
    EXPECT_NEAR(p.form2.Top(), p.form1.Top() + 2290, 15);
    EXPECT_NEAR(p.form4.Top(), p.form1.Top() + 4580, 15);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(p.form1.Left(), screen.width() * 15 / 2.0 - 3975 / 2.0, 15);
    EXPECT_NEAR(p.form1.Top(), screen.height() * 15 * 0.85 / 2 - 2310 / 2.0, 15);
}
