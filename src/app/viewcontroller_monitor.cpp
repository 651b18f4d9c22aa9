#include "app/viewcontroller.h"

#include <QDebug>

bool ViewController::showCpu()
{
    // Not built yet: the wheel stays, nothing is presented.
    qInfo("showCpu: this screen is not available yet");
    return false;
}

bool ViewController::showHDD()
{
    // Not built yet: the wheel stays, nothing is presented.
    qInfo("showHDD: this screen is not available yet");
    return false;
}
