#include "app/ToolBarIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "app/CommandIds.h"

namespace ks {

namespace {

QIcon drawnSign(const QString& sign) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 90), 2));
    painter.setBrush(QColor(235, 238, 250));
    painter.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(sign.size() > 2 ? 10 : 15);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, sign);
    return QIcon(pixmap);
}

}  // namespace

QIcon toolBarIcon(int command, QStyle* style) {
    switch (command) {
        case Cmd::FileNew:
            return style->standardIcon(QStyle::SP_FileIcon);
        case Cmd::FileOpen:
            return style->standardIcon(QStyle::SP_DialogOpenButton);
        case Cmd::FileSave:
            return style->standardIcon(QStyle::SP_DialogSaveButton);
        case Cmd::EditUndo:
            return style->standardIcon(QStyle::SP_ArrowBack);
        case Cmd::EditRedo:
            return style->standardIcon(QStyle::SP_ArrowForward);
        case Cmd::PreviousPage:
            return style->standardIcon(QStyle::SP_ArrowUp);
        case Cmd::NextPage:
            return style->standardIcon(QStyle::SP_ArrowDown);
        case Cmd::Play:
            return style->standardIcon(QStyle::SP_MediaPlay);
        case Cmd::Pause:
            return style->standardIcon(QStyle::SP_MediaPause);
        case Cmd::Stop:
            return style->standardIcon(QStyle::SP_MediaStop);
        case Cmd::Rewind:
            return style->standardIcon(QStyle::SP_MediaSeekBackward);
        case Cmd::FastForward:
            return style->standardIcon(QStyle::SP_MediaSeekForward);
        case Cmd::PageMode:
            return drawnSign(QStringLiteral("P"));
        case Cmd::LayoutMode:
            return drawnSign(QStringLiteral("L"));
        case Cmd::MusicMode:
            return drawnSign(QStringLiteral("M"));
        case Cmd::Zoom50:
            return drawnSign(QStringLiteral("50%"));
        case Cmd::Zoom100:
            return drawnSign(QStringLiteral("100%"));
        case Cmd::Zoom200:
            return drawnSign(QStringLiteral("200%"));
        case Cmd::ZoomPageWidth:
            return drawnSign(QStringLiteral("\u2194"));
        case Cmd::ZoomFullPage:
            return drawnSign(QStringLiteral("\u2195"));
        case Cmd::DisplaySettings:
            return drawnSign(QStringLiteral("\u2699"));
        default:
            return drawnSign(QStringLiteral("?"));
    }
}

}  // namespace ks
