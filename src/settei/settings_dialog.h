#pragma once
// The settings dialog "設定": fonts, colours, sizes and text positions of the
// calendar, the weekly days off and holiday names, the deletion of old month
// files, tray residence and the week start. It works on copies shown at once
// in two preview grids; only OK writes them to the settings file and hands
// them to the calendar window.

#include <QDialog>
#include <array>
#include <cstdint>

#include "CtrlsEx/button_ex.h"
#include "settei/settings.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPainter;
class QPlainTextEdit;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace kelmora {

class OwnerDrawGrid;
class TColourList;
class TForm1;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBandFontMax = 20;   // points
    static constexpr int kTitleFontMax = 26;  // points

    explicit TForm2(TForm1& calendar);

    // --- working copies, filled from the calendar when the dialog is made ---
    Tdayran header, date;
    Tmemoran memo;
    TitleFont title;
    Colour windowColour = 0, todayColour = 0, arrowColour = 0;
    bool deleteOldFiles = false;
    std::uint16_t keepMonths = 0;
    bool trayTouched = false;  // the tray check box was clicked
    const QString sampleText;

    // The colour each list (1..8) and each button (1..11) shows and sets.
    Colour& listColour(int slot);
    Colour& buttonColour(int slot);

    // --- controls, named as the handlers know them ---
    QTabWidget* PageCtl;
    QWidget *Sheet1, *TabSheet1, *TabSheet2, *Sheet2, *TabSheet3;
    OwnerDrawGrid* dg2;
    OwnerDrawGrid* dg3;
    QPushButton *btnweekfont, *btndayfont, *btnmemofont, *Button1;
    QComboBox *weekbox, *CBox1;
    std::array<TColourList*, 9> colorcombo{};   // [1]..[8]
    std::array<TButtonEx*, 12> btnbackcolor{};  // [1]..[11]
    QSlider *TBar1, *TBar2;
    QLabel *Label1, *Label9;
    QFrame* Panel1;
    QLabel* lbltitle;
    QRadioButton *rbtodayoff, *rbtodayon;
    QLabel* Label16;
    std::array<QCheckBox*, 7> ckbweek{};  // index = weekday, 0 Sunday
    QCheckBox* cb_hname;
    QRadioButton *RadioB1, *RadioB2;
    QComboBox* ComboBox1;
    QLabel* ComboBox1Label;
    QPlainTextEdit* Memo1;
    QCheckBox* cbx_jouchuu;
    QRadioButton *rb_sunstart, *rb_monstart;
    QPushButton *btnok, *btncancel;

    // --- handlers ---
    void dg2DrawCell(QPainter& painter, int col, int row, const QRect& rect);
    void dg3DrawCell(QPainter& painter, int col, int row, const QRect& rect);
    void TBar1Change();
    void TBar2Change();
    void weekboxChange();
    void CBox1Change();
    void btnweekfontClick();
    void btndayfontClick();
    void btnmemofontClick();
    void Button1Click();
    void setcolor(int slot);
    void backcolorset(int slot);
    void drawbuttoncolor(int slot, QPainter& painter, const QRect& rect, TOwnerDrawState state);
    void rbtodayonClick();
    void cb_hnameClick();
    void RadioB1Click();
    void ComboBox1Change();
    void cbx_jouchuuClick();
    void btnokClick();
    void btncancelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createSheet1();
    void createTabSheet1();
    void createTabSheet2();
    void createSheet2();
    void createTabSheet3();
    void FormCreate();
    TColourList* makeColourList(QWidget* parent, int slot, const QRect& geometry);
    TButtonEx* makeColourButton(QWidget* parent, int slot, const char* caption, const char* hint,
                                const QRect& geometry);
    // Takes the picked face, size and style into a font of the settings;
    // false when the face's name cannot be stored.
    bool takeFont(const QFont& picked, std::string& name, std::int32_t& size, std::uint8_t& style);
    void showTitleColours();
    void centreTitle();
    void repaintPreviews();
    // The settings as OK stores them: the calendar's, with the dialog's choices.
    Settings chosenSettings() const;

    TForm1& calendar_;
};

}  // namespace kelmora
