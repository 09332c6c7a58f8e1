#pragma once
// The calendar's main window: the toolbar, the year/month title between the
// month buttons, the grid `dg1` of the shown month, and the in-cell editor
// `memo1` laid over the memo cell being written.

#include <QMainWindow>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "main/clock.h"
#include "main/file_system.h"
#include "main/month_model.h"
#include "main/month_store.h"
#include "platform/dialogs.h"
#include "settei/settings.h"
#include "settei/settings_file.h"

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QLabel;
class QPushButton;
class QToolBar;
class QPlainTextEdit;

namespace kelmora {

class OwnerDrawGrid;
class TAnimateForm;
class TPseudoApp;
class TSingleInstance;
class TCanvasEdit;

// What the window works against: the folder beside the program, the clock,
// the boxes and pickers, the files. Tests pass their own.
struct WindowEnvironment {
    std::string programDir;  // with its trailing separator
    const Clock* clock = nullptr;
    Dialogs* dialogs = nullptr;
    FileSystem* files = nullptr;
    std::optional<QRect> workArea;  // the screen's available area unless given
    // The name that marks the first running copy ("Ident6215" in the
    // program); empty: no guard (tests that open many windows).
    QString uniqueName;
};

// The arrow tool's state as the grid paints it.
struct ArrowToolState {
    int state = 0;  // 0 idle, 1 waiting for the first day, 2 for the last day
    int startYear = 0, startMonth = 0, startCol = 0, startRow = 0;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(WindowEnvironment environment, QWidget* parent = nullptr);
    ~TForm1() override;

    // The shown month and everything the handlers share.
    MonthModel model;
    Settings settings;
    ArrowToolState arrowTool;
    bool arrowBlink = false;
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
    QAction* mnutoolbar = nullptr;
    QTimer* Timer1 = nullptr;  // the arrow start cell's blink, 500 ms, off at start
    QTimer* Timer2 = nullptr;  // the midnight watch, 10 s

    // Lifecycle and layout.
    void FormResize();
    void fitWindowHeight();
    void fitWindowWidth();
    void reselectFocusCell();
    void rebuildMonthView();
    void PseudoApp1Idle();
    void eClick();
    // The close-time steps; false when the close has to be abandoned.
    bool FormCloseQuery();

    // Month navigation and clicks.
    void btnprevClick();
    void btnnextClick();
    void mnuthismonClick();
    void dg1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void dg1TopLeftChanged();
    void mnufocusClick();
    void mnutoolbarClick();

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
    // The tool reset: every tool off, the editor hidden.
    void FormClick();

    // Painting one cell of the grid.
    void dg1DrawCell(QPainter& painter, int col, int row, const QRect& rect);

    // The in-cell editor.
    void openEditor();
    void placeEditor(int col, int row);
    void hideEditor();
    void editorColours(int col, int row);
    int rowHeightForWeek(int week, int excludedCol = -1);
    int memoLineHeight() const;
    void memo1Change();
    bool memo1KeyDown(QKeyEvent* event);
    void memo1Paint(QPainter& painter);
    bool editorShown() const;

    // Sizes derived from the settings.
    int ppi() const;
    int fontRowHeight(int pointSize) const;  // ⌊PPI × size / 72⌋ + 5
    int memoTextWidth() const;               // the width memo lines are broken at
    int memoTextPad() const;                 // room an italic memo font keeps at the right
    int clientHeight() const;
    int menuBarHeight() const;
    int clientWidth() const;
    int gridTop() const { return gridTop_; }

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
    void applySettings();
    void layOutTitleRow();
    void applyGridGeometry();
    void buildAndLoad();
    void refitMemoRows();
    void focusOnToday();
    // Saves before the month changes; false when the change must not happen.
    bool saveBeforeLeaving();
    bool reportSaveOutcome(SaveOutcome outcome);
    void reportLoadOutcome(LoadOutcome outcome);
    void showMonth(int year, int month);
    void setClientSize(int width, int height);
    void setGridClientHeight(int height);
    void setGridClientWidth(int width);
    QFont bandFont(const Tfontset& font) const;
    QFont titleFont() const;
    void restoreEditorText(const QString& text);

    // Painting, by the kind of row.
    void paintHeaderCell(QPainter& painter, int col, const QRect& rect);
    void paintDateCell(QPainter& painter, int col, int week, const QRect& rect);
    void paintMemoCell(QPainter& painter, int col, int row, const QRect& rect);

    WindowEnvironment env_;
    SettingsFile settingsFile_;
    MonthStore store_;
    void createApplicationComponents();
    void createTrayMenu();
    QWidget* client_ = nullptr;
    int gridTop_ = 0;
    int otherHeight_ = 0;
    bool restoringText_ = false;
    bool shownOnce_ = false;
    bool duplicate_ = false;
};

}  // namespace kelmora
