// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

#include <charconv>
#include <set>

namespace powerdeck::imagegen {

namespace {

std::string_view trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        const auto bar = line.find('|', start);
        fields.push_back(trim(line.substr(start, bar - start)));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    return fields;
}

bool parseInt(std::string_view text, int &value)
{
    if (text.empty())
        return false;
    const auto *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value > 0;
}

// "88x55", or "580x*" for a picture whose height follows its content.
std::optional<PixelSize> parseSize(std::string_view text)
{
    const auto x = text.find('x');
    if (x == std::string_view::npos)
        return std::nullopt;
    PixelSize size;
    if (!parseInt(text.substr(0, x), size.width))
        return std::nullopt;
    const auto h = text.substr(x + 1);
    if (h == "*")
        return size;
    if (!parseInt(h, size.height))
        return std::nullopt;
    return size;
}

std::string_view extensionOf(std::string_view name)
{
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
}

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

std::optional<Family> familyFromText(std::string_view text)
{
    if (text == "phone")
        return Family::Phone;
    if (text == "tablet")
        return Family::Tablet;
    if (text == "resource-phone")
        return Family::ResourcePhone;
    if (text == "resource-tablet")
        return Family::ResourceTablet;
    if (text == "resource")
        return Family::Resource;
    return std::nullopt;
}

std::string_view familyText(Family family)
{
    switch (family) {
    case Family::Phone:
        return "phone";
    case Family::Tablet:
        return "tablet";
    case Family::ResourcePhone:
        return "resource-phone";
    case Family::ResourceTablet:
        return "resource-tablet";
    case Family::Resource:
        return "resource";
    }
    return "resource";
}

Catalogue parseCatalogue(std::istream &in)
{
    Catalogue catalogue;
    std::string raw;
    int lineNumber = 0;
    while (std::getline(in, raw)) {
        ++lineNumber;
        const auto line = trim(raw);
        if (line.empty() || line.front() == '#')
            continue;
        const auto fields = splitFields(line);
        const auto where = "line " + std::to_string(lineNumber) + ": ";
        if (fields.size() != 5) {
            catalogue.errors.push_back(where + "expected 5 fields separated by '|', found " +
                                       std::to_string(fields.size()));
            continue;
        }
        CatalogueEntry entry;
        entry.line = lineNumber;
        entry.name = std::string(fields[0]);
        const auto family = familyFromText(fields[1]);
        const auto size = parseSize(fields[2]);
        entry.recipe = std::string(fields[3]);
        entry.usedBy = std::string(fields[4]);
        if (entry.name.empty())
            catalogue.errors.push_back(where + "empty name");
        if (!family)
            catalogue.errors.push_back(where + "unknown family \"" + std::string(fields[1]) + "\"");
        if (!size)
            catalogue.errors.push_back(where + "bad size \"" + std::string(fields[2]) + "\"");
        if (entry.recipe.empty())
            catalogue.errors.push_back(where + "empty recipe");
        if (entry.usedBy.empty())
            catalogue.errors.push_back(where + "no screen named");
        if (!family || !size || entry.name.empty() || entry.recipe.empty() || entry.usedBy.empty())
            continue;
        entry.family = *family;
        entry.size = *size;
        catalogue.entries.push_back(std::move(entry));
    }
    return catalogue;
}

std::vector<std::string> parseNameList(std::istream &in)
{
    std::vector<std::string> names;
    std::string raw;
    while (std::getline(in, raw)) {
        const auto line = trim(raw);
        if (line.empty() || line.front() == '#')
            continue;
        names.emplace_back(line);
    }
    return names;
}

std::optional<PixelSize> sizeFromName(std::string_view name)
{
    const auto dot = name.rfind('.');
    const auto stem = name.substr(0, dot);
    const auto underscore = stem.rfind('_');
    if (underscore == std::string_view::npos)
        return std::nullopt;
    const auto tail = stem.substr(underscore + 1);
    const auto size = parseSize(tail);
    if (!size || size->height == 0)
        return std::nullopt;
    return size;
}

bool isLibraryImage(std::string_view name)
{
    const auto ext = extensionOf(name);
    return (startsWith(name, "1_") || startsWith(name, "2_")) && (ext == "png" || ext == "jpeg");
}

std::vector<std::string> checkCatalogue(const std::vector<CatalogueEntry> &entries,
                                        const std::vector<std::string> &requiredNames)
{
    std::vector<std::string> problems;
    std::set<std::string, std::less<>> seen;
    for (const auto &e : entries) {
        const auto where = "line " + std::to_string(e.line) + " (" + e.name + "): ";
        if (!seen.insert(e.name).second)
            problems.push_back(where + "listed twice");
        const auto ext = extensionOf(e.name);
        if (ext != "png" && ext != "jpeg")
            problems.push_back(where + "extension must be png or jpeg");
        const bool phoneName = startsWith(e.name, "1_");
        const bool tabletName = startsWith(e.name, "2_");
        const bool familyOk =
            (e.family == Family::Phone && phoneName) ||
            (e.family == Family::Tablet && tabletName) ||
            (e.family != Family::Phone && e.family != Family::Tablet && !phoneName && !tabletName);
        if (!familyOk)
            problems.push_back(where + "family " + std::string(familyText(e.family)) +
                               " does not match the name's prefix");
        if (const auto named = sizeFromName(e.name); named && !(*named == e.size))
            problems.push_back(where + "size " + std::to_string(e.size.width) + "x" +
                               std::to_string(e.size.height) + " differs from the name's " +
                               std::to_string(named->width) + "x" + std::to_string(named->height));
    }
    for (const auto &name : requiredNames)
        if (!seen.contains(name))
            problems.push_back("missing from the catalogue: " + name);
    return problems;
}

} // namespace powerdeck::imagegen
