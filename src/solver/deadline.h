// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

// The moment a search gives up.
class Deadline
{
public:
    using Clock = std::chrono::steady_clock;

    explicit Deadline(std::chrono::microseconds fromNow)
        : m_end(Clock::now() + fromNow)
    {}
    explicit Deadline(Clock::time_point end)
        : m_end(end)
    {}

    bool passed() const { return Clock::now() >= m_end; }
    Clock::time_point end() const { return m_end; }

private:
    Clock::time_point m_end;
};
