// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "alarm/alarmnewviewcontroller.h"
#include "alarm/alarmviewcontroller.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QQuickView>

namespace {

// What a screen reader would be told of a touch area: the Accessible attached to it.
QObject *accessibleOf(const QQuickItem *item)
{
    for (QObject *child : item->children())
        if (qstrcmp(child->metaObject()->className(), "QQuickAccessibleAttached") == 0)
            return child;
    return nullptr;
}

QString pathOf(const QQuickItem *item)
{
    QStringList names;
    for (const QQuickItem *i = item; i; i = i->parentItem())
        names.prepend(
            QString::fromLatin1(i->metaObject()->className()).section(QLatin1Char('_'), 0, 0));
    return names.join(QLatin1Char('/'));
}

// Every touch area below root that is no mere touch-swallowing backdrop (Accessible.ignored)
// and lacks a name or a role.
void collectUnnamed(const QQuickItem *item, QStringList &unnamed, int &controls)
{
    const QByteArray cls = item->metaObject()->className();
    if (cls.contains("MouseArea") || cls.contains("MultiPointTouchArea")) {
        const QObject *a = accessibleOf(item);
        if (!a || !a->property("ignored").toBool()) {
            ++controls;
            if (!a || a->property("name").toString().trimmed().isEmpty() ||
                a->property("role").toInt() == 0)
                unnamed << pathOf(item);
        }
    }
    for (const QQuickItem *child : item->childItems())
        collectUnnamed(child, unnamed, controls);
}

class AccessibleRender : public RenderTest
{
protected:
    static void expectAllNamed(RenderHarness &h, const char *state, int atLeast)
    {
        SCOPED_TRACE(state);
        RenderHarness::settle(300);
        QStringList unnamed;
        int controls = 0;
        collectUnnamed(h.window().view().contentItem(), unnamed, controls);
        EXPECT_GE(controls, atLeast);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
    }
};

TEST_P(AccessibleRender, EveryButtonAndSwitchHasANameAndARole)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &vc = h.viewController();
    // The main screen: wheel, monitor button, drawer handle, status buttons, details, slider.
    expectAllNamed(h, "main screen", 8);

    vc.DetailsPresed();
    expectAllNamed(h, "details", 1);
    vc.closePresented();

    vc.showDeviceInfo();
    expectAllNamed(h, "device information", 1);
    vc.closePresented();

    vc.showAlarms();
    auto *alarms = qobject_cast<AlarmViewController *>(vc.presentedScreen());
    ASSERT_NE(alarms, nullptr);
    expectAllNamed(h, "alarms", 5);
    alarms->addNewAlarm();
    alarms->alarm()->addDayView();
    expectAllNamed(h, "alarm editor with its days", 10);
    alarms->alarm()->removeDAyView();
    alarms->alarm()->selectMusic();
    expectAllNamed(h, "alarm editor with its sounds", 10);
}

INSTANTIATE_TEST_SUITE_P(Layouts, AccessibleRender, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
