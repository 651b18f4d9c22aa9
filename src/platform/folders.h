// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The three folders Powerdeck works in. Documents holds the user's settings and history
// ("Alert.plist", "calendar.plist"), Library holds caches and state ("batt.txt", the image
// copies), resources holds what the program ships (devices.plist, images, sounds).
struct Folders
{
    QString documents;
    QString library;
    QString resources;

    // $XDG_DATA_HOME/powerdeck/{Documents,Library}; resources in ../share/powerdeck beside the
    // executable, so the build tree and an installed tree both work.
    static Folders standard();
    // All three below one root (tests).
    static Folders under(const QString &root);

    // Creates Documents and Library when they do not exist yet.
    bool ensureExist() const;
};
