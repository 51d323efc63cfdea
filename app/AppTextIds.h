// Ids of the texts the editor's shell shows.
#pragma once

#include "model/StringIds.h"

namespace ks::StringId {
constexpr int MidiFileFilter = 34007;
// Menu titles and item labels.
constexpr int MenuFile = 41000;
constexpr int MenuEdit = 41001;
constexpr int MenuView = 41002;
constexpr int MenuPage = 41003;
constexpr int MenuLayout = 41004;
constexpr int MenuSettings = 41005;
constexpr int MenuPlay = 41006;
constexpr int MenuWindow = 41007;
constexpr int MenuHelp = 41008;
constexpr int MenuZoom = 41009;
constexpr int MenuExport = 41010;
constexpr int ToolBarTitle = 41011;
// Messages and dialog texts.
constexpr int TooManyFilesOpen = 41200;
constexpr int TooManyFilesNew = 41201;
constexpr int OpenFilter = 41202;
constexpr int OpenTitle = 41203;
constexpr int ApplyDefaultSettings = 41204;
constexpr int ApplyDefaultSettingsQuestion = 41205;  // "%s ?"
constexpr int SaveSettingsAsDefaultQuestion = 41206;
constexpr int SavedSettingsRemoved = 41207;
constexpr int SetPaperColour = 41208;
constexpr int DisplaySettingsStep = 41209;
constexpr int DisplaySettingsTitle = 41210;
constexpr int FeedbackTitle = 41211;
constexpr int FeedbackText1 = 41212;
constexpr int FeedbackText2 = 41213;
constexpr int NoThanks = 41214;
constexpr int ZoomNotValid = 41215;
constexpr int ColoursFileNotFound = 41216;
constexpr int CustomColoursTitle = 41217;
constexpr int Preview = 41218;
constexpr int SaveAndClose = 41219;
constexpr int ColoursHelp1 = 41220;
constexpr int ColoursHelp2 = 41221;
constexpr int ColoursHelp3 = 41222;
constexpr int InternetSettingsTitle = 41223;
constexpr int EnableWebAccess = 41224;
constexpr int ApplicationTitle = 41225;
constexpr int TitleWithVersion = 41226;
constexpr int Ready = 41227;
constexpr int DefaultsNotSaved = 41228;
constexpr int CustomZoomTitle = 41229;
constexpr int CustomZoomLabel = 41230;
constexpr int AboutTitle = 41231;
constexpr int AboutVersion = 41232;
constexpr int AboutText = 41233;
constexpr int CommandLineHelp = 41234;
constexpr int FileNotFound = 41235;
constexpr int Cancel = 41236;
constexpr int Ok = 41237;
constexpr int KeystavesFileFilter = 41238;
constexpr int SaveChangesQuestion = 41239;
// Display settings dialog.
constexpr int DsBarsPerLine = 41240;
constexpr int DsMusicSize = 41241;
constexpr int DsHandGap = 41242;
constexpr int DsOctaveColours = 41243;
constexpr int DsColourModes = 41244;
constexpr int DsBeyondStave = 41245;
constexpr int DsExtendModes = 41246;
constexpr int DsStaveType = 41247;
constexpr int DsStaveTypes = 41248;
constexpr int DsStemDirection = 41249;
constexpr int DsWhiteNoteSpace = 41250;
constexpr int DsThickLines = 41251;
constexpr int DsFadeTies = 41252;
constexpr int DsOnlyUsedLines = 41253;
constexpr int DsPreventOverlap = 41254;
constexpr int DsFingeringNearHead = 41255;
constexpr int DsShow = 41256;
constexpr int DsTitle = 41257;  // .. DsAnnotations: the "Show" boxes in order
constexpr int DsAnnotations = 41273;
constexpr int DsCropping = 41274;
constexpr int DsCropStart = 41275;
constexpr int DsCropEnd = 41276;
constexpr int DsIndentStart = 41277;
constexpr int DsBarZero = 41278;
constexpr int DsIndentEnd = 41279;
constexpr int DsOrientation = 41280;
constexpr int DsPortrait = 41281;
constexpr int DsLandscape = 41282;
constexpr int DsApproximateLines = 41283;
// Status-bar texts.
constexpr int PageModeName = 41300;
constexpr int LayoutModeName = 41301;
constexpr int TrackSelectName = 41302;
constexpr int MusicModeName = 41303;
constexpr int PagePane = 41304;
constexpr int PositionPane = 41305;
constexpr int TempoPane = 41306;
// Texts added for new users: file kinds, saving, web pages, exports, dialogs.
constexpr int ScoreDocumentFilter = 41500;
constexpr int NoWebBrowser = 41501;         // "%s": the address
constexpr int ReplaceFileQuestion = 41502;  // "%s": the file name
constexpr int SavedAs = 41503;              // "%s": the file written
constexpr int BuiltInColoursShown = 41504;
constexpr int ColourFileFormat = 41505;
constexpr int MidiInputSwitchedOff = 41506;
constexpr int NoMidiSystem = 41507;
constexpr int ConnectMidiKeyboard = 41508;
constexpr int OnePageExported = 41509;  // "%s": where
constexpr int PagesExported = 41510;    // "%d", "%s": how many, where
constexpr int ExportCancelled = 41512;
constexpr int ExportCancelledPartly = 41513;  // "%d of %d" pages written
constexpr int MusicXmlDocumentFilter = 41515;
// Music mode.
constexpr int EditingPane = 48610;  // "Editing : %s"
constexpr int AnnotationModeName = 48611;
constexpr int LyricModeName = 48612;
constexpr int TupletModeName = 48613;
constexpr int GraceModeName = 48614;
constexpr int MenuMusic = 48620;
constexpr int MenuTrack = 48621;
constexpr int LabelPart1 = 48622;  // .. 48625
constexpr int LabelNextPart = 48626;
constexpr int LabelPreviousPart = 48627;
constexpr int LabelSectionMarker = 48628;
constexpr int LabelNoteLengths = 48629;
constexpr int LabelAllocateRightHand = 48670;  // .. 48674: parts 0..3, then none
constexpr int GoToBarTitle = 48640;
constexpr int GoToBarPrompt = 48641;  // "Bar number (1 - %d):"
constexpr int NoteLengthsTitle = 48650;
constexpr int InsertNoteButton = 49021;
constexpr int NoteLengthName0 = 48651;  // .. 48666, by length index
}  // namespace ks::StringId
