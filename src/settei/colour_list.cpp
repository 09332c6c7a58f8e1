#include "settei/colour_list.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "platform/colours.h"

namespace kelmora {

const std::array<ColourChoice, 15> kColourChoices{{
    {"黒", 0x000000},
    {"赤", 0x0000FF},
    {"水色", 0xFFFF00},
    {"青", 0xFF0000},
    {"茶色", 0x000080},
    {"黄色", 0x00FFFF},
    {"緑", 0x008000},
    {"紫", 0x800080},
    {"赤紫", 0xFF00FF},
    {"紺", 0x800000},
    {"黄緑", 0x00FF00},
    {"青緑", 0x808000},
    {"灰色", 0x808080},
    {"銀色", 0xC0C0C0},
    {"白", 0xFFFFFF},
}};

namespace {

// The open list draws its items the same way as the closed box.
class ColourItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        TColourList::drawitem(*painter, option.rect, index.row(), option.state & QStyle::State_Selected,
                              option.palette);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width() + 24, TColourList::kItemHeight);
    }
};

}  // namespace

TColourList::TColourList(QWidget* parent) : QComboBox(parent) {
    for (const ColourChoice& c : kColourChoices) addItem(QString::fromUtf8(c.caption));
    setItemDelegate(new ColourItemDelegate(this));
    setMaxVisibleItems(static_cast<int>(kColourChoices.size()));
    setCurrentIndex(-1);
}

void TColourList::selectColour(Colour value) {
    for (int i = 0; i < static_cast<int>(kColourChoices.size()); ++i)
        if (kColourChoices[i].value == value) {
            setCurrentIndex(i);
            return;
        }
    setCurrentIndex(-1);
}

Colour TColourList::colourAt(int index) {
    if (index < 1 || index >= static_cast<int>(kColourChoices.size())) return kColourChoices[0].value;
    return kColourChoices[index].value;
}

void TColourList::drawitem(QPainter& p, const QRect& rect, int index, bool selected, const QPalette& palette) {
    p.save();
    p.fillRect(rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
    if (index >= 0 && index < static_cast<int>(kColourChoices.size())) {
        p.setPen(selected ? palette.color(QPalette::HighlightedText) : QColor(Qt::black));
        const QRect caption(rect.left() + 24, rect.top(), rect.width() - 24, rect.height());
        p.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::fromUtf8(kColourChoices[index].caption));
        p.setPen(QColor(Qt::black));
        p.setBrush(toQColor(kColourChoices[index].value));
        // From (2, top + 2) to (20, top + 14), right and bottom edges exclusive.
        p.drawRect(QRect(rect.left() + 2, rect.top() + 2, 17, 11));
    }
    p.restore();
}

// The frame and arrow of a drop-down list, with the chosen item drawn in it.
void TColourList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    field.setHeight(std::min(field.height(), kItemHeight));
    field.moveTop(option.rect.top() + (option.rect.height() - field.height()) / 2);
    drawitem(painter, field, currentIndex(), hasFocus(), palette());
}

}  // namespace kelmora
