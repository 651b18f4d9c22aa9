// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

// Small helpers for reading the kernel's text files, shared by the sampler's source files.
namespace activitymonitor_procfs {

// Reads up to `capacity` bytes of a file relative to a directory descriptor (or an absolute
// path with AT_FDCWD). Returns the length read, or -1 with errno set.
long readSmallFile(int directory, const char *path, char *buffer, std::size_t capacity);

// The whole file, or nothing.
std::optional<std::string> readFile(const std::string &path);

// A decimal number at the start of text (after optional blanks); nothing when there is none.
std::optional<std::int64_t> parseInteger(std::string_view text);

// The fields of a /proc/<pid>/stat or /proc/<pid>/task/<tid>/stat line that the sampler uses.
struct StatLine
{
    std::int64_t pid = 0;
    std::string_view comm; // between the first '(' and the last ')'
    std::uint64_t utime = 0;
    std::uint64_t stime = 0;
    std::int64_t priority = 0;
    std::uint64_t starttime = 0;
};
// Nothing when the line is malformed.
std::optional<StatLine> parseStatLine(std::string_view line);

// The files of the numbered entries of one directory (processes in /proc, threads in a task
// folder) kept open between walks: reading an open file again from offset 0 gives fresh figures
// at a fraction of the cost of opening it each time. At most `limit` files stay open; the
// entries beyond are opened for each walk. A copy starts with no open files.
class KeptFiles
{
public:
    enum class Result { Read, Skipped, Failed };

    explicit KeptFiles(std::size_t limit = 0) : m_limit(limit) {}
    KeptFiles(const KeptFiles &other) : m_limit(other.m_limit) {}
    KeptFiles(KeptFiles &&other) noexcept;
    KeptFiles &operator=(const KeptFiles &other);
    KeptFiles &operator=(KeptFiles &&other) noexcept;
    ~KeptFiles();

    // Reads "<id>/<leaf>" under `directory` for each id of `ids` (ascending) into `buffer` and
    // hands each text to `onRead(id, text)`, which answers false to stop the walk. An entry
    // that has gone since the directory was listed (ENOENT, ESRCH) is skipped, and so is any
    // unreadable file when `strict` is false; a file whose entry ended and whose number is in
    // use again is opened afresh. Returns Failed when a file could not be read for another
    // reason in a strict walk or onRead stopped the walk (every file is then closed), Skipped
    // when an entry was skipped, else Read. Files of ids not in `ids` are closed.
    template <class OnRead>
    Result walk(int directory, const std::vector<long> &ids, const char *leaf, bool strict,
                char *buffer, std::size_t capacity, OnRead &&onRead)
    {
        m_next.clear();
        std::size_t open = 0;
        Result result = Result::Read;
        for (long id : ids) {
            while (open < m_files.size() && m_files[open].first < id)
                ::close(m_files[open++].second);
            int fd =
                open < m_files.size() && m_files[open].first == id ? m_files[open++].second : -1;
            const long length = readEntry(directory, id, leaf, fd, buffer, capacity);
            if (length < 0) {
                if (strict && !vanished()) {
                    result = Result::Failed;
                    break;
                }
                result = Result::Skipped;
                continue;
            }
            if (fd >= 0) {
                if (m_next.size() < m_limit)
                    m_next.emplace_back(id, fd);
                else
                    ::close(fd);
            }
            if (!onRead(id, std::string_view(buffer, static_cast<std::size_t>(length)))) {
                result = Result::Failed;
                break;
            }
        }
        while (open < m_files.size())
            ::close(m_files[open++].second);
        m_files.swap(m_next);
        m_next.clear();
        if (result == Result::Failed)
            closeAll();
        return result;
    }

    void closeAll();
    std::size_t openCount() const { return m_files.size(); }

private:
    // Reads one entry's file with the kept descriptor `fd` (-1 when none), reopening it when
    // that read fails; `fd` is left open on success and -1 on failure (errno set).
    static long readEntry(int directory, long id, const char *leaf, int &fd, char *buffer,
                          std::size_t capacity);
    static bool vanished();

    std::size_t m_limit;
    std::vector<std::pair<long, int>> m_files; // id, descriptor; ascending
    std::vector<std::pair<long, int>> m_next;  // scratch for the next m_files
};

// How many files the walkers of one sampler may keep open together: half of what this process
// may open, less a margin for everything else, and never more than 4096 (448 under the usual
// soft limit of 1024).
std::size_t keptFileLimit();

// The kB figure of one "Key:   value kB" line of /proc/meminfo; nothing when the key is absent.
std::optional<std::uint64_t> meminfoKilobytes(std::string_view meminfo, std::string_view key);

} // namespace activitymonitor_procfs
