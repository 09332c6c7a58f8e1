// The settings dialog's pages and controls, and how it fills them from the
// calendar window when it is made.

#include "settei/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include "main/TForm1.h"
#include "main/calendar_look.h"
#include "platform/colours.h"
#include "platform/dialog_font.h"
#include "platform/owner_draw_grid.h"
#include "platform/qt_text.h"
#include "platform/screen_centre.h"
#include "settei/colour_list.h"

namespace kelmora {
namespace {

constexpr int kMemoWidthMin = 50, kMemoWidthMax = 200;
constexpr int kMemoHeightMin = 30, kMemoHeightMax = 100;

QLabel* label(QWidget* parent, const char* text, int x, int y) {
    auto* l = new QLabel(japanese(text), parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QGroupBox* group(QWidget* parent, const char* title, const QRect& geometry) {
    auto* g = new QGroupBox(japanese(title), parent);
    g->setGeometry(geometry);
    return g;
}

QPushButton* button(QWidget* parent, const char* caption, const char* hint, const QRect& geometry) {
    auto* b = new QPushButton(japanese(caption), parent);
    b->setGeometry(geometry);
    if (hint) b->setToolTip(japanese(hint));
    return b;
}

QComboBox* textPositionList(QWidget* parent, const QRect& geometry) {
    auto* list = new QComboBox(parent);
    list->addItems({japanese("左寄せ"), japanese("中央"), japanese("右寄せ")});
    list->setGeometry(geometry);
    return list;
}

// 0, 1, 2 select their item; any other position leaves the list without one.
void selectTextPosition(QComboBox* list, int textpos) {
    list->setCurrentIndex(textpos >= 0 && textpos <= 2 ? textpos : -1);
}

QSlider* slider(QWidget* parent, Qt::Orientation orientation, int min, int max, const QRect& geometry) {
    auto* s = new QSlider(orientation, parent);
    s->setRange(min, max);
    s->setPageStep(1);
    s->setTickInterval(10);
    s->setTickPosition(orientation == Qt::Horizontal ? QSlider::TicksBelow : QSlider::TicksRight);
    // The smallest value at the top, as a row border is dragged down to grow.
    if (orientation == Qt::Vertical) s->setInvertedAppearance(true);
    s->setGeometry(geometry);
    return s;
}

// A grid drawn entirely by the dialog, to look at only.
OwnerDrawGrid* previewGrid(QWidget* parent, const QRect& geometry, int cols, int rows) {
    auto* grid = new OwnerDrawGrid(parent);
    grid->setGeometry(geometry);
    grid->setColCount(cols);
    grid->setRowCount(rows);
    grid->setFocusPolicy(Qt::NoFocus);
    return grid;
}

// The retention months offered, by item.
constexpr std::uint16_t kKeepMonths[] = {0, 1, 2, 5, 11};

}  // namespace

TForm2::TForm2(TForm1& calendar)
    : QDialog(&calendar), sampleText(japanese("あいうえおかきくけこさしすせそ")), calendar_(calendar) {
    setWindowTitle(japanese("設定"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(dialogFont(12));
    setFixedSize(532, 374);

    PageCtl = new QTabWidget(this);
    PageCtl->setGeometry(0, 0, 532, 332);
    Sheet1 = new QWidget;
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    Sheet2 = new QWidget;
    TabSheet3 = new QWidget;
    PageCtl->addTab(Sheet1, japanese("カレンダー"));
    PageCtl->addTab(TabSheet1, japanese("カレンダー(2)"));
    PageCtl->addTab(TabSheet2, japanese("週休・祝日名"));
    PageCtl->addTab(Sheet2, japanese("メモデータ"));
    PageCtl->addTab(TabSheet3, japanese("常駐・曜日並び"));
    createSheet1();
    createTabSheet1();
    createTabSheet2();
    createSheet2();
    createTabSheet3();

    btnok = new QPushButton(captionForModalResult(1), this);
    btnok->setGeometry(358, 344, 72, 24);
    btnok->setDefault(true);
    btncancel = new QPushButton(captionForModalResult(2), this);
    btncancel->setGeometry(443, 344, 72, 24);
    connect(btnok, &QPushButton::clicked, this, [this] { btnokClick(); });
    connect(btncancel, &QPushButton::clicked, this, [this] { btncancelClick(); });

    FormCreate();
}

// --- the pages -------------------------------------------------------------------

TColourList* TForm2::makeColourList(QWidget* parent, int slot, const QRect& geometry) {
    auto* list = new TColourList(parent);
    list->setObjectName(QStringLiteral("colorcombo_%1").arg(slot));
    list->setGeometry(geometry);
    colorcombo[slot] = list;
    connect(list, &QComboBox::activated, this, [this, slot] { setcolor(slot); });
    return list;
}

TButtonEx* TForm2::makeColourButton(QWidget* parent, int slot, const char* caption, const char* hint,
                                    const QRect& geometry) {
    auto* b = new TButtonEx(parent);
    b->setObjectName(slot == 3 ? QStringLiteral("Btnbackcolor_3") : QStringLiteral("btnbackcolor_%1").arg(slot));
    b->setText(japanese(caption));
    b->setToolTip(japanese(hint));
    b->setGeometry(geometry);
    b->setSytle(bsOwnerDrawWithFrame);
    b->OnDrawButton = [this, slot](TButtonEx*, QPainter& p, const QRect& r, TOwnerDrawState state) {
        drawbuttoncolor(slot, p, r, state);
    };
    btnbackcolor[slot] = b;
    connect(b, &QPushButton::clicked, this, [this, slot] { backcolorset(slot); });
    return b;
}

// "カレンダー": the preview of the three bands, their fonts, text positions
// and colours, and the memo cells' size.
void TForm2::createSheet1() {
    dg2 = previewGrid(Sheet1, QRect(8, 16, 249, 161), 2, 3);
    dg2->onDrawCell = [this](QPainter& p, int col, int row, const QRect& r) { dg2DrawCell(p, col, row, r); };

    QGroupBox* size = group(Sheet1, "メモ欄の大きさ", QRect(8, 184, 249, 116));
    label(size, "横幅：", 10, 28);
    TBar1 = slider(size, Qt::Horizontal, kMemoWidthMin, kMemoWidthMax, QRect(70, 18, 130, 32));
    Label1 = label(size, "", 208, 28);
    Label1->setFixedWidth(32);
    label(size, "最低の高さ：", 10, 74);
    TBar2 = slider(size, Qt::Vertical, kMemoHeightMin, kMemoHeightMax, QRect(80, 54, 32, 58));
    Label9 = label(size, "", 118, 74);
    Label9->setFixedWidth(32);
    connect(TBar1, &QSlider::valueChanged, this, [this] { TBar1Change(); });
    connect(TBar2, &QSlider::valueChanged, this, [this] { TBar2Change(); });

    struct Band {
        const char* title;
        int top;
        QPushButton** fontButton;
        const char* fontHint;
        QComboBox** position;  // none for the memo band
        int holidaySlot, weekdaySlot;
        int holidayButton, weekdayButton;
        const char *holidayHint, *weekdayHint;
    };
    const Band bands[] = {
        {"曜日欄", 0, &btnweekfont, "曜日のフォント設定", &weekbox, 1, 2, 1, 2, "日曜部分の背景色設定",
         "平日部分の背景色設定"},
        {"日付欄", 101, &btndayfont, "日付のフォント設定", &CBox1, 3, 4, 3, 4, "休日の背景色設定", "平日の背景色設定"},
        {"メモ欄", 202, &btnmemofont, "メモのフォント設定", nullptr, 5, 6, 5, 6, "休日の背景色設定",
         "平日の背景色設定"},
    };
    for (const Band& b : bands) {
        QGroupBox* g = group(Sheet1, b.title, QRect(262, b.top, 264, 98));
        *b.fontButton = button(g, "フォント...", b.fontHint, QRect(6, 18, 56, 22));
        if (b.position) {
            label(g, "表示位置", 66, 22);
            *b.position = textPositionList(g, QRect(116, 18, 66, 22));
        }
        label(g, "背景色の設定", 188, 22);
        label(g, "休日の文字色", 6, 48);
        makeColourList(g, b.holidaySlot, QRect(82, 44, 96, 22));
        makeColourButton(g, b.holidayButton, "休日...", b.holidayHint, QRect(188, 42, 70, 24));
        label(g, "平日の文字色", 6, 74);
        makeColourList(g, b.weekdaySlot, QRect(82, 70, 96, 22));
        makeColourButton(g, b.weekdayButton, "平日...", b.weekdayHint, QRect(188, 68, 70, 24));
    }
    connect(btnweekfont, &QPushButton::clicked, this, [this] { btnweekfontClick(); });
    connect(btndayfont, &QPushButton::clicked, this, [this] { btndayfontClick(); });
    connect(btnmemofont, &QPushButton::clicked, this, [this] { btnmemofontClick(); });
    connect(weekbox, &QComboBox::activated, this, [this] { weekboxChange(); });
    connect(CBox1, &QComboBox::activated, this, [this] { CBox1Change(); });
}

// "カレンダー(2)": adjacent-month cells, the today mark, the arrows and the
// title, with a preview of the first two.
void TForm2::createTabSheet1() {
    dg3 = previewGrid(TabSheet1, QRect(0, 8, 321, 113), 3, 2);
    dg3->onDrawCell = [this](QPainter& p, int col, int row, const QRect& r) { dg3DrawCell(p, col, row, r); };

    Panel1 = new QFrame(TabSheet1);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(0, 128, 321, 66);
    Panel1->setAutoFillBackground(true);
    lbltitle = new QLabel(Panel1);
    lbltitle->setAlignment(Qt::AlignCenter);

    QGroupBox* titleText = group(TabSheet1, "年月表示文字", QRect(0, 200, 186, 100));
    Button1 = button(titleText, "フォント...", "年月のフォント設定", QRect(10, 22, 72, 24));
    label(titleText, "文字色", 10, 64);
    makeColourList(titleText, 7, QRect(52, 60, 96, 22));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    QGroupBox* round = group(TabSheet1, "年月表示部周辺", QRect(192, 200, 129, 100));
    label(round, "色設定", 10, 26);
    makeColourButton(round, 11, "色変更...", "ウィンドウ余白の色設定", QRect(10, 46, 80, 24));

    QGroupBox* today = group(TabSheet1, "今日の印", QRect(328, 2, 194, 90));
    rbtodayoff = new QRadioButton(japanese("印を付けない"), today);
    rbtodayoff->setGeometry(10, 18, 150, 20);
    rbtodayon = new QRadioButton(japanese("印を付ける"), today);
    rbtodayon->setGeometry(10, 38, 150, 20);
    Label16 = label(today, "今日の印の色設定", 10, 66);
    makeColourButton(today, 9, "印の色...", "今日の印の色設定", QRect(112, 60, 74, 24));
    connect(rbtodayoff, &QRadioButton::clicked, this, [this] { rbtodayonClick(); });
    connect(rbtodayon, &QRadioButton::clicked, this, [this] { rbtodayonClick(); });

    QGroupBox* adjacent = group(TabSheet1, "隣接月部（日付の無い部分）", QRect(328, 96, 194, 128));
    label(adjacent, "背景色の設定", 10, 20);
    makeColourButton(adjacent, 7, "日付欄...", "日付欄の背景色設定", QRect(10, 38, 80, 24));
    makeColourButton(adjacent, 8, "メモ欄...", "メモ欄の背景色設定", QRect(98, 38, 80, 24));
    label(adjacent, "メモ欄の", 10, 76);
    label(adjacent, "文字色設定", 10, 92);
    makeColourList(adjacent, 8, QRect(82, 82, 96, 22));

    QGroupBox* arrow = group(TabSheet1, "矢印", QRect(328, 228, 194, 72));
    label(arrow, "色設定", 10, 32);
    makeColourButton(arrow, 10, "色変更...", "矢印の色設定", QRect(60, 26, 80, 24));
}

// "週休・祝日名": the weekly days off and the holiday names.
void TForm2::createTabSheet2() {
    static const char* const days[7] = {"日曜", "月曜", "火曜", "水曜", "木曜", "金曜", "土曜"};
    QGroupBox* weekly = group(TabSheet2, "週休", QRect(8, 8, 510, 112));
    for (int d = 0; d < 7; ++d) {
        ckbweek[d] = new QCheckBox(japanese(days[d]), weekly);
        ckbweek[d]->setObjectName(QStringLiteral("ckbweek_%1").arg(d));
        ckbweek[d]->setGeometry(14 + d * 70, 24, 64, 20);
    }
    label(weekly, "注：祝日が日曜の場合は、", 14, 60);
    label(weekly, "週休の設定にかかわらず月曜を休日にします", 14, 78);

    QGroupBox* names = group(TabSheet2, "祝日名表示", QRect(8, 128, 510, 76));
    cb_hname = new QCheckBox(japanese("祝日名を表示する"), names);
    cb_hname->setGeometry(14, 22, 200, 20);
    label(names, "注：日付表示が中央の場合は表示されません", 14, 50);
    connect(cb_hname, &QCheckBox::clicked, this, [this] { cb_hnameClick(); });
}

// "メモデータ": deleting old month files.
void TForm2::createSheet2() {
    label(Sheet2, "古くなったメモデータファイルを削除するかを設定します", 14, 14);
    RadioB1 = new QRadioButton(japanese("削除しない"), Sheet2);
    RadioB1->setGeometry(24, 44, 150, 20);
    RadioB1->setChecked(true);
    RadioB2 = new QRadioButton(japanese("削除する"), Sheet2);
    RadioB2->setGeometry(24, 72, 90, 20);
    ComboBox1 = new QComboBox(Sheet2);
    ComboBox1->addItems(
        {japanese("翌月"), japanese("2ヶ月後"), japanese("3ヶ月後"), japanese("6ヶ月後"), japanese("12ヶ月後")});
    ComboBox1->setGeometry(114, 70, 90, 22);
    ComboBox1Label = label(Sheet2, "に削除する", 210, 74);
    Memo1 = new QPlainTextEdit(Sheet2);
    Memo1->setGeometry(44, 108, 270, 78);
    Memo1->setReadOnly(true);
    Memo1->setPlainText(
        japanese("翌月に削除する設定にすると、例えば\n4月分のメモデータファイルは5月1日以\n"
                 "降に本ソフトを終了させた時に削除され\nます。"));
    connect(RadioB1, &QRadioButton::clicked, this, [this] { RadioB1Click(); });
    connect(RadioB2, &QRadioButton::clicked, this, [this] { RadioB1Click(); });
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
}

// "常駐・曜日並び": tray residence and the week start.
void TForm2::createTabSheet3() {
    QGroupBox* tray = group(TabSheet3, "常駐設定", QRect(8, 8, 510, 60));
    cbx_jouchuu = new QCheckBox(japanese("最小化時はタスクバー（通知領域）に格納"), tray);
    cbx_jouchuu->setGeometry(14, 26, 400, 20);
    connect(cbx_jouchuu, &QCheckBox::clicked, this, [this] { cbx_jouchuuClick(); });

    QGroupBox* order = group(TabSheet3, "曜日の並び順", QRect(8, 76, 510, 80));
    rb_sunstart = new QRadioButton(japanese("日曜が左端"), order);
    rb_sunstart->setGeometry(14, 24, 200, 20);
    rb_monstart = new QRadioButton(japanese("月曜が左端"), order);
    rb_monstart->setGeometry(14, 48, 200, 20);
}

// --- filling the copies and the controls ------------------------------------------

void TForm2::FormCreate() {
    const Settings& s = calendar_.settings;
    header = s.header;
    date = s.date;
    memo = s.memo;
    title = s.title;
    windowColour = s.windowColour;
    todayColour = s.todayColour;
    arrowColour = s.arrowColour;
    deleteOldFiles = s.deleteOldFiles;
    keepMonths = s.keepMonths;

    // The previews take the calendar grid's sizes.
    const OwnerDrawGrid* grid = calendar_.dg1;
    dg2->setDefaultColWidth(grid->defaultColWidth());
    dg2->setRowHeight(0, grid->rowHeight(0));
    dg2->setRowHeight(1, grid->defaultRowHeight());
    dg2->setRowHeight(2, memo.height);
    dg3->setDefaultColWidth(grid->defaultColWidth());
    dg3->setRowHeight(0, grid->defaultRowHeight());
    dg3->setRowHeight(1, memo.height);

    // The sliders keep their ranges: a width or height outside them is
    // taken at the slider's end, and the copy follows the slider.
    for (QSlider* s : {TBar1, TBar2}) s->blockSignals(true);
    TBar1->setValue(grid->defaultColWidth());
    TBar2->setValue(memo.height);
    for (QSlider* s : {TBar1, TBar2}) s->blockSignals(false);
    TBar1Change();
    TBar2Change();

    selectTextPosition(weekbox, header.textpos);
    selectTextPosition(CBox1, date.textpos);
    for (int slot = 1; slot <= 8; ++slot) colorcombo[slot]->selectColour(listColour(slot));

    lbltitle->setText(calendar_.Label1->text());
    lbltitle->setFont(titleFontOf(title));
    showTitleColours();
    centreTitle();

    (s.todayMark ? rbtodayon : rbtodayoff)->setChecked(true);
    rbtodayonClick();

    (deleteOldFiles ? RadioB2 : RadioB1)->setChecked(true);
    RadioB1Click();
    ComboBox1->setCurrentIndex(-1);
    for (int i = 0; i < static_cast<int>(std::size(kKeepMonths)); ++i)
        if (kKeepMonths[i] == keepMonths) ComboBox1->setCurrentIndex(i);

    for (int d = 0; d < 7; ++d) ckbweek[d]->setChecked(s.weeklyHolidays[d]);
    cb_hname->setChecked(date.holiname);
    cbx_jouchuu->setChecked(s.trayResidence);
    trayTouched = false;
    (s.mondayStart ? rb_monstart : rb_sunstart)->setChecked(true);
}

void TForm2::ComboBox1Change() {
    const int item = ComboBox1->currentIndex();
    if (item >= 0 && item < static_cast<int>(std::size(kKeepMonths))) keepMonths = kKeepMonths[item];
}

Colour& TForm2::listColour(int slot) {
    switch (slot) {
        case 1: return header.font.colour1;
        case 2: return header.font.colour2;
        case 3: return date.font.colour1;
        case 4: return date.font.colour2;
        case 5: return memo.font.colour1;
        case 6: return memo.font.colour2;
        case 7: return title.colour;
        default: return memo.font.colour3;
    }
}

Colour& TForm2::buttonColour(int slot) {
    switch (slot) {
        case 1: return header.bkcolor1;
        case 2: return header.bkcolor2;
        case 3: return date.bkcolor1;
        case 4: return date.bkcolor2;
        case 5: return memo.bkcolor1;
        case 6: return memo.bkcolor2;
        case 7: return date.bkrinsetu;
        case 8: return memo.bkrinsetu;
        case 9: return todayColour;
        case 10: return arrowColour;
        default: return windowColour;
    }
}

// The title preview in its colour, on the window colour.
void TForm2::showTitleColours() {
    QPalette text = lbltitle->palette();
    text.setColor(QPalette::WindowText, toQColor(title.colour));
    lbltitle->setPalette(text);
    QPalette panel = Panel1->palette();
    panel.setColor(QPalette::Window, toQColor(windowColour));
    Panel1->setPalette(panel);
}

void TForm2::centreTitle() {
    lbltitle->adjustSize();
    lbltitle->move(Panel1->width() / 2 - lbltitle->width() / 2, (Panel1->height() - lbltitle->height()) / 2);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
}

}  // namespace kelmora
