// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appdelegate.h"

#include "appearance/huetint.h"

#include "platform/notificationcenter.h"
#include "platform/plist.h"
#include "platform/userdefaults.h"
#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

// A start-up on temporary folders with a few shipped images; the window is a plain object.
struct StartUp : TempPlatform
{
    int windowsMade = 0;
    QList<int> idioms;

    StartUp()
    {
        QDir().mkpath(folders.resources + "/sub");
        for (const char *name :
             {"1_a_10x10.png", "1_b_10x10.png", "1_c_10x10.png", "2_a_20x20.png", "2_b_20x20.png",
              "2_c_20x20.png", "1_photo.jpeg", "roti6ika1.png", "1_notes.txt", "sub/1_nested.png"})
            touch(folders.resources + "/" + name, name);
    }
    static void touch(const QString &path, const char *content)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
    }
    std::unique_ptr<AppDelegate> launch()
    {
        auto app = std::make_unique<AppDelegate>(platform, [this](AppDelegate &, int family) {
            ++windowsMade;
            idioms << family;
            return std::make_unique<QObject>();
        });
        EXPECT_TRUE(app->didFinishLaunching());
        return app;
    }
    QStringList library() const
    {
        QStringList names = QDir(folders.library).entryList(QDir::Files);
        names.removeAll("batt.txt");
        return names;
    }
};

QStringList names(const QVariantList &entries)
{
    QStringList out;
    for (const QVariant &e : entries)
        out << e.toMap().value("name").toString();
    return out;
}

TEST(StartUp, FirstStartWritesDefaultsAndCopiesThePhoneImages)
{
    StartUp s;
    auto app = s.launch();
    const plist::ReadResult alerts = plist::readFile(s.folders.documents + "/Alert.plist");
    ASSERT_TRUE(alerts.ok());
    EXPECT_EQ(alerts.value.toList(), AppDelegate::defaultAlerts());
    const QVariantList records = alerts.value.toList();
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0].toMap().value("Type"), "DischargeAlert");
    EXPECT_EQ(records[0].toMap().value("state"), true);
    EXPECT_EQ(records[1].toMap().value("Type"), "higherPrecision");
    EXPECT_EQ(records[2].toMap(), (QVariantMap{{"Type", "AlertsBetwwen"},
                                               {"state", false},
                                               {"startTime", "00:00"},
                                               {"endTime", "00:00"}}));
    EXPECT_EQ(records[3].toMap().value("Type"), "notifyWhenComplete");
    EXPECT_EQ(records[3].toMap().value("state"), true);

    EXPECT_EQ(plist::readFile(s.folders.library + "/batt.txt").value.toList(), QVariantList{1});
    EXPECT_EQ(app->state().currentBattery(), 0);
    EXPECT_FALSE(app->state().privat());
    EXPECT_FLOAT_EQ(app->state().Level(), 1000.0f);
    EXPECT_TRUE(app->state().timeBeforeDie().isEmpty());

    EXPECT_EQ(names(app->state().imageArray()),
              (QStringList{"1_a_10x10.png", "1_b_10x10.png", "1_c_10x10.png", "1_photo.jpeg"}));
    EXPECT_EQ(app->state().imageArray()[0].toMap().value("path"),
              s.folders.resources + "/1_a_10x10.png");
    EXPECT_EQ(s.library(),
              (QStringList{"1_a_10x10.png", "1_b_10x10.png", "1_c_10x10.png", "1_photo.jpeg"}));
    EXPECT_EQ(names(app->state().transformIMG()), names(app->state().imageArray()));
    EXPECT_EQ(app->state().transformIMG()[0].toMap().value("path"),
              s.folders.library + "/1_a_10x10.png");
    EXPECT_EQ(s.windowsMade, 1);
    EXPECT_EQ(s.idioms, QList<int>{0});
    EXPECT_NE(app->viewController(), nullptr);
}

TEST(StartUp, ATintOfACopyLeavesTheShippedPictureAsItWas)
{
    StartUp s;
    QImage green(4, 4, QImage::Format_ARGB32);
    green.fill(QColor(0, 200, 0));
    ASSERT_TRUE(green.save(s.folders.resources + "/1_a_10x10.png"));
    s.launch();
    // The copy may share the shipped file; the tint writes a new file in its place.
    HueTint tint(s.folders.resources, s.folders.library, {"1_a_10x10.png"}, 180);
    tint.runAll();
    ASSERT_TRUE(tint.failures().isEmpty());
    EXPECT_NE(QImage(s.folders.library + "/1_a_10x10.png").pixelColor(1, 1), QColor(0, 200, 0));
    EXPECT_EQ(QImage(s.folders.resources + "/1_a_10x10.png").pixelColor(1, 1), QColor(0, 200, 0));
}

TEST(StartUp, SecondStartUsesTheStoredSkinAndCopiesNothing)
{
    StartUp s;
    s.launch();
    // A tinted copy must survive the next start.
    StartUp::touch(s.folders.library + "/1_a_10x10.png", "tinted");
    auto app = s.launch();
    EXPECT_EQ(app->state().currentBattery(), 1);
    EXPECT_EQ(names(app->state().transformIMG()), names(app->state().imageArray()));
    QFile copy(s.folders.library + "/1_a_10x10.png");
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), "tinted");
}

TEST(StartUp, EveryMissingCopyIsMadeAndExistingCopiesAreKept)
{
    StartUp s;
    s.launch();
    StartUp::touch(s.folders.library + "/1_a_10x10.png", "tinted");
    QFile::remove(s.folders.library + "/1_b_10x10.png");
    // A newer build ships an image the install has no copy of.
    StartUp::touch(s.folders.resources + "/1_d_new.png", "new");
    auto app = s.launch();
    EXPECT_EQ(app->state().transformIMG().size(), 5);
    QFile copy(s.folders.library + "/1_a_10x10.png");
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), "tinted");
    for (const char *name : {"1_b_10x10.png", "1_d_new.png"})
        EXPECT_TRUE(QFile::exists(s.folders.library + "/" + name)) << name;
}

TEST(StartUp, TabletListsOnlyTabletImages)
{
    StartUp s;
    s.idiom = 1;
    auto app = s.launch();
    EXPECT_EQ(names(app->state().imageArray()),
              (QStringList{"2_a_20x20.png", "2_b_20x20.png", "2_c_20x20.png"}));
    EXPECT_EQ(s.idioms, QList<int>{1});
}

TEST(StartUp, PrecisionFlagComesFromTheSecondRecord)
{
    // A file with fewer than two records could never bring the alerts back: it counts as
    // missing and is written anew with the defaults. A usable file is never rewritten.
    const struct
    {
        const char *what;
        QVariant stored;
        bool privat;
        bool defaultsWritten;
    } cases[] = {
        {"on",
         QVariantList{QVariantMap{{"Type", "DischargeAlert"}, {"state", true}},
                      QVariantMap{{"Type", "higherPrecision"}, {"state", true}}},
         true, false},
        {"off", AppDelegate::defaultAlerts(), false, false},
        {"one record only", QVariantList{QVariantMap{{"Type", "DischargeAlert"}, {"state", false}}},
         false, true},
        {"empty array", QVariantList{}, false, true},
        {"not an array", QVariantMap{{"state", true}}, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        StartUp s;
        QDir().mkpath(s.folders.documents);
        ASSERT_TRUE(plist::writeFile(s.folders.documents + "/Alert.plist", c.stored));
        auto app = s.launch();
        EXPECT_EQ(app->state().privat(), c.privat);
        EXPECT_EQ(plist::readFile(s.folders.documents + "/Alert.plist").value,
                  c.defaultsWritten ? QVariant(AppDelegate::defaultAlerts()) : c.stored);
    }
}

TEST(StartUp, CorruptFilesAreSetAsideAndRecreated)
{
    const struct
    {
        const char *what;
        QByteArray alerts, skin;
    } cases[] = {
        {"unparsable", "<plist><array><dict>", "garbage"},
        {"wrong kind", plist::toXml(QVariantMap{{"state", true}}), plist::toXml(QString("3"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        StartUp s;
        QDir().mkpath(s.folders.documents);
        QDir().mkpath(s.folders.library);
        StartUp::touch(s.folders.documents + "/Alert.plist", c.alerts.constData());
        StartUp::touch(s.folders.library + "/batt.txt", c.skin.constData());
        auto app = s.launch();
        EXPECT_TRUE(QFile::exists(s.folders.documents + "/Alert.plist.corrupt"));
        EXPECT_TRUE(QFile::exists(s.folders.library + "/batt.txt.corrupt"));
        EXPECT_EQ(plist::readFile(s.folders.documents + "/Alert.plist").value.toList(),
                  AppDelegate::defaultAlerts());
        EXPECT_EQ(plist::readFile(s.folders.library + "/batt.txt").value.toList(), QVariantList{1});
        EXPECT_EQ(app->state().currentBattery(), 0);
        EXPECT_FALSE(app->state().privat());
    }
}

TEST(StartUp, StoredFilesThatCannotBeReadAreLeftAlone)
{
    for (const UnreadableKind kind : {UnreadableKind::Directory, UnreadableKind::IoError}) {
        SCOPED_TRACE(kindName(kind));
        StartUp s;
        const QString alerts = s.folders.documents + "/Alert.plist";
        const QString skin = s.folders.library + "/batt.txt";
        ASSERT_TRUE(makeUnreadable(alerts, kind));
        ASSERT_TRUE(makeUnreadable(skin, kind));
        auto app = s.launch();
        // The run goes on with the defaults in memory.
        EXPECT_FALSE(app->state().privat());
        EXPECT_EQ(app->state().currentBattery(), 0);
        EXPECT_TRUE(isStillUnreadable(alerts, kind));
        EXPECT_TRUE(isStillUnreadable(skin, kind));
        EXPECT_FALSE(QFileInfo::exists(alerts + ".corrupt"));
        EXPECT_FALSE(QFileInfo::exists(skin + ".corrupt"));
    }
}

TEST(StartUp, StoredSkinOutOfRangeFallsBackToTheFirst)
{
    for (const QVariant &stored :
         {QVariant(QVariantList{4}), QVariant(QVariantList{7}), QVariant(QVariantList{-1}),
          QVariant(QVariantList{"two"}), QVariant(QVariantList{})}) {
        StartUp s;
        QDir().mkpath(s.folders.library);
        plist::writeFile(s.folders.library + "/batt.txt", stored);
        auto app = s.launch();
        const int expected = stored.toList().value(0).toInt() == 4 ? 4 : 0;
        EXPECT_EQ(app->state().currentBattery(), expected);
    }
}

TEST(StartUp, RestartReplacesTheWindowAndKeepsTheSharedState)
{
    int argc = 0;
    QCoreApplication qapp(argc, nullptr);
    StartUp s;
    auto app = s.launch();
    QPointer<QObject> first = app->viewController();
    app->state().setLevel(604);
    app->state().setCurrentBattery(3);
    app->state().setPrivat(true);
    app->state().setTimeBeforeDie("12.500000");
    s.center.post("restartAPP2");
    EXPECT_EQ(s.windowsMade, 2);
    EXPECT_NE(app->viewController(), first.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull()); // the old window is gone once control returns to the loop
    EXPECT_FLOAT_EQ(app->state().Level(), 604);
    EXPECT_EQ(app->state().currentBattery(), 3);
    EXPECT_TRUE(app->state().privat());
    EXPECT_EQ(app->state().timeBeforeDie(), "12.500000");
    // After the application object is gone, the notification reaches nobody.
    app.reset();
    s.center.post("restartAPP2");
    EXPECT_EQ(s.windowsMade, 2);
}

// The window opens at once; the cut-short tint is finished on a worker thread, and then the
// interface is rebuilt to show the finished pictures under new URLs.
TEST(StartUp, ATintCutShortIsFinishedAfterTheWindowOpensThenRebuilds)
{
    StartUp s;
    QDir(s.folders.resources).removeRecursively();
    QDir().mkpath(s.folders.resources);
    // Thirteen real pictures: the tint that is cut short gets through its first batch of ten.
    QStringList pictures;
    for (int i = 0; i < 13; ++i) {
        const QString name = QStringLiteral("1_tint%1_6x4.png").arg(i, 2, 10, QChar('0'));
        QImage image(6, 4, QImage::Format_ARGB32);
        image.fill(qRgba(200, 20 * i, 40, 255));
        ASSERT_TRUE(image.save(s.folders.resources + "/" + name));
        pictures << name;
    }
    auto first = s.launch();
    QStringList names;
    for (const QVariant &e : first->state().imageArray())
        names << e.toMap().value("name").toString();
    first.reset();
    {
        HueTint cut(s.folders.resources, s.folders.library, names, 150.0);
        ASSERT_TRUE(cut.runBatch()); // the process dies here
    }
    HueFilter filter;
    filter.setHue(150.0);
    const auto allTinted = [&] {
        for (const QString &name : std::as_const(pictures)) {
            const QImage copy(s.folders.library + "/" + name);
            const QImage expected =
                HueTint::tinted(QImage(s.folders.resources + "/" + name), filter);
            if (copy.convertToFormat(QImage::Format_ARGB32) !=
                expected.convertToFormat(QImage::Format_ARGB32))
                return false;
        }
        return true;
    };
    bool tintedAtWindow = true;
    AppDelegate app(s.platform, [&](AppDelegate &, int) {
        tintedAtWindow = allTinted();
        return std::make_unique<QObject>();
    });
    QStringList posted;
    for (const char *note : {"restartAPP", "restartAPP1.5"})
        s.center.addObserver(note, nullptr, [&posted, note](const QVariant &) { posted << note; });
    app.didFinishLaunching();
    EXPECT_FALSE(tintedAtWindow);
    EXPECT_TRUE(app.state().tintRunning());
    EXPECT_TRUE(posted.isEmpty());

    // The worker reports back through the event loop.
    QElapsedTimer waited;
    waited.start();
    while (app.state().tintRunning() && waited.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_FALSE(app.state().tintRunning());
    EXPECT_TRUE(allTinted());
    const std::optional<TintMarker> marker = HueTint::readMarker(s.folders.library);
    ASSERT_TRUE(marker);
    EXPECT_TRUE(marker->complete);
    EXPECT_EQ(marker->hue, 150.0);
    EXPECT_EQ(app.state().tintGeneration(), 1);
    EXPECT_EQ(posted, (QStringList{"restartAPP", "restartAPP1.5"}));
}

} // namespace
