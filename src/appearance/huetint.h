// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "appearance/huefilter.h"
#include "appearance/picturesource.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The full re-tint of the interface pictures: each shipped picture is decoded, tinted, encoded as
// PNG and written over its copy in the Library folder, ten pictures to a batch. Plain work with no
// interface: it runs on a worker thread and reports through a callback on that thread.
//
// Crash safety: before the first picture, "tint.plist" in the Library folder records the hue and
// that the tint is unfinished; once every picture has been handled and the copies are on disk it
// records that it is complete, with the pictures that could not be tinted ("failed"): a picture
// that always fails must not make every later start tint everything again. Every picture is
// written atomically, so a crash leaves each copy either old or new, and finishUnfinishedTint()
// at the next start tints them all again from the shipped pictures.

struct TintProgress
{
    int done = 0;          // pictures handled so far (written or failed)
    int total = 0;         // pictures in the run
    int percent = 0;       // (pictures before this one × 100 + 100) / total, in whole numbers
    QString text;          // the percent as the progress label shows it: "43%"
    bool batchEnd = false; // the last picture of a batch of ten, or of the run
};

struct TintFailure
{
    QString name;
    QString reason;
};

struct TintMarker
{
    double hue = 0.0;
    bool complete = true;
    QStringList failed; // pictures the complete run could not tint
};

class HueTint
{
public:
    static constexpr int kBatchSize = 10;
    // zlib level of the written PNGs: level 1 encodes in half the time of 6 and the set decodes
    // about as fast (powerdeck-tintbench prints what each level costs).
    static constexpr int kDefaultPngLevel = 1;
    static constexpr const char *kMarkerName = "tint.plist";

    using Progress = std::function<void(const TintProgress &)>;

    // names: the pictures' relative paths, shipped in resources and copied to library.
    HueTint(QString resources, QString library, QStringList names, double hue);

    void setPngLevel(int level) { m_pngLevel = level; }
    // How many threads make the pictures of a batch; 0: one per core, up to four.
    void setThreads(int threads) { m_threads = threads; }

    // Tints the next batch (up to ten pictures, ending when the count done is a multiple of ten).
    // Returns true while pictures remain.
    bool runBatch(const Progress &progress = {});
    // Every remaining batch, one after the other; between two batches calls pause when given.
    void runAll(const Progress &progress = {}, const std::function<void()> &pause = {});

    int count() const { return int(m_names.size()); }
    int done() const { return m_done; }
    bool finished() const { return m_done >= count(); }
    const QList<TintFailure> &failures() const { return m_failures; }

    // The picture tinted by filter, in the format it came in (or ARGB32 when that format has no
    // 32-bit pixels); returns it unchanged when it is null.
    static QImage tinted(QImage image, const HueFilter &filter);
    // A PNG file of image at the zlib level; empty when it cannot be encoded.
    static QByteArray encodePng(const QImage &image, int level);

    static std::optional<TintMarker> readMarker(const QString &library);

private:
    bool writeMarker(bool complete, const QStringList &failed = {});

    PictureSource m_source;
    QString m_library;
    QStringList m_names;
    HueFilter m_filter;
    int m_pngLevel = kDefaultPngLevel;
    int m_threads = 0;
    int m_done = 0;
    bool m_started = false;
    QList<TintFailure> m_failures;
};

struct FinishedTint
{
    bool ran = false; // an unfinished tint was found and run again
    QList<TintFailure> failures;
};

// Whether "tint.plist" says the last tint did not finish.
bool tintUnfinished(const QString &library);
// For start-up, on a worker thread: when "tint.plist" says the last tint did not finish, tints
// every picture of names again, from the shipped pictures, with the stored hue, on threads
// threads (see HueTint::setThreads).
FinishedTint finishUnfinishedTint(const QString &resources, const QString &library,
                                  const QStringList &names, int threads = 0);
