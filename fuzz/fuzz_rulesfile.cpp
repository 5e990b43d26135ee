// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the rules file reader and checks what it
// guarantees: every rule it keeps is one this version writes, problems come
// in line order, and what it kept is written and read back as it was.

#include "fuzzrequire.h"
#include "rulesfile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void checkRules(const RuleBook &book)
{
    for (int tab = 1; tab <= RuleBook::Classes; ++tab) {
        for (const NamedRule &named : book.rules(tab)) {
            const SeatingRule &rule = named.rule;
            require(rule.pupil >= 0 && rule.pupil < Room::Desks, "pupil out of range");
            if (rule.kind == SeatingRule::Kind::Davanti)
                require(rule.value >= 1 && rule.value <= SeatingRule::MaxRows, "rows out of range");
            else
                require(rule.value >= 0 && rule.value < Room::Desks, "slot or desk out of range");
            require(!rule.hasTwoPupils() || rule.value != rule.pupil, "a pupil with themselves");
            require(rule.kind != SeatingRule::Kind::MaiCompagni, "a rule the file never holds");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const RulesFile::ReadResult read = RulesFile::parse(bytes);
    int previous = 0;
    for (const RulesFile::Problem &problem : read.problems) {
        require(problem.line >= previous && problem.line >= 1, "problems out of order");
        previous = problem.line;
    }
    checkRules(read.book);
    const RulesFile::ReadResult again = RulesFile::parse(RulesFile::serialize(read.book));
    require(again.problems.isEmpty(), "own file reported as damaged");
    // Only a carriage return left at a name's end becomes a space.
    require(RulesFile::serialize(again.book) == RulesFile::serialize(read.book),
            "rules read back different");
    return 0;
}
