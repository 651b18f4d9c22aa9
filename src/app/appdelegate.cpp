#include "app/appdelegate.h"

#include "platform/alertrecords.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

AppDelegate::AppDelegate(Platform &platform, WindowFactory windowFactory, QObject *parent)
    : QObject(parent), m_platform(platform), m_windowFactory(std::move(windowFactory))
{
}

AppDelegate::~AppDelegate()
{
    m_platform.notifications.removeObservers(this);
}

QString AppDelegate::alertPath() const
{
    return m_platform.folders.documents + QStringLiteral("/Alert.plist");
}

QString AppDelegate::battPath() const
{
    return m_platform.folders.library + QStringLiteral("/batt.txt");
}

QString AppDelegate::libraryImage(const QString &name) const
{
    return QUrl::fromLocalFile(m_platform.folders.library + QLatin1Char('/') + name).toString();
}

QString AppDelegate::resourceImage(const QString &name) const
{
    return QUrl::fromLocalFile(m_platform.folders.resources + QLatin1Char('/') + name).toString();
}

void AppDelegate::applicationDidEnterBackground()
{
    emit didEnterBackground();
}

bool AppDelegate::isIpad() const
{
    return m_platform.idiom && m_platform.idiom() == 1;
}

QVariantList AppDelegate::defaultAlerts()
{
    return alertrecords::defaults();
}

bool AppDelegate::didFinishLaunching()
{
    m_platform.folders.ensureExist();

    m_privat = false;
    initAlarmArray();

    m_level = 1000.0f;
    m_timeneedToCharge.clear();
    m_timeBeforeDie.clear();
    m_currentBattery = 0;
    m_transformIMG.clear();

    const QString resources = m_platform.folders.resources;
    m_imageArray = recursivePathsForResourcesOfType(QStringLiteral("png"), resources) +
                   recursivePathsForResourcesOfType(QStringLiteral("jpeg"), resources);

    readSkin();

    // The copies are made once: when the marker image's copy exists, they all do.
    if (!m_imageArray.isEmpty()) {
        const int marker = std::min<int>(2, int(m_imageArray.size()) - 1);
        const QString name = m_imageArray.at(marker).toMap().value(QStringLiteral("name")).toString();
        if (!QFileInfo::exists(m_platform.folders.library + QLatin1Char('/') + name))
            copyImgToCache();
    }

    m_platform.notifications.addObserver(QStringLiteral("restartAPP2"), this,
                                         [this](const QVariant &) { restart(); });
    createWindow();
    return true;
}

void AppDelegate::initAlarmArray()
{
    const QString path = alertPath();
    const alertrecords::Loaded alerts = alertrecords::fromRead(plist::readFile(path));
    if (!alerts.missing) {
        m_privat = alerts.records.at(1).toMap().value(QStringLiteral("state")).toBool();
        return;
    }
    if (!plist::writeFile(path, alerts.records))
        qWarning("powerdeck: could not write %s", qPrintable(path));
}

void AppDelegate::readSkin()
{
    const QString path = battPath();
    const plist::ReadResult stored = plist::readFile(path);
    if (stored.ok()) {
        const QVariantList list = stored.value.toList();
        bool ok = false;
        const int index = list.isEmpty() ? 0 : list.first().toInt(&ok);
        // An index outside the five skins would leave the gauge without a skin.
        m_currentBattery = (ok && index >= 0 && index < kSkinCount) ? index : 0;
        return;
    }
    // First start: the file says 1 while this run keeps skin 0.
    plist::writeFile(path, QVariantList{1});
}

QVariantList AppDelegate::recursivePathsForResourcesOfType(const QString &type,
                                                           const QString &directory) const
{
    const QString prefix = isIpad() ? QStringLiteral("2_") : QStringLiteral("1_");
    const QDir root(directory);
    QStringList names;
    QDirIterator it(directory, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).suffix() != type)
            continue;
        const QString relative = root.relativeFilePath(path);
        if (relative.startsWith(prefix))
            names << relative;
    }
    names.sort();
    QVariantList entries;
    entries.reserve(names.size());
    for (const QString &name : std::as_const(names))
        entries.append(QVariantMap{{QStringLiteral("path"), directory + QLatin1Char('/') + name},
                                   {QStringLiteral("name"), name}});
    return entries;
}

void AppDelegate::copyImgToCache()
{
    const QString library = m_platform.folders.library;
    for (const QVariant &v : std::as_const(m_imageArray)) {
        const QVariantMap entry = v.toMap();
        const QString name = entry.value(QStringLiteral("name")).toString();
        const QString target = library + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(target).absolutePath());
        // An existing copy (possibly tinted) is kept.
        QFile::copy(entry.value(QStringLiteral("path")).toString(), target);
        m_transformIMG.append(QVariantMap{{QStringLiteral("path"), target}, {QStringLiteral("name"), name}});
    }
}

void AppDelegate::createWindow()
{
    if (m_windowFactory)
        m_window = m_windowFactory(*this, isIpad() ? 1 : 0);
    emit viewControllerChanged();
}

void AppDelegate::restart()
{
    // The old screen may be the one whose timer posted the notification: let it finish first.
    if (m_window)
        m_window.release()->deleteLater();
    createWindow();
}

void AppDelegate::setLevel(float level)
{
    if (level == m_level)
        return;
    m_level = level;
    emit LevelChanged();
}

void AppDelegate::setTimeBeforeDie(const QString &text)
{
    if (text == m_timeBeforeDie)
        return;
    m_timeBeforeDie = text;
    emit timeBeforeDieChanged();
}

void AppDelegate::setTimeneedToCharge(const QString &text)
{
    if (text == m_timeneedToCharge)
        return;
    m_timeneedToCharge = text;
    emit timeneedToChargeChanged();
}

void AppDelegate::setCurrentBattery(int index)
{
    if (index == m_currentBattery)
        return;
    m_currentBattery = index;
    emit currentBatteryChanged();
}

void AppDelegate::setPrivat(bool on)
{
    if (on == m_privat)
        return;
    m_privat = on;
    emit privatChanged();
}
