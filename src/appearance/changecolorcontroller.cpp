// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/changecolorcontroller.h"

#include "appearance/picturesource.h"
#include "core/appstate.h"
#include "platform/logging.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"

#include <QMetaObject>
#include <QTimer>
#include <QVariantMap>

#include <algorithm>
#include <cmath>
#include <numbers>

ChangeColorController::ChangeColorController(AppState &app, bool tablet, int screenHeight,
                                             QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet), m_screenHeight(screenHeight),
      m_firstBAtt(app.currentBattery()), m_currentIndex(app.currentBattery()),
      m_strImageArray(pictureNames(tablet, screenHeight))
{
    m_app.platform().notifications.addObserver(QStringLiteral("restartAPP"), this,
                                               [this](const QVariant &) { temp(); });
    // The previews are always tinted from the shipped pictures.
    const PictureSource shipped(m_app.folders().resources);
    for (const QString &name : std::as_const(m_strImageArray))
        m_imageArray.append(shipped.image(name));

    const QRectF knob = knobRect();
    m_recognizer = std::make_unique<OneFingerRotationGestureRecognizer>(
        wheelmath::Point{knob.center().x(), knob.center().y()}, knob.width() / 2 / 3,
        knob.width() / 2, this);
    m_worker.setMaxThreadCount(1);
}

ChangeColorController::~ChangeColorController()
{
    m_app.platform().notifications.removeObservers(this);
    // A batch that runs holds the tint: it ends before the tint goes.
    m_worker.waitForDone();
    endTint();
}

QStringList ChangeColorController::skinNames()
{
    return {tr("Classic-battery"), tr("Atomic-Battery"), tr("Hydraulic-power"), tr("Lab-Battery"),
            tr("Nuclear-Station")};
}

QStringList ChangeColorController::pictureNames(bool tablet, int screenHeight)
{
    if (tablet)
        return {QStringLiteral("2_M1_342x184.png"),  QStringLiteral("2_M5_342x184.png"),
                QStringLiteral("2_M2_342x184.png"),  QStringLiteral("2_M4_342x184.png"),
                QStringLiteral("2_M3_342x184.png"),  QStringLiteral("2_back_44x44.png"),
                QStringLiteral("2_Apply_156x60.png")};
    return {QStringLiteral("1_classic-battery_320x171.png"),
            QStringLiteral("1_Atomic-Battery_320x171.png"),
            QStringLiteral("1_Hydraulic-power_320x171.png"),
            QStringLiteral("1_Lab-Battery_320x171.png"),
            QStringLiteral("1_Nuclear-Station_320x171.png"),
            QStringLiteral("1_back-4_52x47.png"),
            screenHeight == 568 ? QStringLiteral("1_Appy-5_178x63.png")
                                : QStringLiteral("1_Apply_105x68.png")};
}

QStringList ChangeColorController::nameOfItems() const
{
    return skinNames();
}

QString ChangeColorController::imageUrl(int picture) const
{
    if (picture < m_preview.size() && !m_preview.at(picture).isEmpty())
        return m_preview.at(picture);
    return m_app.libraryImage(m_strImageArray.at(picture));
}

QStringList ChangeColorController::items() const
{
    QStringList urls;
    for (int i = 0; i < kItemCount; ++i)
        urls << imageUrl(i);
    return urls;
}

QRectF ChangeColorController::backRect() const
{
    return m_tablet ? QRectF(12, 12, 44, 44) : QRectF(6, 6, 52, 47);
}

QRectF ChangeColorController::carouselRect() const
{
    return m_tablet ? QRectF(0, 110, 768, 360) : QRectF(0, 62, 320, 200);
}

QRectF ChangeColorController::knobRect() const
{
    if (m_tablet)
        return {234, 560, 300, 300};
    // The taller phone has room for the knob above the wide apply button.
    if (m_screenHeight == 568)
        return {85, 318, 150, 150};
    return {30, 304, 150, 150};
}

QRectF ChangeColorController::applyRect() const
{
    if (m_tablet)
        return {306, 900, 156, 60};
    if (m_screenHeight == 568)
        return {71, 485, 178, 63};
    return {198, 345, 105, 68};
}

double ChangeColorController::valueForOption(int option, double defaultValue) const
{
    switch (option) {
    case OptionWrap:
        return 1.0;
    case OptionArc:
        return m_tablet ? defaultValue : defaultValue * 0.5;
    case OptionRadius:
        return m_tablet ? defaultValue * 0.8 : defaultValue;
    case OptionSpacing:
        return defaultValue * (m_tablet ? 1.79 : 1.09);
    case OptionFadeMax:
        return kCarouselType == 11 ? 0.0 : defaultValue;
    default:
        return defaultValue;
    }
}

double ChangeColorController::arc() const
{
    return valueForOption(OptionArc, 2 * std::numbers::pi);
}

double ChangeColorController::radius() const
{
    // By default neighbours stand one item width (times the spacing) apart along the chord.
    const double spacing = valueForOption(OptionSpacing, 1.0);
    const double step = arc() / kItemCount;
    const double chord = itemWidth() * spacing;
    const double ring = std::max(chord / 2, chord / (2 * std::sin(step / 2)));
    return valueForOption(OptionRadius, ring);
}

void ChangeColorController::carouselCurrentItemIndexDidChange(int index)
{
    if (m_tornDown || index < 0 || index >= kItemCount || index == m_currentIndex)
        return;
    // The gauge takes the skin at once, before any apply.
    m_currentIndex = index;
    m_app.setCurrentBattery(index);
    emit currentIndexChanged();
}

void ChangeColorController::touchBegan(double x, double y, int fingers)
{
    if (m_recognizer && !m_applying)
        m_recognizer->touchesBegan({x, y}, fingers);
}

void ChangeColorController::touchMoved(double x, double y)
{
    if (m_recognizer && !m_applying)
        m_recognizer->touchesMoved({x, y});
}

void ChangeColorController::touchEnded()
{
    if (m_recognizer && !m_applying)
        m_recognizer->touchesEnded();
}

void ChangeColorController::touchCancelled()
{
    if (m_recognizer)
        m_recognizer->touchesCancelled();
}

void ChangeColorController::rotation(float degrees)
{
    m_verIgChange = true;
    // A whole turn and four degrees is four degrees.
    m_imageAngle = float(std::fmod(double(m_imageAngle) + double(degrees), 360.0));
    emit imageAngleChanged();
}

void ChangeColorController::finalAngle(float)
{
    // The knob's own angle, not the turn of this touch alone.
    changeHue(-m_imageAngle);
}

void ChangeColorController::changeHue(float hue)
{
    if (m_tornDown)
        return;
    m_hueValue = hue;
    // The pictures are tinted on the worker, so the busy overlay is drawn meanwhile; only the
    // last release's previews are shown.
    const int serial = ++m_previewSerial;
    ++m_previewsRunning;
    updateBusy();
    m_worker.start([this, hue, serial, images = m_imageArray] {
        HueFilter filter;
        filter.setHue(hue);
        QStringList preview;
        for (const QImage &image : images) {
            const QByteArray png = HueTint::encodePng(HueTint::tinted(image, filter), 1);
            preview << (png.isEmpty() ? QString()
                                      : QStringLiteral("data:image/png;base64,") +
                                            QString::fromLatin1(png.toBase64()));
        }
        QMetaObject::invokeMethod(
            this, [this, serial, preview] { previewDone(serial, preview); }, Qt::QueuedConnection);
    });
}

void ChangeColorController::previewDone(int serial, const QStringList &preview)
{
    --m_previewsRunning;
    if (!m_tornDown && serial == m_previewSerial) {
        m_preview = preview;
        emit imagesChanged();
    }
    updateBusy();
}

void ChangeColorController::updateBusy()
{
    setBusy(m_applying || m_previewsRunning > 0);
}

void ChangeColorController::setBusy(bool on)
{
    if (on == m_busy)
        return;
    m_busy = on;
    emit busyChanged();
}

void ChangeColorController::setProgressText(const QString &text)
{
    if (text == m_progressText)
        return;
    m_progressText = text;
    emit progressTextChanged();
}

void ChangeColorController::actionBack()
{
    if (m_applying || m_tornDown)
        return;
    // The skin change is undone; the previews only ever lived in memory.
    m_app.setCurrentBattery(m_firstBAtt);
    removeAllObj();
    emit closeRequested();
}

void ChangeColorController::storeSkin()
{
    const QString path = m_app.folders().library + QStringLiteral("/batt.txt");
    if (!plist::writeFile(path, QVariantList{m_currentIndex}))
        qCWarning(lcAppearance, "the skin could not be stored in %s", qPrintable(path));
}

void ChangeColorController::setColor()
{
    // One apply at a time: a second press would post the rebuild twice.
    if (m_applying || m_tornDown)
        return;
    m_applying = true;
    emit applyingChanged();
    setBusy(true);
    storeSkin();

    if (!m_verIgChange) {
        postRestart();
        return;
    }
    QStringList names;
    for (const QVariant &entry : m_app.imageArray())
        names << entry.toMap().value(QStringLiteral("name")).toString();
    m_tint = std::make_unique<HueTint>(m_app.folders().resources, m_app.folders().library, names,
                                       -double(m_imageAngle));
    if (!m_app.tintRunning()) {
        beginTint();
        return;
    }
    // The copies are being finished from an earlier run: this one follows it.
    connect(&m_app, &AppState::tintRunningChanged, this, [this] {
        if (m_app.tintRunning() || m_ownsTint || m_tornDown)
            return;
        disconnect(&m_app, &AppState::tintRunningChanged, this, nullptr);
        beginTint();
    });
}

void ChangeColorController::beginTint()
{
    m_ownsTint = true;
    m_app.setTintRunning(true);
    startBatch();
}

void ChangeColorController::endTint()
{
    if (!m_ownsTint)
        return;
    m_ownsTint = false;
    m_app.setTintRunning(false);
}

void ChangeColorController::startBatch()
{
    if (m_tornDown || !m_tint)
        return;
    m_worker.start([this] {
        TintProgress last;
        const bool more = m_tint->runBatch([&last](const TintProgress &p) {
            if (p.batchEnd)
                last = p;
        });
        QMetaObject::invokeMethod(
            this, [this, last, more] { batchDone(last, more); }, Qt::QueuedConnection);
    });
}

void ChangeColorController::batchDone(const TintProgress &last, bool more)
{
    if (last.total > 0)
        setProgressText(last.text);
    if (more) {
        // The display shows the progress before the next batch.
        QTimer::singleShot(kBatchPauseMs, this, &ChangeColorController::startBatch);
        return;
    }
    for (const TintFailure &failure : m_tint->failures()) {
        m_failures << failure.name + QStringLiteral(": ") + failure.reason;
        qCWarning(lcAppearance, "tint: %s: %s", qPrintable(failure.name),
                  qPrintable(failure.reason));
    }
    // The rebuilt interface must load the new copies, not the pictures cached before.
    m_app.tintRewritten();
    endTint();
    postRestart();
}

void ChangeColorController::postRestart()
{
    m_app.platform().notifications.post(QStringLiteral("restartAPP"));
}

void ChangeColorController::temp()
{
    removeAllObj();
    NotificationCenter &center = m_app.platform().notifications;
    QTimer::singleShot(kCloseDelayMs, this, [this, &center] {
        emit closeRequested();
        // Once the chooser has closed, the main screen tears down and the interface is rebuilt.
        QMetaObject::invokeMethod(
            &center, [&center] { center.post(QStringLiteral("restartAPP1.5")); },
            Qt::QueuedConnection);
    });
}

void ChangeColorController::removeAllObj()
{
    if (m_tornDown)
        return;
    m_tornDown = true;
    disconnect(&m_app, &AppState::tintRunningChanged, this, nullptr);
    endTint();
    m_app.platform().notifications.removeObservers(this);
    if (m_recognizer)
        m_recognizer->setTarget(nullptr);
    m_imageArray.clear();
}
