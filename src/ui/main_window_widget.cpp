// The main window of the desktop program.
#include "ui/main_window_widget.h"

#include "app/window_placement.h"
#include "l10n/language.h"
#include "ui/number_field.h"
#include "ui/pages.h"
#include "ui/qt_translations.h"
#include "ui/results_view.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QScreen>
#include <QSizePolicy>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace vartesk::ui {

namespace {

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

// The sections page has no state object of its own: the main window fills its grids.
class TSectionsPage final : public TBoundWidget
{
public:
    using TBoundWidget::TBoundWidget;
    void Reload() override { }
    void Retranslate() override { }
};

// Smaller than this the window is of no use; a stored size below it is not restored.
constexpr int kMinWidth = 400;
constexpr int kMinHeight = 300;

// What Copy adds to the rows' text on the clipboard: while it is there, Paste takes the
// copies themselves, with every field, rather than the text.
constexpr const char *kSupportsMime = "application/x-vartesk-supports";

// The commands of a tool bar, in the table's order.
std::vector<TCommand> BarCommands(TToolBar bar)
{
    std::vector<TCommand> commands;
    for (const TCommandRow &row : CommandTable())
        if (row.Bar == bar)
            commands.push_back(row.Id);
    return commands;
}

} // namespace

// The supports grid reads the form's rows directly: a line of ten thousand supports shows at
// once, where a widget per cell would take seconds. Below the supports is the new-support row,
// showing the number it would get.
class TSupportsModel final : public QAbstractTableModel
{
public:
    TSupportsModel(const TFormMain &form, QObject *parent)
        : QAbstractTableModel(parent)
        , Form(form)
    { }
    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : Form.SupportCount() + 1;
    }
    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : kSupportColumnCount;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        const int row = index.row(), count = Form.SupportCount();
        if (!index.isValid() || row > count)
            return {};
        const bool newRow = row == count;
        switch (role) {
        case Qt::DisplayRole:
            if (!newRow)
                return Q(Form.SupportRows[size_t(row)].Cell(index.column()));
            if (index.column() == 0)
                return Q(Form.SupportCellText(row, 0));
            return {};
        case Qt::EditRole:
            return Q(Form.SupportCellText(row, index.column()));
        case Qt::ForegroundRole:
            if (newRow)
                return QApplication::palette().brush(QPalette::PlaceholderText);
            return {};
        default:
            return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= kSupportColumnCount)
            return QAbstractTableModel::headerData(section, orientation, role);
        if (role == Qt::DisplayRole)
            return Q(Form.Captions.SupportHeaders[size_t(section)]);
        if (role == Qt::ToolTipRole)
            return Q(Form.Captions.SupportHeaderHints[size_t(section)]);
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        return Form.Project.Parcels.Count() > 0 ? flags | Qt::ItemIsEditable : flags;
    }
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }
    void HeadersChanged() { emit headerDataChanged(Qt::Horizontal, 0, kSupportColumnCount - 1); }

private:
    const TFormMain &Form;
};

// The supports grid's keys as in a spreadsheet: Enter moves down, Insert makes a support
// here; typing replaces a cell, F2 goes on from the end of its text.
class TSupportsView final : public QTableView
{
public:
    std::function<void()> InsertKey;

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override
    {
        // The view selects the whole text, so that typing replaces it.
        if (!QTableView::edit(index, trigger, event))
            return false;
        if (auto *line = qobject_cast<QLineEdit *>(indexWidget(index));
            line && trigger == EditKeyPressed)
            line->end(false);
        return true;
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool plain
            = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
        if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
            const QModelIndex at = currentIndex();
            if (at.isValid() && at.row() + 1 < model()->rowCount())
                setCurrentIndex(model()->index(at.row() + 1, at.column()));
            return;
        }
        if (plain && event->key() == Qt::Key_Insert && InsertKey) {
            InsertKey();
            return;
        }
        QTableView::keyPressEvent(event);
    }
};

// Edits a cell of the supports grid by the form's rules: Enter, Tab and Shift+Tab take the
// text and move on, or keep the editor open with the reason beside it.
class TSupportCellDelegate final : public QStyledItemDelegate
{
public:
    TSupportCellDelegate(TMainWindowWidget &window, QAbstractItemView &view)
        : QStyledItemDelegate(&view)
        , Window(window)
        , View(view)
    {
        // A reason shown beside the editor goes with it.
        connect(this, &QAbstractItemDelegate::closeEditor, this, [this] {
            if (QLabel *hint = FieldHint(&Window))
                hint->hide();
        });
    }

    // The text being typed into a cell, taken now: what a command does must include it.
    void TakeOpenCell()
    {
        auto *line
            = Editing.isValid() ? qobject_cast<QLineEdit *>(View.indexWidget(Editing)) : nullptr;
        if (!line)
            return;
        const int row = Editing.row(), column = Editing.column();
        const std::string text = line->text().toStdString();
        emit closeEditor(line, QAbstractItemDelegate::NoHint);
        Window.CommitSupportCell(row, column, text, TMainWindowWidget::TCellMove::Stay);
    }

    QWidget *createEditor(QWidget *parent,
                          const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        Editing = index;
        if (index.column() == int(TSupportColumn::Span))
            AttachNumberRule(editor, TFormPillar::kSpanRule);
        return editor;
    }
    void
    setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        // The editor left as the window lost the focus: taken once the view has let it go,
        // since taking it refills the grid, and only into the section it was typed in.
        const auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line)
            return;
        const std::string text = line->text().toStdString();
        const int row = index.row(), column = index.column();
        const int section = Window.State().ParcelIndex;
        TMainWindowWidget *window = &Window;
        QMetaObject::invokeMethod(
            window,
            [window, section, row, column, text] {
                if (window->State().ParcelIndex == section)
                    window->CommitSupportCell(
                        row, column, text, TMainWindowWidget::TCellMove::Stay);
            },
            Qt::QueuedConnection);
    }

    void paint(QPainter *painter,
               const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        // The rows are selected whole: the cell that typing goes to is framed.
        if (!(option.state & QStyle::State_HasFocus))
            return;
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(QPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *line = qobject_cast<QLineEdit *>(object);
        if (line && event->type() == QEvent::FocusOut && Editing.isValid()) {
            // Another widget of the window takes the focus, the sections list perhaps: the cell
            // is taken before that widget acts.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason
                && !line->isAncestorOf(QApplication::focusWidget())) {
                TakeOpenCell();
                return false;
            }
        }
        if (!line || event->type() != QEvent::KeyPress || !Editing.isValid())
            return QStyledItemDelegate::eventFilter(object, event);
        using enum TMainWindowWidget::TCellMove;
        TMainWindowWidget::TCellMove move;
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            move = Down;
            break;
        case Qt::Key_Tab:
            move = Right;
            break;
        case Qt::Key_Backtab:
            move = Left;
            break;
        default:
            return QStyledItemDelegate::eventFilter(object, event);
        }
        const int row = Editing.row(), column = Editing.column();
        const std::string text = line->text().toStdString();
        const std::string why = Window.State().SupportCellError(row, column, text);
        if (!why.empty()) {
            ShowFieldHint(line, Q(why));
            return true;
        }
        emit closeEditor(line, QAbstractItemDelegate::NoHint);
        Window.CommitSupportCell(row, column, text, move);
        return true;
    }

private:
    TMainWindowWidget &Window;
    QAbstractItemView &View;
    mutable QPersistentModelIndex Editing;
};

TMainWindowWidget::TMainWindowWidget(TWiresList &catalog, QWidget *parent)
    : QMainWindow(parent)
    , QtPort(this)
    , Dialogs(this)
    , Port(QtPort.App(Dialogs))
    , Form(Port, catalog)
{
    Dialogs.SetPort(&Port);
    // An edit in the catalog window may change what the results were calculated with.
    Dialogs.OnCatalogReloaded([this] { RefreshResults(); });
    CreateActions();
    CreateMenus();

    Navigation = new QListWidget;
    for (int i = 0; i < 4; ++i)
        Navigation->addItem(QString());
    Navigation->setMinimumWidth(Navigation->fontMetrics().horizontalAdvance(QString(34, 'x')));
    connect(Navigation, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!Refreshing && row >= 0)
            Do([this, row] { Form.Navigate(TPage(row + 1)); });
    });

    Stack = new QStackedWidget;
    Pages[0] = NewClimatePage(Form.ClimatePage, Stack);
    Pages[1] = NewCoefficientPage(Form.CoefficientPage, Stack);
    Pages[2] = NewDamperPage(
        Form.DamperPage,
        [this](int row) { Do([this, row] { Form.SelectDamperRow(row); }, false); },
        [this](int row) { Do([this, row] { Form.DamperRowActivated(row); }); },
        Stack);
    Pages[3] = static_cast<TBoundWidget *>(CreateSectionsPage());
    for (TBoundWidget *page : Pages)
        Stack->addWidget(page);
    // Showing the panel is the window's own matter, not a command of the project.
    QMenu *calculation = Menus[size_t(TMenu::Calculation)];
    calculation->addSeparator();
    calculation->addAction(ResultsDock->toggleViewAction());

    PageTitle = new QLabel;
    QFont titleFont = PageTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    PageTitle->setFont(titleFont);
    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(PageTitle);
    rightLayout->addWidget(Stack, 1);

    auto *splitter = new QSplitter;
    splitter->addWidget(Navigation);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 800});
    setCentralWidget(splitter);

    ProjectNameLabel = new QLabel;
    StatusLabel = new QLabel;
    // The status text yields its room to the project's name.
    StatusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(StatusLabel, 1);
    statusBar()->addPermanentWidget(ProjectNameLabel);
    resize(1100, 720);
}

TMainWindowWidget::~TMainWindowWidget() = default;

void TMainWindowWidget::CreateActions()
{
    for (const TCommandRow &row : CommandTable()) {
        auto *action = new QAction(this);
        const TCommand command = row.Id;
        connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
        if (*row.Shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(row.Shortcut)));
            // The keys work whichever menu or tool bar shows the command, or none.
            addAction(action);
        }
        Actions[size_t(command)] = action;
    }
}

void TMainWindowWidget::CreateMenus()
{
    for (const TMenuRow &row : MenuTable()) {
        QMenu *menu = menuBar()->addMenu(QString());
        Menus[size_t(row.Menu)] = menu;
        for (const TCommandRow &command : CommandTable()) {
            if (command.Menu != row.Menu)
                continue;
            if (command.SeparatorBefore)
                menu->addSeparator();
            if (command.Handler) {
                menu->addAction(Action(command.Id));
                continue;
            }
            // The recent projects: a submenu shown and enabled through the command's action,
            // filled as it opens, so that it names the projects as they are then.
            RecentMenu = new QMenu(this);
            Action(command.Id)->setMenu(RecentMenu);
            menu->addAction(Action(command.Id));
            connect(RecentMenu, &QMenu::aboutToShow, this, &TMainWindowWidget::FillRecent);
        }
    }
    SectionsBar = addToolBar(QString());
    SupportsBar = addToolBar(QString());
    SectionsBar->setObjectName(QStringLiteral("sections"));
    SupportsBar->setObjectName(QStringLiteral("supports"));
}

QWidget *TMainWindowWidget::CreateSectionsPage()
{
    auto *page = new TSectionsPage;
    Sections = new QListWidget;
    Sections->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const TCommand c : BarCommands(TToolBar::Sections))
        Sections->addAction(Action(c));
    connect(Sections, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!Refreshing && row >= 0)
            Do([this, row] { Form.SelectParcel(row); });
    });
    connect(
        Sections, &QListWidget::itemDoubleClicked, this, [this] { Execute(TCommand::ParcelEdit); });

    SupportsModel = new TSupportsModel(Form, this);
    auto *view = new TSupportsView;
    Supports = view;
    Supports->setModel(SupportsModel);
    Supports->setItemDelegate(new TSupportCellDelegate(*this, *view));
    view->InsertKey = [this] {
        InsertSupportHere();
    };
    Supports->verticalHeader()->hide();
    Supports->horizontalHeader()->setStretchLastSection(true);
    Supports->horizontalHeader()->setHighlightSections(false);
    Supports->verticalHeader()->setDefaultSectionSize(Supports->fontMetrics().height() + 6);
    Supports->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The commands act on a run of rows from the top to the bottom of the selection.
    Supports->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // Typing into a cell edits it in place; a double click opens the support editor.
    Supports->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    Supports->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const TCommand c : BarCommands(TToolBar::Supports))
        Supports->addAction(Action(c));
    connect(Supports, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        Execute(index.row() == Form.SupportCount() ? TCommand::PillarCreate : TCommand::PillarEdit);
    });
    connect(Supports->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        SupportsSelectionChanged();
    });
    connect(Supports->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        SupportsSelectionChanged();
    });

    // Copy, paste and Del belong to the grids; in the pages' fields they edit text.
    const auto scoped = [&](QKeySequence sequence, auto slot) {
        auto *action = new QAction(page);
        action->setShortcut(sequence);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, slot);
        page->addAction(action);
        return action;
    };
    scoped(QKeySequence::Copy, [this] { Execute(TCommand::PillarCopy); });
    scoped(QKeySequence::Paste, [this] { Execute(TCommand::PillarInsert); });
    DeleteKeyAction = scoped(QKeySequence::Delete, [this] { Do([this] { Form.DeleteKey(); }); });

    SectorsTitle = new QLabel;
    SupportsTitle = new QLabel;
    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(SectorsTitle);
    leftLayout->addWidget(Sections, 1);
    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(SupportsTitle);
    rightLayout->addWidget(Supports, 1);
    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    // With the results beside them the grids share less room: the supports' nine columns take
    // the larger part.
    const int x = Supports->fontMetrics().horizontalAdvance(QLatin1Char('x'));
    splitter->setSizes({18 * x, 62 * x});
    // The results panel docks beside the supports within this page, so that the other pages
    // keep the whole width; it can be closed, moved below them or floated.
    Results = new TResultsView;
    ResultsDock = new QDockWidget;
    ResultsDock->setObjectName(QStringLiteral("results"));
    ResultsDock->setWidget(Results);
    auto *docks = new QMainWindow;
    docks->setWindowFlags(Qt::Widget);
    docks->setCentralWidget(splitter);
    docks->addDockWidget(Qt::RightDockWidgetArea, ResultsDock);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(docks);
    return page;
}

void TMainWindowWidget::SupportsSelectionChanged()
{
    if (Refreshing)
        return;
    // The rows of the selected cells: a range of cells selects the rows it spans.
    const QModelIndexList rows = Supports->selectionModel()->selectedIndexes();
    const int current = Supports->currentIndex().isValid() ? Supports->currentIndex().row() : 0;
    int first = current, last = current;
    if (!rows.isEmpty()) {
        int top = rows.front().row(), bottom = top;
        for (const QModelIndex &i : rows) {
            top = std::min(top, i.row());
            bottom = std::max(bottom, i.row());
        }
        // The current row is the end the person moved last.
        first = current == top ? bottom : top;
        last = current == top ? top : bottom;
        if (current != top && current != bottom) {
            first = top;
            last = bottom;
        }
    }
    Do([this, first, last] { Form.SelectPillars(first, last); }, false);
    EnableActions();
}

void TMainWindowWidget::Do(const std::function<void()> &action, bool refresh)
{
    Form.Guard(action);
    if (refresh)
        Refresh();
}

void TMainWindowWidget::Execute(TCommand command)
{
    if (command == TCommand::Exit) {
        close();
        return;
    }
    static_cast<TSupportCellDelegate *>(Supports->itemDelegate())->TakeOpenCell();
    // The desktop's clipboard: Copy puts the rows there too; Paste takes rows copied
    // elsewhere when they are what was copied last.
    if (command == TCommand::PillarInsert && PasteClipboardText())
        return;
    const bool copying = command == TCommand::PillarCopy && Form.IsEnabled(command);
    // Run guards the command itself.
    Form.Run(command);
    if (copying)
        PutCopiesOnClipboard();
    Refresh();
}

void TMainWindowWidget::Refresh()
{
    Refreshing = true;
    if (CaptionsVersion != Form.Captions.Version)
        RefreshCaptions();
    for (TBoundWidget *page : Pages)
        page->Reload();
    RefreshGrids();
    RefreshResults();
    const int page = int(Form.CurrentPage) - 1;
    Navigation->setCurrentRow(page);
    for (int i = 0; i < 4; ++i) {
        QFont font = Navigation->item(i)->font();
        font.setBold(i == page);
        Navigation->item(i)->setFont(font);
    }
    Stack->setCurrentIndex(page);
    PageTitle->setText(Q(Form.Captions.PageTitles[size_t(page)]));
    ProjectNameLabel->setText(Q(Form.ProjectName));
    setWindowTitle(Q(Form.WindowTitle()));
    EnableActions();
    Refreshing = false;
}

void TMainWindowWidget::EnableActions()
{
    for (int i = 0; i < kCommandCount; ++i)
        Actions[size_t(i)]->setEnabled(Form.IsEnabled(TCommand(i)));
}

void TMainWindowWidget::RefreshCaptions()
{
    const TMainCaptions &c = Form.Captions;
    CaptionsVersion = c.Version;
    UseQtTranslations(CurrentLanguage());
    StatusLabel->setText(Q(c.StatusLine));
    for (const TMenuRow &row : MenuTable())
        Menus[size_t(row.Menu)]->setTitle(Q(c.Menus[size_t(row.Menu)]));
    for (int i = 0; i < kCommandCount; ++i) {
        Actions[size_t(i)]->setText(Q(c.Commands[size_t(i)]));
        Actions[size_t(i)]->setToolTip(Q(c.Hints[size_t(i)]));
        Actions[size_t(i)]->setStatusTip(Q(c.Hints[size_t(i)]));
    }
    for (int i = 0; i < 4; ++i)
        Navigation->item(i)->setText(Q(c.Navigation[size_t(i)]));
    SectorsTitle->setText(Q(c.Sectors));
    SupportsTitle->setText(Q(c.Supports));
    SectionsBar->setWindowTitle(Q(c.Sectors));
    SupportsBar->setWindowTitle(Q(c.Supports));
    // A tool button keeps the width of the text it was made with: made anew for new texts.
    // The bars' Add, Edit, Paste and Delete read alike: each says first what it acts on.
    const auto fill = [this](QToolBar *bar, TToolBar which, const std::string &title) {
        bar->clear();
        auto *label = new QLabel(Q(title) + QStringLiteral(":"));
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setContentsMargins(6, 0, 4, 0);
        bar->addWidget(label);
        for (const TCommand command : BarCommands(which))
            bar->addAction(Action(command));
    };
    fill(SectionsBar, TToolBar::Sections, c.Sectors);
    fill(SupportsBar, TToolBar::Supports, c.Supports);
    SupportsModel->HeadersChanged();
    for (TBoundWidget *page : Pages)
        page->Retranslate();
}

void TMainWindowWidget::RefreshGrids()
{
    if (Sections->count() != int(Form.SectionRows.size())) {
        Sections->clear();
        for (const auto &name : Form.SectionRows)
            Sections->addItem(Q(name));
    } else {
        for (int i = 0; i < Sections->count(); ++i)
            Sections->item(i)->setText(Q(Form.SectionRows[size_t(i)]));
    }
    if (!Form.SectionRows.empty())
        Sections->setCurrentRow(Form.ParcelIndex);
    // The column the person works in stays current.
    const int column = std::max(0, Supports->currentIndex().column());
    SupportsModel->Reset();
    Supports->resizeColumnsToContents();
    if (!Form.SupportRows.empty()) {
        const QModelIndex current = SupportsModel->index(Form.PillarIndex, column);
        Supports->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        Supports->selectionModel()->select(
            QItemSelection(SupportsModel->index(Form.SelectionFirst, 0),
                           SupportsModel->index(Form.SelectionLast, kSupportColumnCount - 1)),
            QItemSelectionModel::ClearAndSelect);
        Supports->scrollTo(current);
    }
}

void TMainWindowWidget::RefreshResults()
{
    const TResultsCaptions captions = ResultsCaptions();
    ResultsDock->setWindowTitle(Q(captions.Panel));
    Results->Show(Form.CurrentResults(), captions, Form.Results.Calculations());
}

void TMainWindowWidget::SetSupportCell(int row, int column)
{
    row = std::clamp(row, 0, Form.SupportCount());
    column = std::clamp(column, 0, kSupportColumnCount - 1);
    Supports->setCurrentIndex(SupportsModel->index(row, column));
    Supports->scrollTo(Supports->currentIndex());
}

void TMainWindowWidget::CommitSupportCell(int row,
                                          int column,
                                          const std::string &text,
                                          TCellMove move)
{
    const QModelIndex was = Supports->currentIndex();
    bool taken = false;
    Do([&] { taken = Form.EditSupportCell(row, column, text); });
    if (move == TCellMove::Stay) {
        // Left by a click: the cell clicked stays current.
        if (was.isValid())
            SetSupportCell(was.row(), was.column());
        return;
    }
    if (taken) {
        if (move == TCellMove::Down) {
            ++row;
        } else if (move == TCellMove::Right && ++column == kSupportColumnCount) {
            column = 0;
            ++row;
        } else if (move == TCellMove::Left && --column < 0) {
            column = kSupportColumnCount - 1;
            row = std::max(0, row - 1);
        }
    }
    SetSupportCell(row, column);
}

void TMainWindowWidget::InsertSupportHere()
{
    const QModelIndex at = Supports->currentIndex();
    const int row = at.isValid() ? at.row() : Form.SupportCount();
    bool inserted = false;
    Do([&] { inserted = Form.InsertSupportAt(row); });
    if (inserted)
        SetSupportCell(row, 0);
}

void TMainWindowWidget::PutCopiesOnClipboard()
{
    auto *data = new QMimeData;
    data->setText(Q(Form.SelectedSupportsText()));
    data->setData(QString::fromLatin1(kSupportsMime), QByteArray("1"));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool TMainWindowWidget::PasteClipboardText()
{
    // What was copied last is pasted: the program's own copies while the clipboard still
    // holds them, with every field; text copied elsewhere, from a spreadsheet, as rows.
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText() || data->hasFormat(QString::fromLatin1(kSupportsMime)))
        return false;
    const QModelIndex at = Supports->currentIndex();
    const int row = at.isValid() ? at.row() : Form.SupportCount();
    const std::string text = data->text().toStdString();
    Do([&] { Form.PasteSupportRows(text, row); });
    return true;
}

void TMainWindowWidget::FillRecent()
{
    RecentMenu->clear();
    const auto &items = Form.Recent.Items();
    for (size_t i = 0; i < items.size(); ++i) {
        QAction *open = RecentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(items[i].string())));
        connect(open, &QAction::triggered, this, [this, i] {
            Do([this, i] { Form.OpenRecent(int(i)); });
        });
    }
}

void TMainWindowWidget::closeEvent(QCloseEvent *event)
{
    // The wait window of an output lets a close request in; the output's state must stay
    // until the file is complete, so the window stays and nothing is asked.
    if (Form.Writing()) {
        event->ignore();
        return;
    }
    static_cast<TSupportCellDelegate *>(Supports->itemDelegate())->TakeOpenCell();
    bool closing = false;
    Do([&] { closing = Form.ActExit(); });
    if (!closing) {
        event->ignore();
        return;
    }
    StoreWindowState();
    event->accept();
}

void TMainWindowWidget::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    KeepNormalPlacement();
}

void TMainWindowWidget::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    KeepNormalPlacement();
}

void TMainWindowWidget::KeepNormalPlacement()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    // pos() is the frame's corner and size() the inside: what move() and resize() take.
    NormalPosition = pos();
    NormalSize = size();
}

void TMainWindowWidget::RestoreWindowState()
{
    TWindowPlacement placement = LoadWindowPlacement();
    // Fitted to the screen the window was on; a position on no screen (a monitor unplugged
    // since) is left to the window system. Unfitted, a stored width of 100000 would ask the
    // window system for a window it cannot make.
    QScreen *on = placement.HasPosition
        ? QGuiApplication::screenAt(QPoint(placement.X, placement.Y))
        : nullptr;
    if (!on) {
        placement.HasPosition = false;
        on = screen() ? screen() : QGuiApplication::primaryScreen();
    }
    if (on) {
        const QRect area = on->availableGeometry();
        placement = placement.FittedTo(
            {area.x(), area.y(), area.width(), area.height()}, kMinWidth, kMinHeight);
    } else {
        placement.HasSize = placement.HasPosition = false;
    }
    if (placement.HasSize)
        resize(placement.Width, placement.Height);
    if (placement.HasPosition)
        move(placement.X, placement.Y);
    if (placement.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    Form.Navigate(TPage(placement.Page));
    Refresh();
}

void TMainWindowWidget::StoreWindowState() const
{
    // A window never shown normally has no normal placement of its own yet.
    const bool known = !NormalSize.isEmpty();
    TWindowPlacement placement;
    placement.X = known ? NormalPosition.x() : pos().x();
    placement.Y = known ? NormalPosition.y() : pos().y();
    placement.Width = known ? NormalSize.width() : width();
    placement.Height = known ? NormalSize.height() : height();
    placement.Maximized = isMaximized();
    placement.Page = int(Form.CurrentPage);
    try {
        SaveWindowPlacement(placement);
    } catch (const std::exception &) {
        // The window opens at its default size next time; not worth a message on closing.
    }
}

} // namespace vartesk::ui
