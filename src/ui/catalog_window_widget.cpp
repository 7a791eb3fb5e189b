// The catalog window's widgets and their binding to the catalog window's state.
#include "ui/catalog_window_widget.h"

#include "ui/app_windows.h"
#include "ui/caption_text.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <functional>

namespace vartesk::ui {

namespace {

// The string table breaks its lines with "\r\n"; Qt wants "\n".

// Column widths follow the texts of this many rows, not of the whole catalog.
constexpr int kWidthSampleRows = 200;

// The catalog window that stays open in editing mode over `parent`, if any.
TCatalogWindow *EditingWindowOf(QWidget *parent)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<TCatalogWindow *>(w);
        if (window && window->Mode() == TCatalogMode::Editing && window->parentWidget() == parent)
            return window;
    }
    return nullptr;
}

} // namespace

void TCatalogRowsModel::Fill(std::vector<TCatalogRow> rows,
                             const std::array<std::string, kCatalogColumns> &headers)
{
    beginResetModel();
    Rows = std::move(rows);
    for (size_t c = 0; c < Headers.size(); ++c)
        Headers[c] = CaptionText(headers[c]);
    endResetModel();
}

int TCatalogRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(Rows.size());
}

int TCatalogRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kCatalogColumns;
}

QVariant TCatalogRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(Rows.size()))
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(Rows[size_t(index.row())].Texts[size_t(index.column())]);
    if (role == Qt::TextAlignmentRole && index.column() > 0)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TCatalogRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < kCatalogColumns)
        return Headers[size_t(section)];
    return QAbstractTableModel::headerData(section, orientation, role);
}

TCatalogWindow::TCatalogWindow(TFormWiresBase &catalog,
                               const TAppPort &port,
                               TCatalogMode mode,
                               QWidget *parent)
    : QDialog(parent)
    , Catalog(&catalog)
    , Port(port)
    , WindowMode(mode)
    , GroupLabel(new QLabel(this))
    , Groups(new QComboBox(this))
    , WireBox(new QGroupBox(this))
    , View(new QTableView(this))
    , Model(new TCatalogRowsModel(this))
    , Menu(new QMenu(this))
{
    GroupLabel->setBuddy(Groups);
    Groups->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto *groupRow = new QHBoxLayout;
    groupRow->addWidget(GroupLabel);
    groupRow->addWidget(Groups, 1);

    View->setModel(Model);
    View->setSelectionBehavior(QAbstractItemView::SelectRows);
    View->setSelectionMode(QAbstractItemView::SingleSelection);
    View->setEditTriggers(QAbstractItemView::NoEditTriggers);
    View->setWordWrap(false);
    View->setAlternatingRowColors(true);
    View->verticalHeader()->hide();
    View->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    View->horizontalHeader()->setSectionsClickable(true);
    View->horizontalHeader()->setResizeContentsPrecision(kWidthSampleRows);
    // The names take the room left; the numbers keep the width of their texts.
    View->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    View->setMinimumSize(680, 320);
    auto *boxLayout = new QVBoxLayout(WireBox);
    boxLayout->addWidget(View);

    auto *commands = new QVBoxLayout;
    if (WindowMode == TCatalogMode::Selection) {
        auto *select = AddButton("Select");
        auto *cancel = AddButton("Cancel");
        select->setDefault(true);
        connect(select, &QPushButton::clicked, this, &TCatalogWindow::SelectAndClose);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    } else {
        const auto run = [this](bool (TFormWiresBase::*command)(TAppPort &)) {
            return [this, command] {
                Command(command);
            };
        };
        connect(AddButton("Create"), &QPushButton::clicked, this, run(&TFormWiresBase::Create));
        auto *edit = AddButton("Edit");
        // Enter edits, as a double click does.
        edit->setDefault(true);
        connect(edit, &QPushButton::clicked, this, run(&TFormWiresBase::Edit));
        connect(AddButton("Delete"), &QPushButton::clicked, this, run(&TFormWiresBase::Delete));
        connect(AddButton("Export"), &QPushButton::clicked, this, &TCatalogWindow::Export);
        connect(AddButton("Import"), &QPushButton::clicked, this, run(&TFormWiresBase::Import));
        connect(AddButton("Close"), &QPushButton::clicked, this, &QDialog::close);
        for (int item = 0; item < int(MenuItems.size()); ++item) {
            MenuItems[size_t(item)] = Menu->addAction(QString());
            connect(MenuItems[size_t(item)], &QAction::triggered, this, [this, item] {
                ClickContextMenu(item);
            });
        }
        View->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(View, &QWidget::customContextMenuRequested, this, &TCatalogWindow::ShowContextMenu);
    }
    for (QPushButton *button : Buttons) {
        if (!button->isDefault())
            button->setAutoDefault(false);
        commands->addWidget(button);
    }
    commands->addStretch(1);

    // The Delete key deletes in either mode.
    View->installEventFilter(this);

    auto *body = new QHBoxLayout;
    body->addWidget(WireBox, 1);
    body->addLayout(commands);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groupRow);
    layout->addLayout(body, 1);

    connect(Groups, &QComboBox::currentIndexChanged, this, &TCatalogWindow::ChooseGroup);
    connect(View->horizontalHeader(), &QHeaderView::sectionClicked, this, &TCatalogWindow::SortBy);
    connect(View, &QAbstractItemView::doubleClicked, this, &TCatalogWindow::DoubleClicked);
    connect(View->selectionModel(),
            &QItemSelectionModel::currentRowChanged,
            this,
            [this](const QModelIndex &current) {
                if (!Filling && current.isValid())
                    Catalog->SelectedRow = current.row();
            });
    setTabOrder(Groups, View);
}

QPushButton *TCatalogWindow::AddButton(const char *command)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QLatin1String(command));
    Buttons.push_back(button);
    return button;
}

QPushButton *TCatalogWindow::Button(const char *command) const
{
    for (QPushButton *button : Buttons)
        if (button->objectName() == QLatin1String(command))
            return button;
    return nullptr;
}

void TCatalogWindow::Bind(TFormWiresBase &catalog, const TAppPort &port)
{
    Catalog = &catalog;
    Port.emplace(port);
}

void TCatalogWindow::Open()
{
    Catalog->Open(WindowMode);
    Chosen.reset();
    Retranslate();
    Reload();
    View->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    View->setFocus();
}

void TCatalogWindow::Retranslate()
{
    const TCatalogCaptions c = CatalogCaptions();
    setWindowTitle(CaptionText(c.Title));
    GroupLabel->setText(CaptionText(c.Group));
    WireBox->setTitle(CaptionText(c.WireBox));
    Filling = true;
    Groups->clear();
    for (const auto &name : c.Groups)
        Groups->addItem(CaptionText(name));
    Filling = false;
    const std::pair<const char *, const std::string *> captions[] = {
        {"Select", &c.Select},
        {"Cancel", &c.Cancel},
        {"Create", &c.Create},
        {"Edit", &c.Edit},
        {"Delete", &c.Delete},
        {"Export", &c.Export},
        {"Import", &c.Import},
        {"Close", &c.Close},
    };
    for (const auto &[command, caption] : captions)
        if (QPushButton *button = Button(command))
            button->setText(CaptionText(*caption));
    for (size_t item = 0; item < MenuItems.size(); ++item)
        if (MenuItems[item])
            MenuItems[item]->setText(CaptionText(c.ContextMenu[item]));
}

void TCatalogWindow::Reload()
{
    Filling = true;
    Groups->setCurrentIndex(Catalog->Group());
    Model->Fill(Catalog->Rows(), CatalogCaptions().Headers);
    const int row = Catalog->SelectedRow;
    if (row >= 0 && row < Model->rowCount()) {
        View->selectRow(row);
        View->setCurrentIndex(Model->index(row, 0));
        View->scrollTo(Model->index(row, 0));
    }
    Filling = false;
    SyncCommands();
    emit Reloaded();
}

void TCatalogWindow::SyncCommands()
{
    const auto enable = [this](const char *command, bool on) {
        if (QPushButton *button = Button(command))
            button->setEnabled(on);
    };
    enable("Select", Catalog->CanSelect());
    enable("Edit", Catalog->CanEdit());
    enable("Delete", Catalog->CanDelete());
    if (MenuItems[1])
        MenuItems[1]->setEnabled(Catalog->CanEdit());
    if (MenuItems[2])
        MenuItems[2]->setEnabled(Catalog->CanDelete());
}

bool TCatalogWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == View && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            if (Catalog->CanDelete())
                Command(&TFormWiresBase::Delete);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Every slot of the window runs its part of the state through here.
template<class F>
void TCatalogWindow::Guard(F &&action)
{
    RunGuarded(Port->Messages, action);
}

void TCatalogWindow::ChooseGroup(int group)
{
    if (Filling)
        return;
    Guard([&] { Catalog->ChooseGroup(group); });
    Reload();
}

void TCatalogWindow::SortBy(int column)
{
    Guard([&] { Catalog->SortByColumn(column + 1); });
    Reload();
}

void TCatalogWindow::Command(bool (TFormWiresBase::*command)(TAppPort &))
{
    Guard([this, command] { std::invoke(command, *Catalog, *Port); });
    Reload();
}

void TCatalogWindow::Export()
{
    Guard([&] { Catalog->Export(*Port); });
}

void TCatalogWindow::SelectAndClose()
{
    Guard([&] { Chosen = Catalog->Select(); });
    if (Chosen)
        accept();
}

void TCatalogWindow::DoubleClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    bool chosen = false;
    Guard([&] {
        chosen = Catalog->DoubleClick(index.row(), *Port);
        if (chosen)
            Chosen = Catalog->Select();
    });
    if (chosen) {
        accept();
        return;
    }
    Reload();
}

void TCatalogWindow::ShowContextMenu(const QPoint &at)
{
    // The menu acts on the row under the pointer, as a person reads it.
    const QModelIndex index = View->indexAt(at);
    if (index.isValid())
        View->setCurrentIndex(Model->index(index.row(), 0));
    SyncCommands();
    Menu->popup(View->viewport()->mapToGlobal(at));
}

void TCatalogWindow::ClickContextMenu(int item)
{
    Guard([&] { Catalog->ClickContextMenu(item, *Port); });
    Reload();
}

std::optional<TWireRecord>
ExecCatalogSelection(TFormWiresBase &catalog, TAppPort &port, QWidget *parent)
{
    std::optional<TWireRecord> choice;
    {
        TCatalogWindow window(catalog, port, TCatalogMode::Selection, parent);
        window.Open();
        if (window.exec() == QDialog::Accepted)
            choice = window.Choice();
    }
    // The state has one mode for both windows: an editing window left open gets its own back.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<TCatalogWindow *>(w);
        if (window && window->Mode() == TCatalogMode::Editing && window->BoundTo(catalog)
            && window->isVisible())
            window->Open();
    }
    return choice;
}

TCatalogWindow *ShowCatalogWindow(TFormWiresBase &catalog, TAppPort &port, QWidget *parent)
{
    TCatalogWindow *window = EditingWindowOf(parent);
    if (window) {
        window->Bind(catalog, port);
    } else {
        window = new TCatalogWindow(catalog, port, TCatalogMode::Editing, parent);
        // Without an owner to delete it with, the window goes when it is closed.
        window->setAttribute(Qt::WA_DeleteOnClose, parent == nullptr);
    }
    window->Open();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace vartesk::ui
