#include "app/help/HelpBrowser.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/help/HelpPages.h"
#include "app/help/HelpTextIds.h"
#include "model/TextTable.h"

namespace ks {

CHelpBrowser::CHelpBrowser(QWidget* parent)
    : QDockWidget(text(HelpTextId::PaneTitle), parent), browser_(new QTextBrowser) {
    setObjectName(QStringLiteral("CHelpBrowser"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* tools = new QToolBar(body);
    QAction* back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                     text(HelpTextId::BackAction));
    QAction* contents = tools->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                         text(HelpTextId::ContentsAction));
    QAction* search = tools->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                       text(HelpTextId::SearchAction));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(tools);
    layout->addWidget(browser_);
    setWidget(body);

    browser_->setSearchPaths({helpResourceFolder()});
    browser_->setOpenLinks(false);
    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(contents, &QAction::triggered, this, [this] {
        if (contentsRequested) contentsRequested();
    });
    connect(search, &QAction::triggered, this, [this] {
        if (searchRequested) searchRequested();
    });
    // Links between pages stay in the pane; web addresses go to the desktop's browser.
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == u"http" || url.scheme() == u"https" || url.scheme() == u"mailto") {
            QDesktopServices::openUrl(url);
            return;
        }
        if (url.path().isEmpty() && url.hasFragment()) {
            browser_->scrollToAnchor(url.fragment());
            return;
        }
        navigate(QFileInfo(url.path()).fileName());
        if (url.hasFragment()) browser_->scrollToAnchor(url.fragment());
    });
}

void CHelpBrowser::navigate(const QString& name) {
    if (name.compare(pageName(), Qt::CaseInsensitive) == 0) return;
    if (!loadHelpPage(name)) {
        browser_->setHtml(QStringLiteral("<p>%1</p>")
                              .arg(text(HelpTextId::PageMissing).arg(name.toHtmlEscaped())));
        return;
    }
    browser_->setSource(QUrl(helpPageUrl(name)));
}

QString CHelpBrowser::pageName() const {
    return QFileInfo(browser_->source().path()).fileName();
}

}  // namespace ks
