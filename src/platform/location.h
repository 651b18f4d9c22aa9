// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the system offers positioning at all (a GeoClue service or another Qt positioning
// source that reports a working method). Asked on the main thread; the source is made once.
bool locationServicesEnabled();
