#include "app/NoteLengthWindow.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QToolButton>

#include "app/AppTextIds.h"
#include "edit/NoteLength.h"
#include "model/TextTable.h"
#include "render/draw/NoteValues.h"
#include "resources/MusicFont.h"

namespace ks {

namespace {

// The rest of a length in the music font (dots after it, a 3 for triplets): rests are
// single glyphs, so each length reads at a glance.
QString lengthGlyphs(int index) {
    const int32_t ppqn = 96;
    const int32_t ticks = noteLengthTicks(ppqn, index);
    const bool triplet = index >= 12;
    const int32_t unit = noteValueUnit(ppqn, 0);
    const int row = noteValueRowFor(triplet ? ticks * 3 / 2 : ticks, unit);
    if (row < 0) return QStringLiteral("?");
    const NoteValue& v = noteValueRow(row);
    QString glyphs(QChar(v.restGlyph));
    for (int d = 0; d < v.dots; ++d)
        glyphs += QLatin1Char('.');
    if (triplet) glyphs += QLatin1Char('3');
    return glyphs;
}

}  // namespace

CNoteLengthWindow::CNoteLengthWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool), buttons_(new QButtonGroup(this)) {
    setWindowTitle(text(StringId::NoteLengthsTitle));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    QFont music(QString::fromLatin1(kMusicFontFamily));
    music.setPixelSize(28);
    for (int i = 0; i < kNoteLengthCount; ++i) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setFont(music);
        button->setText(lengthGlyphs(i));
        button->setToolTip(text(StringId::NoteLengthName0 + i));
        button->setMinimumSize(40, 44);
        buttons_->addButton(button, i);
        grid->addWidget(button, i / 4, i % 4);
    }
    buttons_->setExclusive(true);
    auto* insert = new QPushButton(text(StringId::InsertNoteButton), this);
    insert->setObjectName(QStringLiteral("insertNote"));
    grid->addWidget(insert, kNoteLengthCount / 4, 0, 1, 4);
    connect(insert, &QPushButton::clicked, this, [this] {
        if (insertRequested) insertRequested();
    });
    connect(buttons_, &QButtonGroup::idClicked, this, [this](int index) {
        setCurrentNoteLength(index);
        if (lengthChosen) lengthChosen(index);
    });
    refresh();
}

void CNoteLengthWindow::refresh() {
    if (QAbstractButton* b = buttons_->button(currentNoteLength())) b->setChecked(true);
}

}  // namespace ks
