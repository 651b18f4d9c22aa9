// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/changecolorcontroller.h"
#include "appearance/tipsviewcontroller.h"
#include "core/appstate.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"
#include "ringtouch.h"
#include "tempplatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSignalSpy>
#include <QThread>

#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace {

// The chooser on temporary folders: the seven pictures it shows and `extra` more interface
// pictures shipped, each copied into the Library folder as start-up does.
struct Chooser : TempPlatform
{
    std::unique_ptr<AppState> app;
    QStringList posted;

    explicit Chooser(int extra = 0)
    {
        static int argc = 1;
        static char name[] = "appearance_tests";
        static char *argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QGuiApplication(argc, argv);
        folders.ensureExist();
        QDir().mkpath(folders.resources);
        QStringList names = ChangeColorController::pictureNames(false, 480);
        for (int i = 0; i < extra; ++i)
            names << QStringLiteral("1_extra%1_9x6.png").arg(i, 2, 10, QChar('0'));
        QVariantList entries;
        for (int i = 0; i < names.size(); ++i) {
            QImage image(9 + i % 3, 6, QImage::Format_ARGB32);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, qRgba(25 * x, 40 * y, 9 * i, 255 - 20 * y));
            image.save(folders.resources + '/' + names[i]);
            QFile::copy(folders.resources + '/' + names[i], folders.library + '/' + names[i]);
            entries << QVariantMap{{"path", folders.resources + '/' + names[i]},
                                   {"name", names[i]}};
        }
        app = std::make_unique<AppState>(platform);
        app->setImageArray(entries);
        app->setCurrentBattery(1);
        for (const char *note : {"restartAPP", "restartAPP1.5"})
            center.addObserver(note, nullptr, [this, note](const QVariant &) { posted << note; });
    }
    std::map<QString, QByteArray> libraryFiles() const
    {
        std::map<QString, QByteArray> files;
        for (const QString &name : QDir(folders.library).entryList(QDir::Files)) {
            QFile f(folders.library + '/' + name);
            if (f.open(QIODevice::ReadOnly))
                files[name] = f.readAll();
        }
        return files;
    }
    bool waitFor(const QString &note, int ms = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (!posted.contains(note) && t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(1);
        }
        return posted.contains(note);
    }
};

bool waitUntilIdle(const ChangeColorController &chooser, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (chooser.busy() && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return !chooser.busy();
}

TEST(ChangeColor, ApplyReTintsInBatchesWithTheirProgressThenRebuildsOnce)
{
    const struct
    {
        int extra;  // pictures besides the chooser's seven
        bool empty; // the family ships no picture at all
        QStringList texts;
    } rows[] = {
        {16, false, {"43%", "86%", "100%"}}, // 23 pictures: batches of 10, 10 and 3
        {3, false, {"100%"}},
        {0, true, {}},
    };
    for (const auto &row : rows) {
        Chooser c(row.extra);
        if (row.empty)
            c.app->setImageArray({});
        ChangeColorController chooser(*c.app, false, 480);
        chooser.rotation(30);
        QStringList shown;
        QObject::connect(&chooser, &ChangeColorController::progressTextChanged,
                         [&] { shown << chooser.progressText(); });
        QSignalSpy closed(&chooser, &ChangeColorController::closeRequested);
        chooser.setColor();
        EXPECT_TRUE(chooser.applying());
        chooser.setColor(); // a second press while it runs does nothing
        ASSERT_TRUE(c.waitFor("restartAPP1.5")) << row.extra;
        EXPECT_EQ(shown, row.texts) << row.extra;
        EXPECT_EQ(c.posted, (QStringList{"restartAPP", "restartAPP1.5"})) << row.extra;
        EXPECT_EQ(closed.size(), 1);
        EXPECT_TRUE(chooser.failures().isEmpty());
        // Every copy now holds the shipped picture at the knob's hue.
        HueFilter filter;
        filter.setHue(-30);
        for (const QVariant &entry : c.app->imageArray()) {
            const QString name = entry.toMap().value("name").toString();
            EXPECT_EQ(QImage(c.folders.library + '/' + name).convertToFormat(QImage::Format_ARGB32),
                      HueTint::tinted(QImage(c.folders.resources + '/' + name), filter)
                          .convertToFormat(QImage::Format_ARGB32))
                << qPrintable(name);
        }
    }
}

TEST(ChangeColor, ApplyWithoutATurnStoresTheSkinAndRebuildsAtOnce)
{
    // "batt.txt" is written whether or not it existed, and nothing is tinted.
    for (const bool stored : {true, false}) {
        Chooser c;
        const QString batt = c.folders.library + "/batt.txt";
        if (stored) {
            ASSERT_TRUE(plist::writeFile(batt, QVariantList{1}));
        }
        const auto before = c.libraryFiles();
        ChangeColorController chooser(*c.app, false, 480);
        chooser.carouselCurrentItemIndexDidChange(3);
        EXPECT_EQ(c.app->currentBattery(), 3);
        chooser.setColor();
        EXPECT_EQ(c.posted, QStringList{"restartAPP"}) << stored;
        EXPECT_EQ(plist::readFile(batt).value.toList(), QVariantList{3}) << stored;
        auto after = c.libraryFiles();
        after.erase("batt.txt");
        auto expected = before;
        expected.erase("batt.txt");
        EXPECT_TRUE(after == expected) << stored;
        EXPECT_TRUE(chooser.progressText().isEmpty());
        ASSERT_TRUE(c.waitFor("restartAPP1.5"));
    }
}

TEST(ChangeColor, BackAfterAPreviewLeavesTheLibraryAsItWas)
{
    Chooser c;
    const auto before = c.libraryFiles();
    ChangeColorController chooser(*c.app, false, 480);
    const QStringList shown = chooser.items();
    QSignalSpy closed(&chooser, &ChangeColorController::closeRequested);
    chooser.carouselCurrentItemIndexDidChange(3);
    turnOnRing(chooser, chooser.knobRect().center(), chooser.knobRect().width() * 0.4, 90);
    EXPECT_NEAR(chooser.imageAngle(), 90, 0.5);
    EXPECT_NEAR(chooser.hueValue(), -90, 0.5);
    ASSERT_TRUE(waitUntilIdle(chooser));
    // The previews show the tint ...
    EXPECT_NE(chooser.items(), shown);
    EXPECT_NE(chooser.backImage(), c.app->libraryImage("1_back-4_52x47.png"));
    chooser.actionBack();
    // ... and leaving undoes everything.
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(c.app->currentBattery(), 1);
    EXPECT_TRUE(c.libraryFiles() == before);
    EXPECT_TRUE(c.posted.isEmpty());
}

// Releasing the knob returns at once with the busy overlay up, so that the interface draws it
// while the previews are tinted; the previews of the last release replace the shown ones.
TEST(ChangeColor, PreviewKeepsTheOverlayUpWhileItTints)
{
    Chooser c;
    ChangeColorController chooser(*c.app, false, 480);
    const QStringList shipped = chooser.items();
    QStringList busyStates;
    QObject::connect(&chooser, &ChangeColorController::busyChanged,
                     [&] { busyStates << (chooser.busy() ? "on" : "off"); });
    chooser.changeHue(-90);
    chooser.changeHue(-45);
    EXPECT_TRUE(chooser.busy());
    EXPECT_EQ(chooser.items(), shipped);
    ASSERT_TRUE(waitUntilIdle(chooser));
    EXPECT_EQ(busyStates, (QStringList{"on", "off"}));
    HueFilter filter;
    filter.setHue(-45);
    const QImage tinted = HueTint::tinted(
        QImage(c.folders.resources + '/' + ChangeColorController::pictureNames(false, 480).at(0)),
        filter);
    const QString shown = chooser.items().at(0);
    ASSERT_TRUE(shown.startsWith("data:image/png;base64,"));
    const QImage preview = QImage::fromData(
        QByteArray::fromBase64(shown.mid(int(strlen("data:image/png;base64,"))).toLatin1()));
    EXPECT_EQ(preview.convertToFormat(QImage::Format_ARGB32),
              tinted.convertToFormat(QImage::Format_ARGB32));
}

TEST(ChangeColor, KnobWrapsAndApplyTintsWithItsAngle)
{
    // Turns with no release in between (the gesture may end without its final angle): the apply
    // tints with minus the knob's angle.
    const struct
    {
        std::vector<float> steps;
        float angle;
    } rows[] = {
        {{364}, 4}, {{-364}, -4}, {{350, 20}, 10}, {{90, 90}, 180}, {{200, 200, -40}, 0},
    };
    for (const auto &row : rows) {
        Chooser c;
        ChangeColorController chooser(*c.app, false, 480);
        for (const float step : row.steps)
            chooser.rotation(step);
        EXPECT_NEAR(chooser.imageAngle(), row.angle, 1e-3) << row.angle;
        chooser.setColor();
        ASSERT_TRUE(c.waitFor("restartAPP")) << row.angle;
        const auto marker = HueTint::readMarker(c.folders.library);
        ASSERT_TRUE(marker) << row.angle;
        EXPECT_NEAR(marker->hue, -row.angle, 1e-3);
    }
}

TEST(Tips, PageArithmetic)
{
    const struct
    {
        double offset;
        double width;
        int page;
    } rows[] = {
        {479, 320, 1},   {481, 320, 2},   {-200, 320, 0}, {0, 320, 0},
        {3520, 320, 11}, {9000, 320, 11}, {1151, 768, 1}, {1153, 768, 2},
    };
    for (const auto &row : rows)
        EXPECT_EQ(TipsViewController::pageAt(row.offset, row.width), row.page) << row.offset;
}

TEST(Tips, NextAndPreviousStepOnePageWidthWithinTheTwelve)
{
    const struct
    {
        bool tablet;
        int from;
        bool next;
        int page;
        bool fadedOut;
    } rows[] = {
        {false, 0, true, 1, true},  {false, 11, true, 11, false}, {false, 0, false, 0, false},
        {false, 5, false, 4, true}, {true, 10, true, 11, false},  {true, 1, false, 0, false},
        {true, 3, true, 4, true},
    };
    for (const auto &row : rows) {
        Chooser c;
        TipsViewController tips(*c.app, row.tablet);
        const double w = TipsViewController::pageWidth(row.tablet);
        tips.scrollViewDidEndDecelerating(row.from * w);
        ASSERT_EQ(tips.currentPage(), row.from);
        row.next ? tips.plusOne() : tips.minusOneAction();
        EXPECT_EQ(tips.currentPage(), row.page) << row.from;
        EXPECT_EQ(tips.indicatorPage(), row.page);
        EXPECT_EQ(tips.offset(), row.page * w);
        EXPECT_EQ(tips.fadedOut(), row.fadedOut) << row.from;
        EXPECT_EQ(tips.textImage(),
                  c.app->libraryImage(TipsViewController::textPicture(row.page, row.tablet)));
    }
}

} // namespace
