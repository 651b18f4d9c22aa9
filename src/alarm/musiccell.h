// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// One row of the editor's sound list: the sound's name.
class MusicCell : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the alarm editor")
    Q_PROPERTY(QString musicLbl READ musicLbl NOTIFY cellChanged)
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)

public:
    explicit MusicCell(QObject *parent = nullptr) : QObject(parent) {}

    // Called when the cell is first made: the label font.
    void initLBL() { m_initialised = true; }
    bool initialised() const { return m_initialised; }

    QString musicLbl() const { return m_musicLbl; }
    QString fontFamily() const { return QStringLiteral("DINMittelschriftStd"); }
    void setMusicLbl(const QString &text);

signals:
    void cellChanged();

private:
    bool m_initialised = false;
    QString m_musicLbl;
};
