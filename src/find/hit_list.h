#pragma once
// The list of days a memo search found: each row the date with its weekday
// and the memo line, the found text marked in the line.

#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <vector>

#include "find/memo_search.h"

namespace kelmora {

class HitListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        DateTextRole = Qt::UserRole + 1,  // "2024年5月3日(金)"
        LineRole,                         // the memo line
        SpansRole,                        // QVariantList of QPoint(start, length) in the line's characters
    };

    explicit HitListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void setHits(const std::vector<MemoHit>& hits);
    const Date& dateAt(int row) const { return rows_[static_cast<std::size_t>(row)].date; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    static QString dateText(const Date& date);

private:
    struct Row {
        Date date;
        QString dateText;
        QString line;
        QVariantList spans;
    };
    std::vector<Row> rows_;
};

// Paints a row: the date in a column as wide as the widest date, then the
// line with the found text on a marker colour.
class HitDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The marker behind the found text, readable on a selected row too.
    static QColor markerColour() { return QColor(255, 226, 80); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace kelmora
