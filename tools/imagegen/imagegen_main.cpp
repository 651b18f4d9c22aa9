// SPDX-License-Identifier: GPL-3.0-or-later
// powerdeck-imagegen: draws every interface image of the catalogue into the resource folder and
// writes the two contact sheets. Fails (exit status 1) when the catalogue lacks a name the
// screens use, when a name and its size disagree, or when a recipe cannot be drawn.

#include "catalogue.h"
#include "recipes.h"
#include "style.h"
#include "tipbook.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <atomic>
#include <fstream>
#include <mutex>
#include <thread>

using namespace powerdeck::imagegen;

namespace {

struct Rendered
{
    const CatalogueEntry *entry = nullptr;
    QImage image;
};

bool writeImage(const QImage &img, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const bool jpeg = path.endsWith(QLatin1String(".jpeg"));
    QImageWriter writer(&file, jpeg ? "jpeg" : "png");
    if (jpeg)
        writer.setQuality(90);
    else
        writer.setCompression(1); // fast; the files are regenerated on every change
    if (!writer.write(jpeg ? img.convertToFormat(QImage::Format_RGB32) : img)) {
        *error = writer.errorString();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool onSheet(Family f, bool tabletSheet)
{
    switch (f) {
    case Family::Phone:
    case Family::ResourcePhone:
        return !tabletSheet;
    case Family::Tablet:
    case Family::ResourceTablet:
        return tabletSheet;
    case Family::Resource:
        return true;
    }
    return false;
}

// Every image of a family on a labelled grid, on the page colour, so the set can be judged as
// one product at a glance.
QImage contactSheet(const std::vector<Rendered> &all, bool tabletSheet)
{
    std::vector<const Rendered *> items;
    for (const auto &r : all)
        if (onSheet(r.entry->family, tabletSheet))
            items.push_back(&r);
    const int cellW = 230, cellH = 210, columns = 8, header = 70;
    const int rows = int((items.size() + columns - 1) / columns);
    QImage sheet(columns * cellW, header + rows * cellH, QImage::Format_RGB32);
    sheet.fill(palette::ink);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setFont(uiFont(30, QFont::Bold));
    p.setPen(palette::text);
    p.drawText(QRect(20, 0, sheet.width() - 40, header), Qt::AlignVCenter,
               QStringLiteral("Powerdeck interface images — %1 (%2 images)")
                   .arg(tabletSheet ? QStringLiteral("tablet") : QStringLiteral("phone"))
                   .arg(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        const auto &r = *items[i];
        const QRect cell(int(i % columns) * cellW, header + int(i / columns) * cellH, cellW, cellH);
        const QRect box = cell.adjusted(10, 8, -10, -52);
        p.fillRect(box, QColor(0x14, 0x14, 0x14));
        // Images shown no larger than 2x, so small icons stay sharp-edged and legible.
        QSizeF s = r.image.size();
        const qreal scale = qMin(2.0, qMin(box.width() / s.width(), box.height() / s.height()));
        s *= scale;
        p.drawImage(QRectF(box.center().x() - s.width() / 2 + 0.5,
                           box.center().y() - s.height() / 2 + 0.5, s.width(), s.height()),
                    r.image);
        p.setPen(QColor(0x2c, 0x2c, 0x2c));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setFont(uiFont(13));
        p.setPen(palette::text);
        const QString name = QString::fromStdString(r.entry->name);
        p.drawText(QRect(cell.left() + 8, box.bottom() + 4, cellW - 16, 20),
                   Qt::AlignHCenter | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(name, Qt::ElideMiddle, cellW - 16));
        p.setPen(palette::muted);
        p.setFont(uiFont(12));
        p.drawText(QRect(cell.left() + 8, box.bottom() + 22, cellW - 16, 18),
                   Qt::AlignHCenter | Qt::AlignVCenter,
                   QStringLiteral("%1 × %2").arg(r.image.width()).arg(r.image.height()));
    }
    return sheet;
}

QString readText(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
        return {};
    }
    return QString::fromUtf8(f.readAll());
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs fonts but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();

    QCommandLineParser cli;
    cli.addHelpOption();
    cli.addOption(
        {QStringLiteral("catalogue"), QStringLiteral("Catalogue file."), QStringLiteral("file")});
    cli.addOption({QStringLiteral("names"), QStringLiteral("Names the screens use."),
                   QStringLiteral("file")});
    cli.addOption({QStringLiteral("tips"), QStringLiteral("Words of the tips pictures."),
                   QStringLiteral("file")});
    cli.addOption(
        {QStringLiteral("out"), QStringLiteral("Resource folder to fill."), QStringLiteral("dir")});
    cli.addOption({QStringLiteral("sheets"), QStringLiteral("Folder for the contact sheets."),
                   QStringLiteral("dir")});
    cli.addOption({QStringLiteral("stamp"), QStringLiteral("File touched on success."),
                   QStringLiteral("file")});
    cli.process(app);
    QTextStream err(stderr);
    for (const char *required : {"catalogue", "names", "tips", "out"}) {
        if (!cli.isSet(QString::fromLatin1(required))) {
            err << "powerdeck-imagegen: --" << required << " is required\n";
            return 2;
        }
    }

    std::ifstream catalogueFile(cli.value(QStringLiteral("catalogue")).toStdString());
    std::ifstream namesFile(cli.value(QStringLiteral("names")).toStdString());
    if (!catalogueFile || !namesFile) {
        err << "powerdeck-imagegen: cannot read the catalogue or the name list\n";
        return 1;
    }
    const Catalogue catalogue = parseCatalogue(catalogueFile);
    auto problems = catalogue.errors;
    const auto more = checkCatalogue(catalogue.entries, parseNameList(namesFile));
    problems.insert(problems.end(), more.begin(), more.end());
    QString error;
    const TipBook tips = parseTipBook(readText(cli.value(QStringLiteral("tips")), &error), &error);
    if (!error.isEmpty())
        problems.push_back(error.toStdString());
    if (!problems.empty()) {
        for (const auto &problem : problems)
            err << "powerdeck-imagegen: " << QString::fromStdString(problem) << '\n';
        return 1;
    }

    const QDir out(cli.value(QStringLiteral("out")));
    if (!QDir().mkpath(out.path())) {
        err << "powerdeck-imagegen: cannot create " << out.path() << '\n';
        return 1;
    }

    // Two workers: the build machine has two cores, and each image is independent.
    std::vector<Rendered> rendered(catalogue.entries.size());
    std::atomic<size_t> nextIndex{0};
    std::mutex problemLock;
    auto work = [&] {
        for (size_t i = nextIndex++; i < catalogue.entries.size(); i = nextIndex++) {
            const auto &e = catalogue.entries[i];
            QString why;
            const bool tablet = e.family == Family::Tablet || e.family == Family::ResourceTablet;
            QImage img = renderRecipe(QString::fromStdString(e.recipe), e.size.width, e.size.height,
                                      tablet, tips, &why);
            if (img.isNull() && why.isEmpty())
                why = QStringLiteral("nothing drawn");
            if (!img.isNull() && e.size.height > 0 &&
                (img.width() != e.size.width || img.height() != e.size.height))
                why = QStringLiteral("drawn at %1x%2").arg(img.width()).arg(img.height());
            if (why.isEmpty() &&
                !writeImage(img, out.filePath(QString::fromStdString(e.name)), &why))
                why = QStringLiteral("cannot write: ") + why;
            if (!why.isEmpty()) {
                std::lock_guard lock(problemLock);
                problems.push_back("line " + std::to_string(e.line) + " (" + e.name +
                                   "): " + why.toStdString());
                continue;
            }
            rendered[i] = Rendered{&e, std::move(img)};
        }
    };
    std::thread helper(work);
    work();
    helper.join();
    if (!problems.empty()) {
        for (const auto &problem : problems)
            err << "powerdeck-imagegen: " << QString::fromStdString(problem) << '\n';
        return 1;
    }

    if (cli.isSet(QStringLiteral("sheets"))) {
        const QDir sheets(cli.value(QStringLiteral("sheets")));
        QDir().mkpath(sheets.path());
        for (const bool tablet : {false, true}) {
            const QString path = sheets.filePath(tablet ? QStringLiteral("images-tablet.png")
                                                        : QStringLiteral("images-phone.png"));
            if (!writeImage(contactSheet(rendered, tablet), path, &error)) {
                err << "powerdeck-imagegen: cannot write " << path << ": " << error << '\n';
                return 1;
            }
        }
    }
    if (cli.isSet(QStringLiteral("stamp"))) {
        QFile stamp(cli.value(QStringLiteral("stamp")));
        if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            err << "powerdeck-imagegen: cannot write the stamp file\n";
            return 1;
        }
        stamp.write(QByteArray::number(qint64(rendered.size())) + " images\n");
    }
    QTextStream(stdout) << "powerdeck-imagegen: " << rendered.size() << " images in "
                        << clock.elapsed() << " ms\n";
    return 0;
}
