#include "previewer/PageView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace wyndlor::glancer {

namespace {

constexpr int kDeskMargin = 16;          // grey border around the paper, px
constexpr int kShadowOffset = 4;         // px
constexpr double kMmPerInch = 25.4;
constexpr double kScreenDpi = 96.0;      // zoom 1 = real size at 96 DPI
constexpr int kScrollStep = 40;          // px per arrow key or wheel notch
constexpr int kWheelTurnToPage = 240;    // eighths of a degree past the edge
const QColor kDeskColour(128, 128, 128);
const QColor kShadowColour(64, 64, 64);

}  // namespace

PageView::PageView(QWidget *parent)
    : QAbstractScrollArea(parent), layout_(DefaultPageLayout())
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(kScrollStep);
    horizontalScrollBar()->setSingleStep(kScrollStep);
}

const QList<double> &PageView::ZoomSteps()
{
    static const QList<double> steps = {0.25, 0.33, 0.5, 0.67, 0.75, 1.0, 1.25,
                                        1.5,  2.0,  3.0, 4.0};
    return steps;
}

void PageView::SetDocument(const PrintDocument *doc)
{
    doc_ = doc;
    renderer_ = doc ? std::make_unique<PageRenderer>(*doc) : nullptr;
    page_ = 0;
    UpdateScrollBars();
    viewport()->update();
    emit PageChanged(page_);
}

int PageView::PageCount() const
{
    return doc_ ? doc_->PageCount() : 0;
}

QSizeF PageView::PaperSizeAtZoom1() const
{
    const QSizeF mm = layout_.fullRect(QPageLayout::Millimeter).size();
    return mm * (kScreenDpi / kMmPerInch);
}

double PageView::EffectiveZoom() const
{
    const QSizeF paper = PaperSizeAtZoom1();
    const double byWidth = (viewport()->width() - 2 * kDeskMargin) / paper.width();
    const double byHeight = (viewport()->height() - 2 * kDeskMargin) / paper.height();
    const double minZoom = ZoomSteps().first() / 2;
    switch (mode_) {
    case ZoomMode::FitPage: return std::max(minZoom, std::min(byWidth, byHeight));
    case ZoomMode::FitWidth: return std::max(minZoom, byWidth);
    case ZoomMode::Factor: break;
    }
    return factor_;
}

QSize PageView::PaperSize() const
{
    return (PaperSizeAtZoom1() * EffectiveZoom()).toSize();
}

void PageView::UpdateScrollBars()
{
    const QSize paper = PaperSize();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, paper.width() + 2 * kDeskMargin - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, paper.height() + 2 * kDeskMargin - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

void PageView::GoToPage(int page)
{
    if (PageCount() == 0)
        return;
    page = std::clamp(page, 0, PageCount() - 1);
    wheelRemainder_ = 0;
    if (page == page_)
        return;
    page_ = page;
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emit PageChanged(page_);
}

void PageView::NextPage() { GoToPage(page_ + 1); }
void PageView::PreviousPage() { GoToPage(page_ - 1); }
void PageView::FirstPage() { GoToPage(0); }
void PageView::LastPage() { GoToPage(PageCount() - 1); }

void PageView::SetZoomMode(ZoomMode mode)
{
    mode_ = mode;
    UpdateScrollBars();
    viewport()->update();
    emit ZoomChanged();
}

void PageView::SetZoomFactor(double factor)
{
    factor_ = std::clamp(factor, ZoomSteps().first(), ZoomSteps().last());
    SetZoomMode(ZoomMode::Factor);
}

void PageView::ZoomIn()
{
    const double now = EffectiveZoom();
    for (double step : ZoomSteps())
        if (step > now + 1e-6) {
            SetZoomFactor(step);
            return;
        }
    SetZoomFactor(ZoomSteps().last());
}

void PageView::ZoomOut()
{
    const double now = EffectiveZoom();
    for (auto it = ZoomSteps().rbegin(); it != ZoomSteps().rend(); ++it)
        if (*it < now - 1e-6) {
            SetZoomFactor(*it);
            return;
        }
    SetZoomFactor(ZoomSteps().first());
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kDeskColour);
    if (!renderer_ || PageCount() == 0)
        return;
    const QSize paper = PaperSize();
    const int spareWidth = viewport()->width() - paper.width();
    const int left = spareWidth > 2 * kDeskMargin ? spareWidth / 2
                                                  : kDeskMargin - horizontalScrollBar()->value();
    const int top = kDeskMargin - verticalScrollBar()->value();
    const QRect paperRect(QPoint(left, top), paper);
    painter.fillRect(paperRect.translated(kShadowOffset, kShadowOffset), kShadowColour);
    painter.fillRect(paperRect, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer_->Paint(painter, doc_->pages.at(page_), page_ + 1, PrintableRect(layout_, paperRect));
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    if (mode_ != ZoomMode::Factor)
        emit ZoomChanged();
}

void PageView::keyPressEvent(QKeyEvent *event)
{
    QScrollBar *v = verticalScrollBar();
    QScrollBar *h = horizontalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageDown: NextPage(); break;
    case Qt::Key_PageUp: PreviousPage(); break;
    case Qt::Key_Home: FirstPage(); break;
    case Qt::Key_End: LastPage(); break;
    case Qt::Key_Down: v->setValue(v->value() + kScrollStep); break;
    case Qt::Key_Up: v->setValue(v->value() - kScrollStep); break;
    case Qt::Key_Right: h->setValue(h->value() + kScrollStep); break;
    case Qt::Key_Left: h->setValue(h->value() - kScrollStep); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

void PageView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta > 0)
            ZoomIn();
        else if (delta < 0)
            ZoomOut();
        event->accept();
        return;
    }
    QScrollBar *v = verticalScrollBar();
    const bool atBottom = v->value() >= v->maximum();
    const bool atTop = v->value() <= v->minimum();
    if ((delta < 0 && atBottom && page_ < PageCount() - 1) || (delta > 0 && atTop && page_ > 0)) {
        // past the edge: turn the page after a deliberate turn of the wheel
        wheelRemainder_ += std::abs(delta);
        if (wheelRemainder_ >= kWheelTurnToPage || v->maximum() == 0) {
            if (delta < 0) {
                NextPage();
            } else {
                PreviousPage();
                v->setValue(v->maximum());
            }
        }
        event->accept();
        return;
    }
    wheelRemainder_ = 0;
    QAbstractScrollArea::wheelEvent(event);
}

}  // namespace wyndlor::glancer
