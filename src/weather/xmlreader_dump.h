// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

class XmlReader;

// Writes the tree the reader built, one line per element in document order:
//   <depth> <name>[ <attribute>="<value>"...] [<text>]
// Depth 0 is the root. Elements not linked to the root (a second top-level element) do not
// appear. Used by the xmldump tool and the reader's golden-file tests.
void dumpXmlTree(const XmlReader &reader, std::ostream &out);
