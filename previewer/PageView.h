// The page view: one report page as a sheet of paper on a grey desk,
// scrolled and zoomed.  PgUp/PgDn and Home/End turn the pages, the arrows and
// the wheel scroll (the wheel turns to the next page past the bottom of a
// page and to the previous one above its top), Ctrl+wheel zooms.
#pragma once

#include "previewer/GlancerSettings.h"
#include "previewer/PageRenderer.h"
#include "previewer/PrintDocument.h"

#include <QAbstractScrollArea>
#include <memory>

namespace wyndlor::glancer {

class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    // `doc` must outlive the view or be replaced first.
    void SetDocument(const PrintDocument *doc);

    int CurrentPage() const { return page_; }  // 0-based
    int PageCount() const;
    ZoomMode Mode() const { return mode_; }
    // The zoom in use, also in the fit modes (1 = real size).
    double EffectiveZoom() const;

    static const QList<double> &ZoomSteps();

public slots:
    void GoToPage(int page);  // clamped to the document
    void NextPage();
    void PreviousPage();
    void FirstPage();
    void LastPage();
    void SetZoomMode(ZoomMode mode);
    void SetZoomFactor(double factor);  // switches to ZoomMode::Factor
    void ZoomIn();
    void ZoomOut();

signals:
    void PageChanged(int page);
    void ZoomChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QSizeF PaperSizeAtZoom1() const;  // pixels
    QSize PaperSize() const;          // pixels at the effective zoom
    void UpdateScrollBars();

    const PrintDocument *doc_ = nullptr;
    std::unique_ptr<PageRenderer> renderer_;
    QPageLayout layout_;
    int page_ = 0;
    ZoomMode mode_ = ZoomMode::FitWidth;
    double factor_ = 1.0;
    int wheelRemainder_ = 0;  // wheel turn past the edge, eighths of a degree
};

}  // namespace wyndlor::glancer
