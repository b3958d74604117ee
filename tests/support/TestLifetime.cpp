#include "support/TestLifetime.h"

#include <vector>

namespace pravik::test {

namespace {
std::vector<std::function<void()>>& pending()
{
    static std::vector<std::function<void()>> work;
    return work;
}
} // namespace

void atTestProgramEnd(std::function<void()> work)
{
    pending().push_back(std::move(work));
}

void runTestProgramEnd()
{
    auto& work = pending();
    while (!work.empty()) {
        auto next = std::move(work.back());
        work.pop_back();
        next();
    }
}

} // namespace pravik::test
