// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program and reports when its first top-level window becomes visible on the X display,
// and the program's resident memory a while later. Used by tools/startup-bench.
//
//   powerdeck-mapwatch [--rss-after MS] [--timeout MS] -- PROGRAM [ARGS...]
//
// Prints one line, "map_ms=<ms from exec to the first viewable top-level window>
// rss_kb=<VmRSS of the window's process MS later> pid=<that process>", then stops the program
// (SIGTERM, then SIGKILL after two seconds). Exits 1 when no window appears within the time-out.
//
// The root window is watched for MapNotify (SubstructureNotify), and the connection is also
// checked every 5 ms, so the time is exact to the event, not to a polling period. A window
// counts when it is not override-redirect (no tooltip or menu), is viewable, and its _NET_WM_PID
// is the started process or one of its descendants (a window without _NET_WM_PID counts: the
// display is expected to be private to the measurement).
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

// The parent of a process, or 0 when it is gone.
pid_t parentOf(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return 0;
    const auto close = line.rfind(')');
    if (close == std::string::npos || close + 4 > line.size())
        return 0;
    // After ") " come the state and the parent's id.
    return pid_t(std::strtol(line.c_str() + close + 4, nullptr, 10));
}

bool descendsFrom(pid_t pid, pid_t ancestor)
{
    for (int depth = 0; pid > 1 && depth < 64; ++depth) {
        if (pid == ancestor)
            return true;
        pid = parentOf(pid);
    }
    return false;
}

long vmRssKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The _NET_WM_PID of a window, 0 when it has none.
pid_t windowPid(xcb_connection_t *c, xcb_window_t w, xcb_atom_t netWmPid)
{
    Reply<xcb_get_property_reply_t> r(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, netWmPid, XCB_ATOM_CARDINAL, 0, 1),
                               nullptr),
        &std::free);
    if (!r || xcb_get_property_value_length(r.get()) < 4)
        return 0;
    return pid_t(*static_cast<const uint32_t *>(xcb_get_property_value(r.get())));
}

bool viewable(xcb_connection_t *c, xcb_window_t w)
{
    Reply<xcb_get_window_attributes_reply_t> r(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr), &std::free);
    return r && r->map_state == XCB_MAP_STATE_VIEWABLE && !r->override_redirect;
}

void stop(pid_t child)
{
    kill(child, SIGTERM);
    const double until = nowMs() + 2000;
    while (nowMs() < until) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        usleep(5000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

int usage()
{
    std::fprintf(
        stderr, "usage: powerdeck-mapwatch [--rss-after MS] [--timeout MS] -- PROGRAM [ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    int rssAfterMs = 3000;
    int timeoutMs = 20000;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "--rss-after" && i + 1 < argc)
            rssAfterMs = std::atoi(argv[++i]);
        else if (a == "--timeout" && i + 1 < argc)
            timeoutMs = std::atoi(argv[++i]);
        else
            return usage();
    }
    if (i >= argc)
        return usage();

    int screenNumber = 0;
    xcb_connection_t *c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "powerdeck-mapwatch: cannot open the display\n");
        return 2;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int s = 0; s < screenNumber && it.rem; ++s)
        xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmPid = atom(c, "_NET_WM_PID");
    xcb_flush(c);

    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        close(xcb_get_file_descriptor(c));
        execvp(argv[i], argv + i);
        std::fprintf(stderr, "powerdeck-mapwatch: cannot start %s: %s\n", argv[i],
                     std::strerror(errno));
        _exit(127);
    }

    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    double mappedAt = -1;
    pid_t owner = child;
    while (mappedAt < 0) {
        if (nowMs() - start > timeoutMs || waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "powerdeck-mapwatch: %s showed no window\n", argv[i]);
            stop(child);
            return 1;
        }
        poll(&pfd, 1, 5);
        while (xcb_generic_event_t *e = xcb_poll_for_event(c)) {
            const double at = nowMs();
            if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY && mappedAt < 0) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(e);
                if (!map->override_redirect && viewable(c, map->window)) {
                    const pid_t pid = windowPid(c, map->window, netWmPid);
                    if (pid == 0 || descendsFrom(pid, child)) {
                        mappedAt = at;
                        if (pid != 0)
                            owner = pid;
                    }
                }
            }
            std::free(e);
        }
        if (xcb_connection_has_error(c)) {
            stop(child);
            return 2;
        }
    }

    const double until = mappedAt + rssAfterMs;
    while (nowMs() < until)
        usleep(5000);
    const long rss = vmRssKb(owner);
    std::printf("map_ms=%.1f rss_kb=%ld pid=%d\n", mappedAt - start, rss, int(owner));
    std::fflush(stdout);
    stop(child);
    xcb_disconnect(c);
    return rss < 0 ? 1 : 0;
}
