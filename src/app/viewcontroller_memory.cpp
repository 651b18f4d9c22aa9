#include "app/viewcontroller.h"

#include <QDebug>

bool ViewController::showRam()
{
    // Not built yet: the wheel stays, nothing is presented.
    qInfo("showRam: this screen is not available yet");
    return false;
}

bool ViewController::showNet()
{
    // Not built yet: the wheel stays, nothing is presented.
    qInfo("showNet: this screen is not available yet");
    return false;
}
