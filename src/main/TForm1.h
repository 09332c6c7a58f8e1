#pragma once
// The calendar's main window: the toolbar, the year/month title between the
// month buttons, the grid `dg1` of the shown month, and the in-cell editor
// `memo1` laid over the memo cell being written.

#include <QMainWindow>
#include <QElapsedTimer>
#include <QRect>
#include <QString>
#include <QVariant>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main/arrow_tool.h"
#include "main/calendar_look.h"
#include "main/clock.h"
#include "main/file_system.h"
#include "main/koyomi.h"
#include "main/month_model.h"
#include "main/calendar_painter.h"
#include "main/month_store.h"
#include "main/rescue_copies.h"
#include "platform/dialogs.h"
#include "settei/settings.h"
#include "settei/settings_file.h"

class QAction;
class QDialog;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QLabel;
class QPushButton;
class QToolBar;
class QPlainTextEdit;
class QPrinter;
class QInputMethodEvent;

namespace kelmora {

class MonthFileWatcher;
class OwnerDrawGrid;
class PassingNote;
class SaveBar;
class TAnimateForm;
class TPseudoApp;
class TSingleInstance;
class TCanvasEdit;
class TForm3;
class Tform_jump;
class Tfrmprnset;
struct MonthPageSource;
class Tform_find;

// What the window works against: the calendar's folder, the clock, the
// boxes and pickers, the files. Tests pass their own.
struct WindowEnvironment {
    // The month files and kelmora.ini: beside a portable program, in
    // "$XDG_DATA_HOME/kelmora/" for an installed one (see data_folder.h);
    // with its trailing separator.
    std::string programDir;
    const Clock* clock = nullptr;
    Dialogs* dialogs = nullptr;
    FileSystem* files = nullptr;
    std::optional<QRect> workArea;  // the screen's available area unless given
    // The name that marks the first running copy ("Ident6215" in the
    // program); empty: no guard (tests that open many windows).
    QString uniqueName;
    // Where the month goes when it cannot be written to its month file
    // ("$XDG_DATA_HOME/kelmora/rescue/" in the program), with its trailing
    // separator; empty: nowhere.
    std::string rescueDir = {};
    std::string helpFile = {};  // kelmora.hlp, native path
    // The last resort when even the rescue folder takes nothing and the
    // program must end: a folder in memory ("$XDG_RUNTIME_DIR/kelmora/rescue/"),
    // with its trailing separator; empty: none.
    std::string lastResortDir = {};
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(WindowEnvironment environment, QWidget* parent = nullptr);
    ~TForm1() override;

    // The shown month and everything the handlers share.
    MonthModel model;
    Settings settings;
    // The almanac of the months shown, computed when a month is first shown
    // with 六曜 or solar terms ticked.
    mutable KoyomiCalendar koyomi;
    ArrowTool arrowTool;
    bool arrowBlink = false;  // the blink phase of the arrow's first day
    bool holidayMarking = false;
    bool weekdayMarking = false;
    bool closing = false;
    QRect workArea;

    // Controls, named as the handlers know them.
    QToolBar* ToolBar1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* btnprev = nullptr;
    QPushButton* btnnext = nullptr;
    OwnerDrawGrid* dg1 = nullptr;
    TCanvasEdit* memo1 = nullptr;
    QAction* mnufocus = nullptr;
    QAction* mnurokuyo = nullptr;
    QAction* mnusekki = nullptr;
    QAction* mnutoolbar = nullptr;
    QTimer* Timer1 = nullptr;  // the arrow start cell's blink, 500 ms, off at start
    QTimer* Timer2 = nullptr;  // the midnight watch, 10 s

    // Lifecycle and layout.
    void FormResize();
    void fitWindowHeight();
    void fitWindowWidth();
    void reselectFocusCell();
    void rebuildMonthView();
    // The save on idle: the loop running empty with the month changed arms
    // `idleSaveTimer`, typing winds it up again, and the month is written
    // when it runs out, once the user has paused; `saveDeadlineTimer`, armed
    // by the first change and not wound up again, writes it while the typing
    // goes on.
    void PseudoApp1Idle();
    QTimer* idleSaveTimer = nullptr;
    QTimer* saveDeadlineTimer = nullptr;
    void idleSaveTimerTimer();
    // The month changed from the keyboard: the save waits for a pause.
    void typingChanged();

    // Other writers: the shown month's file and its folder are watched; a
    // change made elsewhere is reloaded (the month unchanged here) or merged
    // (changed here too), and a sync tool's conflict copy is told once.
    MonthFileWatcher* monthWatcher = nullptr;
    void lookForOutsideChange();
    void eClick();
    // The close-time steps; false when the close has to be abandoned.
    bool FormCloseQuery();

    // Saving without stopping the user: a failed save shows in `saveBar`
    // above the grid and is tried again by `saveRetryTimer`, at the next
    // change and by the bar's "再試行".
    SaveBar* saveBar = nullptr;
    QTimer* saveRetryTimer = nullptr;
    void retrySave();
    // The program has to end now (a termination signal): the month goes to
    // its file or else to a rescue copy, and nothing is asked.
    void endWithoutQuestions();
    // The desktop session is ending: the same, without ending.
    void keepMonthWithoutQuestions();
    // Termination signals and the session's end reach the two above.
    void endOnTerminationRequests();

    // Month navigation and clicks.
    void btnprevClick();
    void btnnextClick();
    void mnuthismonClick();
    void dg1TopLeftChanged();
    void mnufocusClick();
    void mnurokuyoClick();
    void mnusekkiClick();
    void mnutoolbarClick();
    // The settings dialog; afterwards, with OK or Cancel, the look applied again.
    void setteiClick();
    // Applies the settings' look to the window and shows the month anew;
    // used at start and after the settings dialog.
    void applyLook();
    Dialogs& dialogs() const { return *env_.dialogs; }
    SettingsFile& settingsFile() { return settingsFile_; }

    void Timer1Timer();

    // Residence in the notification area, the single-instance guard, the
    // midnight watch.
    TSingleInstance* SingleInstance1 = nullptr;
    TPseudoApp* PseudoApp1 = nullptr;
    TAnimateForm* AnimateForm1 = nullptr;
    QSystemTrayIcon* trayIcon = nullptr;
    QMenu* TrayMenu = nullptr;
    QAction* mnu_restore = nullptr;
    QAction* mnu_minimize = nullptr;
    QAction* Exit1 = nullptr;
    // Ctrl and the others, read live when a timer ticks; tests replace it.
    std::function<Qt::KeyboardModifiers()> keyboardModifiers;

    // A second copy of the program: it only told the first to come forward.
    bool isDuplicate() const { return duplicate_; }
    void SingleInstance1Duplicate();
    void bringToFront();
    void addTrayIcon();
    void removeTrayIcon();
    bool trayResident() const;
    void mnu_restoreClick();
    void mnu_minimizeClick();
    void PseudoApp1Minimize();
    void PseudoApp1Restore();
    void Timer2Timer();

    // Painting one cell of the grid.
    void dg1DrawCell(QPainter& painter, int col, int row, const QRect& rect);

    // The in-cell editor.
    void openEditor();
    void placeEditor(int col, int row);
    void hideEditor();
    void editorColours(int col, int row);
    // A memo cell's background and text colour: the band's colour for a
    // holiday, a weekday or a day of the next month, then the cell's own.
    using CellColours = MemoCellColours;
    CellColours memoCellColours(int col, int week) const;
    int rowHeightForWeek(int week, int excludedCol = -1);
    int memoLineHeight() const;
    void memo1Change();
    void memo1Composition();
    bool memo1KeyDown(QKeyEvent* event);
    void memo1Paint(QPainter& painter);
    bool editorShown() const;
    // What the editor refused (a character the file cannot hold, a full
    // cell), said beside it without stopping the typing.
    PassingNote* editorNote = nullptr;

    // Sizes derived from the settings.
    int ppi() const;
    int fontRowHeight(int pointSize) const;  // ⌊PPI × size / 72⌋ + 5
    int memoTextWidth() const;               // the width memo lines are broken at
    // The look the grid paints with, resolved from the settings.
    const CalendarLook& look() const;
    int clientHeight() const;
    int menuBarHeight() const;
    int clientWidth() const;
    int gridTop() const { return gridTop_; }

    // --- keys, clicks, the selection and the commands on days and ranges ---
    // Made at their first use.
    Tform_jump* form_jump = nullptr;
    TForm3* Form3 = nullptr;
    Tform_jump& jumpDialog();
    TForm3& memoInputDialog();
    QMenu* PopupMenu1 = nullptr;  // the grid's menu: the selection commands
    QMenu* PopupMenu2 = nullptr;  // the editor's menu
    QMenu* MenuItem1 = nullptr;   // "編集(&E)"
    QAction *mnuaddmemo = nullptr, *mnudelmemo = nullptr, *multbkcolor = nullptr, *multfcolor = nullptr,
            *multcolorini = nullptr;
    QAction *pmCut = nullptr, *pmCopy = nullptr, *pmPaste = nullptr, *pmSelectAll = nullptr, *pmUndo = nullptr,
            *mnuchng_bkc = nullptr, *mnuchng_fc = nullptr, *mnucolorini = nullptr, *mnudeltxt = nullptr;
    QAction *mnuundo = nullptr, *Cut1 = nullptr, *Copy1 = nullptr, *Paste1 = nullptr;
    QAction *mnuholi = nullptr, *mnuhei = nullptr, *tbholiday = nullptr, *tbweekday = nullptr;
    QAction *mnuyj = nullptr, *tbyj = nullptr, *mnudel_yj = nullptr;
    // Shows a dialog modally; tests answer it instead.
    std::function<void(QDialog&)> runModal;

    // Sees every key pressed in the window before the focused control; true
    // when the key's effect replaces the control's own handling.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // A press on the grid, after the grid has moved its current cell to the
    // pressed cell (col, row) and scrolled it into view; row is 0 for a press
    // on the header row and -1 for one beside the cells.
    void dg1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int col, int row);
    void mnujumpClick();
    void mnuexportClick();  // the memos of chosen months into an iCalendar file
    // "メモを検索(&F)...": the search dialog; the chosen day is shown with
    // the focus cell on its memo.
    Tform_find* form_find = nullptr;
    void mnufindClick();
    void showDay(const Date& date);
    // Typing on the grid writes in the focus cell: a printable key (true
    // when taken) or an input method's composition opens the editor there.
    bool typeIntoFocusCell(const QKeyEvent& key);
    bool dg1InputMethod(QInputMethodEvent* event);
    QVariant dg1InputMethodQuery(Qt::InputMethodQuery query) const;
    // The focus cell one step in a direction (Qt::Key_Left .. Qt::Key_Down);
    // at the month's edges the month (with Shift the year) changes.
    void moveFocus(int key);
    bool anySelected() const;

    void mnuaddmemoClick();
    void mnudelmemoClick();
    void multbkcolorClick();
    void multfcolorClick();
    void multcoloriniClick();
    void mnuchng_bkcClick();
    void mnuchng_fcClick();
    void mnucoloriniClick();
    void mnudeltxtClick();
    void mnuholiClick();
    void mnuheiClick();
    void FormClick();  // the tool reset
    // The arrow tool: arming it, its clicks on memo cells, laying the arrow
    // once both days are known, deleting the arrow through the focus cell.
    void tbyjClick();
    void arrowClick(int col, int row);
    void createArrow();
    void mnudel_yjClick();
    void markDay(int col, int week, bool holiday);
    void mnuundoClick();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void SelectAll1Click();
    void mnuhelpClick();
    void mnuversionClick();
    void PopupMenu1Popup();
    void PopupMenu2Popup();
    void MenuItem1Click();
    // The colours a memo cell shows when it is not selected.
    Colour effectiveFontColour(int col, int week) const;
    Colour effectiveBackColour(int col, int week) const;

    // --- the month on paper ---
    QAction *mnuprinterset = nullptr, *printpreview = nullptr, *mnuprint = nullptr, *mnupdf = nullptr;
    QAction *tbprint = nullptr, *tbpreview = nullptr;
    Tfrmprnset* frmprnset = nullptr;  // made at its first use, kept for the run
    void mnuprintersetClick();
    void printpreviewClick();
    void mnuprintClick();
    void mnupdfClick();
    // The printer the page goes to; a PDF on A4 until the user chooses.
    QPrinter& printer();
    // The month, its look and the grid's layout, for the printed page.
    MonthPageSource pageSource() const;

    std::string programDir() const { return env_.programDir; }
    MonthStore& store() { return store_; }

signals:
    // The close went ahead: the program ends (the window may be hidden in
    // the notification area, so this is not the last window closing).
    void closeAccepted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void createMenus();
    void createToolBar();
    void applyStartupPlacement();
    void layOutTitleRow();
    void applyGridGeometry();
    void buildAndLoad();
    void refitMemoRows();
    void focusOnToday();
    void scrollFocusCellIntoView();  // at start, once the window's size is final
    // Saves before the month changes; false when the change must not happen.
    bool saveBeforeLeaving();
    // After every save: the bar, the retry, the rescue copy.
    void afterSave(SaveOutcome outcome);
    bool saveMustWait() const;
    RescueResult rescueMonth();
    void watchShownMonth();
    void reloadFromOutside();
    // The month view after its memo data changed from outside: rows refitted,
    // the editor still on its cell with the caret where it was (counted from
    // the text's end when the user's own text was kept at the end).
    void showOutsideChange(bool caretFromEnd);
    void tellConflictCopies();
    QString mergeNoticeText(const MergeNotice& merge) const;
    // Shown first; a notice about the shown month's file takes the place of
    // the one before it, which is out of date.
    void addNotice(const QString& text, bool aboutMonthFile = false);
    void createSaveBar();
    void noticeAtStart();
    void showSaveState();
    void placeSaveBar();
    QString saveFailureText() const;
    void reportLoadOutcome(LoadOutcome outcome);
    void showMonth(int year, int month);
    // Shows the month, built and loaded, without saving the one shown; false
    // for a month the calendar does not show.
    bool displayMonth(YearMonth ym);
    void setClientSize(int width, int height);
    void setGridClientHeight(int height);
    void setGridClientWidth(int width);
    QFont bandFont(const Tfontset& font) const;
    QFont titleFont() const;
    void refuseEditorChange(const std::string& kept, const QString& why);
    void restoreEditorText(const QString& text, int caret);
    int editorRowNeed(const QString& text) const;
    bool editorRowFits(int need) const;
    void fitFocusRowToEditor();
    void giveEditorTheKeyboard();
    void commitComposition();
    bool deliveredAgain(const QInputMethodEvent& event);
    void tellInputMethod();
    bool typingOpensEditor() const;
    void clickFocusCell(Qt::KeyboardModifiers modifiers);
    void createCommands();  // the dialogs, menus and filters of the commands
    void createEditMenu();
    void createToolCommands(QMenu* calendar);
    void createPrintCommands(QMenu* calendar);
    bool printPage(QPrinter& target);
    void setToolCursor(int cursor);  // 0 default, 1 holiday, 2 weekday, 3 arrow
    // The arrow steps, carried out with this window's month changes; the
    // focus cell is the same afterwards.
    class ArrowStepMonths;
    ArrowStepsResult runArrowStepsHere(const std::vector<ArrowStep>& steps);
    bool editorCanUndo() const;

    // What the grid marks on the cells now: focus frame, tool, blink.
    CalendarPaintState paintState() const;
    // The shown month's almanac while 六曜 or solar terms are ticked.
    const MonthKoyomi* shownKoyomi() const;
    void toggleAlmanacItem(bool& shown, QAction* item, WriteError (SettingsFile::*write)(bool));

    WindowEnvironment env_;
    mutable std::optional<CalendarLook> look_;
    std::unique_ptr<QPrinter> printer_;
    SettingsFile settingsFile_;
    MonthStore store_;
    RescueCopies rescue_;
    RescueCopies lastResort_;
    std::vector<std::string> toldConflictCopies_;
    FileStamp toldUnreadable_;  // the month file found unreadable last, once told
    QString monthFileNotice_;   // the last notice about the shown month's file
    std::optional<QString> saveProblem_;  // shown until a save succeeds
    std::deque<QString> saveNotices_;     // shown one by one when no problem is
    RescueResult lastRescue_;
    int saveBarHeight_ = 0;
    void createApplicationComponents();
    void createTrayMenu();
    QWidget* client_ = nullptr;
    int gridTop_ = 0;
    int otherHeight_ = 0;
    bool restoringText_ = false;
    bool composingOnGrid_ = false;  // the grid hands a composition on to the editor
    QString endedComposition_;      // committed, and not yet delivered again
    QElapsedTimer endedAt_;
    bool handingOn_ = false;        // the grid hands an input method event on to the editor
    bool shownOnce_ = false;
    bool duplicate_ = false;
    QObject* keyPreview_ = nullptr;
    bool toolCursorSet_ = false;
    bool undoing_ = false;      // the undo command is changing the editor's text
    bool undoneLast_ = false;   // the last change was undone: undo again brings it back
};

}  // namespace kelmora
