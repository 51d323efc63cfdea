// Command ids of the editor: menus, accelerators and toolbar buttons share them. Each
// command's prompt text (status bar, and the tool tip after a line break) is the text
// of the same id in the text table.
#pragma once

namespace ks::Cmd {
// File
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrintSetup = 57606;
constexpr int FilePrint = 57607;
constexpr int FilePrintPreview = 57609;
constexpr int FileMru1 = 57616;  // .. FileMru1 + 7
constexpr int kMruCount = 8;
constexpr int AppExit = 57665;
constexpr int ImportMidi = 32801;
constexpr int ExportMidi = 41100;
constexpr int ExportMusicXml = 41101;
constexpr int ImportMusicXml = 44620;
constexpr int ExportPdf = 41102;
constexpr int ExportBitmaps = 41103;
constexpr int UploadToLibrary = 41104;
constexpr int ExportVectorPdf = 42000;
constexpr int AlignPrinter = 42001;
// Edit
constexpr int EditDelete = 57632;
constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditSelectAll = 57642;
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
constexpr int GoToBar = 32936;
constexpr int CopySection = 32909;
constexpr int ShowClipboard = 32910;
// View
constexpr int ViewToolBar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int PageMode = 32785;
constexpr int LayoutMode = 32786;
constexpr int MusicMode = 32787;
constexpr int TrackSelectMode = 32908;
constexpr int NextPage = 32804;
constexpr int PreviousPage = 32805;
constexpr int ZoomCustom = 32781;
constexpr int ZoomPageWidth = 32807;
constexpr int ZoomFullPage = 32808;
constexpr int Zoom50 = 32809;
constexpr int Zoom100 = 32810;
constexpr int Zoom200 = 32811;
constexpr int Zoom400 = 32812;
constexpr int DisplaySettings = 32790;
constexpr int CustomColours = 41105;
constexpr int GridLines = 32793;
constexpr int PaperColour = 32771;
constexpr int NotePanel = 32958;
// Music mode
constexpr int ChoosePart1 = 32821;  // .. 32824: parts 0..3
constexpr int NextPart = 32825;
constexpr int PreviousPart = 32826;
constexpr int SectionMarker = 33014;
// Note entry and editing (Music mode)
constexpr int OrnamentUp = 32777;
constexpr int OrnamentDown = 32778;
constexpr int NextNote = 32795;
constexpr int PreviousNote = 32796;
constexpr int NotesToNextPart = 32797;
constexpr int NotesToPreviousPart = 32798;
constexpr int RemoveGraceNote = 32799;
constexpr int TransposeUp = 32832;
constexpr int TransposeDown = 32833;
constexpr int TransposeOctaveUp = 32834;
constexpr int TransposeOctaveDown = 32835;
constexpr int StepRightBarline = 32838;
constexpr int StepLeftBarline = 32839;
constexpr int LeftBarline = 32840;   // .. 32845: styles 0..5
constexpr int RightBarline = 32846;  // .. 32851: styles 0..5
constexpr int Accent = 32867;
constexpr int Staccato = 32868;
constexpr int Finger1 = 32869;  // .. 32873: fingers 1..5
constexpr int ClearOrnament = 32874;
constexpr int ClearAllOrnaments = 32875;
constexpr int AnnotationMode = 32876;
constexpr int GraceNote = 32877;
constexpr int LeaveGraceMode = 32878;
constexpr int AnnotationFont = 32881;
constexpr int LyricFont = 32884;
constexpr int LyricMode = 32885;
constexpr int ResetLyrics = 32886;
constexpr int PreviousLyricLine = 32887;
constexpr int NextLyricLine = 32888;
constexpr int LyricPreviousNote = 32889;
constexpr int LyricNextNote = 32890;
constexpr int LyricLeft = 32891;
constexpr int LyricRight = 32892;
constexpr int LyricResetOffset = 32893;
constexpr int GraceUp = 32900;
constexpr int GraceDown = 32901;
constexpr int InsertNote = 32952;
constexpr int EditTuplet = 32955;
constexpr int ConvertTuplet = 32956;
constexpr int NoteLength32nd = 32960;  // .. 32969
constexpr int RightBarlineMenu = 32971;
constexpr int LeftBarlineMenu = 32972;
constexpr int TupletUp = 32975;  // .. 32986: the Tuplet mode keys
constexpr int TupletDown = 32976;
constexpr int TupletLeft = 32977;
constexpr int TupletRight = 32978;
constexpr int TupletTransposeUp = 32979;
constexpr int TupletTransposeDown = 32980;
constexpr int TupletMoveLeft = 32981;
constexpr int TupletMoveRight = 32982;
constexpr int TupletNextNote = 32983;
constexpr int TupletPreviousNote = 32984;
constexpr int TupletInsert = 32985;
constexpr int TupletDeleteAll = 32986;
constexpr int ResetFingering = 33009;
// Track select mode
constexpr int PreviousTrack = 32944;
constexpr int NextTrack = 32945;
constexpr int AllocateRightHand = 32994;  // .. 32997: parts 0..3
constexpr int AllocateNone = 32998;
// Settings
constexpr int UseDefaultSettings = 32774;
constexpr int SaveSettingsAsDefault = 32775;
constexpr int RemoveSavedSettings = 33001;
constexpr int MidiSettings = 32791;
constexpr int MidiInputSettings = 41106;
constexpr int InternetSettings = 32932;
constexpr int FileSearch = 32992;
// Layout mode
constexpr int LayoutDecreaseBars = 32913;
constexpr int LayoutIncreaseBars = 32914;
constexpr int LayoutResetBars = 32922;
constexpr int LayoutResetStaves = 32923;
constexpr int LayoutResetAll = 32924;
constexpr int LayoutShortenLine = 32925;
constexpr int LayoutLengthenLine = 32926;
constexpr int LayoutAutoSpace = 32993;
constexpr int LayoutAutoFirstLine = 33005;
constexpr int LayoutResetAndAutoSpace = 33008;
// Play
constexpr int Play = 32939;
constexpr int Pause = 32940;
constexpr int Stop = 32941;
constexpr int Rewind = 32942;
constexpr int FastForward = 32943;
constexpr int StepBack = 32904;  // posted by the button repeat while Rewind is held
constexpr int StepForward = 32905;
constexpr int Solo = 32951;
// Window
constexpr int WindowArrange = 57649;
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;
// Help and online
constexpr int HelpIndex = 57670;
constexpr int HelpMainPage = 32768;
constexpr int DynamicHelp = 32770;
constexpr int HelpSearch = 32769;
constexpr int VisitWebsite = 32938;
constexpr int Library = 32933;
constexpr int Feedback = 33015;
constexpr int ReleaseNotes = 33010;
constexpr int CheckForUpdates = 32937;
constexpr int About = 57664;
// Score operations
constexpr int InsertBarBefore = 32815;
constexpr int InsertBarAfter = 32816;
constexpr int DeleteBar = 32817;
constexpr int CropToBars = 32818;
constexpr int CropToNotes = 32819;
constexpr int RemoveOverlaps = 32827;
constexpr int ExtendNotes = 32828;
constexpr int ShortenNotes = 32829;
constexpr int TransposeTracks = 32831;
constexpr int AddTrack = 32853;
constexpr int DeleteTrack = 32854;
constexpr int SplitTrack = 32855;
constexpr int MergeTracks = 32856;
constexpr int MakePhrase = 32953;
constexpr int RemovePhrase = 32954;
constexpr int FlipStems = 32991;
constexpr int AutoNoteLength = 33000;
constexpr int ScoreSettings = 46200;
constexpr int LyricSettings = 46201;
}  // namespace ks::Cmd

namespace ks::Pane {
// Status-bar panes, by the ids of their texts.
constexpr int Editing = 32894;
constexpr int Mode = 32895;
constexpr int Position = 32896;
constexpr int Time = 32897;
constexpr int Tempo = 32898;
constexpr int Page = 32899;
constexpr int kFirst = Editing;
constexpr int kCount = 6;
}  // namespace ks::Pane
