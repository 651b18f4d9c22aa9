// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appdelegate.h"

#include "app/startupcheck.h"

#include "appearance/huetint.h"
#include "core/alertrecords.h"
#include "platform/logging.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>

#include <cerrno>
#include <unistd.h>
#include <utility>

AppDelegate::AppDelegate(Platform &platform, WindowFactory windowFactory, QObject *parent)
    : QObject(parent), m_platform(platform), m_windowFactory(std::move(windowFactory)),
      m_state(platform)
{
}

AppDelegate::~AppDelegate()
{
    m_platform.notifications.removeObservers(this);
    writeFirstStartFiles();
    // A tint being finished writes into the Library folder: it ends first.
    m_tintWorker.waitForDone();
}

QString AppDelegate::alertPath() const
{
    return m_platform.folders.documents + QStringLiteral("/Alert.plist");
}

QString AppDelegate::battPath() const
{
    return m_platform.folders.library + QStringLiteral("/batt.txt");
}

void AppDelegate::applicationDidEnterBackground()
{
    emit didEnterBackground();
}

QVariantList AppDelegate::defaultAlerts()
{
    return alertrecords::defaults();
}

bool AppDelegate::didFinishLaunching()
{
    m_platform.folders.ensureExist();

    m_state.setPrivat(false);
    initAlarmArray();

    m_state.setLevel(1000.0f);
    m_state.setTimeneedToCharge(QString());
    m_state.setTimeBeforeDie(QString());
    m_state.setCurrentBattery(0);
    m_state.setTransformIMG({});

    const QString resources = m_platform.folders.resources;
    m_state.setImageArray(recursivePathsForResourcesOfType(QStringLiteral("png"), resources) +
                          recursivePathsForResourcesOfType(QStringLiteral("jpeg"), resources));

    readSkin();

    // Every start: a newer build may ship images an existing install has no copy of yet.
    copyImgToCache();

    m_platform.notifications.addObserver(QStringLiteral("restartAPP2"), this,
                                         [this](const QVariant &) { restart(); });
    createWindow();
    // The first start's files (one write and its sync each) wait for the window's first frame,
    // or are written now when there is no window to wait for.
    if (m_alertsToWrite || m_skinToWrite) {
        const QPointer<AppDelegate> self(this);
        if (!afterFirstFrame([self] {
                if (self)
                    self->writeFirstStartFiles();
            }))
            writeFirstStartFiles();
    }
    finishTint();
    return true;
}

void AppDelegate::writeFirstStartFiles()
{
    // Each file is read again: what set a corrupt file aside, or wrote the file meanwhile, wins.
    if (std::exchange(m_alertsToWrite, false)) {
        const QString path = alertPath();
        const alertrecords::Loaded alerts =
            alertrecords::fromRead(plist::readFile(path, plist::Shape::Array));
        if (alerts.missing && !alerts.leaveAlone && !plist::writeFile(path, alerts.records))
            qCWarning(lcApp, "could not write %s", qPrintable(path));
    }
    if (std::exchange(m_skinToWrite, false)) {
        const QString path = battPath();
        const plist::ReadResult stored = plist::readFile(path, plist::Shape::Array);
        // The file says 1 while this run keeps skin 0.
        if (!stored.ok() && stored.mayWrite() && !plist::writeFile(path, QVariantList{1}))
            qCWarning(lcApp, "could not write %s", qPrintable(path));
    }
}

void AppDelegate::initAlarmArray()
{
    const QString path = alertPath();
    const alertrecords::Loaded alerts =
        alertrecords::fromRead(plist::readFile(path, plist::Shape::Array));
    // An unreadable file is left as it is; the mode stays off for this run.
    if (alerts.leaveAlone)
        return;
    if (!alerts.missing) {
        m_state.setPrivat(alerts.records.at(1).toMap().value(QStringLiteral("state")).toBool());
        return;
    }
    m_alertsToWrite = true;
}

void AppDelegate::readSkin()
{
    const QString path = battPath();
    const plist::ReadResult stored = plist::readFile(path, plist::Shape::Array);
    if (stored.ok()) {
        const QVariantList list = stored.value.toList();
        bool ok = false;
        const int index = list.isEmpty() ? 0 : list.first().toInt(&ok);
        // An index outside the five skins would leave the gauge without a skin.
        m_state.setCurrentBattery((ok && index >= 0 && index < AppState::kSkinCount) ? index : 0);
        return;
    }
    // First start: written with the other first-start files. An unreadable file is kept.
    if (stored.mayWrite())
        m_skinToWrite = true;
}

QVariantList AppDelegate::recursivePathsForResourcesOfType(const QString &type,
                                                           const QString &directory) const
{
    const QString prefix = m_state.isIpad() ? QStringLiteral("2_") : QStringLiteral("1_");
    const QDir root(directory);
    // The iterator's paths begin with the folder as given: the name below it is what follows.
    const QString base = root.path() + QLatin1Char('/');
    QStringList names;
    QDirIterator it(root.path(), {QStringLiteral("*.") + type},
                    QDir::Files | QDir::NoDotAndDotDot | QDir::CaseSensitive,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative =
            path.startsWith(base) ? path.mid(base.size()) : root.relativeFilePath(path);
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

namespace {

// An untinted copy is the shipped picture itself: a link to it where the file system allows one
// (no bytes to write before the first frame), a copy elsewhere. Every later change of a copy (a
// tint) writes a new file and renames it over the old, so the shipped file is never written.
// An existing copy (possibly tinted) is kept: the link is refused then, and nothing else is
// tried. The folder is made only when the link finds none, so a later start costs one refused
// call per picture.
void placeCopy(const QString &shipped, const QString &target)
{
    const QByteArray from = QFile::encodeName(shipped);
    const QByteArray to = QFile::encodeName(target);
    int linked = ::link(from.constData(), to.constData());
    if (linked != 0 && errno == ENOENT && QDir().mkpath(QFileInfo(target).absolutePath()))
        linked = ::link(from.constData(), to.constData());
    if (linked == 0 || errno == EEXIST)
        return;
    if (::symlink(from.constData(), to.constData()) == 0 || errno == EEXIST)
        return;
    QFile::copy(shipped, target);
}

} // namespace

void AppDelegate::copyImgToCache()
{
    const QString library = m_platform.folders.library;
    QVariantList copies;
    for (const QVariant &v : m_state.imageArray()) {
        const QVariantMap entry = v.toMap();
        const QString name = entry.value(QStringLiteral("name")).toString();
        const QString target = library + QLatin1Char('/') + name;
        placeCopy(entry.value(QStringLiteral("path")).toString(), target);
        copies.append(
            QVariantMap{{QStringLiteral("path"), target}, {QStringLiteral("name"), name}});
    }
    m_state.setTransformIMG(copies);
}

void AppDelegate::finishTint()
{
    const QString library = m_platform.folders.library;
    if (!tintUnfinished(library))
        return;
    QStringList names;
    for (const QVariant &entry : m_state.imageArray())
        names << entry.toMap().value(QStringLiteral("name")).toString();
    // A skin chooser opened meanwhile waits with its own tint until this one is done.
    m_state.setTintRunning(true);
    m_tintWorker.setMaxThreadCount(1);
    m_tintWorker.start([this, resources = m_platform.folders.resources, library, names] {
        // One thread: the first frames are drawn on the other core.
        const FinishedTint finished = finishUnfinishedTint(resources, library, names, 1);
        QMetaObject::invokeMethod(
            this, [this, finished, count = names.size()] { tintDone(finished, int(count)); },
            Qt::QueuedConnection);
    });
}

void AppDelegate::tintDone(const FinishedTint &finished, int count)
{
    if (finished.ran)
        qCInfo(lcAppearance, "finished the interrupted tint of %d pictures", count);
    for (const TintFailure &failure : finished.failures)
        qCWarning(lcAppearance, "tint: %s: %s", qPrintable(failure.name),
                  qPrintable(failure.reason));
    m_state.tintRewritten();
    m_state.setTintRunning(false);
    emit tintFinished();
    // A skin chooser that was waiting has begun its own tint and rebuilds when it is done;
    // otherwise the screens are rebuilt now, with the finished pictures.
    if (!m_state.tintRunning()) {
        m_platform.notifications.post(QStringLiteral("restartAPP"));
        m_platform.notifications.post(QStringLiteral("restartAPP1.5"));
    }
}

void AppDelegate::createWindow()
{
    if (m_windowFactory)
        m_window = m_windowFactory(*this, m_state.isIpad() ? 1 : 0);
    emit viewControllerChanged();
}

void AppDelegate::restart()
{
    // The old screen may be the one whose timer posted the notification: let it finish first.
    writeFirstStartFiles();
    if (m_window)
        m_window.release()->deleteLater();
    createWindow();
}
