// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the history file reader and checks what it
// guarantees: every plan it keeps seats each pupil at most once and nobody on
// a marked desk, a class keeps at most its limit of plans, problems come in
// line order, and what it kept is written and read back as it was.

#include "fuzzrequire.h"
#include "historyfile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void checkPlan(const Plan &plan)
{
    require(plan.date.isValid(), "a plan with no date");
    quint32 seated = 0;
    for (int desk = 0; desk < Room::Desks; ++desk) {
        const int pupil = plan.pupilAt[desk];
        if (pupil == Plan::Blank)
            continue;
        require(pupil >= 0 && pupil < Room::Desks, "slot out of range");
        require(!(plan.marked & Room::bit(desk)), "a pupil on a marked desk");
        require(!(seated & (quint32(1) << pupil)), "a pupil twice");
        seated |= quint32(1) << pupil;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const HistoryFile::ReadResult read = HistoryFile::parse(bytes);
    int previous = 0;
    for (const HistoryFile::Problem &problem : read.problems) {
        require(problem.line >= previous && problem.line >= 1, "problems out of order");
        previous = problem.line;
    }
    for (const PlanHistory &history : read.histories) {
        require(history.plans().size() <= PlanHistory::MaxPlans, "too many plans");
        for (const Plan &plan : history.plans())
            checkPlan(plan);
    }
    const QByteArray written = HistoryFile::serialize(read.histories);
    const HistoryFile::ReadResult again = HistoryFile::parse(written);
    require(again.problems.isEmpty(), "own file reported as damaged");
    require(HistoryFile::serialize(again.histories) == written, "plans read back different");
    return 0;
}
