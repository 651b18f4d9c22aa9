#include "app/viewcontroller.h"

#include <QDebug>

bool ViewController::showHealth()
{
    // Not built yet: the wheel stays, nothing is presented.
    qInfo("showHealth: this screen is not available yet");
    return false;
}
