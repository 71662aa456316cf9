#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/slider.h"

class SliderTest : public testing::Test {
protected:
    SliderTest() : slider(nullptr, 1, 100, 1) {
        slider.resize(36, 17);
        slider.show();
    }
    Slider slider;
};

TEST_F(SliderTest, ProgramWritesAreKeptEvenOutsideTheRangeAndRaiseNoEvent) {
    QSignalSpy changed(&slider, &Slider::ValueChanged);
    slider.Value(0);
    EXPECT_EQ(slider.Value(), 0);
    slider.Value(500);
    EXPECT_EQ(slider.Value(), 500);
    slider.Maximum(300);
    EXPECT_EQ(slider.Maximum(), 300);
    EXPECT_EQ(changed.count(), 0);
    QImage picture(slider.size(), QImage::Format_RGB32);
    slider.render(&picture); // drawn clamped, without failing
}

TEST_F(SliderTest, MouseMovesThePointerAndReportsOldAndNewValues) {
    QSignalSpy changed(&slider, &Slider::ValueChanged);
    QSignalSpy released(&slider, &Slider::Released);
    QSignalSpy clicked(&slider, &Slider::Clicked);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(35, 8));
    EXPECT_EQ(slider.Value(), 100);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 1);
    EXPECT_EQ(changed[0][1].toInt(), 100);
    EXPECT_EQ(clicked.count(), 1);
    QTest::mouseMove(&slider, QPoint(0, 8)); // no button held in a synthetic move: no drag
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(0, 8));
    EXPECT_EQ(released.count(), 1);
}

TEST_F(SliderTest, KeysMoveWithinTheRange) {
    QSignalSpy changed(&slider, &Slider::ValueChanged);
    QTest::keyClick(&slider, Qt::Key_Left); // already at the minimum
    EXPECT_EQ(changed.count(), 0);
    QTest::keyClick(&slider, Qt::Key_Right);
    EXPECT_EQ(slider.Value(), 2);
    QTest::keyClick(&slider, Qt::Key_PageUp);
    EXPECT_EQ(slider.Value(), 11);
    QTest::keyClick(&slider, Qt::Key_End);
    EXPECT_EQ(slider.Value(), 100);
    QTest::keyClick(&slider, Qt::Key_Up);
    EXPECT_EQ(slider.Value(), 100);
    QTest::keyClick(&slider, Qt::Key_Home);
    EXPECT_EQ(slider.Value(), 1);
    EXPECT_EQ(changed.count(), 4);
}

TEST_F(SliderTest, AValueWrittenOutsideTheRangeMovesBackInWhenTheUserMovesIt) {
    slider.Value(0);
    QSignalSpy changed(&slider, &Slider::ValueChanged);
    QTest::keyClick(&slider, Qt::Key_Right);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 0);
    EXPECT_EQ(slider.Value(), 1);
}
