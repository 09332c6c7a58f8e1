#include "main/TForm1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/cp932.h"
#include "main/expired_files.h"
#include "main/toolbar_icons.h"
#include "platform/colours.h"
#include "platform/event_hook.h"
#include "platform/owner_draw_grid.h"
#include "platform/passing_note.h"
#include "platform/qt_text.h"
#include "prnset/month_page.h"
#include "SysCtrls/application_object.h"
#include "settei/legacy_settings.h"

namespace kelmora {
namespace {

constexpr int kToolBarHeight = 30;
constexpr int kTitleGap = 4;    // title row below the toolbar
constexpr int kGridGap = 5;     // grid below the title row
constexpr int kButtonGap = 35;  // month buttons beside the title


}  // namespace

TForm1::TForm1(WindowEnvironment environment, QWidget* parent)
    : QMainWindow(parent),
      env_(std::move(environment)),
      settingsFile_(*env_.files, env_.programDir),
      store_(*env_.files, *env_.dialogs, env_.programDir),
      rescue_(*env_.files, env_.rescueDir),
      lastResort_(*env_.files, env_.lastResortDir) {
    // The application object before the widgets: the style it puts in place
    // would re-polish every widget made before it.
    ApplicationObject::instance();
    setWindowTitle(QStringLiteral("Kelmora"));
    client_ = new QWidget(this);
    setCentralWidget(client_);
    client_->setAutoFillBackground(true);

    ToolBar1 = new QToolBar(client_);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setMovable(false);
    ToolBar1->setFixedHeight(kToolBarHeight);
    Label1 = new QLabel(client_);
    btnprev = new QPushButton(japanese("前月（&L)"), client_);
    btnnext = new QPushButton(japanese("翌月(&N)"), client_);
    for (QPushButton* b : {btnprev, btnnext}) {
        b->setFlat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    btnprev->setFixedSize(65, 25);
    btnnext->setFixedSize(73, 25);
    btnprev->setToolTip(japanese("Shift+クリックで前年"));
    btnnext->setToolTip(japanese("Shift+クリックで翌年"));
    connect(btnprev, &QPushButton::clicked, this, [this] { btnprevClick(); });
    connect(btnnext, &QPushButton::clicked, this, [this] { btnnextClick(); });

    dg1 = new OwnerDrawGrid(client_);
    dg1->setColCount(kColumns);
    dg1->onDrawCell = [this](QPainter& p, int col, int row, const QRect& r) { dg1DrawCell(p, col, row, r); };
    dg1->onInputMethodEvent = [this](QInputMethodEvent* e) { return dg1InputMethod(e); };
    dg1->onInputMethodQuery = [this](Qt::InputMethodQuery q) { return dg1InputMethodQuery(q); };
    connect(dg1, &OwnerDrawGrid::topLeftChanged, this, [this] { dg1TopLeftChanged(); });
    connect(dg1, &OwnerDrawGrid::mousePressed, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int col, int row) { dg1MouseDown(b, m, col, row); });

    memo1 = new TCanvasEdit(client_);
    memo1->hide();
    memo1->OnPaint = [this](QPainter& p) { memo1Paint(p); };
    memo1->OnKeyDown = [this](QKeyEvent* e) { return memo1KeyDown(e); };
    memo1->OnInputMethod = [this](QInputMethodEvent* e) { return !handingOn_ && deliveredAgain(*e); };
    memo1->OnComposition = [this] { memo1Composition(); };
    // A press anywhere else in the window ends a composition in the cell it
    // was typed in, before the press moves the keyboard or the month.
    qApp->installEventFilter(new EventHook(this, [this](QObject* watched, QEvent* event) {
        auto* widget = event->type() == QEvent::MouseButtonPress ? qobject_cast<QWidget*>(watched) : nullptr;
        if (widget && widget->window() == this && widget != memo1 && !memo1->isAncestorOf(widget))
            commitComposition();
        return false;
    }));
    editorNote = new PassingNote(client_);
    connect(memo1, &QPlainTextEdit::textChanged, this, [this] { memo1Change(); });

    createMenus();
    createToolBar();
    createCommands();
    createSaveBar();
    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    // Clearing the selection also stops the blink.
    model.onSelectionCleared = [this] {
        Timer1->stop();
        arrowBlink = false;
    };

    createTrayMenu();
    createApplicationComponents();
    if (duplicate_) return;  // a second copy reads and writes nothing
    FormCreate();
    ApplicationObject::instance().setMainForm(this);
}

TForm1::~TForm1() {
    removeTrayIcon();
    setToolCursor(0);
}

void TForm1::createMenus() {
    QMenu* calendar = menuBar()->addMenu(japanese("カレンダー(&C)"));
    QAction* thisMonth = calendar->addAction(japanese("今月を表示(&T)"), this, [this] { mnuthismonClick(); });
    thisMonth->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    QAction* jump = calendar->addAction(japanese("年月指定ジャンプ(&J)"), this, [this] { mnujumpClick(); });
    jump->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    QAction* find = calendar->addAction(japanese("メモを検索(&F)..."), this, [this] { mnufindClick(); });
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    calendar->addSeparator();
    createToolCommands(calendar);
    calendar->addSeparator();
    createPrintCommands(calendar);
    calendar->addAction(japanese("iCalendar形式で書き出す(&E)..."), this, [this] { mnuexportClick(); });
    calendar->addSeparator();
    calendar->addAction(japanese("設定(&S)..."), this, [this] { setteiClick(); });
    calendar->addSeparator();
    calendar->addAction(japanese("終了(&X)"), this, [this] { eClick(); });

    createEditMenu();

    QMenu* view = menuBar()->addMenu(japanese("表示(&V)"));
    mnufocus = view->addAction(japanese("フォーカス枠(&F)"), this, [this] { mnufocusClick(); });
    mnufocus->setCheckable(true);
    view->addSeparator();
    mnurokuyo = view->addAction(japanese("六曜(&R)"), this, [this] { mnurokuyoClick(); });
    mnurokuyo->setCheckable(true);
    mnusekki = view->addAction(japanese("二十四節気(&K)"), this, [this] { mnusekkiClick(); });
    mnusekki->setCheckable(true);
    view->addSeparator();
    mnutoolbar = view->addAction(japanese("ツールバー(&T)"), this, [this] { mnutoolbarClick(); });
    mnutoolbar->setCheckable(true);

    QMenu* help = menuBar()->addMenu(japanese("ヘルプ(&H)"));
    help->addAction(japanese("目次(&C)"), this, [this] { mnuhelpClick(); });
    help->addAction(japanese("バージョン情報(&A)..."), this, [this] { mnuversionClick(); });
}

void TForm1::createToolBar() {
    const auto button = [this](ToolbarIcon icon, const char* hint, void (TForm1::*handler)()) {
        QAction* action = ToolBar1->addAction(toolbarIcon(icon), japanese(hint));
        action->setToolTip(japanese(hint));
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };
    button(ToolbarIcon::ThisMonth, "今月を表示", &TForm1::mnuthismonClick);
    button(ToolbarIcon::Jump, "年月指定ジャンプ", &TForm1::mnujumpClick);
    ToolBar1->addSeparator();
    tbprint = button(ToolbarIcon::Print, "印刷", &TForm1::mnuprintClick);
    tbpreview = button(ToolbarIcon::Preview, "印刷プレビュー", &TForm1::printpreviewClick);
    ToolBar1->addSeparator();
    button(ToolbarIcon::Cut, "切り取り", &TForm1::Cut1Click);
    button(ToolbarIcon::Copy, "コピー", &TForm1::Copy1Click);
    button(ToolbarIcon::Paste, "貼り付け", &TForm1::Paste1Click);
    ToolBar1->addSeparator();
    tbholiday = button(ToolbarIcon::Holiday, "休日設定", &TForm1::mnuholiClick);
    tbholiday->setCheckable(true);
    tbweekday = button(ToolbarIcon::Weekday, "平日設定", &TForm1::mnuheiClick);
    tbweekday->setCheckable(true);
    ToolBar1->addSeparator();
    tbyj = button(ToolbarIcon::Arrow, "複数日にまたがる矢印", &TForm1::tbyjClick);
    tbyj->setCheckable(true);
    // The editor keeps the keyboard when a toolbar button is pressed.
    for (QAction* action : ToolBar1->actions())
        if (QWidget* w = ToolBar1->widgetForAction(action)) w->setFocusPolicy(Qt::NoFocus);
}

// Start: settings, holidays and weekday names, the current month and its
// file, the window sized to the grid, the focus on today.
void TForm1::FormCreate() {
    closing = false;
    workArea = env_.workArea.value_or(QGuiApplication::primaryScreen()->availableGeometry());
    model.setToday(env_.clock->today());
    model.year = model.todayYear;
    model.month = model.todayMonth;

    StartupSettings startup = loadStartupSettings(*env_.files, env_.programDir);
    settings = startup.settings;
    if (startup.error) env_.dialogs->ask(MessageIcon::Error, Buttons::Ok, *startup.error);
    applyStartupPlacement();
    if (settings.trayResidence) addTrayIcon();
    if (startup.windowWidth && startup.windowHeight) resize(*startup.windowWidth, *startup.windowHeight);

    arrowTool = ArrowTool{};
    arrowBlink = false;
    model.dirty = false;
    model.clearSelection();
    applyLook();
    focusOnToday();
    fitWindowHeight();
    scrollFocusCellIntoView();
    dg1->viewport()->update();
    noticeAtStart();
}

// What only the start takes from the settings: the toolbar, the focus
// frame's tick and the window's place.
void TForm1::applyStartupPlacement() {
    ToolBar1->setVisible(settings.toolbar);
    mnutoolbar->setChecked(settings.toolbar);
    mnufocus->setChecked(settings.focusFrame);
    mnurokuyo->setChecked(settings.rokuyo);
    mnusekki->setChecked(settings.sekki);
    move(settings.left, settings.top);
}

// The settings' look, at start and after the settings dialog: the title's
// font and colour, the window colour, the week start and the weekly days
// off, the grid's sizes and the editor's font, the weekday names; then the
// month is built and loaded again and the window fitted to it.
void TForm1::applyLook() {
    Label1->setFont(titleFont());
    QPalette titlePalette = Label1->palette();
    titlePalette.setColor(QPalette::WindowText, toQColor(settings.title.colour));
    Label1->setPalette(titlePalette);
    QPalette windowPalette = client_->palette();
    windowPalette.setColor(QPalette::Window, toQColor(settings.windowColour));
    client_->setPalette(windowPalette);
    model.mondayStart = settings.mondayStart;
    for (int d = 0; d < 7; ++d) model.weeklyDaysOff[d] = settings.weeklyHolidays[d] ? 1 : 0;

    layOutTitleRow();
    applyGridGeometry();
    model.setWeekdayNames();
    buildAndLoad();
    // Twice: the first fit measures the grid's scroll bars against the
    // window's old width; the second against the width it has just set.
    fitWindowHeight();
    fitWindowHeight();
}

// The title row under the toolbar (or at the top without it), the grid
// below the taller of the title and the month buttons.
void TForm1::layOutTitleRow() {
    // Hidden on purpose, not merely because the window is not shown yet.
    const bool toolbar = !ToolBar1->isHidden();
    const int top = toolbar ? kToolBarHeight + kTitleGap : kTitleGap;
    Label1->adjustSize();
    Label1->move(Label1->x(), top);
    btnprev->move(btnprev->x(), top);
    btnnext->move(btnnext->x(), top);
    gridTop_ = kGridGap + std::max(Label1->geometry().bottom() + 1, btnprev->geometry().bottom() + 1) + saveBarHeight_;
    dg1->move(0, gridTop_);
}

void TForm1::applyGridGeometry() {
    dg1->setDefaultColWidth(settings.memo.width);
    dg1->setRowCount(model.gridRows());
    dg1->setDefaultRowHeight(fontRowHeight(settings.date.font.size));
    dg1->setRowHeight(0, fontRowHeight(settings.header.font.size));
    for (int row = 2; row < dg1->rowCount(); row += 2) dg1->setRowHeight(row, settings.memo.height);
    memo1->resize(settings.memo.width + 1, memo1->height());
    memo1->setFont(bandFont(settings.memo.font));
}

int TForm1::ppi() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return static_cast<int>(s->logicalDotsPerInchY());
}

int TForm1::fontRowHeight(int pointSize) const { return kelmora::fontRowHeight(ppi(), pointSize); }

QFont TForm1::bandFont(const Tfontset& f) const { return fontOf(f); }

QFont TForm1::titleFont() const { return titleFontOf(settings.title); }

void TForm1::buildAndLoad() {
    if (!model.buildMonth()) return;
    Label1->setText(toQString(model.title));
    Label1->adjustSize();
    dg1->setRowCount(model.gridRows());
    reportLoadOutcome(store_.loadMonth(model));
    watchShownMonth();
    refitMemoRows();
    FormResize();
}

void TForm1::refitMemoRows() {
    for (int week = 1; week <= model.weekRows; ++week)
        dg1->setRowHeight(MonthModel::memoRow(week), rowHeightForWeek(week));
    if (editorShown()) openEditor();
}

void TForm1::focusOnToday() {
    int col = 0, week = 1;
    if (model.year == model.todayYear && model.month == model.todayMonth) model.cellOfDay(model.todayDay, col, week);
    model.focusCol = static_cast<std::uint16_t>(col);
    model.focusRow = static_cast<std::uint16_t>(MonthModel::memoRow(week));
    dg1->setCurrentCell(col, model.focusRow);
}

// The client area is the window below its menu bar; QMainWindow lays the
// central widget out there only later, so sizes are computed, not read back.
int TForm1::menuBarHeight() const { return menuBar()->sizeHint().height(); }
int TForm1::clientHeight() const { return height() - menuBarHeight(); }
int TForm1::clientWidth() const { return width(); }

void TForm1::setClientSize(int width, int height) {
    resize(width, height + menuBarHeight());
    client_->resize(width, height);
}

// The outer size that gives the grid this client size: a scroll bar counts
// only when the grid will need it at that size, not because a growing row
// showed one for a moment. The horizontal one shows only in a window that
// fitting its width will cut to the work area; the width the grid has now
// may not be fitted yet.
void TForm1::setGridClientHeight(int height) {
    const int frameExtra = frameGeometry().width() - width();
    const bool bar = kColumns * dg1->defaultColWidth() + 8 + dg1->frameExtent() + frameExtra > workArea.width();
    dg1->resize(dg1->width(), height + dg1->frameExtent() + (bar ? dg1->horizontalScrollBar()->sizeHint().height() : 0));
}

void TForm1::setGridClientWidth(int width) {
    const bool bar = dg1->totalHeight() > dg1->height() - dg1->frameExtent();
    dg1->resize(width + dg1->frameExtent() + (bar ? dg1->verticalScrollBar()->sizeHint().width() : 0), dg1->height());
}

// The window as tall as the grid, inside the work area.
void TForm1::fitWindowHeight() {
    const QRect frame = frameGeometry();
    const int frameExtra = frame.height() - height();
    if (dg1->visibleRowCount() < dg1->rowCount() - 1 && frame.top() == workArea.top() &&
        frame.height() == workArea.height())
        return;
    const int total = dg1->totalHeight();
    setClientSize(clientWidth(), gridTop_ + total + 30);
    setGridClientHeight(total);
    setClientSize(clientWidth(), gridTop_ + dg1->height());
    QRect outer = frameGeometry();
    if (outer.bottom() > workArea.bottom()) {
        int top = workArea.bottom() + 1 - outer.height();
        if (top < workArea.top()) {
            move(x(), workArea.top());
            const int menu = height() - clientHeight();
            setClientSize(clientWidth(), workArea.height() - frameExtra - menu);
            dg1->resize(dg1->width(), clientHeight() - gridTop_);
        } else {
            move(x(), top);
        }
    }
    fitWindowWidth();
    if (editorShown()) placeEditor(model.focusCol, model.focusRow);
    dg1->viewport()->update();
}

void TForm1::fitWindowWidth() {
    setGridClientWidth(kColumns * dg1->defaultColWidth() + 8);
    setClientSize(dg1->width(), clientHeight());
    const QRect outer = frameGeometry();
    if (outer.right() > workArea.right()) {
        move(workArea.left(), y());
        if (workArea.width() < frameGeometry().width()) {
            const int frameExtra = frameGeometry().width() - width();
            setClientSize(workArea.width() - frameExtra, clientHeight());
            dg1->resize(clientWidth(), dg1->height());
        }
    }
}

// The window frame is known only once the window is on the screen: fit the
// window to the work area again then.
void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    fitWindowHeight();
    scrollFocusCellIntoView();
}

// A refit of the window can leave the grid scrolled anywhere: from the first
// week and column, it scrolls only as far as the focus cell needs.
void TForm1::scrollFocusCellIntoView() {
    dg1->setTopRow(OwnerDrawGrid::kFixedRows);
    dg1->setLeftCol(0);
    dg1->setCurrentCell(model.focusCol, model.focusRow);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize() {
    if (!client_) return;
    Label1->adjustSize();
    const int labelLeft = frameGeometry().width() / 2 - Label1->width() / 2;
    Label1->move(labelLeft, Label1->y());
    dg1->resize(clientWidth(), std::max(0, clientHeight() - gridTop_));
    btnprev->move(labelLeft - btnprev->width() - kButtonGap, btnprev->y());
    btnnext->move(labelLeft + Label1->width() + kButtonGap, btnnext->y());
    ToolBar1->resize(clientWidth(), kToolBarHeight);
    placeSaveBar();
    // The editor goes when its cell no longer fits the grid. The grid is
    // judged as it settles: while the window grows with a memo row, a scroll
    // bar shows for a moment, and closing the editor then would end the
    // typing (and an input method's composition) under the user's fingers.
    if (editorShown()) {
        const QRect grid = dg1->geometry();
        const QRect viewport(grid.topLeft() + dg1->viewport()->pos(), dg1->settledViewportSize());
        const QRect editor = memo1->geometry();
        if (editor.right() > viewport.right() || editor.bottom() > viewport.bottom()) hideEditor();
    }
}

void TForm1::reselectFocusCell() {
    dg1->setCol(model.focusCol == 0 ? 1 : model.focusCol - 1);
    dg1->setRow(model.focusRow);
    dg1->setCol(model.focusCol);
}

void TForm1::rebuildMonthView() {
    hideEditor();
    buildAndLoad();
    fitWindowHeight();
    reselectFocusCell();
}

void TForm1::reportLoadOutcome(LoadOutcome outcome) {
    if (outcome != LoadOutcome::CannotOpen) return;
    env_.dialogs->ask(MessageIcon::Error, Buttons::Ok,
                      cp932::literal("ファイル「") + pathForMessage(store_.fileNameOf(model)) +
                          cp932::literal("」を開けません。\r\n原因: ") + store_.lastLoadProblem() +
                          cp932::literal("。\r\nこの月は空で表示します。元のファイルは、最初に保存するときに別の名前で残します。"));
}

void TForm1::showMonth(int year, int month) {
    if (!MonthModel::isSupported(year, month)) return;  // four-digit years only
    commitComposition();  // into this month, before it is saved
    if (!saveBeforeLeaving()) return;
    displayMonth({year, month});
}

bool TForm1::displayMonth(YearMonth ym) {
    if (!MonthModel::isSupported(ym.year, ym.month)) return false;
    model.year = static_cast<std::uint16_t>(ym.year);
    model.month = static_cast<std::uint16_t>(ym.month);
    rebuildMonthView();
    return true;
}

void TForm1::btnprevClick() {
    const YearMonth shown{model.year, model.month};
    if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) showMonth(model.year - 1, model.month);
    else showMonth(shown.previous().year, shown.previous().month);
}

void TForm1::btnnextClick() {
    const YearMonth shown{model.year, model.month};
    if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) showMonth(model.year + 1, model.month);
    else showMonth(shown.next().year, shown.next().month);
}

void TForm1::mnuthismonClick() { showMonth(model.todayYear, model.todayMonth); }

void TForm1::dg1TopLeftChanged() {
    tellInputMethod();  // the focus cell moved on the screen
    if (closing || !editorShown()) return;
    const int row = model.focusRow, col = model.focusCol;
    const bool rowShown = row >= dg1->topRow() && row < dg1->topRow() + dg1->visibleRowCount();
    const bool colShown = col >= dg1->leftCol() && col < dg1->leftCol() + dg1->visibleColCount();
    if (rowShown && colShown) placeEditor(col, row);
    else hideEditor();
}

void TForm1::mnufocusClick() {
    mnufocus->setChecked(!settings.focusFrame);
    settings.focusFrame = mnufocus->isChecked();
    if (auto error = settingsFile_.writeFocusFrame(settings.focusFrame))
        env_.dialogs->ask(MessageIcon::Error, Buttons::Ok, *error);
    if (settings.focusFrame) dg1->setCurrentCell(model.focusCol, model.focusRow);
    dg1->viewport()->update();
    tellInputMethod();
}

void TForm1::mnurokuyoClick() { toggleAlmanacItem(settings.rokuyo, mnurokuyo, &SettingsFile::writeRokuyo); }

void TForm1::mnusekkiClick() { toggleAlmanacItem(settings.sekki, mnusekki, &SettingsFile::writeSekki); }

// An almanac item of the view menu: ticked or not, stored and shown at once.
void TForm1::toggleAlmanacItem(bool& shown, QAction* item, WriteError (SettingsFile::*write)(bool)) {
    shown = !shown;
    item->setChecked(shown);
    if (auto error = (settingsFile_.*write)(shown)) env_.dialogs->ask(MessageIcon::Error, Buttons::Ok, *error);
    dg1->viewport()->update();
}

void TForm1::mnutoolbarClick() {
    const bool show = ToolBar1->isHidden();
    ToolBar1->setVisible(show);
    mnutoolbar->setChecked(show);
    settings.toolbar = show;
    if (auto error = settingsFile_.writeToolbar(show)) env_.dialogs->ask(MessageIcon::Error, Buttons::Ok, *error);
    const int shift = show ? kToolBarHeight : -kToolBarHeight;
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(btnprev), static_cast<QWidget*>(btnnext)})
        w->move(w->x(), w->y() + shift);
    gridTop_ += shift;
    dg1->move(0, gridTop_);
    fitWindowHeight();
}

void TForm1::eClick() { close(); }

void TForm1::Timer1Timer() {
    arrowBlink = !arrowBlink;
    dg1->updateCell(arrowTool.startCol, arrowTool.startRow);  // the only cell that blinks
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!duplicate_ && !closing) commitComposition();  // saved with the month
    if (duplicate_ || closing || FormCloseQuery()) {
        event->accept();
        emit closeAccepted();
        return;
    }
    event->ignore();
}

}  // namespace kelmora
