#include "CliCommands.h"

#include <QFile>
#include <QJsonDocument>
#include <cstdio>

#include "ConvertAudio.h"
#include "ScoreJson.h"
#include "model/StringIds.h"
#include "model/TextTable.h"
#include "storage/ScoreReader.h"

namespace ks::cli {

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

void printError(const QString& message) {
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int usage() {
    printError(
        QStringLiteral("usage: keystaves-cli <command> ...\n"
                       "  dump FILE    print the score of FILE as JSON\n"
                       "  convert IN OUT.wav    render the performance of IN as audio"));
    return kUsageError;
}

int dump(const QStringList& args) {
    if (args.size() != 1) return usage();
    CScore score;
    const ReadResult result = readAnyScoreFile(args[0], score, nullptr);
    if (!result.ok) {
        printError(text(result.messageId));
        return kFailure;
    }
    const QByteArray json = QJsonDocument(scoreToJson(score)).toJson(QJsonDocument::Indented);
    return std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout) ==
                   static_cast<size_t>(json.size())
               ? 0
               : kFailure;
}

int convert(const QStringList& args) {
    if (args.size() != 2) return usage();
    if (isAudioPath(args[1])) return convertToAudio(args[0], args[1]);
    printError(text(StringId::InvalidFileType));
    return kFailure;
}

}  // namespace

int run(const QStringList& args) {
    if (args.isEmpty()) return usage();
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    if (command == u"dump") return dump(rest);
    if (command == u"convert") return convert(rest);
    return usage();
}

}  // namespace ks::cli
