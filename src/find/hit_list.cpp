#include "find/hit_list.h"

#include <QApplication>
#include <QPainter>
#include <QPoint>
#include <QTextLayout>

#include "main/month_model.h"
#include "platform/qt_text.h"

namespace kelmora {
namespace {

constexpr int kPad = 4;     // from the row's edges to its texts
constexpr int kGap = 12;    // between the date and the line
// The widest date, to line up the memo lines of every row.
const Date kWidestDate{2000, 12, 28};

}  // namespace

QString HitListModel::dateText(const Date& date) {
    return japanese("%1年%2月%3日(%4)")
        .arg(date.year)
        .arg(date.month)
        .arg(date.day)
        .arg(toQString(weekdayName(weekdayOf(date.year, date.month, date.day))));
}

void HitListModel::setHits(const std::vector<MemoHit>& hits) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(hits.size());
    for (const MemoHit& hit : hits) {
        Row row{hit.date, dateText(hit.date), toQString(hit.line), {}};
        // CP932 characters are each one UTF-16 unit: counting the characters
        // before a span gives its place in the QString.
        for (const TextSpan& span : hit.spans) {
            const int start = static_cast<int>(toQString(hit.line.substr(0, span.start)).size());
            const int length = static_cast<int>(toQString(hit.line.substr(span.start, span.length)).size());
            row.spans.push_back(QPoint(start, length));
        }
        rows_.push_back(std::move(row));
    }
    endResetModel();
}

int HitListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant HitListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole: return row.dateText + QStringLiteral("  ") + row.line;
        case DateTextRole: return row.dateText;
        case LineRole: return row.line;
        case SpansRole: return row.spans;
        default: return {};
    }
}

void HitDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();  // the background, the selection and the focus only
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const bool selected = opt.state & QStyle::State_Selected;
    const QColor ink = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect area = opt.rect.adjusted(kPad, 0, -kPad, 0);
    const int dateWidth = opt.fontMetrics.horizontalAdvance(HitListModel::dateText(kWidestDate));

    painter->save();
    painter->setClipRect(area);
    painter->setFont(opt.font);
    painter->setPen(ink);
    painter->drawText(QRect(area.left(), area.top(), dateWidth, area.height()), Qt::AlignVCenter | Qt::AlignLeft,
                      index.data(HitListModel::DateTextRole).toString());

    QTextLayout layout(index.data(HitListModel::LineRole).toString(), opt.font);
    QList<QTextLayout::FormatRange> marks;
    for (const QVariant& span : index.data(HitListModel::SpansRole).toList()) {
        QTextLayout::FormatRange mark;
        mark.start = span.toPoint().x();
        mark.length = span.toPoint().y();
        mark.format.setBackground(markerColour());
        mark.format.setForeground(QColor(Qt::black));
        marks.push_back(mark);
    }
    layout.setFormats(marks);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) line.setLineWidth(1e6);  // one line, clipped at the row's end
    layout.endLayout();
    const qreal top = area.top() + (area.height() - (line.isValid() ? line.height() : 0)) / 2;
    layout.draw(painter, QPointF(area.left() + dateWidth + kGap, top));
    painter->restore();
}

QSize HitDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 2 * kPad));
    return size;
}

}  // namespace kelmora
