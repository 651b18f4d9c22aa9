#include "platform/location.h"

#include <QCoreApplication>
#include <QGeoPositionInfoSource>

#include <memory>

bool locationServicesEnabled()
{
    if (!QCoreApplication::instance())
        return false;
    static const std::unique_ptr<QGeoPositionInfoSource> source(
        QGeoPositionInfoSource::createDefaultSource(nullptr));
    return source && source->error() == QGeoPositionInfoSource::NoError &&
           source->supportedPositioningMethods() != QGeoPositionInfoSource::NoPositioningMethods;
}
