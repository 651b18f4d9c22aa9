// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/xmlreader_dump.h"

#include "weather/xmlreader.h"

void dumpXmlTree(const XmlReader &reader, std::ostream &out)
{
    // Iterative walk: a fuzzed document can nest deeper than the stack allows recursion.
    const XmlElement *element = reader.rootXMLElement();
    int depth = 0;
    while (element) {
        out << depth << ' ' << XmlReader::elementName(element);
        for (const XmlAttribute *a = element->firstAttribute; a; a = a->next)
            out << ' ' << XmlReader::attributeName(a) << "=\"" << XmlReader::attributeValue(a)
                << '"';
        out << " [" << XmlReader::textForElement(element) << "]\n";

        if (element->firstChild) {
            element = element->firstChild;
            ++depth;
            continue;
        }
        while (element && !element->nextSibling && depth > 0) {
            element = element->parentElement;
            --depth;
        }
        element = (element && depth > 0) ? element->nextSibling : nullptr;
    }
}
