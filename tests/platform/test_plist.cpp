// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/plist.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QPointF>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QXmlStreamReader>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QVariant roundTrip(const QVariant &value)
{
    const QByteArray xml = plist::toXml(value);
    EXPECT_FALSE(xml.isEmpty());
    return plist::fromData(xml);
}

TEST(Plist, ScalarsSurviveARoundTrip)
{
    const QDateTime date(QDate(2026, 3, 29), QTime(1, 30, 15), QTimeZone::utc());
    const QDateTime beforeEpoch(QDate(1999, 12, 31), QTime(23, 59, 59), QTimeZone::utc());
    const struct
    {
        const char *what;
        QVariant value;
    } cases[] = {
        {"text", QStringLiteral("AlertsBetwwen")},
        {"unicode text", QStringLiteral("Ünïcødé ✓ <&>")},
        {"empty text", QString()},
        {"true", true},
        {"false", false},
        {"integer", qint64(1440)},
        {"zero", qint64(0)},
        {"negative integer", qint64(-100)},
        {"large integer", qint64(1) << 40},
        {"real", 3.25},
        {"negative real", -0.5},
        {"date", date},
        {"date before 2001", beforeEpoch},
        {"data", QByteArray("\x00\x01\xfe", 3)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QVariant back = roundTrip(QVariantList{c.value});
        ASSERT_EQ(back.typeId(), QMetaType::QVariantList);
        const QVariant item = back.toList().value(0);
        if (c.value.typeId() == QMetaType::QDateTime) {
            EXPECT_EQ(item.toDateTime().toMSecsSinceEpoch(),
                      c.value.toDateTime().toMSecsSinceEpoch());
        } else if (c.value.typeId() == QMetaType::Bool) {
            EXPECT_EQ(item.typeId(), QMetaType::Bool);
            EXPECT_EQ(item.toBool(), c.value.toBool());
        } else if (c.value.typeId() == QMetaType::Double) {
            EXPECT_DOUBLE_EQ(item.toDouble(), c.value.toDouble());
        } else if (c.value.typeId() == QMetaType::LongLong) {
            EXPECT_EQ(item.toLongLong(), c.value.toLongLong());
        } else {
            EXPECT_EQ(item, c.value);
        }
    }
}

TEST(Plist, NestedArraysAndDictsKeepTheirShape)
{
    const QVariantList alerts{
        QVariantMap{{"Type", "DischargeAlert"}, {"state", true}},
        QVariantMap{{"Type", "AlertsBetwwen"},
                    {"state", false},
                    {"startTime", "22:00"},
                    {"endTime", "07:30"}},
        QVariantList{qint64(1), QVariantList{}, QVariantMap{}},
    };
    const QVariant back = roundTrip(alerts);
    const QVariantList list = back.toList();
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0].toMap().value("Type").toString(), "DischargeAlert");
    EXPECT_TRUE(list[0].toMap().value("state").toBool());
    EXPECT_EQ(list[1].toMap().value("endTime").toString(), "07:30");
    EXPECT_EQ(list[1].toMap().size(), 4);
    const QVariantList inner = list[2].toList();
    ASSERT_EQ(inner.size(), 3);
    EXPECT_EQ(inner[1].typeId(), QMetaType::QVariantList);
    EXPECT_EQ(inner[2].typeId(), QMetaType::QVariantMap);
}

TEST(Plist, RealsReadAndWriteTheSameInAnyLocale)
{
    const QByteArray stored = "<plist version=\"1.0\"><array><real>5.378788</real>"
                              "<real>-0.25</real></array></plist>";
    CommaDecimalLocale comma;
    REQUIRE_COMMA_DECIMAL_LOCALE(comma);
    const QVariantList read = plist::fromData(stored).toList();
    ASSERT_EQ(read.size(), 2);
    EXPECT_DOUBLE_EQ(read[0].toDouble(), 5.378788);
    EXPECT_DOUBLE_EQ(read[1].toDouble(), -0.25);
    EXPECT_DOUBLE_EQ(roundTrip(QVariantList{3.25}).toList().value(0).toDouble(), 3.25);
}

TEST(Plist, ValuesWithoutAPlistFormAreRefused)
{
    EXPECT_TRUE(plist::toXml(QVariant()).isEmpty());
    EXPECT_TRUE(plist::toXml(QVariantList{QVariant::fromValue(QPointF(1, 2))}).isEmpty());
}

TEST(Plist, GarbageDoesNotParse)
{
    for (const char *text : {"", "not a plist", "<plist><array><string>open",
                             "<?xml version=\"1.0\"?><plist><dict><key>a</key>"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(plist::fromData(QByteArray(text)).isValid());
    }
}

bool wellFormed(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

// XML 1.0 has no form for most control characters, U+FFFE, U+FFFF or a lone surrogate: the
// written file drops or replaces them (in texts and in keys) and stays well-formed.
TEST(Plist, WhatXmlCannotCarryIsLeftOutOfTheFile)
{
    const QChar lone(char16_t(0xD800));
    const struct
    {
        const char *what;
        QString text;
        QString stored;
    } cases[] = {
        {"controls", QStringLiteral("Pa\x01ri\x1bs\x7f"), QStringLiteral("Paris\x7f")},
        {"tab, line feed, return", QStringLiteral("a\tb\nc\rd"), QStringLiteral("a\tb\nc\rd")},
        {"noncharacters", QString(QChar(char16_t(0xFFFE))) + QChar(char16_t(0xFFFF)) + "x", "x"},
        {"byte-order mark", QString(QChar(char16_t(0xFEFF))) + "x", "x"},
        {"lone surrogate", QString(lone) + "x", QString(QChar(QChar::ReplacementCharacter)) + "x"},
        {"surrogate pair", QString::fromUtf8("\xF0\x9F\x8C\xA7"),
         QString::fromUtf8("\xF0\x9F\x8C\xA7")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray xml = plist::toXml(QVariantMap{{c.text, QVariantList{c.text}}});
        EXPECT_TRUE(wellFormed(xml));
        EXPECT_EQ(plist::fromData(xml), (QVariantMap{{c.stored, QVariantList{c.stored}}}));
        EXPECT_EQ(plist::toXml(plist::fromData(xml)), xml); // what is read back stores the same
    }
    // A key that loses a character is stored where it sorts as read back: storing what was read
    // gives the same file.
    const QByteArray xml = plist::toXml(QVariantMap{{"\x03zone", 1}, {"name", 2}});
    EXPECT_EQ(plist::toXml(plist::fromData(xml)), xml);
    EXPECT_LT(xml.indexOf("<key>name</key>"), xml.indexOf("<key>zone</key>"));
}

// A binary list of the given objects, the first one on top, with one-byte offsets and references.
QByteArray binaryList(std::initializer_list<QByteArray> objects)
{
    QByteArray out("bplist00");
    QByteArray offsets;
    for (const QByteArray &object : objects) {
        offsets.append(char(out.size()));
        out += object;
    }
    QByteArray trailer(32, '\0');
    trailer[6] = 1;                     // offset size
    trailer[7] = 1;                     // reference size
    trailer[15] = char(objects.size()); // object count; the top object is 0
    trailer[31] = char(out.size());     // where the offset table starts
    return out + offsets + trailer;
}

TEST(Plist, TextWithANulIsRefusedNotFatal)
{
    const char xml[] = "<plist><array><string>a\0b</string></array></plist>";
    const QByteArray withNul("\x63\x00\xe9\x00\x00\x00\x62", 7); // UTF-16 "é", U+0000, "b"
    const QByteArray plain("\x62\x00\xe9\x00\x62", 5);           // UTF-16 "éb"
    const struct
    {
        const char *what;
        QByteArray bytes;
        QVariant expected;
    } cases[] = {
        {"XML string", QByteArray(xml, sizeof xml - 1), QVariant()},
        {"binary string", binaryList({"\xa1\x01", withNul}), QVariant()},
        {"binary dictionary key", binaryList({"\xd1\x01\x02", withNul, "\x10\x01"}), QVariant()},
        {"binary key without NUL", binaryList({"\xd1\x01\x02", plain, "\x10\x01"}),
         QVariantMap{{QStringLiteral("éb"), qint64(1)}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(plist::fromData(c.bytes), c.expected);
    }
}

TEST(Plist, FilesAreWrittenAndReadWhole)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/sub/Alert.plist";
    ASSERT_TRUE(plist::writeFile(path, QVariantList{1, "two"}));
    const plist::ReadResult r = plist::readFile(path);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value.toList().size(), 2);
    // No temporary files are left beside the target.
    EXPECT_EQ(QDir(dir.path() + "/sub").entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_EQ(plist::readFile(dir.path() + "/missing.plist").status, plist::ReadStatus::Missing);
}

TEST(Plist, AnUnparsableFileIsSetAsideNotOverwritten)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/calendar.plist";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<plist><array><dict><key>Day");
    }
    const plist::ReadResult r = plist::readFile(path);
    EXPECT_EQ(r.status, plist::ReadStatus::Corrupt);
    EXPECT_FALSE(QFile::exists(path));
    QFile aside(path + ".corrupt");
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), QByteArray("<plist><array><dict><key>Day"));
    // The next read sees the file as missing, so the caller recreates it.
    EXPECT_EQ(plist::readFile(path).status, plist::ReadStatus::Missing);
}

TEST(Plist, AFileThatCannotBeReadIsLeftAloneAndNeverReplaced)
{
    for (const UnreadableKind kind : {UnreadableKind::Directory, UnreadableKind::IoError}) {
        SCOPED_TRACE(kindName(kind));
        QTemporaryDir dir;
        const QString path = dir.path() + "/Alert.plist";
        ASSERT_TRUE(makeUnreadable(path, kind));
        const plist::ReadResult r = plist::readFile(path, plist::Shape::Array);
        EXPECT_EQ(r.status, plist::ReadStatus::Unreadable);
        EXPECT_FALSE(r.mayWrite());
        EXPECT_FALSE(plist::writeFile(path, QVariantList{1}));
        EXPECT_TRUE(isStillUnreadable(path, kind));
        EXPECT_FALSE(QFileInfo::exists(path + ".corrupt"));
    }
}

TEST(Plist, ARootOfTheWrongKindIsSetAsideLikeAnUnparsableOne)
{
    const struct
    {
        const char *what;
        QVariant stored;
        plist::Shape expected;
        plist::ReadStatus status;
    } cases[] = {
        {"text for an array", QStringLiteral("1"), plist::Shape::Array, plist::ReadStatus::Corrupt},
        {"dictionary for an array", QVariantMap{{"a", 1}}, plist::Shape::Array,
         plist::ReadStatus::Corrupt},
        {"array for a dictionary", QVariantList{1}, plist::Shape::Dictionary,
         plist::ReadStatus::Corrupt},
        {"array for an array", QVariantList{1}, plist::Shape::Array, plist::ReadStatus::Ok},
        {"text for anything", QStringLiteral("1"), plist::Shape::Any, plist::ReadStatus::Ok},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.path() + "/batt.txt";
        ASSERT_TRUE(plist::writeFile(path, c.stored));
        EXPECT_EQ(plist::readFile(path, c.expected).status, c.status);
        const bool setAside = c.status == plist::ReadStatus::Corrupt;
        EXPECT_EQ(QFileInfo::exists(path + ".corrupt"), setAside);
        EXPECT_EQ(QFileInfo::exists(path), !setAside);
    }
}

TEST(Plist, AKilledWriterNeverLeavesATornFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/Alert.plist";
    QVariantList big;
    for (int i = 0; i < 2000; ++i)
        big.append(QVariantMap{{"Type", QString("record %1").arg(i)}, {"state", i % 2 == 0}});
    ASSERT_TRUE(plist::writeFile(path, big));

    for (int round = 0; round < 15; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            QVariantList mine = big;
            for (int n = 0;; ++n) {
                mine[0] = QVariantMap{{"Type", "round"}, {"state", n % 2 == 0}};
                plist::writeFile(path, mine);
            }
        }
        usleep(useconds_t(5000 + round * 3000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const plist::ReadResult r = plist::readFile(path);
        ASSERT_TRUE(r.ok()) << "round " << round;
        EXPECT_EQ(r.value.toList().size(), big.size());
    }
}

} // namespace
