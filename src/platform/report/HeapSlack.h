#pragma once

namespace pravik::report {

// zlib allocates and frees a quarter-megabyte state for every page it compresses (the spool's and
// the PDF writer's). With glibc's defaults that memory sits at the top of the heap, is given back
// to the system on free and asked for again for the next page; the system calls and page faults
// cost more than writing the page did. Keeping a few megabytes of slack at the heap top stops
// the churn. Called by the engine before it writes pages; idempotent.
void keepHeapSlack();

} // namespace pravik::report
