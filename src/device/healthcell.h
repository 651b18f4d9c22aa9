// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantMap>

// One row of the battery health screen: the question, its answer, and whether the row carries the
// minus and plus buttons and the answer's plate. The buttons carry the row number as their tag.
struct HealthCell
{
    int tag = 0;
    QString descriptionLbl;
    QString valueLbl;
    bool buttonsShown = true;
    bool plateShown = true;

    QVariantMap toVariant() const;
    bool operator==(const HealthCell &) const = default;
};
