// Upload to the Library and Review in the Library for one document: the checks and
// questions, the MIDI file, PDF and score copy sent over HTTPS, the file hash, the
// registration page opened in the browser, and the wait for the site to register it.
#pragma once

#include <QString>
#include <functional>

namespace ks {

class CKeystaveDoc;
class IUserInterface;

class UploadCommand {
  public:
    // `save` saves the document under its name (Save, asking for one when it has none).
    UploadCommand(CKeystaveDoc& doc, IUserInterface& ui, std::function<bool()> save);

    // The whole upload; true when the site registered the file.
    bool upload();
    // Opens the review page of a score from the library, or says it is not one.
    void review();

    // Waits for the registration at `address`: the wait dialog by default. Returns the
    // dialog's ending (CUploadWaitDialog::Ending).
    std::function<int(const QString& address)> waitForRegistration;

  private:
    CKeystaveDoc& doc_;
    IUserInterface& ui_;
    std::function<bool()> save_;
};

}  // namespace ks
