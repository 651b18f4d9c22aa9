// SPDX-License-Identifier: GPL-3.0-or-later
// powerdeck-bench: throughput of the XML reader beside pugixml's in-place minimal parse, and
// the cost of the sampler's process list and CPU load beside `ps`, one refresh of each
// monitor screen (the processor screen on a /proc of 300 processes, the others on this machine's
// /proc and /sys), and one battery reading from the kernel's notice to every screen updated.
//
//   cmake --build <build> --target powerdeck-bench && <build>/bin/powerdeck-bench
//
// XML figures: bytes_per_second is input throughput; alloc_per_MB is the heap the parsed
// document holds (the copy of the input included) per MB of input.
#include "app/viewcontroller.h"
#include "core/appstate.h"
#include "monitor/activitymonitor.h"
#include "monitor/cpu_graph.h"
#include "monitor/hddviewcontroller.h"
#include "monitor/networkviewcontroller.h"
#include "monitor/ramviewcontroller.h"
#include "platform/batterysource.h"
#include "platform/notificationcenter.h"
#include "platform/powersupply.h"
#include "platform/userdefaults.h"
#include "weather/xmlreader.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <pugixml.hpp>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// About 20 MB of small elements with attributes and text, two levels deep.
const std::string &smallElementsDocument()
{
    static const std::string document = [] {
        std::string xml = "<?xml version=\"1.0\"?>\n<items>\n";
        unsigned seed = 12345;
        for (int group = 0; xml.size() < 20 * 1024 * 1024; ++group) {
            xml += "<group n=\"" + std::to_string(group) + "\">\n";
            for (int i = 0; i < 20; ++i) {
                seed = seed * 1103515245 + 12345;
                xml += "  <item id=\"" + std::to_string(seed % 100000) + "\" kind='k" +
                       std::to_string(i % 7) + "'>value " + std::to_string(seed % 997) +
                       "</item>\n";
            }
            xml += "</group>\n";
        }
        xml += "</items>\n";
        return xml;
    }();
    return document;
}

// About 2 MB of place-search records.
const std::string &geonamesDocument()
{
    static const std::string document = [] {
        std::string xml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
            "<geonames style=\"LONG\">\n<totalResultsCount>5000</totalResultsCount>\n";
        for (int i = 0; xml.size() < 2 * 1024 * 1024; ++i) {
            const std::string n = std::to_string(i);
            xml +=
                "<geoname>\n<toponymName>Place " + n + "</toponymName>\n<name>Place " + n +
                "</name>\n<lat>" + std::to_string(40 + i % 10) + ".12345</lat>\n<lng>" +
                std::to_string(i % 90) + ".54321</lng>\n<geonameId>" + std::to_string(2000000 + i) +
                "</geonameId>\n<countryCode>FR</countryCode>\n<countryName>France</countryName>\n"
                "<fcl>P</fcl>\n<fcode>PPL</fcode>\n<fcodeName>populated place</fcodeName>\n"
                "<adminName1>Île-de-France</adminName1>\n"
                "<timezone dstOffset=\"2.0\" gmtOffset=\"1.0\">Europe/Paris</timezone>\n"
                "</geoname>\n";
        }
        xml += "</geonames>\n";
        return xml;
    }();
    return document;
}

std::size_t heapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void reportAllocation(benchmark::State &state, std::size_t bytes, std::size_t inputSize)
{
    state.counters["alloc_per_MB"] =
        static_cast<double>(bytes) / (static_cast<double>(inputSize) / (1024.0 * 1024.0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * inputSize));
}

void xmlReader(benchmark::State &state, const std::string &document)
{
    std::size_t allocated = 0;
    {
        const std::size_t before = heapInUse();
        XmlReader reader(document);
        allocated = heapInUse() - before;
    }
    for (auto _ : state) {
        XmlReader reader(document);
        benchmark::DoNotOptimize(reader.rootXMLElement());
    }
    reportAllocation(state, allocated, document.size());
}

// pugixml parses in place too, so it gets its own copy of the input exactly as XmlReader
// makes one; both therefore pay for one copy and parse a buffer they own.
bool parseWithPugixml(pugi::xml_document &parsed, const std::string &document)
{
    char *copy = static_cast<char *>(pugi::get_memory_allocation_function()(document.size()));
    std::memcpy(copy, document.data(), document.size());
    return bool(parsed.load_buffer_inplace_own(copy, document.size(), pugi::parse_minimal));
}

void pugixmlInPlace(benchmark::State &state, const std::string &document)
{
    std::size_t allocated = 0;
    {
        const std::size_t before = heapInUse();
        pugi::xml_document parsed;
        if (!parseWithPugixml(parsed, document))
            state.SkipWithError("pugixml rejected the document");
        allocated = heapInUse() - before;
    }
    for (auto _ : state) {
        pugi::xml_document parsed;
        parseWithPugixml(parsed, document);
        benchmark::DoNotOptimize(parsed.first_child());
    }
    reportAllocation(state, allocated, document.size());
}

void BM_XmlReader_SmallElements20MB(benchmark::State &state)
{
    xmlReader(state, smallElementsDocument());
}
void BM_Pugixml_SmallElements20MB(benchmark::State &state)
{
    pugixmlInPlace(state, smallElementsDocument());
}
void BM_XmlReader_Geonames2MB(benchmark::State &state)
{
    xmlReader(state, geonamesDocument());
}
void BM_Pugixml_Geonames2MB(benchmark::State &state)
{
    pugixmlInPlace(state, geonamesDocument());
}
BENCHMARK(BM_XmlReader_SmallElements20MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pugixml_SmallElements20MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlReader_Geonames2MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pugixml_Geonames2MB)->Unit(benchmark::kMillisecond);

void BM_RunningProcesses(benchmark::State &state)
{
    ActivityMonitor monitor;
    std::size_t count = 0;
    for (auto _ : state) {
        auto processes = monitor.runningProcesses();
        count = processes ? processes->size() : 0;
        benchmark::DoNotOptimize(processes);
    }
    state.counters["processes"] = static_cast<double>(count);
}
BENCHMARK(BM_RunningProcesses)->Unit(benchmark::kMicrosecond);

void BM_PsCommand(benchmark::State &state)
{
    std::size_t lines = 0;
    for (auto _ : state) {
        std::FILE *ps = ::popen("ps -e -o pid,comm", "r");
        if (!ps) {
            state.SkipWithError("ps could not be started");
            break;
        }
        char line[512];
        lines = 0;
        while (std::fgets(line, sizeof line, ps))
            ++lines;
        ::pclose(ps);
    }
    state.counters["processes"] = static_cast<double>(lines > 0 ? lines - 1 : 0);
}
BENCHMARK(BM_PsCommand)->Unit(benchmark::kMicrosecond);

int threadCount()
{
    int count = 0;
    if (DIR *dir = ::opendir("/proc/self/task")) {
        while (dirent *entry = ::readdir(dir))
            count += entry->d_name[0] != '.';
        ::closedir(dir);
    }
    return count;
}

// cpu_usage with the process at exactly ten threads; the extra ones wait on a condition.
void BM_CpuUsage10Threads(benchmark::State &state)
{
    std::mutex mutex;
    std::condition_variable wake;
    bool stop = false;
    std::vector<std::thread> threads;
    while (threadCount() < 10) {
        threads.emplace_back([&] {
            std::unique_lock lock(mutex);
            wake.wait(lock, [&] { return stop; });
        });
        while (threadCount() < static_cast<int>(threads.size()) + 1)
            std::this_thread::yield();
    }
    const int threadsSeen = threadCount();
    ActivityMonitor monitor;
    for (auto _ : state)
        benchmark::DoNotOptimize(monitor.cpu_usage());
    {
        std::lock_guard lock(mutex);
        stop = true;
    }
    wake.notify_all();
    for (std::thread &t : threads)
        t.join();
    state.counters["threads"] = threadsSeen;
}
BENCHMARK(BM_CpuUsage10Threads)->Unit(benchmark::kMicrosecond);

// One 2 s refresh of the memory screen: one meminfo read, the rings and the eleven texts.
void BM_MemoryScreenRefresh(benchmark::State &state)
{
    ramViewController screen("/proc", "/sys", QString());
    for (auto _ : state)
        screen.refresh();
}
BENCHMARK(BM_MemoryScreenRefresh)->Unit(benchmark::kMicrosecond);

// One 30 s refresh of the network screen: the counters of every interface, rings and texts.
void BM_NetworkScreenRefresh(benchmark::State &state)
{
    netWorkViewController screen{ActivityMonitor()};
    for (auto _ : state)
        screen.refresh();
}
BENCHMARK(BM_NetworkScreenRefresh)->Unit(benchmark::kMicrosecond);

// A /proc of 300 processes with realistic stat lines; "self" is the real one, so the load is
// this benchmark's own.
const std::string &fixtureProc()
{
    static const std::string root = [] {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("powerdeck-bench-proc-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        static const char *const names[] = {"systemd",  "kworker/0:1",  "bash",      "phosh",
                                            "pipewire", "ModemManager", "powerdeck", "sshd"};
        for (int i = 0; i < 300; ++i) {
            const int pid = 1 + i * 7;
            std::filesystem::create_directories(dir / std::to_string(pid));
            std::ofstream(dir / std::to_string(pid) / "stat")
                << pid << " (" << names[i % 8] << ") S 1 " << pid << " " << pid
                << " 0 -1 4194560 1234 0 5 0 " << 100 + i << " " << 50 + i << " 0 0 20 0 1 0 "
                << 1000 + i
                << " 12345678 900 18446744073709551615 1 1 0 0 0 0 0 4096 0 0 0 0 17 1 0 0 0 0 0"
                   " 0 0 0 0 0 0 0 0\n";
        }
        std::filesystem::create_directory_symlink("/proc/self", dir / "self");
        std::ofstream(dir / "meminfo") << "MemTotal: 3906252 kB\nMemFree: 1203040 kB\n";
        return dir.string();
    }();
    static const struct Cleanup
    {
        ~Cleanup() { std::filesystem::remove_all(root); }
    } cleanup;
    return root;
}

// One refresh of the processor screen: one process list, one load sample, the three figures,
// the table and the history. Arg 0: the steady state (the same processes); 1: one process
// changes every refresh; 2: the list read once beforehand, so only the screen's own work and
// the load sample are measured.
void BM_CpuScreenRefresh300(benchmark::State &state)
{
    const SystemRoots roots{QStringLiteral("/sys"), QString::fromStdString(fixtureProc())};
    const int mode = static_cast<int>(state.range(0));
    ActivityMonitor source(fixtureProc(), "/sys");
    const auto readOnce = source.runningProcesses();
    int turn = 0;
    cpu_graph screen(roots, false, [&]() -> std::optional<std::vector<ActivityProcess>> {
        if (mode == 2)
            return readOnce;
        auto list = source.runningProcesses();
        if (mode == 1 && list && !list->empty())
            (*list)[static_cast<std::size_t>(turn++) % list->size()].processID = "99999";
        return list;
    });
    for (auto _ : state)
        screen.refresh();
    state.counters["rows"] = screen.processTable().rowCount();
}
BENCHMARK(BM_CpuScreenRefresh300)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_DiskScreenRefresh(benchmark::State &state)
{
    HDDViewController screen(QString::fromStdString(std::filesystem::temp_directory_path()), false);
    for (auto _ : state)
        screen.refresh();
}
BENCHMARK(BM_DiskScreenRefresh)->Unit(benchmark::kMicrosecond);

// One battery event on the laptop's sysfs tree, end to end: the kernel's notice, the monitor's
// read of every supply, the measurement, and every screen of the main screen updated (the gauge,
// the summary panel with its estimate, the charging page, the wheel and its charge history).
void BM_BatteryReadingEndToEnd(benchmark::State &state)
{
    static int argc = 0;
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, nullptr);
    QTemporaryDir dir;
    UserDefaults defaults(dir.path() + QStringLiteral("/defaults.plist"));
    NotificationCenter center;
    auto events = std::make_unique<PowerSupplyEvents>();
    PowerSupplyEvents *kernel = events.get();
    const SystemRoots roots{QStringLiteral(POWERDECK_FIXTURES "/sys-battery-laptop"),
                            QStringLiteral(POWERDECK_FIXTURES "/proc-empty"),
                            dir.path() + QStringLiteral("/upower")};
    SysfsBatterySource battery(roots, std::move(events));
    Folders folders = Folders::under(dir.path());
    folders.resources = Folders::standard().resources;
    folders.ensureExist();
    Platform platform{folders, roots, defaults, center, battery};
    AppState app(platform);
    ViewController screen(app, false, 480);
    screen.createAllPages();
    emit kernel->changed(); // the first reading, and the day's history record
    const int before = app.batteryMonitor().reads();
    for (auto _ : state)
        emit kernel->changed();
    state.counters["reads_per_event"] =
        double(app.batteryMonitor().reads() - before) / double(state.iterations());
}
BENCHMARK(BM_BatteryReadingEndToEnd)->Unit(benchmark::kMicrosecond);

// One read of every supply of the laptop's tree: what each screen's own reader used to cost.
void BM_PowerSupplyRead(benchmark::State &state)
{
    const SystemRoots roots{QStringLiteral(POWERDECK_FIXTURES "/sys-battery-laptop")};
    for (auto _ : state)
        benchmark::DoNotOptimize(readPowerSupplies(roots));
}
BENCHMARK(BM_PowerSupplyRead)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
