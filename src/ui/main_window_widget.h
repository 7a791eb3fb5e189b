// The main window of the desktop program: owns the application's main window state with its
// Qt user port, shows that state and forwards every action of the person to it.
#pragma once

#include "app/main_window.h"
#include "ui/bound_widget.h"
#include "ui/qt_app_dialogs.h"
#include "ui/qt_user_port.h"

#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <QString>

#include <array>
#include <functional>

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QMenu;
class QStackedWidget;
class QTableView;
class QToolBar;

namespace vartesk::ui {

class TSupportsModel;
class TResultsView;

class TMainWindowWidget : public QMainWindow
{
public:
    explicit TMainWindowWidget(TWiresList &catalog, QWidget *parent = nullptr);
    ~TMainWindowWidget() override;

    TFormMain &State() { return Form; }
    TQtUserPort &UserPort() { return QtPort; }

    // Shows the form's state again: captions, pages, grids, the commands' availability.
    void Refresh();
    // Runs a command as its menu entry does, then shows the result.
    void Execute(TCommand command);
    QAction *Action(TCommand command) const { return Actions[size_t(command)]; }
    QListWidget *SectionsGrid() const { return Sections; }
    QTableView *SupportsGrid() const { return Supports; }
    TResultsView *ResultsGrid() const { return Results; }
    QDockWidget *ResultsPanel() const { return ResultsDock; }
    QListWidget *NavigationList() const { return Navigation; }
    TBoundWidget *Page(TPage page) const { return Pages[size_t(page) - 1]; }

    // A cell of the supports grid typed into: the text is taken, then the cell `move` away
    // becomes current (Stay: the cell current now). A refused text is told.
    enum class TCellMove { Stay, Down, Right, Left };
    void CommitSupportCell(int row, int column, const std::string &text, TCellMove move);

    // The size, position and page of the last run, fitted to the screen; stored again on
    // closing.
    void RestoreWindowState();
    // What closing stores.
    void StoreWindowState() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateActions();
    void CreateMenus();
    QWidget *CreateSectionsPage();
    void RefreshCaptions();
    void RefreshGrids();
    void EnableActions();
    void FillRecent();
    // The current section's results, recalculated by the form only when out of date.
    void RefreshResults();
    void SupportsSelectionChanged();
    void SetSupportCell(int row, int column);
    void InsertSupportHere();
    // Copy's rows as text on the desktop's clipboard, marked as the program's own.
    void PutCopiesOnClipboard();
    // Paste of text copied elsewhere as rows of supports; false when the clipboard holds none.
    bool PasteClipboardText();
    // Every slot that calls the form goes through here: the form's guard, then the screens.
    void Do(const std::function<void()> &action, bool refresh = true);
    void KeepNormalPlacement();

    // The port's windows are children of this one, so it is built first and goes last.
    TQtUserPort QtPort;
    TQtAppDialogs Dialogs;
    TAppPort Port;
    TFormMain Form;
    std::array<QAction *, kCommandCount> Actions {};
    QAction *DeleteKeyAction = nullptr;
    std::array<QMenu *, kMenuCount> Menus {}; // by TMenu
    QMenu *RecentMenu = nullptr;
    QToolBar *SectionsBar = nullptr;
    QToolBar *SupportsBar = nullptr;
    int CaptionsVersion = -1; // of the captions the widgets show
    QListWidget *Navigation = nullptr;
    QLabel *PageTitle = nullptr;
    QStackedWidget *Stack = nullptr;
    std::array<TBoundWidget *, 4> Pages {};
    QLabel *SectorsTitle = nullptr;
    QLabel *SupportsTitle = nullptr;
    QListWidget *Sections = nullptr;
    QTableView *Supports = nullptr;
    TSupportsModel *SupportsModel = nullptr;
    TResultsView *Results = nullptr;
    QDockWidget *ResultsDock = nullptr; // beside the supports grid, on the sections page
    QLabel *ProjectNameLabel = nullptr;
    QLabel *StatusLabel = nullptr;
    bool Refreshing = false; // the grids' signals during a refresh are not the person's
    // The frame position and inner size while the window was last neither maximized nor
    // minimized: what the next run restores.
    QPoint NormalPosition;
    QSize NormalSize;
};

} // namespace vartesk::ui
