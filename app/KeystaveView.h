// CKeystaveView: the scrolling window that shows one document. In Page and Layout mode
// it shows one page at a time at the view's zoom (z pixels per inch of page).
#pragma once

#include <QAbstractScrollArea>
#include <functional>

#include "app/CommandTarget.h"
#include "render/PageGeometry.h"
#include "render/draw/DrawContext.h"

namespace ks {

class CKeystaveDoc;

class CKeystaveView : public QAbstractScrollArea, public ICommandTarget {
    Q_OBJECT
  public:
    explicit CKeystaveView(CKeystaveDoc& doc, QWidget* parent = nullptr);

    std::optional<CommandState> commandState(int id) override;
    void runCommand(int id) override;

    int viewMode() const { return state_.mode; }
    // Page (1) or Layout (2); other modes are not shown by this view yet.
    void setViewMode(int mode);
    int currentPage() const { return state_.page; }
    int pageCount() const;
    void setPage(int page);
    bool gridShown() const { return state_.grid; }

    int zoom() const;
    // Sets the zoom in percent; the same value again does nothing.
    void setZoom(int zoom);
    // The scroll size of the page at the present zoom.
    QSize scrollSize() const;
    QPoint scrollPosition() const;

    // The document's layout or settings changed: page count, scroll sizes, repaint.
    void documentChanged();
    // Texts of the status-bar panes this view fills (by pane id); empty when unchanged.
    QString paneText(int pane) const;

    // Called after every paint of the viewport, for measuring.
    std::function<void()> painted;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void updateScrollBars();
    PageGeometry page() const;
    // Where page point (0, 0) lands in the viewport, in pixels.
    QPoint pageOrigin() const;
    void paintPage(QPainter& painter, const QRect& dirty);
    void askCustomZoom();
    // Layout mode: the line of the current page nearest to a page point's height.
    int lineAt(int64_t pageY) const;

    CKeystaveDoc& doc_;
    CViewState state_;
};

}  // namespace ks
