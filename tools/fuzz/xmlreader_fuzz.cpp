// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the XML reader: parse arbitrary bytes, walk everything that was built,
// and run the inflater over the same bytes.
#include "weather/xmlreader.h"
#include "weather/xmlreader_dump.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    XmlReader reader = XmlReader::readerWithXMLData(data, size);
    std::ostringstream tree;
    dumpXmlTree(reader, tree);

    if (const XmlElement *root = reader.rootXMLElement()) {
        for (const XmlElement *e = XmlReader::childElementNamed("geoname", root); e;
             e = XmlReader::nextSiblingNamed("geoname", e)) {
            (void)XmlReader::childElementNamed("name", e);
            (void)XmlReader::valueOfAttributeNamed("value", e);
        }
        (void)XmlReader::textForElement(root);
    }

    // Inflating a few kilobytes can give at most a few megabytes, so the runs stay quick.
    if (size <= 4096)
        (void)XmlReader::gzipInflate(std::string_view(reinterpret_cast<const char *>(data), size));
    return 0;
}
