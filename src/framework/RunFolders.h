#pragma once
// The run folders ("pravik-XXXXXX" under the temporary folder) that hold a report's spool and
// text file while it runs. A run that ends normally removes its own; these cover the runs that
// do not end normally:
//
//   - a host that wants its runs' folders removed when it is stopped by SIGTERM, SIGINT or SIGHUP
//     calls removeRunFoldersOnSignals() once at start (the module never installs signal handlers
//     in a host of its own accord);
//   - a run that was killed outright (SIGKILL, a crash, power loss) leaves its folder behind, so
//     every new run first sweeps the folders whose owner process is gone.
//
// Each run folder names its owner in a small file "owner" (process id and start time, so that a
// reused process id is not taken for the owner).
#include <QString>

namespace pravik::frame {

// Marks path as the calling process's run folder until forgetRunFolder(); false when the owner
// file could not be written (the folder is still usable, it is only not swept).
bool adoptRunFolder(const QString& path);
void forgetRunFolder(const QString& path);

// Removes the run folders under parent whose owner process is gone, and folders without an
// owner file that nobody touched for a day. Only the calling user's folders are looked at.
// Returns how many were removed.
int sweepStaleRunFolders(const QString& parent);

// Installs handlers for SIGTERM, SIGINT and SIGHUP that remove the adopted run folders and then
// end the process as the signal would have.
void removeRunFoldersOnSignals();

} // namespace pravik::frame
