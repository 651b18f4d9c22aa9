// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "alerts/calendarviewcontroller.h"
#include "alerts/chargehistory.h"
#include "device/healthcontroller.h"
#include "platform/plist.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QQuickView>
#include <QSet>

#include <algorithm>

namespace {

using CalendarRender = RenderTest;

TEST_P(CalendarRender, MonthWithMarks)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    // Marks on the same days of every month, so the month shown has some whatever today is.
    QVariantList history;
    for (int month = 1; month <= 12; ++month) {
        for (const chargehistory::DayRecord &r : {chargehistory::DayRecord{1, 3, month},
                                                  {2, 3, month},
                                                  {1, 9, month},
                                                  {2, 12, month},
                                                  {3, 12, month},
                                                  {1, 21, month},
                                                  {3, 27, month}})
            history << chargehistory::toVariant(r);
    }
    ASSERT_TRUE(plist::writeFile(h.app().folders().documents + "/calendar.plist", history));
    h.viewController().gotoView(1);
    RenderHarness::settle();
    auto *page = qobject_cast<CalendarViewController *>(h.viewController().pageController(1));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->partialLbl(), "36");
    EXPECT_EQ(page->monthView()->markedDates().size(), 7);
    ASSERT_TRUE(h.shoot("calendar-marks"));

    page->monthView()->selectDate(9);
    page->monthView()->showNextMonth();
    RenderHarness::settle();
    ASSERT_TRUE(h.shoot("calendar-next-month"));
}

TEST_P(CalendarRender, HealthAtEachPicture)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    writeTree(h.app().platform().roots.sysfs,
              {{"class/power_supply/BAT0/type", "Battery"},
               {"class/power_supply/BAT0/status", "Discharging"},
               {"class/power_supply/BAT0/capacity", "64"},
               {"class/power_supply/BAT0/charge_full", "2650000"},
               {"class/power_supply/BAT0/charge_full_design", "3000000"},
               {"class/power_supply/BAT0/cycle_count", "418"},
               {"class/power_supply/BAT0/technology", "Li-ion"}});
    h.viewController().gotoView(4);
    ASSERT_TRUE(h.viewController().showHealth());
    RenderHarness::settle();
    auto *health = qobject_cast<HealthController *>(h.viewController().presentedScreen());
    ASSERT_NE(health, nullptr);
    EXPECT_TRUE(h.viewController().wheelHidden());
    EXPECT_EQ(health->wearRows().size(), 3);

    // Each step raises the score into the next picture's band.
    const struct
    {
        int row;
        int presses;
        const char *name;
        int band;
    } steps[] = {
        {3, 0, "health-1", 1},  // the defaults: 15
        {3, 10, "health-2", 2}, // full brightness: 110
        {1, 4, "health-3", 3},  // five years old: 165
        {4, 9, "health-4", 4},  // ten recharges a week: 310
    };
    for (const auto &s : steps) {
        for (int i = 0; i < s.presses; ++i)
            health->changeValOfLblplus(s.row);
        RenderHarness::settle(200);
        EXPECT_EQ(health->healthStatusImageName(),
                  QStringLiteral("Health-%1_284x100.png").arg(s.band));
        ASSERT_TRUE(h.shoot(s.name)) << s.name;
    }
    health->changeValOfLblplus(4);
    RenderHarness::settle(200);
    EXPECT_TRUE(health->alertVisible());
    ASSERT_TRUE(h.shoot("health-alert"));
    health->dismissAlert();

    health->goBack();
    RenderHarness::settle(200);
    EXPECT_EQ(h.viewController().presentedScreen(), nullptr);
    EXPECT_FALSE(h.viewController().wheelHidden());
}

// The legend can be brought above the wheel drawer, and the grid overlay covers every row of a
// month of four, five or six rows.
TEST_P(CalendarRender, LegendAboveTheWheelAndTheGridOverEveryRow)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &vc = h.viewController();
    vc.gotoView(1);
    RenderHarness::settle();
    auto *page = qobject_cast<CalendarViewController *>(vc.pageController(1));
    ASSERT_NE(page, nullptr);
    QQuickItem *root = h.window().view().rootObject();
    QQuickItem *body = findItem(root, "calendarBody");
    QQuickItem *legend = findItem(root, "calendarLegend");
    QQuickItem *grid = findItem(root, "calendarGrid");
    ASSERT_TRUE(body && legend && grid);

    QSet<int> rowsSeen;
    for (int month = 0; month < 14; ++month) {
        MonthView *view = page->monthView();
        rowsSeen << view->rows();
        RenderHarness::settle(50);
        EXPECT_DOUBLE_EQ(grid->height(), view->viewHeight()) << view->title().toStdString();
        // Scrolled to its end, the page shows the whole legend above the drawer.
        body->setProperty("contentY",
                          std::max(0.0, body->property("contentHeight").toReal() - body->height()));
        const QRectF drawn = legend->mapRectToScene(legend->boundingRect());
        EXPECT_LE(drawn.bottom(), vc.wheelTop() + 0.5) << view->title().toStdString();
        EXPECT_GE(drawn.top(), 0);
        if (view->rows() == 6 && !rowsSeen.contains(-6)) {
            rowsSeen << -6;
            RenderHarness::settle(400);
            ASSERT_TRUE(h.shoot("calendar-six-rows-scrolled"));
        }
        body->setProperty("contentY", 0);
        view->showNextMonth();
    }
    EXPECT_TRUE(rowsSeen.contains(5));
    EXPECT_TRUE(rowsSeen.contains(6));
}

INSTANTIATE_TEST_SUITE_P(Layouts, CalendarRender, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
