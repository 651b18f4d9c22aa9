// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/healthcontroller.h"

#include "device/batterywear.h"
#include "platform/logging.h"
#include "platform/plist.h"
#include "platform/translation.h"

#include <QLocale>
#include <QUrl>

#include <algorithm>

namespace {

const char *const kQuestions[] = {
    QT_TRANSLATE_NOOP("HealthController", "Your device is:"),
    QT_TRANSLATE_NOOP("HealthController", "How old is your device?"),
    QT_TRANSLATE_NOOP("HealthController", "How long do you use your device for each day?"),
    QT_TRANSLATE_NOOP("HealthController", "What is your tupical screen brightness set to?"),
    QT_TRANSLATE_NOOP("HealthController", "How mach do you recharge your battery per week?"),
};

bool isInteger(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

} // namespace

QVariantMap HealthCell::toVariant() const
{
    return {{QStringLiteral("tag"), tag},
            {QStringLiteral("descriptionLbl"), descriptionLbl},
            {QStringLiteral("valueLbl"), valueLbl},
            {QStringLiteral("buttonsShown"), buttonsShown},
            {QStringLiteral("plateShown"), plateShown}};
}

HealthController::HealthController(Folders folders, bool tablet,
                                   std::function<QString()> deviceName, PowerSupplySnapshot battery,
                                   QObject *parent)
    : QObject(parent), m_folders(std::move(folders)), m_tablet(tablet)
{
    load(deviceName);
    for (const batterywear::Row &row : batterywear::rows(battery, uiText, QLocale()))
        m_wearRows << QVariantMap{{QStringLiteral("name"), row.first},
                                  {QStringLiteral("value"), row.second}};
    calctBattStatus();
}

QString HealthController::filePath() const
{
    return m_folders.library + QLatin1Char('/') + QLatin1String(kFileName);
}

void HealthController::load(const std::function<QString()> &deviceName)
{
    const QString path = filePath();
    const plist::ReadResult result = plist::readFile(path, plist::Shape::Array);
    const QVariantList list = result.ok() ? result.value.toList() : QVariantList();
    bool wellFormed =
        list.size() >= 6 && list[0].typeId() == QMetaType::QString && isInteger(list.last());
    for (int row = 1; row <= 4 && wellFormed; ++row)
        wellFormed = isInteger(list[row]);
    if (!wellFormed) {
        // A short or mistyped file is set aside like an unparsable one.
        if (result.ok())
            plist::setAside(path);
        m_name = deviceName ? deviceName() : QString();
        m_answers = healthscore::kDefaultAnswers;
        return;
    }
    m_name = list[0].toString();
    // An answer outside its range (a file from an older version, or edited by hand) is brought
    // to the nearest end; the file stays where it is and holds the user's answers.
    for (int row = 1; row <= 4; ++row) {
        const qint64 stored = list[row].toLongLong();
        const int value = int(std::clamp<qint64>(stored, -1000, 1000));
        m_answers[row - 1] = healthscore::clamp(row, value);
    }
    m_currentState = int(list.last().toLongLong());
}

QVariantList HealthController::fileContents() const
{
    // A fresh array each time: the answers, then the score.
    return {m_name, m_answers[0], m_answers[1], m_answers[2], m_answers[3], m_currentState};
}

bool HealthController::save() const
{
    return plist::writeFile(filePath(), fileContents());
}

void HealthController::setRecordWriter(RecordWriter *writer)
{
    m_writer = writer;
}

void HealthController::store()
{
    RecordWriter *writer = m_writer;
    if (!writer) {
        if (!m_ownWriter)
            m_ownWriter = std::make_unique<RecordWriter>();
        writer = m_ownWriter.get();
    }
    // Quick presses queue several writes; only the newest answers need to reach the disk.
    const quint64 generation = ++*m_generation;
    writer->post([path = filePath(), list = fileContents(), latest = m_generation, generation] {
        if (generation != latest->load())
            return;
        if (!plist::writeFile(path, list))
            qCWarning(lcDevice, "health: cannot write %s", qPrintable(path));
    });
}

std::vector<HealthCell> HealthController::cells() const
{
    std::vector<HealthCell> out;
    for (int row = 0; row < 5; ++row) {
        HealthCell c;
        c.tag = row;
        c.descriptionLbl = tr(kQuestions[row]);
        c.valueLbl = row == 0 ? m_name : QString::number(m_answers[row - 1]);
        c.buttonsShown = row != 0;
        c.plateShown = m_tablet && row != 0;
        out.push_back(c);
    }
    return out;
}

QVariantList HealthController::rows() const
{
    QVariantList out;
    for (const HealthCell &c : cells())
        out << c.toVariant();
    return out;
}

QString HealthController::imageUrl(const QString &folder, const QString &name) const
{
    return QUrl::fromLocalFile(folder + QLatin1Char('/') + name).toString();
}

QString HealthController::healthStatusImageName() const
{
    return QString::fromStdString(healthscore::pictureName(m_currentState));
}

QString HealthController::healthStatusImg() const
{
    return imageUrl(m_folders.resources, healthStatusImageName());
}

QString HealthController::backImage() const
{
    return imageUrl(m_folders.library, m_tablet ? QStringLiteral("2_back_44x44.png")
                                                : QStringLiteral("1_back-4_52x47.png"));
}

QString HealthController::minusImage() const
{
    // The arrows exist in the phone set only, which a tablet's Library folder does not hold.
    return imageUrl(m_tablet ? m_folders.resources : m_folders.library,
                    QStringLiteral("1_left-arrow_26x40.png"));
}

QString HealthController::plusImage() const
{
    return imageUrl(m_tablet ? m_folders.resources : m_folders.library,
                    QStringLiteral("1_right-arrow_26x40.png"));
}

QString HealthController::plateImage() const
{
    return m_tablet ? imageUrl(m_folders.library, QStringLiteral("2_raspuns_baza_100x34.png"))
                    : QString();
}

void HealthController::changeValOfLblminus(int row)
{
    applyStep(row, healthscore::minus, kMinimumAlert);
}

void HealthController::changeValOfLblplus(int row)
{
    applyStep(row, healthscore::plus, kMaximumAlert);
}

void HealthController::applyStep(int row, healthscore::Step (*step)(int, int), const char *alert)
{
    if (row < 1 || row > 4)
        return;
    const healthscore::Step s = step(row, m_answers[row - 1]);
    if (s.limit) {
        showAlert(alert);
        calctBattStatus();
        return;
    }
    m_answers[row - 1] = s.value;
    emit answersChanged();
    calctBattStatus();
    // Kept at once: the window may be closed without going back.
    store();
}

void HealthController::calctBattStatus()
{
    m_currentState = healthscore::calctBattStatus(m_answers);
    emit currentStateChanged();
}

void HealthController::showAlert(const char *title)
{
    m_alertTitle = tr(title);
    m_alertVisible = true;
    emit alertChanged();
}

void HealthController::dismissAlert()
{
    if (!m_alertVisible)
        return;
    m_alertVisible = false;
    emit alertChanged();
}

void HealthController::goBack()
{
    store();
    emit unhideWheel();
    emit closeRequested();
}
