// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/tipsviewcontroller.h"

#include "core/appstate.h"

#include <algorithm>
#include <cmath>

namespace {

struct Tip
{
    int number;       // the tip's number in the file names
    int tabletHeight; // pixel height of the tablet's text picture
};

// Numbers 6, 8 and 10 to 12 were never written.
constexpr Tip kTips[TipsViewController::kPageCount] = {
    {1, 391}, {2, 438},  {3, 338},  {4, 448},  {5, 483},  {7, 390},
    {9, 424}, {13, 148}, {14, 362}, {15, 129}, {16, 396}, {17, 154},
};

} // namespace

TipsViewController::TipsViewController(AppState &app, bool tablet, QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet)
{
}

int TipsViewController::pageAt(double offset, double width)
{
    const int page = int(std::floor((offset - width / 2) / width)) + 1;
    return std::clamp(page, 0, kPageCount - 1);
}

QString TipsViewController::textPicture(int page, bool tablet)
{
    const Tip &tip = kTips[std::clamp(page, 0, kPageCount - 1)];
    if (tablet)
        return QStringLiteral("2_Pad-%1-1_429x%2.png").arg(tip.number).arg(tip.tabletHeight);
    return QStringLiteral("1_%1-1.png").arg(tip.number);
}

QString TipsViewController::illustration(int page, bool tablet)
{
    const Tip &tip = kTips[std::clamp(page, 0, kPageCount - 1)];
    return tablet ? QStringLiteral("Pad-%1-2_595x376.png").arg(tip.number)
                  : QStringLiteral("%1-2_320x192.png").arg(tip.number);
}

QString TipsViewController::textImage() const
{
    return textImageAt(m_page);
}

QString TipsViewController::artImage() const
{
    return artImageAt(m_page);
}

QString TipsViewController::textImageAt(int page) const
{
    return m_app.libraryImage(textPicture(page, m_tablet));
}

QString TipsViewController::artImageAt(int page) const
{
    return m_app.resourceImage(illustration(page, m_tablet));
}

void TipsViewController::scrollTo(double offset)
{
    // The paged area keeps its content inside its bounds.
    offset = std::clamp(offset, 0.0, contentWidth() - pageWidth());
    if (offset == m_offset)
        return;
    m_offset = offset;
    emit offsetChanged();
}

void TipsViewController::setIndicator(int page)
{
    if (page == m_indicatorPage)
        return;
    m_indicatorPage = page;
    emit indicatorPageChanged();
}

void TipsViewController::scrollViewDidScroll(double offset)
{
    setIndicator(pageAt(offset, pageWidth()));
}

void TipsViewController::scrollViewDidEndDecelerating(double offset)
{
    // The area comes to rest on a whole page.
    const int page = pageAt(offset, pageWidth());
    scrollTo(page * pageWidth());
    showPage(page);
}

void TipsViewController::plusOne()
{
    scrollTo(m_offset + pageWidth());
    showPage(pageAt(m_offset, pageWidth()));
}

void TipsViewController::minusOneAction()
{
    scrollTo(m_offset - pageWidth());
    showPage(pageAt(m_offset, pageWidth()));
}

void TipsViewController::showPage(int page)
{
    setIndicator(page);
    // The first and the last page come in without fading out first.
    m_fadedOut = page != 0 && page != kPageCount - 1;
    m_page = page;
    emit pageShown();
}
