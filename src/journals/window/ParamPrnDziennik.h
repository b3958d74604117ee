#pragma once
// The journal window as the host calls it.
#include <QtGlobal>

namespace pravik {

// Opens "Parametry wydruku" for a journal kind: 71 journal of postings, 72 journal of
// documents, 73 statement of journals by batch. Returns when the user closes the window; several
// journals may be printed in between. Closes at once when the company has no fiscal year (or the
// kind is none of the three). Needs a desktop (a QApplication); without one it returns at once.
void PARAM_PRN_DZIENNIK(qint32 kind);

} // namespace pravik
