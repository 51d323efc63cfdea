// Ids of the texts of the version check, the update download and the library upload.
#pragma once

namespace ks::OnlineText {
constexpr int CheckingVersion = 49400;
constexpr int NewVersionQuestion = 49401;
constexpr int LatestVersion = 49402;
constexpr int WillClose = 49403;
constexpr int DownloadTitle = 49404;
constexpr int DownloadError = 49405;
constexpr int InternetDisabled = 49406;
constexpr int NothingYet = 49407;  // "0 of 0 kb"
constexpr int CannotReachSite = 49408;
constexpr int SaveBeforeUpload = 49409;
constexpr int NotUploadable = 49410;
constexpr int Resubmit = 49411;
constexpr int UnableToSave = 49412;
constexpr int OnlyUploadedReviewed = 49413;
constexpr int Uploading = 49414;
constexpr int UploadComplete = 49415;
constexpr int CannotConnect = 49416;
constexpr int ErrorReadingPage = 49417;
constexpr int UploadCancelled = 49418;
constexpr int WaitTitle = 49419;
constexpr int WaitText = 49420;
constexpr int UpdaterNotStarted = 49421;  // "%s": the updater's path
constexpr int ReviewLabel = 49422;
constexpr int UploadFailed = 49423;       // "%s": what the site said
constexpr int CannotOpenFile = 34021;     // "Error: Unable to Open File"
}  // namespace ks::OnlineText

namespace ks::Cmd {
// Opens the library's review page of the current score.
constexpr int ReviewInLibrary = 49430;
}  // namespace ks::Cmd
