// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/location.h"

#include <QCoreApplication>
#include <QGeoPositionInfoSource>
#include <QPointer>

bool locationServicesEnabled()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    // The source is the application's child: made once per application object and gone with
    // it, before the plugins it comes from are unloaded.
    static QPointer<QCoreApplication> madeFor;
    static QPointer<QGeoPositionInfoSource> source;
    if (madeFor != app) {
        madeFor = app;
        source = QGeoPositionInfoSource::createDefaultSource(app);
    }
    return source && source->error() == QGeoPositionInfoSource::NoError &&
           source->supportedPositioningMethods() != QGeoPositionInfoSource::NoPositioningMethods;
}
