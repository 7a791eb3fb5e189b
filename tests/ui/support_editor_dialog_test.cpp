// The support editor dialog driven through its widgets: a support entered with the keyboard
// alone, what the fields refuse, a refused OK, and the picket's enabling.
#include "ui/support_editor_dialog.h"

#include "l10n/language.h"
#include "l10n/string_table.h"
#include "modal_driver.h"
#include "model/pillar.h"
#include "scripted_user.h"
#include "ui/app_windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk;
using namespace vartesk::ui;
using vartesk::test::OnNextModal;
using vartesk::test::TScriptedUser;

namespace {

template<class W>
W &Input(QDialog &dialog, const char *name)
{
    auto *widget = dialog.findChild<W *>(name);
    if (!widget)
        throw std::runtime_error(std::string("no input ") + name);
    return *widget;
}

// Typing into a widget; QTest's own typing knows only ASCII keys.
void TypeInto(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The keyboard acts on whatever has the focus, as it does for a person.
void Type(const QString &text)
{
    TypeInto(QApplication::focusWidget(), text);
}

void Press(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}

// The name of the input holding the focus (a spin box holds it through its own field).
QString Focused()
{
    QWidget *focus = QApplication::focusWidget();
    while (focus && (focus->objectName().isEmpty() || focus->objectName().startsWith("qt_"))
           && focus->parentWidget())
        focus = focus->parentWidget();
    return focus ? focus->objectName() : QString();
}

class SupportEditorDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
    }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        ClearStrings();
    }

    TFormPillar Editor;
    TScriptedUser User;
};

} // namespace

TEST_F(SupportEditorDialog, ASupportIsEnteredWithTheKeyboardAlone)
{
    TPillar proposed;
    proposed.Nomer = "13";
    proposed.Prolet = 120;
    Editor.LoadPillar(proposed);

    OnNextModal<TSupportEditorDialog>([](TSupportEditorDialog &dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_EQ(dialog.windowTitle(), "Supports");
        // The proposed number is selected: typing replaces it.
        ASSERT_EQ(Focused(), "Nomer");
        EXPECT_EQ(Input<QLineEdit>(dialog, "Nomer").selectedText(), "13");
        QStringList path;
        const auto next = [&path] {
            Press(Qt::Key_Tab);
            path << Focused();
        };
        Type("П14а");
        next();
        Type("85.5");
        next();
        Press(Qt::Key_Right); // intermediate
        next();
        Press(Qt::Key_Space); // attested
        next();
        Type("2П10");
        next();
        Type("7");
        next();
        Press(Qt::Key_Space); // picket
        next();
        Type("12");
        next();
        Type("34.5");
        next();
        Press(Qt::Key_Right); // "-"
        next();
        Type("15");
        next();
        Type("30");
        next();
        Type("5");
        next();
        Type("road crossing");
        next();
        Type("3");
        EXPECT_EQ(path.join(' '),
                  "Prolet Tip_Opor0 Visir Shifr Ugol RezPic Picet1 Picet2 Ugol_napr0 Ugol_grad "
                  "Ugol_min Ugol_sec Coment Insect");

        const auto shots = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
        std::filesystem::create_directories(shots);
        EXPECT_TRUE(
            dialog.grab().save(QString::fromStdString((shots / "support-editor.png").string())));
        Press(Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_TRUE(ExecSupportEditor(Editor, User, nullptr));
    EXPECT_TRUE(User.Told.empty());

    TPillar support;
    Editor.StorePillar(support);
    EXPECT_EQ(support.Nomer.str(), "П14а");
    EXPECT_DOUBLE_EQ(support.Prolet, 85.5);
    EXPECT_EQ(support.Tip_Opor, TSupportType::Intermediate);
    EXPECT_TRUE(support.Visir);
    EXPECT_EQ(support.Shifr.str(), "2П10");
    EXPECT_EQ(support.Ugol.str(), "7");
    EXPECT_TRUE(support.RezPic);
    EXPECT_EQ(support.Picet1, 12);
    EXPECT_DOUBLE_EQ(support.Picet2, 34.5);
    EXPECT_EQ(support.Ugol_napr, 1);
    EXPECT_EQ(support.Ugol_grad, 15);
    EXPECT_EQ(support.Ugol_min, 30);
    EXPECT_EQ(support.Ugol_sec, 5);
    EXPECT_EQ(support.Coment.str(), "road crossing");
    EXPECT_EQ(support.Insect.str(), "3");
}

TEST_F(SupportEditorDialog, FieldsTakeOnlyWhatTheSupportCanHold)
{
    Editor.LoadPillar(TPillar());

    OnNextModal<TSupportEditorDialog>([](TSupportEditorDialog &dialog) {
        auto &number = Input<QLineEdit>(dialog, "Nomer");
        number.selectAll();
        QTest::keyClicks(&number, "1234567890");
        EXPECT_EQ(number.text(), "12345678");
        // A character Windows-1251 lacks is refused.
        TypeInto(&Input<QLineEdit>(dialog, "Coment"), "a€b✓c");
        EXPECT_EQ(Input<QLineEdit>(dialog, "Coment").text(), "a€bc");
        // Only what can make a number goes into the span, with '.' or ',' as separator.
        auto &span = Input<QLineEdit>(dialog, "Prolet");
        span.selectAll();
        QTest::keyClicks(&span, "1,5 m-.2");
        EXPECT_EQ(span.text(), "1,52");
        dialog.reject();
    });
    EXPECT_FALSE(ExecSupportEditor(Editor, User, nullptr));
    EXPECT_EQ(Editor.Nomer, "12345678");
    EXPECT_EQ(Editor.Coment, "a€bc");
}

TEST_F(SupportEditorDialog, ARefusedOkClosesTheWindowAsCancel)
{
    TPillar support;
    support.Nomer = "5";
    Editor.LoadPillar(support);

    OnNextModal<TSupportEditorDialog>([](TSupportEditorDialog &dialog) {
        QTest::keyClicks(&Input<QLineEdit>(dialog, "Shifr"), "0");
        QTest::keyClick(&Input<QLineEdit>(dialog, "Shifr"), Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_FALSE(ExecSupportEditor(Editor, User, nullptr));
    EXPECT_EQ(User.Told, std::vector<std::string> {"The code of the support could not be 0"});
}

TEST_F(SupportEditorDialog, ThePicketFollowsItsBoxAndAnOddTypeShowsNoChoice)
{
    TPillar support;
    support.Nomer = "1";
    support.Tip_Opor = TSupportType::DeadEnd;
    support.Ugol_napr = 7;
    support.Picet1 = 4;
    Editor.LoadPillar(support);

    OnNextModal<TSupportEditorDialog>([](TSupportEditorDialog &dialog) {
        EXPECT_FALSE(Input<QRadioButton>(dialog, "Tip_Opor0").isChecked());
        EXPECT_FALSE(Input<QRadioButton>(dialog, "Tip_Opor1").isChecked());
        EXPECT_FALSE(Input<QRadioButton>(dialog, "Ugol_napr0").isChecked());
        EXPECT_FALSE(Input<QRadioButton>(dialog, "Ugol_napr1").isChecked());
        EXPECT_EQ(Input<QSpinBox>(dialog, "Picet1").value(), 4);
        EXPECT_FALSE(Input<QSpinBox>(dialog, "Picet1").isEnabled());
        EXPECT_FALSE(Input<QDoubleSpinBox>(dialog, "Picet2").isEnabled());
        auto &picket = Input<QCheckBox>(dialog, "RezPic");
        QTest::mouseClick(&picket, Qt::LeftButton, {}, QPoint(8, picket.height() / 2));
        EXPECT_TRUE(Input<QSpinBox>(dialog, "Picet1").isEnabled());
        EXPECT_TRUE(Input<QDoubleSpinBox>(dialog, "Picet2").isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_TRUE(ExecSupportEditor(Editor, User, nullptr));
    Editor.StorePillar(support);
    EXPECT_EQ(support.Tip_Opor, TSupportType::DeadEnd);
    EXPECT_EQ(support.Ugol_napr, 7);
    EXPECT_TRUE(support.RezPic);
}
