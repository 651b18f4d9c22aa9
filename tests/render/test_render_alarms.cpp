#include "rendersupport.h"

#include "alarm/alarmcell.h"
#include "alarm/alarmnewviewcontroller.h"
#include "alarm/alarmstore.h"
#include "alarm/alarmviewcontroller.h"
#include "alerts/alertsettings.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QQuickView>
#include <QTest>

namespace {

class AlarmsRender : public RenderTest
{
protected:
    static AlarmViewController *open(RenderHarness &h)
    {
        h.viewController().gotoView(4);
        h.viewController().showAlarms();
        auto *screen = qobject_cast<AlarmViewController *>(h.viewController().presentedScreen());
        // The texts as a British user reads them, whatever the machine that draws them.
        if (screen)
            screen->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        RenderHarness::settle();
        return screen;
    }
};

TEST_P(AlarmsRender, EmptyScreenWithTheTimePickerAndTheWeatherPanel)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    AlarmViewController *screen = open(h);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(h.viewController().presentedView(),
              GetParam().idiom == 1 ? "AlarmsTablet.qml" : "AlarmsPhone.qml");
    EXPECT_TRUE(h.viewController().wheelHidden());
    EXPECT_EQ(screen->numberOfRows(), 0);
    ASSERT_TRUE(h.shoot("alarms-empty"));

    AlertSettings *settings = screen->alertSettings();
    settings->turnOffAlertsBetwwen();
    settings->startOff();
    settings->selectTime(22, 30);
    RenderHarness::settle();
    EXPECT_TRUE(settings->timePickerVisible());
    EXPECT_EQ(settings->starLbl(), "22:30");
    ASSERT_TRUE(h.shoot("alarms-time-picker"));
    settings->startOff();
    EXPECT_FALSE(settings->timePickerVisible());

    settings->ChangeLocation();
    RenderHarness::settle();
    ASSERT_TRUE(h.shoot("alarms-weather-panel"));
    settings->hideWeatherview();
    RenderHarness::settle();

    // Back: the alert settings are written, the screen closes and the wheel returns.
    screen->goBack();
    RenderHarness::settle(300);
    EXPECT_EQ(h.viewController().presentedScreen(), nullptr);
    EXPECT_FALSE(h.viewController().wheelHidden());
}

TEST_P(AlarmsRender, TwoAlarmsOneBrokenAndTheEditor)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    AlarmStore store(h.app().platform().defaults);
    std::array<bool, 7> weekdays{false, true, true, true, true, true, false};
    ASSERT_TRUE(store.append(AlarmStore::makeRecord(QDateTime(QDate(2024, 3, 6), QTime(6, 45)),
                                                    false, QStringLiteral("Chime.caf"), weekdays)));
    // A record another version wrote badly: no "ora".
    ASSERT_TRUE(store.append(QVariantMap{{"OnOff", false}, {"repeat", QStringLiteral("daily")}}));

    AlarmViewController *screen = open(h);
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->numberOfRows(), 2);
    EXPECT_NE(screen->cellForRow(0)->timeLbl(), AlarmCell::kTimeUnknown);
    EXPECT_EQ(screen->cellForRow(1)->timeLbl(), AlarmCell::kTimeUnknown);
    EXPECT_FALSE(screen->cellForRow(1)->switchSelected());
    ASSERT_TRUE(h.shoot("alarms-two"));

    AlarmNewViewController *editor = screen->alarm();
    screen->addNewAlarm();
    editor->pickDate(1, 7, 30);
    RenderHarness::settle();
    EXPECT_TRUE(editor->shown());
    EXPECT_EQ(editor->pickerHour(), 7);
    ASSERT_TRUE(h.shoot("alarm-editor"));

    // A tap on the row below the chosen minute picks that minute.
    auto *minutes = h.window().view().rootObject()->findChild<QQuickItem *>("minuteWheel");
    ASSERT_NE(minutes, nullptr);
    const double rowHeight = minutes->property("rowHeight").toDouble();
    const QPointF below =
        minutes->mapToScene(QPointF(minutes->width() / 2, minutes->height() / 2 + rowHeight));
    QTest::mouseClick(&h.window().view(), Qt::LeftButton, {}, below.toPoint());
    RenderHarness::settle();
    EXPECT_EQ(editor->pickerMinute(), 31);
    EXPECT_EQ(editor->pickerHour(), 7);

    editor->addDayView();
    editor->toggleDay(1);
    editor->toggleDay(3);
    editor->toggleDay(5);
    RenderHarness::settle();
    ASSERT_TRUE(h.shoot("alarm-editor-days"));
    editor->removeDAyView();

    editor->toggleVibrating();
    editor->selectMusic();
    RenderHarness::settle();
    EXPECT_EQ(editor->numberOfRows(), 3);
    ASSERT_TRUE(h.shoot("alarm-editor-sounds"));
    editor->didSelectRow(1);
    RenderHarness::settle();
    EXPECT_FALSE(editor->musicViewVisible());
    ASSERT_TRUE(h.shoot("alarm-editor-chosen"));

    editor->save();
    RenderHarness::settle();
    EXPECT_FALSE(editor->shown());
    ASSERT_EQ(screen->numberOfRows(), 3);
    EXPECT_EQ(store.record(2).value("repeat").toMap().value("3"), QVariant(true));
    screen->onOffAlarm(0);
    RenderHarness::settle();
    EXPECT_FALSE(screen->cellForRow(0)->switchSelected());
    ASSERT_TRUE(h.shoot("alarms-three"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, AlarmsRender, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
