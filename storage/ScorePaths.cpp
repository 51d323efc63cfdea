#include "ScorePaths.h"

#include <QString>
#include <algorithm>
#include <array>
#include <utility>

namespace ks {

namespace {

struct Entry {
    const char16_t* path;
    ScorePath id;
};

// Lower-case paths; sorted once at first use for the binary search.
constexpr Entry kPaths[] = {
    {u"<keystaves>", ScorePath::Root},
    {u"<keystaves><printer>", ScorePath::Printer},
    {u"<keystaves><printer><devmode>", ScorePath::DevMode},
    {u"<keystaves><printer><devnames>", ScorePath::DevNames},
    {u"<keystaves><printer><margins>", ScorePath::Margins},
    {u"<keystaves><score>", ScorePath::Score},
    {u"<keystaves><score><preferences>", ScorePath::Preferences},
    {u"<keystaves><score><preferences><font>", ScorePath::PreferencesFont},
    {u"<keystaves><score><preferences><midiprefs>", ScorePath::MidiPrefs},
    {u"<keystaves><score><preferences><papercol>", ScorePath::PaperColour},
    {u"<keystaves><score><textbox>", ScorePath::TextBox},
    {u"<keystaves><score><part>", ScorePath::Part},
    {u"<keystaves><score><bars>", ScorePath::Bars},
    {u"<keystaves><score><bars><bar>", ScorePath::Bar},
    {u"<keystaves><score><lines>", ScorePath::Lines},
    {u"<keystaves><score><lines><line>", ScorePath::Line},
    {u"<keystaves><score><timesigs><timesignature>", ScorePath::TimeSignature},
    {u"<keystaves><score><keysigs><keysignature>", ScorePath::KeySignature},
    {u"<keystaves><score><tracks>", ScorePath::Tracks},
    {u"<keystaves><score><tracks><track>", ScorePath::Track},
    {u"<keystaves><score><tracks><track><notes><note>", ScorePath::Note},
    {u"<keystaves><score><tracks><track><events><event>", ScorePath::Event},
    {u"<keystaves><score><voltamarks><volta>", ScorePath::Volta},
    {u"<keystaves><score><tempos>", ScorePath::Tempos},
    {u"<keystaves><score><tempos><track>", ScorePath::TempoTrack},
    {u"<keystaves><score><tempos><track><notes><note>", ScorePath::Note},
    {u"<keystaves><score><tempos><track><events><event>", ScorePath::Event},
    {u"<keystaves><score><annotations>", ScorePath::Annotations},
    {u"<keystaves><score><annotations><track>", ScorePath::AnnotationTrack},
    {u"<keystaves><score><annotations><track><notes><note>", ScorePath::Note},
    {u"<keystaves><score><annotations><track><events><event>", ScorePath::Event},
    {u"<keystaves><score><userfonts>", ScorePath::UserFonts},
    {u"<keystaves><score><userfonts><font>", ScorePath::UserFont},
    {u"<keystaves><score><pages><page>", ScorePath::Page},
    {u"<keystaves><undo>", ScorePath::Undo},
    {u"<keystaves><undo><track>", ScorePath::UndoTrack},
    {u"<keystaves><undo><track><notes><note>", ScorePath::Note},
    {u"<keystaves><undo><track><events><event>", ScorePath::Event},
    {u"<keystaves><undo><bar>", ScorePath::UndoBar},
    {u"<keystaves><undo><line>", ScorePath::UndoLine},
    {u"<keystaves><selection>", ScorePath::Selection},
    {u"<keystaves><preferences>", ScorePath::SettingsSnapshot},
    {u"<keystaves><preferences><font>", ScorePath::SettingsSnapshotFont},
    {u"<keystaves><preferences><midiprefs>", ScorePath::SettingsSnapshotMidi},
    {u"<keystaves><preferences><papercol>", ScorePath::SettingsSnapshotPaper},
    {u"<tonepad>", ScorePath::OldRoot},
    {u"<tonepad><midi>", ScorePath::OldMidi},
    {u"<tonepad><midi><timesignature>", ScorePath::OldTimeSignature},
    {u"<tonepad><midi><track>", ScorePath::OldTrack},
    {u"<tonepad><midi><track><events><event>", ScorePath::OldNote},
    {u"<tonepad><midi><track><events><event><triplet>", ScorePath::OldTriplet},
    {u"<tonepad><midi><track><events><event><triplet><chord><note>", ScorePath::OldTripletNote},
    {u"<tonepad><midi><track><phrases><phrase>", ScorePath::OldPhrase},
    {u"<tonepad><midi><track><spelling><chord>", ScorePath::OldSpelling},
    {u"<tonepad><printer><devmode>", ScorePath::OldDevMode},
    {u"<tonepad><printer><devnames>", ScorePath::OldDevNames},
    {u"<tonepad><score>", ScorePath::OldScore},
    {u"<tonepad><score><bars>", ScorePath::OldBars},
    {u"<tonepad><score><bars><bar>", ScorePath::OldBar},
    {u"<tonepad><score><bars><bar><annotation>", ScorePath::OldAnnotation},
    {u"<tonepad><score><bars><bar><annotation><font>", ScorePath::OldAnnotationFont},
    {u"<tonepad><score><displayitems><displayitem>", ScorePath::OldDisplayItem},
    {u"<tonepad><score><lines><line>", ScorePath::OldLine},
    {u"<tonepad><score><part>", ScorePath::OldPart},
    {u"<tonepad><score><preferences>", ScorePath::OldPreferences},
    {u"<tonepad><score><preferences><font>", ScorePath::OldPreferencesFont},
    {u"<tonepad><score><voltamarks><volta>", ScorePath::OldVolta},
};

using Table = std::array<std::pair<QString, ScorePath>, std::size(kPaths)>;

const Table& sortedTable() {
    static const Table table = [] {
        Table t;
        for (size_t i = 0; i < std::size(kPaths); ++i)
            t[i] = {QString::fromUtf16(kPaths[i].path), kPaths[i].id};
        std::sort(t.begin(), t.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        return t;
    }();
    return table;
}

}  // namespace

qsizetype longestScorePath() {
    static const qsizetype longest = [] {
        qsizetype n = 0;
        for (const auto& entry : sortedTable())
            n = std::max(n, entry.first.size());
        return n;
    }();
    return longest;
}

ScorePath lookUpScorePath(QStringView path) {
    const Table& table = sortedTable();
    auto it = std::lower_bound(table.begin(), table.end(), path, [](const auto& e, QStringView p) {
        return QStringView(e.first).compare(p, Qt::CaseInsensitive) < 0;
    });
    if (it != table.end() && QStringView(it->first).compare(path, Qt::CaseInsensitive) == 0)
        return it->second;
    return ScorePath::Unknown;
}

}  // namespace ks
