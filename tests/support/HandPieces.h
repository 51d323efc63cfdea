// The two-hand piano pieces of tests/fixtures/hands (or another folder of them), read into scores: track 0 the
// right hand, track 1 the left, at the default resolution.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include "model/Score.h"
#include "TestPaths.h"

namespace ks::test {

inline constexpr int32_t kSixteenth = kDefaultPpqn / 4;

inline int pitchOf(const QString& name) {
    static const QRegularExpression form(QStringLiteral("^([A-G])([#b]?)(-?\\d)$"));
    const QRegularExpressionMatch m = form.match(name);
    if (!m.hasMatch()) return -1;
    static const int steps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int pitch = steps[m.captured(1)[0].unicode() - 'A'] + (m.captured(3).toInt() + 1) * 12;
    if (m.captured(2) == u"#") ++pitch;
    if (m.captured(2) == u"b") --pitch;
    return pitch;
}

struct Piece {
    QString name;
    CScore score;  // track 0 the right hand, track 1 the left
    bool valid = false;
};

inline Piece loadPiece(const QString& path) {
    Piece piece;
    piece.name = QFileInfo(path).completeBaseName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return piece;
    CTrack hands[2];
    int32_t at[2] = {0, 0};
    int nom = 4, denom = 4;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        if (words[0] == u"time") {
            nom = words.value(1).toInt();
            denom = words.value(2).toInt();
            continue;
        }
        const int h = words[0] == u"R:" ? 0 : words[0] == u"L:" ? 1 : -1;
        if (h < 0) return piece;
        for (const QString& token : words.mid(1)) {
            if (token == u"|") continue;
            const QStringList parts = token.split(u'/');
            if (parts.size() != 2) return piece;
            const int32_t length = parts[1].toInt() * kSixteenth;
            if (length <= 0) return piece;
            if (parts[0] != u"r")
                for (const QString& name : parts[0].split(u'+')) {
                    const int pitch = pitchOf(name);
                    if (pitch < 0) return piece;
                    hands[h].addNote({.time = at[h], .duration = length, .pitch = pitch});
                }
            at[h] += length;
        }
    }
    CScore& s = piece.score;
    s.setTimeSignature(nom, denom, 0);
    hands[0].title = QStringLiteral("Right");
    hands[1].title = QStringLiteral("Left");
    s.addTrack(hands[0]);
    s.addTrack(hands[1]);
    s.setLength(std::max(at[0], at[1]));
    s.assignTrackToPart(0, Part::RightHand);
    s.assignTrackToPart(1, Part::LeftHand);
    piece.valid = true;
    return piece;
}

inline std::vector<Piece> handPieces(const QString& folder = QStringLiteral("hands")) {
    std::vector<Piece> out;
    const QDir dir(QStringLiteral(KS_FIXTURES "/") + folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        out.push_back(loadPiece(dir.filePath(name)));
    return out;
}

}  // namespace ks::test
