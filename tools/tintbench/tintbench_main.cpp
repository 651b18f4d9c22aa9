// SPDX-License-Identifier: GPL-3.0-or-later
// powerdeck-tintbench: how long a full re-tint of the interface pictures takes.
//
//   cmake --build <build> --target powerdeck-tintbench powerdeck_images
//   <build>/bin/powerdeck-tintbench [--resources DIR] [--work DIR] [--repetitions N] [--hue DEG]
//
// 1. The pixel loop alone on one core (megapixels per second of thread CPU time).
// 2. The full re-tint (decode the shipped picture, tint, encode PNG, atomic write into a Library
//    folder) against `mogrify -modulate 100,100,<hue>` over copies of the same files, run
//    alternately so both see the same machine load; medians of the repetitions.
// 3. For each PNG level: encode time, bytes, and the time to decode the whole set again (what
//    start-up and the screens pay to read the tinted copies).
#include "appearance/huefilter.h"
#include "appearance/huetint.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// User plus system CPU seconds of this process, or of its finished children.
double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QStringList shippedNames(const QString &resources)
{
    QStringList names;
    QDirIterator it(resources, QDir::Files, QDirIterator::Subdirectories);
    const QDir root(resources);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = root.relativeFilePath(path);
        const QString suffix = QFileInfo(path).suffix();
        if ((suffix == "png" || suffix == "jpeg") &&
            (relative.startsWith("1_") || relative.startsWith("2_")))
            names << relative;
    }
    names.sort();
    return names;
}

void copyAll(const QString &from, const QString &to, const QStringList &names)
{
    QDir(to).removeRecursively();
    QDir().mkpath(to);
    for (const QString &name : names) {
        QDir().mkpath(QFileInfo(to + '/' + name).absolutePath());
        QFile::copy(from + '/' + name, to + '/' + name);
    }
    // Both contenders start with nothing waiting to be written (the re-tint flushes at its end,
    // and should not pay for the copies or for the other's output).
    ::sync();
}

void pixelLoop()
{
    std::vector<std::uint32_t> pixels(1 << 20);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = std::uint32_t(i * 2654435761u) | 0xff000000u;
    HueFilter filter;
    filter.setHue(137.0);
    std::vector<double> rates;
    for (int rep = 0; rep < 7; ++rep) {
        const double start = threadSeconds();
        const int rounds = 40;
        for (int k = 0; k < rounds; ++k)
            filter.apply(pixels, HueFilter::Alpha::Premultiplied);
        rates.push_back(double(rounds) * double(pixels.size()) / (threadSeconds() - start) / 1e6);
    }
    std::printf("pixel loop, one core: %.0f megapixels/s (median of 7, thread CPU time)\n",
                median(rates));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString resources = QStringLiteral(POWERDECK_SHARE_DIR);
    QString work = QDir::currentPath() + QStringLiteral("/tintbench-work");
    int repetitions = 5;
    double hue = 150.0;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--resources")
            resources = args[i + 1];
        else if (args[i] == "--work")
            work = args[i + 1];
        else if (args[i] == "--repetitions")
            repetitions = std::max(1, args[i + 1].toInt());
        else if (args[i] == "--hue")
            hue = args[i + 1].toDouble();
    }

    const QStringList names = shippedNames(resources);
    if (names.isEmpty()) {
        std::fprintf(stderr, "no 1_/2_ pictures in %s (build powerdeck_images first)\n",
                     qPrintable(resources));
        return 1;
    }
    double megapixels = 0;
    for (const QString &name : names) {
        const QImage image(resources + '/' + name);
        megapixels += double(image.width()) * image.height() / 1e6;
    }
    const QImage sample(resources + '/' + names.first());
    std::printf("picture set: %lld files, %.1f megapixels, %s (decoded as QImage format %d)\n",
                qlonglong(names.size()), megapixels, qPrintable(resources), int(sample.format()));

    pixelLoop();

    // Full re-tint against mogrify, alternately.
    const QString library = work + "/Library";
    const QString magick = work + "/mogrify";
    const QString mogrify = QStandardPaths::findExecutable(QStringLiteral("mogrify"));
    if (mogrify.isEmpty())
        std::printf("mogrify not found (Debian package imagemagick): comparison skipped\n");
    // mogrify's hue is a percentage: 100 is no change, 0 and 200 half a turn either way.
    const QString modulate = QStringLiteral("100,100,%1").arg(100.0 + hue / 1.8, 0, 'f', 2);
    std::vector<double> ours, theirs, oursCpu, theirsCpu;
    for (int rep = 0; rep < repetitions; ++rep) {
        copyAll(resources, library, names);
        QElapsedTimer timer;
        timer.start();
        double cpu = cpuSeconds(RUSAGE_SELF);
        HueTint tint(resources, library, names, hue);
        tint.runAll();
        ours.push_back(timer.nsecsElapsed() / 1e9);
        oursCpu.push_back(cpuSeconds(RUSAGE_SELF) - cpu);
        if (!tint.failures().isEmpty())
            std::printf("  %lld failures, first %s: %s\n", qlonglong(tint.failures().size()),
                        qPrintable(tint.failures().first().name),
                        qPrintable(tint.failures().first().reason));
        if (mogrify.isEmpty())
            continue;
        copyAll(resources, magick, names);
        QStringList arguments{QStringLiteral("-modulate"), modulate};
        for (const QString &name : names)
            arguments << magick + '/' + name;
        timer.restart();
        cpu = cpuSeconds(RUSAGE_CHILDREN);
        const int code = QProcess::execute(mogrify, arguments);
        theirs.push_back(timer.nsecsElapsed() / 1e9);
        theirsCpu.push_back(cpuSeconds(RUSAGE_CHILDREN) - cpu);
        if (code != 0)
            std::printf("  mogrify exited with %d\n", code);
    }
    std::printf("full re-tint (decode, tint, PNG level %d, atomic write), hue %.0f: median %.3f s "
                "of %d (CPU %.3f s)\n",
                HueTint::kDefaultPngLevel, hue, median(ours), repetitions, median(oursCpu));
    if (!theirs.empty()) {
        std::printf("mogrify -modulate %s over copies: median %.3f s of %d (CPU %.3f s)\n",
                    qPrintable(modulate), median(theirs), repetitions, median(theirsCpu));
        std::printf("ratio mogrify / re-tint: %.2fx wall, %.2fx CPU (target at least 3x)\n",
                    median(theirs) / median(ours), median(theirsCpu) / median(oursCpu));
    }

    // What each PNG level costs: encoding here, decoding at start-up.
    HueFilter filter;
    filter.setHue(hue);
    std::vector<QImage> tinted;
    double start = threadSeconds();
    for (const QString &name : names)
        tinted.push_back(PictureSource(resources).image(name));
    const double decodeShipped = threadSeconds() - start;
    start = threadSeconds();
    for (QImage &image : tinted)
        image = HueTint::tinted(image, filter);
    std::printf("shipped set: decode %.3f s, tint %.3f s (thread CPU time)\n", decodeShipped,
                threadSeconds() - start);
    std::printf("PNG level: encode s, MB, decode s (whole set, thread CPU time)\n");
    for (const int level : {0, 1, 3, 6, 9}) {
        start = threadSeconds();
        std::vector<QByteArray> files;
        qint64 bytes = 0;
        for (const QImage &image : tinted) {
            files.push_back(HueTint::encodePng(image, level));
            bytes += files.back().size();
        }
        const double encode = threadSeconds() - start;
        start = threadSeconds();
        for (const QByteArray &file : files)
            QImage::fromData(file, "png");
        const double decode = threadSeconds() - start;
        std::printf("  %d: %.3f s, %.2f MB, %.3f s\n", level, encode, bytes / 1e6, decode);
    }
    QDir(work).removeRecursively();
    return 0;
}
