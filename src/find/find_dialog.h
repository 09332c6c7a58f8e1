#pragma once
// "メモの検索": a text is looked for in the memos of every month; the days
// found are listed, and one of them is chosen to be shown.
//
// Enter in the text field searches and moves the keyboard to the list, its
// first day selected; Enter or a double click on a day closes the dialog
// with that day chosen. The text of the last search stays for the next
// opening, which lists its days afresh.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "find/memo_search.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace kelmora {

class HitListModel;

class Tform_find : public QDialog {
    Q_OBJECT
public:
    explicit Tform_find(QWidget* parent = nullptr);

    // Runs the search for a CP932 text (the owner saves its month first).
    std::function<MemoSearchResult(const std::string& query)> onSearch;

    // The day chosen when the dialog closed; nothing after Close or Escape.
    std::optional<Date> chosenDay() const { return chosen_; }

    QLineEdit* EditText;
    QPushButton* BtnSearch;
    QListView* ListHits;
    QLabel* LabelStatus;
    QPushButton* BtnShow;
    QPushButton* BtnClose;

    void search();
    void showChosen();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Lists the days holding the field's text; `keepDay` stays selected when
    // it is still among them.
    void runSearch(std::optional<Date> keepDay);
    std::optional<Date> currentDay() const;

    HitListModel* hits_;
    std::optional<Date> chosen_;
};

}  // namespace kelmora
