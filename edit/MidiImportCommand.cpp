#include "MidiImportCommand.h"

#include <QSettings>

#include "edit/EditTextIds.h"
#include "edit/ScoreCommands.h"
#include "edit/TidyCommands.h"
#include "interchange/MidiImport.h"

namespace ks {

namespace {

QSettings settings() {
    return QSettings(QStringLiteral("Halvern"),
                     QStringLiteral("Halvern Keystaves Notation Software"));
}

}  // namespace

MidiImportOptions MidiImportOptions::load() {
    QSettings s = settings();
    MidiImportOptions o;
    o.removeOverlapping = s.value(QStringLiteral("MidiImportRemoveOverlapping"), 0).toInt() != 0;
    o.extendNotes = s.value(QStringLiteral("MidiImportExtendNotes"), 0).toInt() != 0;
    o.shortenNotes = s.value(QStringLiteral("MidiImportShortenNotes"), 0).toInt() != 0;
    o.quantise = s.value(QStringLiteral("MidiImportQuantise"), 1).toInt() != 0;
    return o;
}

void MidiImportOptions::save() const {
    QSettings s = settings();
    s.setValue(QStringLiteral("MidiImportRemoveOverlapping"), removeOverlapping ? 1 : 0);
    s.setValue(QStringLiteral("MidiImportExtendNotes"), extendNotes ? 1 : 0);
    s.setValue(QStringLiteral("MidiImportShortenNotes"), shortenNotes ? 1 : 0);
    s.setValue(QStringLiteral("MidiImportQuantise"), quantise ? 1 : 0);
}

bool importMidiDocument(CKeystaveDoc& doc, const QString& path, IDocumentPrompts& prompts,
                        const MidiImportSteps& steps) {
    CMidiFile file;
    const MidiResult read = file.Read(path);
    for (const QString& message : read.messages)
        prompts.showMessage(StringId::PlainText, {message});

    std::unique_ptr<CScore> score;
    CPrinterSettings printer;
    const auto convert = [&](bool quantise) {
        score = std::make_unique<CScore>();
        printer = CPrinterSettings{};
        if (steps.applyDefaults) steps.applyDefaults(*score, printer);
        score->prefs.key = -1;
        importMidiFile(file, *score, MidiConversion{.quantise = quantise, .fileName = path});
        if (steps.layout) steps.layout(*score, printer);
    };
    const MidiImportOptions stored =
        steps.chooseOptions ? MidiImportOptions::load() : MidiImportOptions{};
    convert(stored.quantise);

    // Most piano files hold both hands in one track: then the split is offered.
    int noteTrack = -1, noteTracks = 0;
    for (int t = 0; t < score->trackCount(); ++t)
        if (!score->track(t).notes.empty()) {
            noteTrack = t;
            ++noteTracks;
        }
    std::optional<MidiImportOptions> chosen = MidiImportOptions{};
    if (steps.chooseOptions) {
        MidiImportOptions offer = stored;
        offer.canSplitHands = offer.splitHands = noteTracks == 1;
        chosen = steps.chooseOptions(offer);
    }
    if (!chosen) return false;  // cancelled: nothing is opened
    if (chosen->quantise != stored.quantise) convert(chosen->quantise);
    doc.adoptScore(std::move(score), printer);
    if (!steps.chooseOptions) return true;
    chosen->save();
    if (chosen->splitHands && noteTracks == 1) {
        ScoreCommandContext context{doc.score(), doc.history(), prompts};
        runSplitTrack(context, SplitRequest{.source = noteTrack,
                                            .destination1 = Part::RightHand,
                                            .destination2 = Part::LeftHand,
                                            .method = SplitMethod::Hands});
        if (steps.layout) steps.layout(doc.score(), doc.printer());
    }
    if (chosen->removeOverlapping)
        runTidyCommand(TidyCommand::RemoveOverlaps, doc.score(), doc.history(), prompts);
    if (chosen->extendNotes)
        runTidyCommand(TidyCommand::ExtendNotes, doc.score(), doc.history(), prompts);
    if (chosen->shortenNotes)
        runTidyCommand(TidyCommand::ShortenNotes, doc.score(), doc.history(), prompts);
    return true;
}

}  // namespace ks
