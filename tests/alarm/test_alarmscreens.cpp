// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarmcell.h"
#include "alarm/alarmnewviewcontroller.h"
#include "alarm/alarmstore.h"
#include "alarm/alarmviewcontroller.h"
#include "alarm/musiccell.h"
#include "platform/userdefaults.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QTimeZone kBerlin("Europe/Berlin");
const QDateTime kNow(QDate(2024, 3, 5), QTime(21, 14, 37), kBerlin);

struct Screen
{
    QTemporaryDir dir;
    Folders folders = Folders::under(dir.path());
    QString defaultsPath = dir.path() + "/defaults.plist";
    UserDefaults defaults{defaultsPath};
    std::unique_ptr<AlarmViewController> screen;

    explicit Screen(bool tablet = false)
    {
        folders.ensureExist();
        QDir().mkpath(folders.resources);
        screen =
            std::make_unique<AlarmViewController>(defaults, folders, tablet, [] { return kNow; });
        screen->setLocale(QLocale(QLocale::German, QLocale::Germany));
        screen->setTimeZone(kBerlin);
    }
    AlarmNewViewController &editor() { return *screen->alarm(); }
    // The records as another process would read them.
    QVariantList stored() const { return UserDefaults(defaultsPath).value("alarm").toList(); }
    void touch(const char *relative)
    {
        const QString path = folders.resources + '/' + QString::fromLatin1(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
};

QVariantMap allDays(bool on)
{
    QVariantMap m;
    for (int j = 0; j < 7; ++j)
        m.insert(QString::number(j), on);
    return m;
}

TEST(AlarmEditor, SavingTwiceStoresTwoEqualRecordsBothOn)
{
    Screen s;
    s.screen->addNewAlarm();
    s.editor().valueChanged(QDateTime(QDate(2024, 3, 6), QTime(7, 0), kBerlin));
    s.editor().toggleDay(1);
    s.editor().toggleDay(5);
    s.editor().save();
    EXPECT_FALSE(s.editor().shown());
    s.screen->addNewAlarm();
    s.editor().save();
    const QVariantList records = s.stored();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0], records[1]);
    const QVariantMap r = records[0].toMap();
    EXPECT_EQ(r.keys(), (QStringList{"OnOff", "music", "ora", "repeat", "vibration"}));
    EXPECT_EQ(r["OnOff"], QVariant(true));
    EXPECT_EQ(r["vibration"], QVariant(false));
    EXPECT_EQ(r["music"], QVariant("Default"));
    // "ora" is a date, not a text.
    ASSERT_EQ(r["ora"].typeId(), QMetaType::QDateTime);
    EXPECT_EQ(r["ora"].toDateTime(), QDateTime(QDate(2024, 3, 6), QTime(6, 0), QTimeZone::utc()));
    QVariantMap expectedDays = allDays(false);
    expectedDays["1"] = true;
    expectedDays["5"] = true;
    EXPECT_EQ(r["repeat"].toMap(), expectedDays);
    EXPECT_EQ(s.screen->numberOfRows(), 2);
}

TEST(AlarmEditor, NoDaySelectedStillStoresAllSevenKeys)
{
    Screen s;
    s.screen->addNewAlarm();
    s.editor().save();
    ASSERT_EQ(s.stored().size(), 1);
    EXPECT_EQ(s.stored()[0].toMap()["repeat"].toMap(), allDays(false));
    // The picker started on the current minute.
    EXPECT_EQ(s.stored()[0].toMap()["ora"].toDateTime(),
              QDateTime(QDate(2024, 3, 5), QTime(21, 14), kBerlin).toUTC());
}

TEST(AlarmEditor, CancelAndRemoveStoreNothing)
{
    Screen s;
    s.screen->addNewAlarm();
    s.editor().toggleDay(2);
    s.editor().cancel();
    EXPECT_FALSE(s.editor().shown());
    s.screen->addNewAlarm();
    s.editor().removeAlarmAction();
    EXPECT_FALSE(s.editor().shown());
    EXPECT_FALSE(s.defaults.contains("alarm"));
    EXPECT_EQ(s.screen->numberOfRows(), 0);
}

TEST(AlarmEditor, VibrationToggleSaysYesThenNo)
{
    Screen s;
    s.screen->addNewAlarm();
    EXPECT_EQ(s.editor().vibratingStateLabel(), "No");
    s.editor().toggleVibrating();
    EXPECT_EQ(s.editor().vibratingStateLabel(), "Yes");
    EXPECT_TRUE(s.editor().vibrating());
    s.editor().toggleVibrating();
    EXPECT_EQ(s.editor().vibratingStateLabel(), "No");
}

TEST(AlarmEditor, TheSecondOpeningKeepsThePreviousChoices)
{
    Screen s;
    s.touch("Chime.caf");
    s.touch("Pulse.caf");
    s.screen->addNewAlarm();
    EXPECT_TRUE(s.editor().novii());
    EXPECT_FALSE(s.editor().removeAlarmEnabled());
    s.editor().toggleDay(3);
    s.editor().toggleVibrating();
    s.editor().selectMusic();
    EXPECT_TRUE(s.editor().musicViewVisible());
    s.editor().didSelectRow(1);
    EXPECT_FALSE(s.editor().musicViewVisible());
    EXPECT_EQ(s.editor().musicLbl(), "Pulse.caf");
    s.editor().save();

    s.screen->addNewAlarm();
    EXPECT_EQ(s.editor().daysOfWeek()[3], QVariant(true));
    EXPECT_TRUE(s.editor().vibrating());
    EXPECT_EQ(s.editor().musicLbl(), "Pulse.caf");
    EXPECT_FALSE(s.editor().removeAlarmEnabled());
    s.editor().save();
    const QVariantMap second = s.stored()[1].toMap();
    EXPECT_EQ(second["music"], QVariant("Pulse.caf"));
    EXPECT_EQ(second["vibration"], QVariant(true));
    EXPECT_EQ(second["repeat"].toMap()["3"], QVariant(true));
}

TEST(AlarmEditor, ClosingTheDayPanelColoursTheSelectedDays)
{
    Screen s;
    s.screen->addNewAlarm();
    s.editor().addDayView();
    EXPECT_TRUE(s.editor().dayViewVisible());
    s.editor().toggleDay(0);
    s.editor().toggleDay(6);
    s.editor().toggleDay(6);
    s.editor().toggleDay(7); // no such day
    // The labels keep their colours until the panel closes.
    EXPECT_EQ(s.editor().dayLabelHighlighted(), QVariantList(7, false));
    s.editor().removeDAyView();
    EXPECT_FALSE(s.editor().dayViewVisible());
    EXPECT_EQ(s.editor().dayLabelHighlighted(),
              (QVariantList{true, false, false, false, false, false, false}));
    EXPECT_EQ(s.editor().dayLBL().size(), 7);
    EXPECT_EQ(s.editor().dayLBL().first(),
              QLocale(QLocale::German).standaloneDayName(7, QLocale::ShortFormat));
}

TEST(AlarmEditor, LabelShowsDateAndTimeWhileTheListShowsTheTimeOnly)
{
    Screen s;
    s.screen->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    s.screen->addNewAlarm();
    const QDateTime ora(QDate(2024, 3, 6), QTime(19, 5), kBerlin);
    s.editor().valueChanged(ora);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(s.editor().timeLabel(), us.toString(ora.date(), QLocale::ShortFormat) + ' ' +
                                          us.toString(ora.time(), QLocale::ShortFormat));
    s.editor().save();
    AlarmCell *cell = s.screen->cellForRow(0);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->timeLbl(), us.toString(QTime(19, 5), QLocale::ShortFormat));
    EXPECT_FALSE(cell->timeLbl().contains("2024"));
    // The same record in a 24-hour locale and another zone.
    s.screen->setLocale(QLocale(QLocale::German, QLocale::Germany));
    s.screen->setTimeZone(QTimeZone("UTC"));
    EXPECT_EQ(s.screen->cellForRow(0)->timeLbl(), "18:05");
}

TEST(AlarmList, SwitchTheSecondOffThenDeleteTheFirst)
{
    Screen s;
    for (int i = 0; i < 3; ++i) {
        s.screen->addNewAlarm();
        s.editor().valueChanged(QDateTime(QDate(2024, 3, 6), QTime(6 + i, 0), kBerlin));
        s.editor().save();
    }
    ASSERT_EQ(s.screen->cells().size(), 3);
    AlarmCell *second = s.screen->cellForRow(1);
    EXPECT_TRUE(second->switchSelected());
    EXPECT_EQ(second->tag(), 1);
    second->touchSwitch();
    EXPECT_FALSE(s.screen->cellForRow(1)->switchSelected());
    EXPECT_EQ(s.stored()[1].toMap()["OnOff"], QVariant(false));
    EXPECT_EQ(s.stored()[0].toMap()["OnOff"], QVariant(true));

    s.screen->commitEditingStyle(AlarmViewController::EditingStyleDelete, 0);
    ASSERT_EQ(s.screen->numberOfRows(), 2);
    ASSERT_EQ(s.screen->cells().size(), 2);
    AlarmCell *first = s.screen->cellForRow(0);
    EXPECT_EQ(first->timeLbl(), "07:00");
    EXPECT_FALSE(first->switchSelected());
    EXPECT_EQ(first->tag(), 0);
    EXPECT_EQ(s.stored().size(), 2);
    EXPECT_EQ(s.stored()[0].toMap()["OnOff"], QVariant(false));
    // Touching the switch now at tag 0 turns the former second alarm on again.
    first->touchSwitch();
    EXPECT_EQ(s.stored()[0].toMap()["OnOff"], QVariant(true));
}

TEST(AlarmList, OtherEditingStylesAndBadRowsChangeNothing)
{
    Screen s;
    s.screen->addNewAlarm();
    s.editor().save();
    s.screen->commitEditingStyle(AlarmViewController::EditingStyleInsert, 0);
    s.screen->commitEditingStyle(AlarmViewController::EditingStyleNone, 0);
    s.screen->commitEditingStyle(AlarmViewController::EditingStyleDelete, 5);
    s.screen->onOffAlarm(9);
    EXPECT_EQ(s.stored().size(), 1);
    EXPECT_EQ(s.stored()[0].toMap()["OnOff"], QVariant(true));
    EXPECT_EQ(s.screen->cellForRow(3), nullptr);
}

TEST(AlarmList, BrokenRecordsShowDashesAndNeverCrash)
{
    Screen s;
    s.defaults.setValue("alarm", QVariantList{QVariantMap{{"OnOff", true}},
                                              QVariantMap{{"ora", "07:00"}, {"OnOff", true}},
                                              QString("junk"), QVariantMap{{"ora", kNow}}});
    s.screen->viewDidAppear();
    ASSERT_EQ(s.screen->numberOfRows(), 4);
    EXPECT_EQ(s.screen->cellForRow(0)->timeLbl(), "--:--");
    EXPECT_EQ(s.screen->cellForRow(1)->timeLbl(), "--:--");
    EXPECT_EQ(s.screen->cellForRow(2)->timeLbl(), "--:--");
    EXPECT_FALSE(s.screen->cellForRow(2)->switchSelected());
    EXPECT_EQ(s.screen->cellForRow(3)->timeLbl(), "21:14");
    EXPECT_FALSE(s.screen->cellForRow(3)->switchSelected()); // no "OnOff": off
    s.screen->onOffAlarm(2);                                 // not a record: nothing to switch
    EXPECT_EQ(s.stored()[2], QVariant("junk"));
    s.screen->commitEditingStyle(AlarmViewController::EditingStyleDelete, 2);
    EXPECT_EQ(s.screen->numberOfRows(), 3);
}

TEST(AlarmList, AnAlarmValueThatIsNoArrayReadsAsNoAlarms)
{
    Screen s;
    s.defaults.setValue("alarm", QString("oops"));
    s.screen->viewDidAppear();
    EXPECT_EQ(s.screen->numberOfRows(), 0);
    s.screen->addNewAlarm();
    s.editor().save();
    EXPECT_EQ(s.stored().size(), 1);
}

TEST(AlarmSounds, ListsEveryCafFileBelowTheResources)
{
    Screen s;
    s.touch("Pulse.caf");
    s.touch("extra/Bell.caf");
    s.touch("Chime.caf");
    s.touch("loud.CAF");
    s.touch("song.caff");
    s.touch("devices.plist");
    const QVariantList list =
        AlarmNewViewController::recursivePathsForResourcesOfType("caf", s.folders.resources);
    QStringList names;
    for (const QVariant &v : list) {
        names << v.toMap()["name"].toString();
        EXPECT_EQ(v.toMap()["path"].toString(), s.folders.resources + '/' + names.last());
    }
    EXPECT_EQ(names, (QStringList{"Chime.caf", "Pulse.caf", "extra/Bell.caf"}));

    s.screen->addNewAlarm();
    EXPECT_EQ(s.editor().numberOfRows(), 3);
    auto *cell = qobject_cast<MusicCell *>(s.editor().cellForRow(2));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->musicLbl(), "extra/Bell.caf");
    EXPECT_TRUE(cell->initialised());
    EXPECT_EQ(s.editor().musicCells().size(), 3);
}

TEST(AlarmSounds, NoSoundsKeepTheInitialLabel)
{
    Screen s;
    s.screen->addNewAlarm();
    EXPECT_EQ(s.editor().numberOfRows(), 0);
    s.editor().didSelectRow(0);
    EXPECT_EQ(s.editor().musicLbl(), AlarmNewViewController::kNoSound);
}

TEST(AlarmSounds, TheBuildShipsThreeCafSounds)
{
    const QVariantList list =
        AlarmNewViewController::recursivePathsForResourcesOfType("caf", POWERDECK_SHARE_DIR);
    ASSERT_EQ(list.size(), 3);
    for (const QVariant &v : list) {
        QFile f(v.toMap()["path"].toString());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        const QByteArray head = f.read(8);
        // A CAF file: "caff", version 1.
        EXPECT_EQ(head.left(4), QByteArray("caff"));
        EXPECT_EQ(head.mid(4, 2), QByteArray("\x00\x01", 2));
        // Short: well under two seconds of 22.05 kHz 16-bit mono.
        EXPECT_LT(f.size(), 100000);
        EXPECT_GT(f.size(), 4000);
    }
}

TEST(AlarmScreen, ImagesOfTheDeviceFamily)
{
    Screen phone(false);
    Screen tablet(true);
    EXPECT_EQ(phone.screen->addBtnImage(), phone.folders.library + "/1_Add-new-alarm_92x28.png");
    EXPECT_EQ(tablet.screen->addBtnImage(), tablet.folders.library + "/2_add-new_198x36.png");
    EXPECT_EQ(phone.editor().doneImage(), phone.folders.library + "/1_done_62x25.png");
    EXPECT_EQ(tablet.editor().dayOnImage(), tablet.folders.library + "/2_day_on_42x42.png");
    EXPECT_EQ(tablet.editor().dayPanelImage(),
              tablet.folders.library + "/2_drop_down_day_40x25.png");
    phone.screen->addNewAlarm();
    phone.editor().save();
    AlarmCell *cell = phone.screen->cellForRow(0);
    EXPECT_EQ(cell->switchImage(), phone.folders.library + "/1_switch-on_88x55.png");
    cell->touchSwitch();
    EXPECT_EQ(phone.screen->cellForRow(0)->switchImage(),
              phone.folders.library + "/1_switch-off_88x55.png");
    EXPECT_EQ(tablet.screen->scrollContentSize(), QSize(320, 1024));
    EXPECT_EQ(phone.screen->scrollContentSize(), QSize(320, 568));
}

TEST(AlarmScreen, BackSavesTheAlertSettingsAndAsksToClose)
{
    Screen s;
    int closes = 0;
    QObject::connect(s.screen.get(), &AlarmViewController::closeRequested, [&] { ++closes; });
    s.screen->goBack();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(QFile::exists(s.folders.documents + "/Alert.plist"));
}

} // namespace
