// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class AppState;

// The tips page: twelve battery tips, one per page of a horizontally paged area, swiped through
// or stepped with the next and previous buttons. Each page shows a text picture (the tip's
// wording, a tinted interface picture from the Library folder) and an illustration (shipped,
// never tinted). The view reports where the paged area stands; the controller decides the page.
class TipsViewController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("A page of the main screen")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(int pageCount READ pageCount CONSTANT)
    Q_PROPERTY(double pageWidth READ pageWidth CONSTANT)
    Q_PROPERTY(double contentWidth READ contentWidth CONSTANT)
    Q_PROPERTY(double offset READ offset NOTIFY offsetChanged)
    Q_PROPERTY(int indicatorPage READ indicatorPage NOTIFY indicatorPageChanged)
    Q_PROPERTY(int currentPage READ currentPage NOTIFY pageShown)
    Q_PROPERTY(QString textImage READ textImage NOTIFY pageShown)
    Q_PROPERTY(QString artImage READ artImage NOTIFY pageShown)
    Q_PROPERTY(bool fadedOut READ fadedOut NOTIFY pageShown)
    Q_PROPERTY(int fadeOutMs READ fadeOutMs CONSTANT)
    Q_PROPERTY(int fadeInMs READ fadeInMs CONSTANT)

public:
    static constexpr int kPageCount = 12;
    static constexpr int kFadeOutMs = 400;
    static constexpr int kFadeInMs = 500;

    TipsViewController(AppState &app, bool tablet, QObject *parent = nullptr);

    bool isTablet() const { return m_tablet; }
    int pageCount() const { return kPageCount; }
    double pageWidth() const { return pageWidth(m_tablet); }
    double contentWidth() const { return pageWidth() * kPageCount; }
    // The paged area's horizontal content offset.
    double offset() const { return m_offset; }
    int indicatorPage() const { return m_indicatorPage; }
    int currentPage() const { return m_page; }
    QString textImage() const;
    QString artImage() const;
    // Whether the last page change faded the pictures out first (not on the first and last pages).
    bool fadedOut() const { return m_fadedOut; }
    int fadeOutMs() const { return kFadeOutMs; }
    int fadeInMs() const { return kFadeInMs; }
    // The pictures of any page, for the pages beside the shown one while a swipe moves.
    Q_INVOKABLE QString textImageAt(int page) const;
    Q_INVOKABLE QString artImageAt(int page) const;

    static double pageWidth(bool tablet) { return tablet ? 768 : 320; }
    // The page whose centre lies nearest to the offset, kept within the twelve pages.
    static int pageAt(double offset, double width);
    // The pictures of a page, by family: the text picture (Library) and the illustration
    // (shipped resources).
    static QString textPicture(int page, bool tablet);
    static QString illustration(int page, bool tablet);

    // The paged area moves (only the indicator follows) and comes to rest (the page is shown).
    Q_INVOKABLE void scrollViewDidScroll(double offset);
    Q_INVOKABLE void scrollViewDidEndDecelerating(double offset);
    // The next and previous buttons: one page width on, within the first and the last page.
    Q_INVOKABLE void plusOne();
    Q_INVOKABLE void minusOneAction();

signals:
    void offsetChanged();
    void indicatorPageChanged();
    // A page was shown: the view fades its pictures in (after fading them out when fadedOut).
    void pageShown();

private:
    void scrollTo(double offset);
    void setIndicator(int page);
    void showPage(int page);

    AppState &m_app;
    bool m_tablet;
    double m_offset = 0;
    int m_indicatorPage = 0;
    int m_page = 0;
    bool m_fadedOut = false;
};
