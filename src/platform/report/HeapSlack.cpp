#include "platform/report/HeapSlack.h"

#include <mutex>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace pravik::report {

void keepHeapSlack()
{
#ifdef __GLIBC__
    static std::once_flag once;
    std::call_once(once, [] { mallopt(M_TOP_PAD, 16 * 1024 * 1024); });
#endif
}

} // namespace pravik::report
