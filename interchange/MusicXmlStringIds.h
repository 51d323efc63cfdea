// Text-table ids of the MusicXML export and import.
#pragma once

namespace ks::MusicXmlStringId {
constexpr int ExportFilter = 34368;  // the Save dialog's filter
constexpr int UnableToCreateContainer = 44600;
constexpr int UnableToConvertUnicode = 44601;
constexpr int UnableToWrite = 44602;
constexpr int Exported = 44603;
constexpr int NotMusicXml = 44604;      // "... not a MusicXML score"
constexpr int Malformed = 44605;        // "... not well-formed XML: %s"
constexpr int EntitiesRefused = 44606;  // the document declares entities
constexpr int TimewiseNotRead = 44607;
constexpr int BadDivisions = 44608;
constexpr int BadDuration = 44609;
constexpr int BadContainer = 44610;   // no readable META-INF/container.xml
constexpr int MemberMissing = 44611;  // the named document is not in the archive
constexpr int TooLarge = 44612;
constexpr int NotCarriedOver = 44613;  // "... could not be carried over:\n%s"
constexpr int UnableToOpen = 44614;
constexpr int TooManyNotes = 44615;
constexpr int MusicXmlOpenFilter = 44616;
}  // namespace ks::MusicXmlStringId
