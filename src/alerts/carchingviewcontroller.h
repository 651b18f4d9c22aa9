// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/chargestages.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class AppState;

// The charging monitor page: the level in percent, the three charging stages (three rings on a
// tablet, a sliding fill bar with three stage icons on a phone), the switch of the low-battery
// alert and the button to the clock screen. Beside the stage it says where the battery's charge
// limit is and how the system charges it. Stores nothing of the charge itself.
class CarchingViewController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("A page of the main screen")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(int screenHeight READ screenHeight CONSTANT)
    Q_PROPERTY(QString procentsLbl READ procentsLbl NOTIFY infoChanged)
    Q_PROPERTY(QString thresholdLbl READ thresholdLbl NOTIFY infoChanged)
    Q_PROPERTY(QString chargeTypeLbl READ chargeTypeLbl NOTIFY infoChanged)
    // The measured flow: "Charging at 18.0 W", "Drawing 12.3 W"; empty where none is measured.
    Q_PROPERTY(QString drawLbl READ drawLbl NOTIFY infoChanged)
    // Tablet rings: {"goal", "animated"} of fastCh, TrickleCh and FullCh.
    Q_PROPERTY(QVariantList rings READ rings NOTIFY stagesChanged)
    Q_PROPERTY(QString iPadEtap1 READ iPadEtap1 NOTIFY stagesChanged)
    Q_PROPERTY(QString iPadEtap2 READ iPadEtap2 NOTIFY stagesChanged)
    Q_PROPERTY(QString iPadEtap3 READ iPadEtap3 NOTIFY stagesChanged)
    // Phone: stage icons and the fill bar.
    Q_PROPERTY(QString etap1 READ etap1 NOTIFY stagesChanged)
    Q_PROPERTY(QString etap2 READ etap2 NOTIFY stagesChanged)
    Q_PROPERTY(QString etap3 READ etap3 NOTIFY stagesChanged)
    Q_PROPERTY(double padlojkaX READ padlojkaX NOTIFY stagesChanged)
    Q_PROPERTY(bool padlojkaSlides READ padlojkaSlides NOTIFY stagesChanged)
    Q_PROPERTY(int slideMs READ slideMs CONSTANT)
    Q_PROPERTY(QString padlojkaImage READ padlojkaImage CONSTANT)
    Q_PROPERTY(QString topFillImage READ topFillImage CONSTANT)
    Q_PROPERTY(QString pernaImage READ pernaImage CONSTANT)
    Q_PROPERTY(QString ringColorImage READ ringColorImage CONSTANT)
    Q_PROPERTY(bool swithBTN READ swithBTN NOTIFY swithChanged)
    Q_PROPERTY(QString switchImage READ switchImage NOTIFY swithChanged)
    Q_PROPERTY(QString sleepImage READ sleepImage CONSTANT)
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)

public:
    // The phone's slide to full.
    static constexpr int kSlideMs = 300;

    // screenHeight is the layout height in points (480, 568 or 1024).
    CarchingViewController(AppState &app, bool tablet, int screenHeight, QObject *parent = nullptr);
    ~CarchingViewController() override;

    bool isTablet() const { return m_tablet; }
    int screenHeight() const { return m_screenHeight; }
    QString procentsLbl() const { return m_procentsLbl; }
    QString thresholdLbl() const { return m_thresholdLbl; }
    QString chargeTypeLbl() const { return m_chargeTypeLbl; }
    QString drawLbl() const { return m_drawLbl; }
    const chargestages::State &stages() const { return m_stages; }
    QVariantList rings() const;
    QString iPadEtap1() const { return labelImage(0); }
    QString iPadEtap2() const { return labelImage(1); }
    QString iPadEtap3() const { return labelImage(2); }
    QString etap1() const { return iconImage(0); }
    QString etap2() const { return iconImage(1); }
    QString etap3() const { return iconImage(2); }
    double padlojkaX() const { return m_stages.barX; }
    bool padlojkaSlides() const { return m_stages.barSlides; }
    int slideMs() const { return kSlideMs; }
    QString padlojkaImage() const;
    QString topFillImage() const;
    QString pernaImage() const;
    QString ringColorImage() const;
    bool swithBTN() const { return m_swithBTN; }
    QString switchImage() const;
    QString sleepImage() const;
    QString fontFamily() const { return QStringLiteral("DINMittelschriftStd"); }
    const QVariantList &alarmArray() const { return m_alarmArray; }
    QString globalfinalName() const;
    QTimer &slideTimer() { return m_slideTimer; }

    // A reading as the main screen forwards it: the text, then the stages.
    Q_INVOKABLE void updateInfoFromBAttery(float level);
    Q_INVOKABLE void updateImagePosition(float level);
    // swithBTN: switches the low-battery alert and stores it at once.
    Q_INVOKABLE void ChargeAlert();
    // sleepBTN: asks the main screen for the clock screen (showBudillinik).
    Q_INVOKABLE void gotoBudilinik();
    // The main screen's answer to showBudillinik: the clock screen is up.
    void screenPresented() { m_presented = true; }
    // The main screen says whether the page is on screen: the slide runs only then.
    Q_INVOKABLE void setShown(bool shown);
    // "restartAPP": the screen lets go of everything; later readings change nothing.
    void removeAllObj();

signals:
    void infoChanged();
    void stagesChanged();
    void swithChanged();
    // The sleep button: the main screen opens the clock screen and answers screenPresented.
    void showBudillinik();

private:
    QString labelImage(int stage) const;
    QString iconImage(int stage) const;
    QString image(const char *phone, const char *tablet) const;
    void finishSlide();

    AppState &m_app;
    bool m_tablet;
    int m_screenHeight;
    bool m_presented = false;
    QString m_procentsLbl = QStringLiteral("--%");
    QString m_thresholdLbl;
    QString m_chargeTypeLbl;
    QString m_drawLbl;
    chargestages::State m_stages;
    // The level of the last reading, as the stages see it.
    double m_latest = -1;
    // The level of the last text update and the level its stages are drawn for.
    float m_readLevel = -1000;
    double m_readStage = -1000;
    bool m_shown = false;
    bool m_tornDown = false;
    QTimer m_slideTimer;
    QVariantList m_alarmArray;
    bool m_swithBTN = false;
};
