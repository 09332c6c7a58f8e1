#include "find/find_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "find/hit_list.h"
#include "platform/event_hook.h"
#include "platform/qt_text.h"
#include "platform/screen_centre.h"

namespace kelmora {
namespace {

bool isEnter(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !(key->modifiers() & ~Qt::KeypadModifier);
}

QString statusText(std::size_t days, const std::vector<std::string>& unreadable) {
    QString text = days == 0 ? japanese("該当するメモはありません")
                             : japanese("%1 件見つかりました").arg(static_cast<qulonglong>(days));
    if (!unreadable.empty()) {
        QStringList names;
        for (const std::string& name : unreadable) names << QString::fromStdString(name);
        text += japanese("\n読み込めないメモデータファイル %1 個は検索していません：%2")
                    .arg(unreadable.size())
                    .arg(names.join(japanese("、")));
    }
    return text;
}

}  // namespace

Tform_find::Tform_find(QWidget* parent) : QDialog(parent) {
    setWindowTitle(japanese("メモの検索"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(520, 380);

    auto* prompt = new QLabel(japanese("検索する文字(&T)："), this);
    EditText = new QLineEdit(this);
    prompt->setBuddy(EditText);
    BtnSearch = new QPushButton(japanese("検索(&S)"), this);
    BtnSearch->setDefault(true);

    hits_ = new HitListModel(this);
    ListHits = new QListView(this);
    ListHits->setModel(hits_);
    ListHits->setItemDelegate(new HitDelegate(ListHits));
    ListHits->setUniformItemSizes(true);
    ListHits->setSelectionMode(QAbstractItemView::SingleSelection);
    ListHits->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* listCaption = new QLabel(japanese("見つかった日(&L)："), this);
    listCaption->setBuddy(ListHits);

    LabelStatus = new QLabel(this);
    LabelStatus->setWordWrap(true);
    BtnShow = new QPushButton(japanese("この日を表示(&D)"), this);
    BtnClose = new QPushButton(japanese("閉じる"), this);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(prompt);
    searchRow->addWidget(EditText, 1);
    searchRow->addWidget(BtnSearch);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(LabelStatus, 1);
    buttonRow->addWidget(BtnShow);
    buttonRow->addWidget(BtnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(listCaption);
    layout->addWidget(ListHits, 1);
    layout->addLayout(buttonRow);

    connect(BtnSearch, &QPushButton::clicked, this, &Tform_find::search);
    connect(BtnShow, &QPushButton::clicked, this, &Tform_find::showChosen);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListHits, &QAbstractItemView::doubleClicked, this, &Tform_find::showChosen);
    connect(ListHits->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { BtnShow->setEnabled(currentDay().has_value()); });

    // Enter acts on the control that has it (the default button would search
    // again from the list); Down leaves the field for the list.
    auto* keys = new EventHook(this, [this](QObject* watched, QEvent* event) {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == EditText && isEnter(key)) {
            search();
            return true;
        }
        if (watched == EditText && key->key() == Qt::Key_Down && hits_->rowCount() > 0) {
            ListHits->setFocus(Qt::TabFocusReason);
            if (!ListHits->currentIndex().isValid()) ListHits->setCurrentIndex(hits_->index(0));
            return true;
        }
        if (watched == ListHits && isEnter(key)) {
            showChosen();
            return true;
        }
        return false;
    });
    EditText->installEventFilter(keys);
    ListHits->installEventFilter(keys);
    BtnShow->setEnabled(false);
}

void Tform_find::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
    chosen_.reset();
    // The days of the last search, as the memos are now.
    if (!EditText->text().isEmpty()) runSearch(currentDay());
    EditText->selectAll();
    EditText->setFocus(Qt::OtherFocusReason);
}

void Tform_find::search() {
    runSearch(std::nullopt);
    if (hits_->rowCount() > 0) {
        ListHits->setFocus(Qt::OtherFocusReason);
    } else {
        EditText->selectAll();
        EditText->setFocus(Qt::OtherFocusReason);
    }
}

void Tform_find::runSearch(std::optional<Date> keepDay) {
    const QString text = EditText->text();
    MemoSearchResult result;
    // A character no memo can hold is found nowhere.
    if (const std::optional<std::string> query = toCp932(text); query && !text.isEmpty() && onSearch)
        result = onSearch(*query);
    hits_->setHits(result.hits);
    LabelStatus->setText(text.isEmpty() ? QString() : statusText(result.hits.size(), result.unreadable));
    int row = 0;
    for (std::size_t i = 0; keepDay && i < result.hits.size(); ++i)
        if (result.hits[i].date == *keepDay) row = static_cast<int>(i);
    if (hits_->rowCount() > 0) ListHits->setCurrentIndex(hits_->index(row));
    BtnShow->setEnabled(currentDay().has_value());
}

std::optional<Date> Tform_find::currentDay() const {
    const QModelIndex current = ListHits->currentIndex();
    if (!current.isValid()) return std::nullopt;
    return hits_->dateAt(current.row());
}

void Tform_find::showChosen() {
    chosen_ = currentDay();
    if (chosen_) accept();
}

}  // namespace kelmora
