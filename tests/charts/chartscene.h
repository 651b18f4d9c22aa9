// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QQuickView>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// An offscreen window showing one piece of QML that imports the chart items, with everything Qt
// warned about meanwhile, a 5x5 two-tone pattern picture to use as a pattern colour, and a way
// to save what the window shows.
class ChartScene
{
public:
    ChartScene();
    ~ChartScene();

    // Loads `body`, the QML of the root item (imports are added); false when it does not load.
    bool load(const QString &body, QSize size);
    QQuickItem *find(const QString &objectName) const;
    QQuickView &view() { return *m_view; }
    // Writes build/screenshots/charts-<name>.png.
    bool shoot(const QString &name);
    QString patternPath() const { return m_dir.filePath(QStringLiteral("pattern_5x5.png")); }

    static void settle(int ms);
    static QStringList &warnings();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QQuickView> m_view;
    QQuickItem *m_root = nullptr;
};

// A test drawing in its own scene; it fails when anything warned meanwhile.
class ChartSceneTest : public ::testing::Test
{
protected:
    void SetUp() override { ChartScene::warnings().clear(); }
    void TearDown() override
    {
        EXPECT_TRUE(ChartScene::warnings().isEmpty())
            << ChartScene::warnings().join('\n').toStdString();
    }
    ChartScene scene;
};
