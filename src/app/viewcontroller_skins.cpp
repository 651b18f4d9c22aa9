#include "app/viewcontroller.h"

#include <QDebug>

bool ViewController::showChangeColor()
{
    // Not built yet: the wheel stays, nothing is presented.
    qInfo("showChangeColor: this screen is not available yet");
    return false;
}
