// Everything the shell asks of the user or of the desktop, behind one interface: the
// editor answers with message boxes, file and colour dialogs and the desktop's
// browser; tests answer from a script.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

#include "app/PlaybackTextIds.h"
#include "edit/MidiImportCommand.h"
#include "storage/DocumentPrompts.h"

class QWidget;

namespace ks {

struct OpenFileRequest {
    QString title;
    QString filter;  // "Description|*.a; *.b|...||"
    int filterIndex = 1;
    QString defaultExtension;
};

struct OpenFileAnswer {
    QString path;
    int filterIndex = 1;  // the entry chosen (1-based)
};

enum class SaveAnswer { Save, Discard, Cancel };

class IUserInterface : public IDocumentPrompts {
  public:
    // Whether to save the changes of a document before it closes.
    virtual SaveAnswer askSaveChanges(const QString& title) = 0;
    // The window dialogs belong to.
    virtual void setParentWidget(QWidget* parent) = 0;
    // A file to open; nothing when cancelled.
    virtual std::optional<OpenFileAnswer> chooseOpenFile(const OpenFileRequest& request) = 0;
    // A colour from the colour chooser; nothing when cancelled.
    virtual std::optional<QColor> chooseColour(const QColor& initial, const QString& title) = 0;
    // Opens an address or a file with the desktop's program for it.
    virtual void openExternal(const QString& urlOrPath) = 0;
    // Whether the desktop has a web browser that can be started.
    virtual bool hasWebBrowser() { return true; }
    // Opens a web page in the desktop's browser; false when none could be started.
    virtual bool openWebPage(const QString& address) {
        openExternal(address);
        return true;
    }
    // The feedback question: true for OK, false for "No thanks".
    virtual bool askForFeedback() = 0;
    // A file to write an export to, with the export's filter ("Description|*.x|...||")
    // and default extension; empty when cancelled.
    virtual QString chooseExportPath(const QString& proposed, const QString& filter,
                                     const QString& defaultExtension) = 0;
    // The clean-ups to run after a MIDI file was read; nothing when dismissed.
    virtual std::optional<MidiImportOptions> chooseMidiImportOptions(
        const MidiImportOptions& current) = 0;
    // An error text from a device, in a box with its own title ("Midi Input" for the
    // MIDI keyboard). Without a box of its own it is shown as a message.
    virtual void showError(const QString& title, const QString& message) {
        showMessage(PlaybackText::PlainMessage, {message});
    }
};

}  // namespace ks
