#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// The kB figure of one "Key:   value kB" line of /proc/meminfo; nothing when the key is absent.
std::optional<std::uint64_t> meminfoKilobytes(std::string_view meminfo, std::string_view key);

} // namespace activitymonitor_procfs
