#pragma once
// Work to do once the tests of a program have run, while the application object still exists.
// Objects that hold database connections (shared demo databases) must be released before Qt's
// SQL drivers go away at exit, or the program crashes after all its tests passed.
#include <functional>

namespace pravik::test {

void atTestProgramEnd(std::function<void()> work);
// Called by the test main after the tests; runs the work in reverse order of registration.
void runTestProgramEnd();

} // namespace pravik::test
