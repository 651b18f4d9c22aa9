// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/picturesource.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureSource, ReadsOnlyInsideTheResourceFolder)
{
    const PictureSource source(QStringLiteral(POWERDECK_SHARE_DIR));
    const char *outside[] = {"../Library/1_back-4_52x47.png", "/etc/passwd", "a/../../b.png", ""};
    for (const char *name : outside) {
        EXPECT_TRUE(source.path(QString::fromUtf8(name)).isEmpty()) << name;
        EXPECT_TRUE(source.image(QString::fromUtf8(name)).isNull()) << name;
    }
}

} // namespace
