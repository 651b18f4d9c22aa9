// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "appearance/huefilter.h"
#include "appearance/huetint.h"
#include "appearance/onefingerrotationgesturerecognizer.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QtQml/qqmlregistration.h>

#include <memory>

class AppState;

// The skin chooser: the five gauge skins on a carousel and a knob that tints the whole
// interface. Choosing a skin takes effect at once; the knob re-tints the chooser's own seven
// pictures (the five previews, back and apply) in memory when the finger lifts, so leaving with
// Back changes nothing on disk. Apply stores the skin in "batt.txt" and, when the knob was turned,
// re-tints every interface picture of the family from the shipped ones, in batches of ten on a
// worker thread, then asks for the interface to be rebuilt ("restartAPP").
class ChangeColorController : public QObject, public OneFingerRotationGestureRecognizerDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Presented by the main screen")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(QStringList items READ items NOTIFY imagesChanged)
    Q_PROPERTY(QStringList nameOfItems READ nameOfItems CONSTANT)
    Q_PROPERTY(QString backImage READ backImage NOTIFY imagesChanged)
    Q_PROPERTY(QString applyImage READ applyImage NOTIFY imagesChanged)
    Q_PROPERTY(int currentIndex READ currentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(QString typeOfBatteryLbl READ typeOfBatteryLbl NOTIFY currentIndexChanged)
    Q_PROPERTY(float imageAngle READ imageAngle NOTIFY imageAngleChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(bool applying READ applying NOTIFY applyingChanged)
    Q_PROPERTY(QString progressText READ progressText NOTIFY progressTextChanged)
    Q_PROPERTY(QRectF backRect READ backRect CONSTANT)
    Q_PROPERTY(QRectF carouselRect READ carouselRect CONSTANT)
    Q_PROPERTY(QRectF knobRect READ knobRect CONSTANT)
    Q_PROPERTY(QRectF applyRect READ applyRect CONSTANT)
    Q_PROPERTY(double itemWidth READ itemWidth CONSTANT)
    Q_PROPERTY(double itemHeight READ itemHeight CONSTANT)
    Q_PROPERTY(bool wrap READ wrap CONSTANT)
    Q_PROPERTY(double arc READ arc CONSTANT)
    Q_PROPERTY(double radius READ radius CONSTANT)
    Q_PROPERTY(double fadeMax READ fadeMax CONSTANT)

public:
    // The carousel's options, by number.
    enum Option {
        OptionWrap = 0,
        OptionArc = 5,
        OptionRadius = 7,
        OptionSpacing = 9,
        OptionFadeMax = 11,
    };
    // Items on a horizontal ring, each facing the viewer.
    static constexpr int kCarouselType = 1;
    static constexpr int kItemCount = 5;
    // The pause between two batches of the re-tint, for the progress to show.
    static constexpr int kBatchPauseMs = 50;
    // From the rebuild request to closing the chooser.
    static constexpr int kCloseDelayMs = 20;

    ChangeColorController(AppState &app, bool tablet, int screenHeight, QObject *parent = nullptr);
    ~ChangeColorController() override;

    bool isTablet() const { return m_tablet; }
    QStringList items() const;
    QStringList nameOfItems() const;
    QString backImage() const { return imageUrl(5); }
    QString applyImage() const { return imageUrl(6); }
    int currentIndex() const { return m_currentIndex; }
    QString typeOfBatteryLbl() const { return nameOfItems().value(m_currentIndex); }
    float imageAngle() const { return m_imageAngle; }
    bool busy() const { return m_busy; }
    bool applying() const { return m_applying; }
    QString progressText() const { return m_progressText; }
    bool verIgChange() const { return m_verIgChange; }
    // The hue the last preview tinted with.
    double hueValue() const { return m_hueValue; }
    // Pictures that could not be tinted in the last apply, as "name: reason".
    const QStringList &failures() const { return m_failures; }

    QRectF backRect() const;
    QRectF carouselRect() const;
    // rotatingTimb: the knob; its ring is where a finger turns it.
    QRectF knobRect() const;
    QRectF applyRect() const;
    double itemWidth() const { return m_tablet ? 475 : 320; }
    double itemHeight() const { return m_tablet ? 255 : 171; }
    bool wrap() const { return valueForOption(OptionWrap, 0.0) != 0.0; }
    // The angle the ring spans, in radians.
    double arc() const;
    // The ring's radius in points.
    double radius() const;
    // The offset from the front beyond which items fade out; negative when none fade.
    double fadeMax() const { return valueForOption(OptionFadeMax, -1.0); }
    Q_INVOKABLE double valueForOption(int option, double defaultValue) const;

    // The seven pictures of the chooser, as shipped: five previews, back, apply.
    static QStringList pictureNames(bool tablet, int screenHeight);
    static QStringList skinNames();

    // The carousel brought another item to the front.
    Q_INVOKABLE void carouselCurrentItemIndexDidChange(int index);
    // The knob's touches, in the chooser's points; fingers counts the fingers down now.
    Q_INVOKABLE void touchBegan(double x, double y, int fingers = 1);
    Q_INVOKABLE void touchMoved(double x, double y);
    Q_INVOKABLE void touchEnded();
    Q_INVOKABLE void touchCancelled();
    Q_INVOKABLE void actionBack();
    Q_INVOKABLE void setColor();

    void rotation(float degrees) override;
    void finalAngle(float degrees) override;
    // Tints the chooser's seven pictures with hue (degrees), in memory, on the worker thread:
    // busy until the new previews are shown.
    void changeHue(float hue);
    OneFingerRotationGestureRecognizer *gestureRecognizer() const { return m_recognizer.get(); }

signals:
    void imagesChanged();
    void currentIndexChanged();
    void imageAngleChanged();
    void busyChanged();
    void applyingChanged();
    void progressTextChanged();
    void closeRequested();

private:
    QString imageUrl(int picture) const;
    void setBusy(bool on);
    void updateBusy();
    void previewDone(int serial, const QStringList &preview);
    void setProgressText(const QString &text);
    void storeSkin();
    // The run of the full tint: it holds the application's one tint while it writes.
    void beginTint();
    void endTint();
    void startBatch();
    void batchDone(const TintProgress &last, bool more);
    void postRestart();
    void temp();
    void removeAllObj();

    AppState &m_app;
    bool m_tablet;
    int m_screenHeight;
    int m_firstBAtt;
    int m_currentIndex;
    float m_imageAngle = 0;
    bool m_verIgChange = false;
    double m_hueValue = 0;
    bool m_busy = false;
    int m_previewSerial = 0;
    int m_previewsRunning = 0;
    bool m_applying = false;
    bool m_tornDown = false;
    bool m_ownsTint = false;
    QString m_progressText;
    QStringList m_failures;
    // strImageArray and imageArray: the names and the shipped pictures, decoded once.
    QStringList m_strImageArray;
    QList<QImage> m_imageArray;
    // The previews tinted in memory, as data URLs; empty until the knob was released once.
    QStringList m_preview;
    std::unique_ptr<OneFingerRotationGestureRecognizer> m_recognizer;
    std::unique_ptr<HueTint> m_tint;
    QThreadPool m_worker;
};
