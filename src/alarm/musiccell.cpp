#include "alarm/musiccell.h"

void MusicCell::setMusicLbl(const QString &text)
{
    if (m_musicLbl == text)
        return;
    m_musicLbl = text;
    emit cellChanged();
}
