#pragma once

#include "core/engine/Clock.h"

class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime at = QDateTime(QDate(2026, 12, 7), QTime(15, 30, 45))) : when(std::move(at)) {}
    QDateTime now() const override { return when; }
    QDateTime when;
};
