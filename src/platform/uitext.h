// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts that the logic below the screens hands up for display are English source texts,
// marked with POWERDECK_TEXT so that lupdate collects them: the build tells lupdate that the
// mark is spelt like QT_TRANSLATE_NOOP, and the translation check fails on any other context
// than kUiTextContext. The controllers translate them with uiText() (platform/translation.h);
// what the logic writes for programs or into files stays this English text. No Qt here: the
// pure logic includes it.
#define POWERDECK_TEXT(context, text) text

inline constexpr const char *kUiTextContext = "Powerdeck";
