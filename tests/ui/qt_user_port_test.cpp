// The desktop's user port driven through the real Qt boxes and dialogs.
#include "ui/qt_user_port.h"

#include "modal_driver.h"
#include "test_support.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace vartesk;
using namespace vartesk::ui;

namespace {

struct TBoxSeen
{
    QString Title;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QString Text;
    Qt::TextFormat Format = Qt::AutoText;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
};

TBoxSeen Seen(const QMessageBox &box)
{
    return {box.windowTitle(),
            box.icon(),
            box.text(),
            box.textFormat(),
            box.standardButtons(),
            box.defaultButton() ? box.standardButton(box.defaultButton()) : QMessageBox::NoButton};
}

// What a person does in a file dialog: reads it, then types a name and presses Enter.
struct TDialogSeen
{
    QString Title;
    QStringList Filters;
    QString Folder;
    QString ProposedName;
    QStringList Listed;
};

QLineEdit &NameEdit(QFileDialog &dialog)
{
    auto *edit = dialog.findChild<QLineEdit *>("fileNameEdit");
    if (!edit)
        throw std::runtime_error("the file dialog has no name field");
    return *edit;
}

void AnswerFileDialog(TDialogSeen &seen, const QString &typed, int listedFiles = -1)
{
    test::OnNextModal<QFileDialog>([&seen, typed, listedFiles](QFileDialog &dialog) {
        seen.Title = dialog.windowTitle();
        seen.Filters = dialog.nameFilters();
        seen.Folder = dialog.directory().absolutePath();
        seen.ProposedName = NameEdit(dialog).text();
        if (listedFiles >= 0) {
            // The folder is read in the background: wait for the rows the filter lets through.
            auto *view = dialog.findChild<QListView *>("listView");
            ASSERT_NE(view, nullptr);
            // Then a little longer, for a row the filter should have kept out.
            (void)QTest::qWaitFor(
                [&] { return view->model()->rowCount(view->rootIndex()) >= listedFiles; }, 10000);
            QTest::qWait(100);
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                seen.Listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
        }
        if (typed.isNull()) {
            dialog.reject();
            return;
        }
        NameEdit(dialog).clear();
        QTest::keyClicks(&NameEdit(dialog), typed);
        QTest::keyClick(&NameEdit(dialog), Qt::Key_Return);
    });
}

QString Q(const std::filesystem::path &path)
{
    return QString::fromStdString(path.string());
}

} // namespace

TEST(QtUserPort, MessagesAreBoxesTitledWithTheApplicationTitle)
{
    TQtUserPort port;
    const std::pair<TMessageKind, QMessageBox::Icon> kinds[] = {
        {TMessageKind::Error, QMessageBox::Critical},
        {TMessageKind::Warning, QMessageBox::Warning},
        {TMessageKind::Information, QMessageBox::Information},
        {TMessageKind::Plain, QMessageBox::NoIcon},
    };
    for (const auto &[kind, icon] : kinds) {
        TBoxSeen seen;
        test::OnNextModal<QMessageBox>([&](QMessageBox &box) {
            seen = Seen(box);
            box.button(QMessageBox::Ok)->click();
        });
        // A section name may hold what rich text would swallow.
        port.Tell(kind, "The wire <АС 70/11> is not found.\r\nInput the data.");
        EXPECT_EQ(seen.Title, "Vartesk");
        EXPECT_EQ(seen.Icon, icon);
        EXPECT_EQ(seen.Text, "The wire <АС 70/11> is not found.\nInput the data.");
        EXPECT_EQ(seen.Format, Qt::PlainText);
        EXPECT_EQ(seen.Buttons, QMessageBox::Ok);
    }
}

TEST(QtUserPort, AQuestionIsAWarningWithYesAndNo)
{
    TQtUserPort port;
    TBoxSeen seen;
    test::OnNextModal<QMessageBox>([&](QMessageBox &box) {
        seen = Seen(box);
        box.button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(port.Ask("Are you sure you would like to delete the support?"));
    EXPECT_EQ(seen.Title, "Vartesk");
    EXPECT_EQ(seen.Icon, QMessageBox::Warning);
    EXPECT_EQ(seen.Text, "Are you sure you would like to delete the support?");
    EXPECT_EQ(seen.Buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.Default, QMessageBox::Yes);

    test::OnNextModal<QMessageBox>([](QMessageBox &box) { box.button(QMessageBox::No)->click(); });
    EXPECT_FALSE(port.Ask("Continue calculation?"));
    test::OnNextModal<QMessageBox>([](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_FALSE(port.Ask("Continue calculation?"));
    // Enter takes the default button.
    test::OnNextModal<QMessageBox>([](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_TRUE(port.Ask("Continue calculation?"));
}

TEST(QtUserPort, SaveDialogShowsTheRequestAndAddsTheExtension)
{
    test::TScratchDir dir;
    TQtUserPort port;
    TDialogSeen seen;
    AnswerFileDialog(seen, "line 1");
    const auto chosen = port.ChooseSave(
        {"Вывод в CAD - Vartesk", "CAD file(*.dxf)|*.dxf", "dxf", "demo", dir.Path()});
    EXPECT_EQ(seen.Title, "Вывод в CAD - Vartesk");
    EXPECT_EQ(seen.Filters, QStringList {"CAD file(*.dxf)"});
    EXPECT_EQ(seen.Folder, Q(dir.Path()));
    EXPECT_EQ(seen.ProposedName, "demo");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, dir.Path() / "line 1.dxf");
    EXPECT_EQ(port.LastFolder(), dir.Path());
}

TEST(QtUserPort, ADialogWithoutFolderStartsWhereTheLastFileWasChosen)
{
    test::TScratchDir chosenIn;
    test::TScratchDir cancelledIn;
    TQtUserPort port;
    TDialogSeen seen;
    AnswerFileDialog(seen, "a");
    ASSERT_TRUE(port.ChooseSave({"", "*.xls|*.xls", "xls", "*.xls", chosenIn.Path()}));
    // Qt's dialog remembers the folder last shown; a cancelled dialog chose nothing there.
    AnswerFileDialog(seen, QString());
    ASSERT_FALSE(port.ChooseSave({"", "*.xls|*.xls", "xls", "*.xls", cancelledIn.Path()}));

    AnswerFileDialog(seen, "c");
    const auto chosen = port.ChooseSave({"", "*.xls|*.xls", "xls", "*.xls", {}});
    // A pattern is no name to propose.
    EXPECT_EQ(seen.ProposedName, "");
    EXPECT_EQ(seen.Folder, Q(chosenIn.Path()));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, chosenIn.Path() / "c.xls");
}

TEST(QtUserPort, FolderDialogTakesAnExistingFolderAndStartsThereNextTime)
{
    test::TScratchDir dir;
    std::filesystem::create_directory(dir / "out 1");
    TQtUserPort port;
    TDialogSeen seen;
    AnswerFileDialog(seen, "out 1");
    const auto chosen = port.ChooseFolder({"Folder for all outputs", "", "", "", dir.Path()});
    EXPECT_EQ(seen.Title, "Folder for all outputs");
    EXPECT_EQ(seen.Folder, Q(dir.Path()));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, dir.Path() / "out 1");
    AnswerFileDialog(seen, QString());
    EXPECT_FALSE(port.ChooseFolder({}));
    EXPECT_EQ(seen.Folder, Q(dir.Path() / "out 1"));
}

TEST(QtUserPort, CancelChoosesNothingAndKeepsTheLastFolder)
{
    test::TScratchDir dir;
    TQtUserPort port;
    TDialogSeen seen;
    AnswerFileDialog(seen, QString());
    EXPECT_FALSE(port.ChooseSave({"", "*.txt|*.txt", "txt", "catalog", dir.Path()}));
    AnswerFileDialog(seen, QString());
    EXPECT_FALSE(port.ChooseOpen({"", "*.vsk", "vsk", "*.vsk", dir.Path()}));
    EXPECT_TRUE(port.LastFolder().empty());
}

TEST(QtUserPort, OpenDialogListsWhatTheFilterLetsThroughAndTakesAnExistingFile)
{
    test::TScratchDir dir;
    for (const char *name : {"demo.vsk", "north.vsk", "notes.txt", "demo.vsk.bak"})
        test::WriteAll(dir / name, "version 3.4\n");
    TQtUserPort port;
    TDialogSeen seen;
    // Typed without its extension, as people do.
    AnswerFileDialog(seen, "north", 2);
    const auto chosen
        = port.ChooseOpen({"Открытие проекта - VarteskDamp", "*.vsk", "vsk", "*.vsk", dir.Path()});
    EXPECT_EQ(seen.Title, "Открытие проекта - VarteskDamp");
    EXPECT_EQ(seen.Filters, QStringList {"*.vsk"});
    seen.Listed.sort();
    EXPECT_EQ(seen.Listed, (QStringList {"demo.vsk", "north.vsk"}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, dir.Path() / "north.vsk");
}

namespace {

class TUrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> Urls;
public slots:
    void Opened(const QUrl &url) { Urls << url; }
};

} // namespace

TEST(QtUserPort, DesktopOpenHandsOverTheFileByItsFullPath)
{
    test::TScratchDir dir;
    TUrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Opened");
    TQtUserPort port;
    const auto report = dir / "отчёт 1.xls";
    port.Open(report);
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    port.Open("scheme.dxf");
    std::filesystem::current_path(before);
    QDesktopServices::unsetUrlHandler("file");

    ASSERT_EQ(catcher.Urls.size(), 2);
    EXPECT_EQ(catcher.Urls[0], QUrl::fromLocalFile(Q(report)));
    EXPECT_EQ(catcher.Urls[0].toLocalFile(), Q(report));
    EXPECT_EQ(catcher.Urls[1].toLocalFile(), Q(dir / "scheme.dxf"));
}

#include "qt_user_port_test.moc"
