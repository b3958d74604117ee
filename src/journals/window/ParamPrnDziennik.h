#pragma once
// The journal window as the host calls it.
#include <QtGlobal>

namespace pravik {

// Opens "Parametry wydruku" for a journal kind: 71 journal of postings, 72 journal of
// documents, 73 statement of journals by batch. Returns when the user closes the window; several
// journals may be printed in between. Closes at once when the company has no fiscal year (or the
// kind is none of the three). Needs a screen: without one (or on the offscreen platform with no
// user services of the host's own) it says so and returns at once with the response 2.
void PARAM_PRN_DZIENNIK(qint32 kind);

} // namespace pravik
