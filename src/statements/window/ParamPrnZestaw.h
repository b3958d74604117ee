#pragma once
// The statement window as the host calls it.
#include <QString>

namespace pravik {

// Opens "Parametry zestawienia" for the statement (the name may be empty: the stored one is
// used). Returns when the window closes; a print, preview or mail closes it and goes on on a
// printout thread of its own. Needs a desktop (a QApplication on a real screen); without one it
// says so and returns with the response 2.
void PARAM_PRN_ZESTAW(qint32 statementId, const QString& statementName);

} // namespace pravik
