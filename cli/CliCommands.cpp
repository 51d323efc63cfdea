#include "CliCommands.h"

#include <QFile>
#include <QJsonDocument>
#include <cstdio>

#include "LayoutJson.h"
#include "ScoreJson.h"
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
                       "  layout FILE [--music]\n"
                       "               print the page layout of FILE (or its Music-mode line)\n"
                       "               as JSON"));
    return kUsageError;
}

int printJson(const QJsonObject& object) {
    const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Indented);
    return std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout) ==
                   static_cast<size_t>(json.size())
               ? 0
               : kFailure;
}

int dump(const QStringList& args) {
    if (args.size() != 1) return usage();
    CScore score;
    const ReadResult result = readAnyScoreFile(args[0], score, nullptr);
    if (!result.ok) {
        printError(text(result.messageId));
        return kFailure;
    }
    return printJson(scoreToJson(score));
}

int layout(QStringList args) {
    const bool music = args.removeAll(QStringLiteral("--music")) > 0;
    if (args.size() != 1) return usage();
    QJsonObject json;
    int messageId = 0;
    if (!layoutDocumentToJson(args[0], music, json, messageId)) {
        printError(text(messageId));
        return kFailure;
    }
    return printJson(json);
}

}  // namespace

int run(const QStringList& args) {
    if (args.isEmpty()) return usage();
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    if (command == u"dump") return dump(rest);
    if (command == u"layout") return layout(rest);
    return usage();
}

}  // namespace ks::cli
