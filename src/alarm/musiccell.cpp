// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/musiccell.h"

void MusicCell::setMusicLbl(const QString &text)
{
    if (m_musicLbl == text)
        return;
    m_musicLbl = text;
    emit cellChanged();
}
