// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/healthcell.h"
#include "device/healthscore.h"
#include "platform/folders.h"
#include "platform/powersupply.h"
#include "platform/recordwriter.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

// The battery health screen: the device's name and four questions on how it is used, each
// answered with minus and plus; every change gives a score and one of four pictures. The answers
// and the score are kept in "currentState.txt" in the Library folder. Apart from the score, and
// labelled as measured, it shows what the battery's own gauge says of its wear.
class HealthController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Presented by the settings menu")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(QVariantList rows READ rows NOTIFY answersChanged)
    Q_PROPERTY(int currentState READ currentState NOTIFY currentStateChanged)
    Q_PROPERTY(QString healthStatusImg READ healthStatusImg NOTIFY currentStateChanged)
    Q_PROPERTY(QString backImage READ backImage CONSTANT)
    Q_PROPERTY(QString minusImage READ minusImage CONSTANT)
    Q_PROPERTY(QString plusImage READ plusImage CONSTANT)
    Q_PROPERTY(QString plateImage READ plateImage CONSTANT)
    Q_PROPERTY(bool alertVisible READ alertVisible NOTIFY alertChanged)
    Q_PROPERTY(QString alertTitle READ alertTitle NOTIFY alertChanged)
    Q_PROPERTY(QString alertButton READ alertButton CONSTANT)
    Q_PROPERTY(QString wearCaption READ wearCaption CONSTANT)
    Q_PROPERTY(QVariantList wearRows READ wearRows CONSTANT)

public:
    static constexpr const char *kFileName = "currentState.txt";
    static constexpr const char *kMinimumAlert = QT_TR_NOOP("This is minimum value!");
    static constexpr const char *kMaximumAlert = QT_TR_NOOP("This is maximum value!");

    // deviceName gives the device's name from the device table; it is asked only when no
    // answers were saved. battery is what the kernel reports now, for the measured wear.
    HealthController(Folders folders, bool tablet, std::function<QString()> deviceName,
                     PowerSupplySnapshot battery, QObject *parent = nullptr);

    // Where the answers go to disk; not owned, and must outlive this screen. Without one the
    // screen writes through a writer of its own, which its end waits for.
    void setRecordWriter(RecordWriter *writer);

    bool isTablet() const { return m_tablet; }
    QString filePath() const;
    QString deviceName() const { return m_name; }
    const healthscore::Answers &answers() const { return m_answers; }
    std::vector<HealthCell> cells() const;
    QVariantList rows() const;
    int currentState() const { return m_currentState; }
    QString healthStatusImg() const;
    QString healthStatusImageName() const;
    QString backImage() const;
    QString minusImage() const;
    QString plusImage() const;
    // The answer's plate; tablets only.
    QString plateImage() const;
    bool alertVisible() const { return m_alertVisible; }
    QString alertTitle() const { return m_alertTitle; }
    QString alertButton() const { return tr("OK"); }
    QString wearCaption() const { return tr("Measured by the battery"); }
    // {"name", "value"} rows; empty when the battery reports nothing of its wear.
    QVariantList wearRows() const { return m_wearRows; }

    // The minus and plus buttons of a row (1 to 4).
    Q_INVOKABLE void changeValOfLblminus(int row);
    Q_INVOKABLE void changeValOfLblplus(int row);
    // Computes the score and chooses the picture.
    Q_INVOKABLE void calctBattStatus();
    Q_INVOKABLE void dismissAlert();
    // The back button: saves, shows the wheel again and asks to be closed.
    Q_INVOKABLE void goBack();
    // Writes the six-element file now, on the calling thread; false when it could not be written.
    bool save() const;
    // Sends the six-element file to the record writer. Every change of an answer does.
    void store();

signals:
    void answersChanged();
    void currentStateChanged();
    void alertChanged();
    void closeRequested();
    // Leaving: the navigation wheel, hidden while the screen was up, shows again.
    void unhideWheel();

private:
    void load(const std::function<QString()> &deviceName);
    // A minus or plus: the answer moves, or the alert says it is at its end; the score follows.
    void applyStep(int row, healthscore::Step (*step)(int, int), const char *alert);
    void showAlert(const char *title);
    QVariantList fileContents() const;
    QString imageUrl(const QString &folder, const QString &name) const;

    Folders m_folders;
    bool m_tablet;
    QString m_name;
    healthscore::Answers m_answers = healthscore::kDefaultAnswers;
    int m_currentState = 0;
    bool m_alertVisible = false;
    QString m_alertTitle;
    QVariantList m_wearRows;
    RecordWriter *m_writer = nullptr;
    std::shared_ptr<std::atomic<quint64>> m_generation = std::make_shared<std::atomic<quint64>>(0);
    // Declared last, so that it finishes the queued writes before the rest goes.
    std::unique_ptr<RecordWriter> m_ownWriter;
};
