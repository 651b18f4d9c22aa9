// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the alarm editor asks of the alarm list after a save.
class NewAlarmDelegate
{
public:
    virtual ~NewAlarmDelegate() = default;
    virtual void refreshTable() = 0;

protected:
    NewAlarmDelegate() = default;
    NewAlarmDelegate(const NewAlarmDelegate &) = default;
    NewAlarmDelegate &operator=(const NewAlarmDelegate &) = default;
};
