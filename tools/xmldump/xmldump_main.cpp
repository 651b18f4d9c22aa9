// SPDX-License-Identifier: GPL-3.0-or-later
// xmldump FILE: prints the element tree the XML reader builds from FILE (".gz" is inflated).
#include "weather/xmlreader.h"
#include "weather/xmlreader_dump.h"

#include <cstdio>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: xmldump FILE\n");
        return 2;
    }
    auto data = XmlReader::dataWithUncompressedContentsOfFile(argv[1]);
    if (!data) {
        std::fprintf(stderr, "xmldump: cannot read %s\n", argv[1]);
        return 1;
    }
    XmlReader reader = XmlReader::readerWithXMLData(data->data(), data->size());
    dumpXmlTree(reader, std::cout);
    return 0;
}
