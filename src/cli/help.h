// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The help texts of powerdeck-cli: the overview (command empty) and one page per command, each
// option with an example. Returns an empty string for an unknown command.
QString cliHelp(const QString &command);
