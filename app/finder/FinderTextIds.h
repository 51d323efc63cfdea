// Ids of the file finder's texts in the text table.
#pragma once

namespace ks::FinderText {
constexpr int DialogTitle = 47000;  // "Find Keystaves Files On Disk"
constexpr int FileNameColumn = 47001;
constexpr int DirectoryColumn = 47002;
constexpr int SizeColumn = 47003;
constexpr int DateColumn = 47004;
constexpr int DetailsGroup = 47005;
constexpr int TitleLabel = 47006;
constexpr int BarsLabel = 47007;
constexpr int PagesLabel = 47008;
constexpr int LengthLabel = 47009;
constexpr int ScanNow = 47010;
constexpr int LoadFile = 47011;
constexpr int Exit = 47012;
constexpr int LoadingIndex = 47013;
constexpr int CreatingList = 47014;
constexpr int SavingIndex = 47015;
constexpr int Summary = 47016;    // "%d Files found\n%s"
constexpr int ScannedAt = 47017;  // "Scanned at %H:%M"
constexpr int ScannedOn = 47018;  // "Scanned on %B %#d"
constexpr int OneBar = 47019;
constexpr int Bars = 47020;  // "%d Bars"
constexpr int OnePage = 47021;
constexpr int Pages = 47022;      // "%d Pages"
constexpr int Length = 47023;     // "Length %2d:%02d"
constexpr int Kilobytes = 47024;  // "%dkb"
constexpr int Scanning = 47025;
constexpr int ListingProgress = 47026;  // "%d folders, %d files"
constexpr int DetailsProgress = 47027;  // "%d of %d Files"
constexpr int ScanCancelled = 47028;
constexpr int IndexNotSaved = 47029;
constexpr int January = 47030;  // .. December = 47041
}  // namespace ks::FinderText
