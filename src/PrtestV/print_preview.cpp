#include "PrtestV/print_preview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "platform/dialog_font.h"

namespace kelmora {

// The printable area: the page as it prints, and a dashed outline round it.
class Tfrmpreview::PageView : public QWidget {
public:
    PageView(Tfrmpreview* preview, QWidget* parent) : QWidget(parent), preview_(preview) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        preview_->PaintBox1Paint(painter);
    }

private:
    Tfrmpreview* preview_;
};

Tfrmpreview::Tfrmpreview(PaperMetrics paper, int screenPpi, QRect workArea,
                         std::function<void(QPainter&, int)> paintPage, std::function<void()> printPage,
                         QWidget* parent)
    : QDialog(parent),
      paper_(paper),
      screenPpi_(screenPpi),
      workArea_(workArea),
      paintPage_(std::move(paintPage)) {
    setWindowTitle(QString::fromUtf8("印刷プレビュー"));
    setFont(dialogFont(12));

    auto* bar = new QWidget(this);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 4, 4, 4);
    BitBtn1 = new QPushButton(QString::fromUtf8("印刷(&P)"), bar);
    SpeedButton1 = new QToolButton(bar);
    SpeedButton1->setText(QString::fromUtf8("＋"));
    SpeedButton1->setToolTip(QString::fromUtf8("拡大 (Ctrl++)"));
    SpeedButton1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    SpeedButton2 = new QToolButton(bar);
    SpeedButton2->setText(QString::fromUtf8("－"));
    SpeedButton2->setToolTip(QString::fromUtf8("縮小 (Ctrl+-)"));
    SpeedButton2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    Label1 = new QLabel(QStringLiteral("x100%"), bar);
    Label1->setMinimumWidth(48);
    BitBtn2 = new QPushButton(QString::fromUtf8("閉じる(&C)"), bar);
    barLayout->addWidget(BitBtn1);
    barLayout->addSpacing(12);
    barLayout->addWidget(SpeedButton1);
    barLayout->addWidget(SpeedButton2);
    barLayout->addWidget(Label1);
    barLayout->addStretch(1);
    barLayout->addWidget(BitBtn2);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    content_ = new QWidget;
    ScrollBox1->setWidget(content_);
    Panel2 = new QWidget(content_);
    Panel2->setAutoFillBackground(true);
    Panel2->setBackgroundRole(QPalette::Base);  // white, as the paper
    PaintBox1 = new PageView(this, Panel2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(ScrollBox1, 1);

    connect(BitBtn1, &QPushButton::clicked, this, [printPage = std::move(printPage)] { printPage(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { setZoom(zoom_ + kZoomStep); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { setZoom(zoom_ - kZoomStep); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    // As tall as the work area, at its top.
    resize(std::min(workArea_.width(), 640), workArea_.height());
    move(workArea_.left() + (workArea_.width() - width()) / 2, workArea_.top());
}

void Tfrmpreview::setZoom(int zoom) {
    if (zoom == zoom_ || zoom < kLeastZoom || zoom > kMostZoom) return;
    zoom_ = zoom;
    layOutPaper();
}

void Tfrmpreview::layOutPaper() {
    const PrintableArea& printable = paper_.printable;
    if (printable.resolution <= 0) return;
    const double scale = static_cast<double>(screenPpi_) / printable.resolution * zoom_ / 100.0;
    const auto scaled = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
    const QSize paper(scaled(paper_.paperWidth), scaled(paper_.paperHeight));
    // Centred while smaller than the view, from its corner when larger; the
    // view is what the scroll bars the paper needs will leave.
    QSize view = ScrollBox1->contentsRect().size();
    const int barWidth = ScrollBox1->verticalScrollBar()->sizeHint().width();
    const int barHeight = ScrollBox1->horizontalScrollBar()->sizeHint().height();
    bool vertical = paper.height() > view.height();
    const bool horizontal = paper.width() > view.width() - (vertical ? barWidth : 0);
    vertical = vertical || (horizontal && paper.height() > view.height() - barHeight);
    view -= QSize(vertical ? barWidth : 0, horizontal ? barHeight : 0);
    content_->resize(std::max(paper.width(), view.width()), std::max(paper.height(), view.height()));
    Panel2->setGeometry(std::max(0, (view.width() - paper.width()) / 2), std::max(0, (view.height() - paper.height()) / 2),
                        paper.width(), paper.height());
    PaintBox1->setGeometry(scaled(paper_.offsetX), scaled(paper_.offsetY), scaled(printable.width),
                           scaled(printable.height));
    SpeedButton1->setEnabled(zoom_ < kMostZoom);
    SpeedButton2->setEnabled(zoom_ > kLeastZoom);
    Label1->setText(QStringLiteral("x%1%").arg(zoom_));
    PaintBox1->update();
}

void Tfrmpreview::PaintBox1Paint(QPainter& painter) {
    if (paintPage_) paintPage_(painter, screenPpi_ * zoom_ / 100);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, PaintBox1->width() - 1, PaintBox1->height() - 1);
}

void Tfrmpreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    layOutPaper();
}

void Tfrmpreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOutPaper();
}

}  // namespace kelmora
