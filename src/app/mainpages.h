// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/navigation.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class AppState;
class BottomController;
class ChargeHistoryStore;
class ViewController;

// The six pages of the main screen: made on demand or one per turn of the event loop after the
// first frame, each wired to the main screen that presents what it opens. The pages are children
// of the main screen, so they live exactly as long as it does.
class MainPages : public QObject
{
    Q_OBJECT

public:
    MainPages(ViewController &main, AppState &app, bool tablet, int screenHeight);

    // The charge history the calendar page shows; made after the first page.
    void setHistory(ChargeHistoryStore *history) { m_history = history; }

    // The pages that exist, one bit per page number.
    int createdPages() const { return m_createdPages; }
    bool isPageCreated(int page) const { return (m_createdPages & (1 << page)) != 0; }
    bool allPagesCreated() const { return m_createdPages == (1 << navigation::kPageCount) - 1; }

    // Makes a page unless it exists already or the pages have stopped.
    void createPage(int page);
    // Adds to the pages wanted soon: those from `from` to `to` and one beside each end (the
    // pages a move between them scrolls past, and the neighbours a swipe brings into view).
    void wantPagesAround(int from, int to);
    // The pages wanted soon, one bit per page.
    int wantedPages() const { return m_wantedPages; }
    // Creates the wanted pages that do not exist yet, one per turn of the event loop.
    void createDeferredPages();
    // Creates every missing page now.
    void createAllPages();
    // No page is made any more (the main screen is being torn down).
    void stop();

    // The controller of a created page (null before it exists) and the base name of its view
    // ("" before it exists).
    QObject *pageController(int page) const;
    QString pageViewName(int page) const;
    BottomController *bottomController() const { return m_bottomController; }

    // A new battery percent for the pages that show it, and for a page made after it.
    void currentLevel(float percent);

signals:
    // A page was made.
    void createdPagesChanged();

private:
    void setPage(int page, QObject *controller, const char *view);
    void createNextDeferredPage();

    ViewController &m_main;
    AppState &m_app;
    bool m_tablet;
    int m_screenHeight;
    bool m_stopped = false;
    int m_createdPages = 0;
    int m_wantedPages = 0;
    // Creates the next missing page on the next turn of the event loop.
    QTimer m_pageTimer;
    // The percent the gauge reported last, for a page created after it.
    std::optional<float> m_lastLevel;
    ChargeHistoryStore *m_history = nullptr;
    BottomController *m_bottomController = nullptr;
    QObject *m_pages[navigation::kPageCount] = {};
    const char *m_pageViews[navigation::kPageCount] = {};
};
