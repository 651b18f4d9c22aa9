// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The image catalogue: one line per shipped interface image, naming its family, pixel size,
// drawing recipe and the screens that load it. Plain C++ so that the generator and the tests
// read it through the same code.

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace powerdeck::imagegen {

enum class Family {
    Phone,          // "1_" names, copied to the Library folder and tinted
    Tablet,         // "2_" names, copied to the Library folder and tinted
    ResourcePhone,  // unprefixed, read from the resources by the phone layout
    ResourceTablet, // unprefixed, read from the resources by the tablet layout
    Resource,       // unprefixed, read by both layouts
};

struct PixelSize
{
    int width = 0;
    int height = 0; // 0 means "as tall as the content needs"
    bool operator==(const PixelSize &) const = default;
};

struct CatalogueEntry
{
    std::string name;
    Family family = Family::Phone;
    PixelSize size;
    std::string recipe;
    std::string usedBy;
    int line = 0;
};

struct Catalogue
{
    std::vector<CatalogueEntry> entries;
    std::vector<std::string> errors; // syntax errors, with line numbers
};

// Parses "name | family | WxH | recipe | used by" lines; '#' starts a comment line.
Catalogue parseCatalogue(std::istream &in);

// One file name a line; blank lines and '#' comment lines are skipped.
std::vector<std::string> parseNameList(std::istream &in);

// The "_WxH" that ends a name's stem ("1_switch-off_88x55.png" -> 88 x 55), if any.
std::optional<PixelSize> sizeFromName(std::string_view name);

std::optional<Family> familyFromText(std::string_view text);
std::string_view familyText(Family family);

// True for the names that start-up copies into the Library folder: a "1_" or "2_" prefix and
// the extension "png" or "jpeg".
bool isLibraryImage(std::string_view name);

// Everything that is wrong with the catalogue, one message per fault: duplicate names, a
// family that disagrees with the name's prefix, a size that disagrees with the name, an
// extension other than png/jpeg, and every name of the required list it lacks.
std::vector<std::string> checkCatalogue(const std::vector<CatalogueEntry> &entries,
                                        const std::vector<std::string> &requiredNames);

} // namespace powerdeck::imagegen
