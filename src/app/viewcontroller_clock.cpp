#include "app/viewcontroller.h"

#include <QDebug>

bool ViewController::showClock()
{
    // Not built yet: the wheel stays, nothing is presented.
    qInfo("showClock: this screen is not available yet");
    return false;
}
