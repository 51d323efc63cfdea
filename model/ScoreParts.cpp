// The part map: which track each of the four staves of a line shows.
#include <array>

#include "Score.h"

namespace ks {

void CScore::assignTrackToPart(int track, int part) {
    if (part < 0 || part >= kPartCount) return;
    for (int32_t& entry : parts)
        if (entry == track + 1) entry = 0;
    if (track < 0 || track >= trackCount()) {
        parts[static_cast<size_t>(part)] = 0;
        return;
    }
    parts[static_cast<size_t>(part)] = track + 1;
    rebuildTrack(track);
}

int CScore::partOfTrack(int track) const {
    if (track < 0 || track >= trackCount()) return -1;
    for (int p = 0; p < kPartCount; ++p)
        if (parts[static_cast<size_t>(p)] == track + 1) return p;
    return -1;
}

int CScore::trackOfPart(int part) const {
    if (part < 0 || part >= kPartCount) return -1;
    const int t = parts[static_cast<size_t>(part)] - 1;
    return t >= 0 && t < trackCount() ? t : -1;
}

int CScore::firstShownPart() const {
    for (int p = 0; p < kPartCount; ++p)
        if (trackOfPart(p) >= 0) return p;
    return kNoPart;
}

namespace {

bool containsWord(const QString& name, const QString& word) {
    if (word != QStringLiteral("right")) return name.contains(word);
    // "copyright" does not speak of the right hand.
    for (qsizetype at = name.indexOf(word); at >= 0; at = name.indexOf(word, at + 1))
        if (at < 4 || QStringView(name).mid(at - 4, 4) != u"copy") return true;
    return false;
}

}  // namespace

int CScore::chooseTrackForPart(int part) {
    if (part < 0 || part >= kPartCount) return -1;
    static const std::array<QString, 6> rightWords = {
        QStringLiteral("rh"),    QStringLiteral("right"),  QStringLiteral("vox"),
        QStringLiteral("vocal"), QStringLiteral("melody"), QStringLiteral("hand")};
    static const std::array<QString, 3> leftWords = {QStringLiteral("lh"), QStringLiteral("left"),
                                                     QStringLiteral("hand")};
    const bool right = part <= Part::RightHand2;
    int best = -1;
    int bestHits = 0;
    for (int t = 0; t < trackCount(); ++t) {
        const CTrack& tr = track(t);
        if (partOfTrack(t) >= 0 || tr.notes.empty()) continue;
        const QString name = tr.title.toLower();
        int hits = 0;
        if (right) {
            for (const QString& w : rightWords)
                hits += containsWord(name, w) ? 1 : 0;
        } else {
            for (const QString& w : leftWords)
                hits += containsWord(name, w) ? 1 : 0;
        }
        if (hits > bestHits) {
            bestHits = hits;
            best = t;
        }
    }
    if (best >= 0) assignTrackToPart(best, part);
    return best;
}

}  // namespace ks
