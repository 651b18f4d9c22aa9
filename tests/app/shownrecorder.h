// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// A screen that writes down every change of its shown state, as "+" and "-".
class ShownRecorder : public QObject
{
    Q_OBJECT
public:
    QString log;
    Q_INVOKABLE void setShown(bool shown) { log += shown ? QLatin1Char('+') : QLatin1Char('-'); }
};
