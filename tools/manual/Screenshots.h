// Screenshots of the editor's windows for the manual, taken on the offscreen platform.
#pragma once

#include <QString>

namespace ks {

// Writes the pictures named in the pages ("MAINWINDOW.PNG", ...) into `folder`.
bool writeScreenshots(const QString& folder);

}  // namespace ks
