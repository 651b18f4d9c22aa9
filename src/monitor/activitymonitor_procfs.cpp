// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/activitymonitor_procfs.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace activitymonitor_procfs {

long readSmallFile(int directory, const char *path, char *buffer, std::size_t capacity)
{
    int fd = ::openat(directory, path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    std::size_t total = 0;
    while (total < capacity) {
        ssize_t got = ::read(fd, buffer + total, capacity - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            int saved = errno;
            ::close(fd);
            errno = saved;
            return -1;
        }
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return static_cast<long>(total);
}

std::optional<std::string> readFile(const std::string &path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string data;
    char chunk[4096];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        data.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return data;
}

std::optional<std::int64_t> parseInteger(std::string_view text)
{
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return std::nullopt;
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (error != std::errc())
        return std::nullopt;
    return value;
}

std::optional<StatLine> parseStatLine(std::string_view line)
{
    // The command name may hold spaces and parentheses of its own; the kernel writes it
    // between the first '(' and the last ')', and every field after it is a plain number.
    std::size_t open = line.find('(');
    std::size_t close = line.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return std::nullopt;
    StatLine stat;
    auto pid = parseInteger(line.substr(0, open));
    if (!pid)
        return std::nullopt;
    stat.pid = *pid;
    stat.comm = line.substr(open + 1, close - open - 1);

    // Field 3 (the state) is the first after the name; we need 14, 15, 18 and 22.
    int field = 3;
    std::size_t pos = close + 1;
    bool haveStart = false;
    while (pos < line.size() && field <= 22) {
        while (pos < line.size() && line[pos] == ' ')
            ++pos;
        std::size_t end = line.find_first_of(" \n", pos);
        if (end == std::string_view::npos)
            end = line.size();
        if (end == pos)
            break;
        std::string_view token = line.substr(pos, end - pos);
        if (field == 14 || field == 15 || field == 18 || field == 22) {
            std::int64_t value = 0;
            auto [last, error] = std::from_chars(token.data(), token.data() + token.size(), value);
            if (error != std::errc() || last != token.data() + token.size())
                return std::nullopt;
            if (field == 14) {
                stat.utime = static_cast<std::uint64_t>(value);
            } else if (field == 15) {
                stat.stime = static_cast<std::uint64_t>(value);
            } else if (field == 18) {
                stat.priority = value;
            } else {
                stat.starttime = static_cast<std::uint64_t>(value);
                haveStart = true;
            }
        }
        ++field;
        pos = end;
    }
    if (!haveStart)
        return std::nullopt;
    return stat;
}

KeptFiles::KeptFiles(KeptFiles &&other) noexcept
    : m_limit(other.m_limit), m_files(std::move(other.m_files))
{
    other.m_files.clear();
}

KeptFiles &KeptFiles::operator=(const KeptFiles &other)
{
    if (this != &other) {
        closeAll();
        m_limit = other.m_limit;
    }
    return *this;
}

KeptFiles &KeptFiles::operator=(KeptFiles &&other) noexcept
{
    if (this != &other) {
        closeAll();
        m_limit = other.m_limit;
        m_files = std::move(other.m_files);
        other.m_files.clear();
    }
    return *this;
}

KeptFiles::~KeptFiles()
{
    closeAll();
}

void KeptFiles::closeAll()
{
    for (const auto &file : m_files)
        ::close(file.second);
    m_files.clear();
}

long KeptFiles::readEntry(int directory, long id, const char *leaf, int &fd, char *buffer,
                          std::size_t capacity)
{
    if (fd >= 0) {
        long length = ::pread(fd, buffer, capacity, 0);
        if (length >= 0)
            return length;
        ::close(fd); // the entry ended; its number may belong to a new one
        fd = -1;
    }
    char path[64];
    std::snprintf(path, sizeof path, "%ld/%s", id, leaf);
    fd = ::openat(directory, path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    long length = ::pread(fd, buffer, capacity, 0);
    if (length < 0) {
        const int error = errno;
        ::close(fd);
        fd = -1;
        errno = error;
    }
    return length;
}

bool KeptFiles::vanished()
{
    return errno == ENOENT || errno == ESRCH;
}

std::size_t keptFileLimit()
{
    static const std::size_t limit = [] {
        rlimit files{};
        if (::getrlimit(RLIMIT_NOFILE, &files) != 0 || files.rlim_cur == RLIM_INFINITY)
            return std::size_t{512};
        const auto half = static_cast<std::size_t>(files.rlim_cur / 2);
        return half > 64 ? std::min<std::size_t>(half - 64, 4096) : std::size_t{0};
    }();
    return limit;
}

std::optional<std::uint64_t> meminfoKilobytes(std::string_view meminfo, std::string_view key)
{
    std::size_t pos = 0;
    while (pos < meminfo.size()) {
        std::size_t end = meminfo.find('\n', pos);
        if (end == std::string_view::npos)
            end = meminfo.size();
        std::string_view line = meminfo.substr(pos, end - pos);
        if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 &&
            line[key.size()] == ':') {
            auto value = parseInteger(line.substr(key.size() + 1));
            if (!value || *value < 0)
                return std::nullopt;
            return static_cast<std::uint64_t>(*value);
        }
        pos = end + 1;
    }
    return std::nullopt;
}

} // namespace activitymonitor_procfs
