#pragma once
// Chooses the first and the last month of an iCalendar export, each by a
// year and a month spin control. Spinning the month past December or January
// carries into the year. The two never cross: moving one past the other
// takes the other along.

#include <QDialog>

#include "export/calendar_export.h"

class QLabel;
class QPushButton;

namespace kelmora {

class TEditEx;
class TUpDown;

class Tform_export : public QDialog {
    Q_OBJECT
public:
    explicit Tform_export(QWidget* parent = nullptr);

    // Preset by the caller before showing, read after it closes.
    void setMonths(YearMonth first, YearMonth last);
    YearMonth first() const;
    YearMonth last() const;
    // True only when the dialog was closed with OK.
    bool exportConfirmed = false;
    // The folder the last export went to, where the next one is offered.
    QString lastFolder;

    TUpDown* upfirstyear;
    TUpDown* upfirstmonth;
    TUpDown* uplastyear;
    TUpDown* uplastmonth;
    TEditEx* firstYearField;
    QPushButton* btnok;
    QPushButton* btncancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void spun(bool firstMoved);
    void setFirst(YearMonth ym);
    void setLast(YearMonth ym);

    bool adjusting_ = false;
};

}  // namespace kelmora
