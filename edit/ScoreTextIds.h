// Ids of the texts of the score operations, the track dialogs and the score and lyric
// settings dialogs.
#pragma once

#include "model/StringIds.h"

namespace ks::StringId {
// Undo labels.
constexpr int InsertBar = 34031;
constexpr int DeleteBar = 34032;
constexpr int TransposeTrack = 34045;
constexpr int MakePhrase = 34217;
constexpr int FlipNoteStems = 32991;
constexpr int AutoNoteLength = 33000;
constexpr int Crop = 46100;
constexpr int TransposeAllTracks = 46101;
constexpr int AddTrack = 46102;
constexpr int DeleteTrack = 46103;
constexpr int MergeTracks = 46104;
constexpr int SplitTrack = 46105;
constexpr int RemovePhrase = 46106;
constexpr int ScoreSettingsStep = 46107;
constexpr int LyricSettingsStep = 46108;
// Questions, messages and status texts.
constexpr int AskCropBars = 46110;
constexpr int AskCropNotes = 46111;
constexpr int CroppingSelection = 46112;
constexpr int CroppingComplete = 46113;
constexpr int MergeWithItself = 46114;
constexpr int MergingTracks = 46115;
constexpr int MergingComplete = 46116;
constexpr int MergedTrackName = 46117;
constexpr int SameDestinations = 46118;
constexpr int SplitNameFirst = 46119;   // "%s (%s 1)"
constexpr int SplitNameSecond = 46120;  // "%s (%s 2)"
constexpr int SplitWord = 46121;
constexpr int SplittingTrack = 46122;
constexpr int SplittingComplete = 46123;
constexpr int AnalysingTrack = 46124;
constexpr int RenameMissingTrack = 46125;
constexpr int UntitledTrack = 46126;
constexpr int MidiImportSplitHands = 46127;
constexpr int MidiImportQuantise = 49600;
// Dialog texts.
constexpr int TransposeIntervals = 46130;  // the 25 intervals, ";"-separated
constexpr int TransposeAll = 46131;
constexpr int TransposeTitle = 46132;
constexpr int SplitMethods = 46133;  // the split methods, ";"-separated
constexpr int AboveOrEqualTo = 46134;
constexpr int MiddleC = 46135;
constexpr int DestinationList = 46136;  // "(none ...);Right Hand;..."
constexpr int AddTrackTitle = 46137;
constexpr int DeleteTrackTitle = 46138;
constexpr int MergeTracksTitle = 46139;
constexpr int SplitTrackTitle = 46140;
constexpr int RenameTrackTitle = 46141;
constexpr int TrackTitleLabel = 46142;
constexpr int DestinationLabel = 46143;
constexpr int TrackLabel = 46144;
constexpr int Track1Label = 46145;
constexpr int Track2Label = 46146;
constexpr int SourceTrackLabel = 46147;
constexpr int Destination1Label = 46148;
constexpr int Destination2Label = 46149;
constexpr int MethodLabel = 46150;
constexpr int TrackNameLabel = 46151;
constexpr int IntervalLabel = 46152;
// Score Settings and Lyric Settings.
constexpr int ScoreSettingsTitle = 46160;
constexpr int SsTitle = 46161;
constexpr int SsSubtitle = 46162;
constexpr int SsArtist = 46163;
constexpr int SsCopyright = 46164;
constexpr int SsParts = 46165;
constexpr int SsRename = 46166;
constexpr int SsKey = 46167;
constexpr int SsMinorKey = 46168;
constexpr int SsMajorKeys = 46169;  // the 15 major keys by key number, ";"-separated
constexpr int SsMinorKeys = 46170;
constexpr int SsPartNames = 46171;  // the four parts, ";"-separated
constexpr int SsNoTrack = 46172;
constexpr int SsNewTrack = 46173;
constexpr int LyricSettingsTitle = 46180;
constexpr int LsAlignment = 46181;
constexpr int LsAlignments = 46182;  // "Centre;Right;Left;"
constexpr int LsPosition = 46183;
constexpr int LsPositions = 46184;
constexpr int LsOffset1 = 46185;
constexpr int LsOffset2 = 46186;
constexpr int LsOffset3 = 46187;
}  // namespace ks::StringId
