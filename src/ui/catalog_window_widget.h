// The catalog window on screen: the wire catalog by group in a sortable grid, for editing or
// for choosing one entry.
#pragma once

#include "app/app_port.h"
#include "app/command_guard.h"
#include "app/editors/catalog_window.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <array>
#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace vartesk::ui {

// The grid's rows as the state lists them. Texts are made only for the rows on screen, so a
// catalog of any size fills at once.
class TCatalogRowsModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void Fill(std::vector<TCatalogRow> rows,
              const std::array<std::string, kCatalogColumns> &headers);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<TCatalogRow> Rows;
    std::array<QString, kCatalogColumns> Headers;
};

// One window class for both modes. In selection mode it is run modally and closes with the
// chosen record; in editing mode it stays open beside the main window. Every click goes to
// the state object, and the grid is filled again from it afterwards.
class TCatalogWindow final : public QDialog
{
    Q_OBJECT

public:
    TCatalogWindow(TFormWiresBase &catalog,
                   const TAppPort &port,
                   TCatalogMode mode,
                   QWidget *parent);

    // Rebinds a window kept between showings; `port`'s parts must outlive the window.
    void Bind(TFormWiresBase &catalog, const TAppPort &port);
    bool BoundTo(const TFormWiresBase &catalog) const { return Catalog == &catalog; }
    TCatalogMode Mode() const { return WindowMode; }

    // A new showing: the state opened in this window's mode, the captions in the current
    // language and units, the rows, the first of them selected.
    void Open();
    // The rows and the commands' availability as the state now has them.
    void Reload();

signals:
    // The rows were shown again: after every command, the catalog may have changed.
    void Reloaded();

public:
    // Selection mode: the record chosen when the window closed with Select.
    std::optional<TWireRecord> Choice() const { return Chosen; }

    QTableView &Grid() const { return *View; }
    QComboBox &GroupSelector() const { return *Groups; }
    // The commands of the mode, in screen order (Select, Cancel or Create ... Close).
    QPushButton *Button(const char *command) const;
    // The grid's context menu: new, edit, delete.
    QMenu &ContextMenu() const { return *Menu; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Retranslate();
    void SyncCommands();
    void ChooseGroup(int group);
    void SortBy(int column);
    void Command(bool (TFormWiresBase::*command)(TAppPort &));
    void Export();
    void SelectAndClose();
    void DoubleClicked(const QModelIndex &index);
    void ShowContextMenu(const QPoint &at);
    void ClickContextMenu(int item);
    QPushButton *AddButton(const char *command);
    template<class F>
    void Guard(F &&action);

    TFormWiresBase *Catalog;
    std::optional<TAppPort> Port;
    const TCatalogMode WindowMode;
    std::optional<TWireRecord> Chosen;
    bool Filling = false;

    QLabel *GroupLabel;
    QComboBox *Groups;
    QGroupBox *WireBox;
    QTableView *View;
    TCatalogRowsModel *Model;
    std::vector<QPushButton *> Buttons;
    QMenu *Menu;
    std::array<QAction *, 3> MenuItems {};
};

} // namespace vartesk::ui
