// The compressed MusicXML container (".mxl"): a zip archive whose
// "META-INF/container.xml" names the MusicXML document inside it.
#pragma once

#include <QByteArray>
#include <QString>

namespace ks {

// The container description naming `rootFile` (a member name).
QByteArray containerDescription(const QString& rootFile);

struct ContainerBuildResult {
    bool ok = false;
    int messageId = 0;  // 0, or the text-table id of what went wrong
};

// Builds the container `mxlPath` from the written MusicXML file `xmlPath`: the
// description first, then the document under its own file name. An existing container
// is replaced only once the new one is complete.
ContainerBuildResult buildMusicXmlContainer(const QString& xmlPath, const QString& mxlPath);

}  // namespace ks
