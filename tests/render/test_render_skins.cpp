// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"
#include "ringtouch.h"

#include "appearance/changecolorcontroller.h"
#include "appearance/huetint.h"
#include "appearance/tipsviewcontroller.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QQuickItem>
#include <QQuickView>
#include <QThread>

#include <functional>

namespace {

class RenderSkins : public RenderTest
{
};

TEST_P(RenderSkins, ChooserAndTips)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &vc = h.viewController();
    RenderHarness::settle(300);

    ASSERT_TRUE(vc.showChangeColor());
    EXPECT_TRUE(vc.wheelHidden());
    auto *chooser = qobject_cast<ChangeColorController *>(vc.presentedScreen());
    ASSERT_NE(chooser, nullptr);
    RenderHarness::settle(500);
    for (int skin = 0; skin < ChangeColorController::kItemCount; ++skin) {
        chooser->carouselCurrentItemIndexDidChange(skin);
        RenderHarness::settle(200);
        EXPECT_EQ(h.app().currentBattery(), skin);
        ASSERT_TRUE(h.shoot(QStringLiteral("skins-front%1").arg(skin)));
    }
    for (const int angle : {90, 180}) {
        turnOnRing(*chooser, chooser->knobRect().center(), chooser->knobRect().width() * 0.4, 90);
        RenderHarness::settle(300);
        EXPECT_NEAR(chooser->imageAngle(), angle, 1);
        ASSERT_TRUE(h.shoot(QStringLiteral("skins-knob%1").arg(angle)));
    }
    chooser->actionBack();
    RenderHarness::settle(300);
    EXPECT_EQ(vc.presentedScreen(), nullptr);
    EXPECT_FALSE(vc.wheelHidden());

    vc.gotoView(0);
    RenderHarness::settle(600);
    auto *tips = qobject_cast<TipsViewController *>(vc.pageController(0));
    ASSERT_NE(tips, nullptr);
    ASSERT_TRUE(h.shoot("tips-page0"));
    tips->plusOne();
    RenderHarness::settle(700);
    EXPECT_EQ(tips->currentPage(), 1);
    ASSERT_TRUE(h.shoot("tips-page1"));
    tips->scrollViewDidEndDecelerating(11 * tips->pageWidth());
    RenderHarness::settle(700);
    EXPECT_EQ(tips->currentPage(), 11);
    ASSERT_TRUE(h.shoot("tips-page11"));
}

// The tips: the fade-out lasts its 0.4 s; a swipe shows the next tip under the finger; each tip's
// text fits its box.
TEST_P(RenderSkins, TipsSwipeAndFit)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &vc = h.viewController();
    vc.gotoView(0);
    RenderHarness::settle(600);
    auto *tips = qobject_cast<TipsViewController *>(vc.pageController(0));
    ASSERT_NE(tips, nullptr);
    QQuickItem *root = h.window().view().rootObject();
    QQuickItem *page = findItem(root, "tipsPage");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->property("fadeOutDuration").toInt(), TipsViewController::kFadeOutMs);

    // Half way to the second page, the finger still down: both tips are drawn.
    QQuickItem *pages = findItem(root, "tipsPages");
    ASSERT_NE(pages, nullptr);
    pages->setProperty("contentX", tips->pageWidth() / 2);
    RenderHarness::settle(300);
    for (const char *name : {"tipText0", "tipText1", "tipArt1"}) {
        QQuickItem *picture = findItem(root, QString::fromLatin1(name));
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_TRUE(picture->isVisible()) << name;
        EXPECT_EQ(picture->property("status").toInt(), 1) << name; // Image.Ready
        const QRectF drawn = picture->mapRectToScene(picture->boundingRect());
        EXPECT_TRUE(drawn.intersects(QRectF(QPointF(), QSizeF(h.window().view().size())))) << name;
    }
    ASSERT_TRUE(h.shoot("tips-mid-swipe"));
    pages->setProperty("contentX", 0);

    for (int page = 0; page < TipsViewController::kPageCount; ++page) {
        tips->scrollViewDidEndDecelerating(page * tips->pageWidth());
        RenderHarness::settle(50);
        QQuickItem *text = findItem(root, QStringLiteral("tipText%1").arg(page));
        ASSERT_NE(text, nullptr) << page;
        // The picture lies in the text area's content item, inside the text area.
        QQuickItem *box = text->parentItem()->parentItem();
        EXPECT_GT(text->height(), 0) << page;
        EXPECT_LE(text->height(), box->height() + 0.5) << page;
        EXPECT_LE(text->width(), box->width() + 0.5) << page;
        if (page == 6) { // the longest tip
            RenderHarness::settle(1000);
            ASSERT_TRUE(h.shoot("tips-longest-fit"));
        }
    }
    RenderHarness::settle(700);
    ASSERT_TRUE(h.shoot("tips-page11-fit"));
}

// The largest picture from the Library folder that the window shows, in window pixels.
QRect largestLibraryPicture(RenderHarness &h)
{
    QQuickItem *root = h.window().view().contentItem();
    const QString library = h.app().folders().library + '/';
    QRect best;
    std::function<void(QQuickItem *)> walk = [&](QQuickItem *item) {
        if (!item->isVisible() || item->opacity() < 1)
            return;
        const QUrl source = item->property("source").toUrl();
        const bool fromLibrary = (source.scheme() == "image" && source.host() == "library") ||
                                 source.toLocalFile().startsWith(library);
        if (item->inherits("QQuickImage") && fromLibrary) {
            const QRect r = item->mapRectToScene(item->boundingRect()).toAlignedRect() &
                            QRect(QPoint(), h.window().view().size());
            if (r.width() * r.height() > best.width() * best.height())
                best = r;
        }
        for (QQuickItem *child : item->childItems())
            walk(child);
    };
    walk(root);
    return best;
}

bool waitForNewWindow(RenderHarness &h, const MainWindow *old, int ms = 60000)
{
    QElapsedTimer t;
    t.start();
    const auto ready = [&h] {
        const ViewController &vc = h.viewController();
        return vc.wantedPages() != 0 && (vc.wantedPages() & ~vc.createdPages()) == 0;
    };
    while ((&h.window() == old || !ready()) && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return &h.window() != old;
}

// Apply with the knob turned: the rebuilt interface shows the tinted copies, not the pictures
// Qt Quick cached before (the same URLs would be handed those).
TEST_P(RenderSkins, ApplyRebuildsWithTheNewHue)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ASSERT_TRUE(h.waitForAllPages());
    RenderHarness::settle(300);
    const QRect area = largestLibraryPicture(h);
    ASSERT_FALSE(area.isEmpty());
    ASSERT_TRUE(h.waitForPictures());
    const QImage before = h.window().view().grabWindow().copy(area);
    const MainWindow *first = &h.window();

    ViewController &vc = h.viewController();
    ASSERT_TRUE(vc.showChangeColor());
    auto *chooser = qobject_cast<ChangeColorController *>(vc.presentedScreen());
    ASSERT_NE(chooser, nullptr);
    RenderHarness::settle(300);
    for (int i = 0; i < 2; ++i)
        turnOnRing(*chooser, chooser->knobRect().center(), chooser->knobRect().width() * 0.4, 90);
    RenderHarness::settle(300);
    ASSERT_NEAR(chooser->imageAngle(), 180, 1);
    chooser->setColor();
    ASSERT_TRUE(waitForNewWindow(h, first));
    RenderHarness::settle(600);
    EXPECT_EQ(largestLibraryPicture(h), area);
    ASSERT_TRUE(h.waitForPictures());
    const QImage after = h.window().view().grabWindow().copy(area);
    ASSERT_TRUE(h.shoot("skins-applied180"));

    // The coloured pixels of the picture turned by the knob's half turn (those the views draw
    // over it in their own colours do not).
    HueFilter filter;
    filter.setHue(-180);
    const QImage expected = HueTint::tinted(before, filter).convertToFormat(QImage::Format_RGB32);
    const QImage shown = after.convertToFormat(QImage::Format_RGB32);
    int coloured = 0, turned = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb was = before.pixel(x, y), want = expected.pixel(x, y),
                       got = shown.pixel(x, y);
            const auto far = [](QRgb a, QRgb b, int d) {
                return std::abs(qRed(a) - qRed(b)) > d || std::abs(qGreen(a) - qGreen(b)) > d ||
                       std::abs(qBlue(a) - qBlue(b)) > d;
            };
            if (!far(was, want, 24))
                continue; // grey, or nearly: the tint leaves it
            ++coloured;
            if (!far(got, want, 8))
                ++turned;
        }
    }
    EXPECT_GT(coloured, 100);
    EXPECT_GT(turned, coloured * 3 / 4) << turned << " of " << coloured;
}

INSTANTIATE_TEST_SUITE_P(Layouts, RenderSkins, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
