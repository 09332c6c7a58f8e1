#pragma once
// "印刷プレビュー": the page as it will print, on its paper, at a zoom from
// 25 % to 150 %, with the printable area outlined; it can print the page.

#include <QDialog>
#include <functional>

#include "prnset/print_placement.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace kelmora {

// The paper as the printer describes it, in the printer's pixels.
struct PaperMetrics {
    int paperWidth = 0, paperHeight = 0;
    int offsetX = 0, offsetY = 0;  // where the printable area begins
    PrintableArea printable;
};

class Tfrmpreview : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLeastZoom = 25, kMostZoom = 150, kZoomStep = 25;

    // `paintPage` draws the page onto a surface of the given density whose
    // origin is the printable area's corner; `printPage` prints it.
    Tfrmpreview(PaperMetrics paper, int screenPpi, QRect workArea,
                std::function<void(QPainter&, int pixelsPerInch)> paintPage, std::function<void()> printPage,
                QWidget* parent = nullptr);

    int zoom() const { return zoom_; }
    // Ignored outside 25..150 or when unchanged; otherwise lays the paper
    // out again and repaints.
    void setZoom(int zoom);

    QPushButton* BitBtn1;       // "印刷(&P)"
    QToolButton* SpeedButton1;  // zoom in
    QToolButton* SpeedButton2;  // zoom out
    QLabel* Label1;             // "x50%"
    QPushButton* BitBtn2;       // "閉じる(&C)"
    QScrollArea* ScrollBox1;
    QWidget* Panel2;    // the paper
    QWidget* PaintBox1;  // the printable area on it

    // Places the paper in the scroll box for the zoom and the box's size.
    void layOutPaper();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class PageView;
    void PaintBox1Paint(QPainter& painter);

    PaperMetrics paper_;
    int screenPpi_;
    QRect workArea_;
    std::function<void(QPainter&, int)> paintPage_;
    int zoom_ = 100;
    QWidget* content_;  // the scroll box's area, at least as large as its view
};

}  // namespace kelmora
