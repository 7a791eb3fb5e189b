// The CAD command around the scheme: the frame's steps in order, and the file it writes to.
#include "catalog/wires_list.h"
#include "dxf_listing.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "reports/cad_command.h"
#include "scripted_user.h"
#include "test_support.h"
#include "test_wires.h"

#include <gtest/gtest.h>

using namespace vartesk;
using test::TScratchDir;

namespace {

// The scripted user, keeping the save dialogs' requests as well.
class TUser : public test::TScriptedUser
{
public:
    std::vector<TSaveRequest> Requests;
    std::optional<std::filesystem::path> ChooseSave(const TSaveRequest &request) override
    {
        Requests.push_back(request);
        return TScriptedUser::ChooseSave(request);
    }
};

TWiresList Catalog()
{
    return test::TestCatalog(false);
}

void AddSection(TProject &project, const std::string &wire)
{
    auto p = std::make_unique<TParcel>();
    p->Name = "S";
    p->Provod = wire;
    p->Napr_max = 13;
    p->Napr_srg = 9;
    for (const double span : {200.0, 0.0}) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = std::to_string(p->Pillars.Count() + 1);
        s->Prolet = span;
        p->Pillars.Add(std::move(s));
    }
    project.Parcels.Add(std::move(p));
}

class CadCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        Project.Klimat.Tols = 15;
        Project.Klimat.VMax = 29;
        Project.Klimat.Vwetsg = 15;
        Project.Klimat.TMin = -40;
        Project.Klimat.TGsw = -5;
        Project.Klimat.Tsrec = 3;
        AddSection(Project, "АС120/19");
    }

    TCadOutcome Run(const std::filesystem::path &projectFile = "/projects/line.v2.vsk")
    {
        TUserPort port = User.Port();
        return RunCadCommand(Project, List, port, projectFile);
    }

    TProject Project;
    TWiresList List = Catalog();
    TScratchDir Dir;
    TUser User;
};

} // namespace

TEST_F(CadCommand, DialogWaitWindowSchemeAndDesktopInOrder)
{
    User.Targets.push_back(Dir / "line.dxf");
    const TCadOutcome outcome = Run();
    ASSERT_TRUE(outcome.Written);
    EXPECT_EQ(*outcome.Written, Dir / "line.dxf");
    EXPECT_TRUE(outcome.Complete);
    test::ExpectEzdxfListing(Dir / "line.dxf", test::DxfListing(test::ReadAll(Dir / "line.dxf")));
    const std::vector<std::string> expected = {
        "save: CAD file(*.dxf)|*.dxf",
        "wait: Port to Cad/3",
        "end",
        "open: " + (Dir / "line.dxf").string(),
    };
    EXPECT_EQ(User.Log, expected);
    EXPECT_EQ(User.Steps, 3);
    ASSERT_EQ(User.Requests.size(), 1u);
    EXPECT_EQ(User.Requests[0].Title, "Вывод в CAD - Vartesk");
    EXPECT_EQ(User.Requests[0].DefaultExtension, "dxf");
    // The project's name without folder and without everything from its first ".".
    EXPECT_EQ(User.Requests[0].InitialName, "line");
}

TEST_F(CadCommand, TheNameChosenIsTheFileWritten)
{
    // A name with an extension of its own stays whole: "line.v2.dxf" is never cut back to
    // "line.dxf", which may be another file the dialog did not ask about.
    test::WriteAll(Dir / "line.dxf", "another drawing");
    for (const char *chosen : {"line.v2.dxf", "line.v2", "scheme.DXF"}) {
        User.Targets.push_back(Dir / chosen);
        const TCadOutcome outcome = Run();
        ASSERT_TRUE(outcome.Written) << chosen;
        EXPECT_EQ(*outcome.Written, Dir / chosen);
        test::ExpectEzdxfListing(Dir / chosen, test::DxfListing(test::ReadAll(Dir / chosen)));
    }
    EXPECT_EQ(test::ReadAll(Dir / "line.dxf"), "another drawing");
    // A name without an extension gets ".dxf", and the desktop opens that file.
    User.Targets.push_back(Dir / "plan");
    const TCadOutcome outcome = Run();
    ASSERT_TRUE(outcome.Written);
    EXPECT_EQ(*outcome.Written, Dir / "plan.dxf");
    EXPECT_TRUE(std::filesystem::exists(Dir / "plan.dxf"));
    EXPECT_FALSE(std::filesystem::exists(Dir / "plan"));
    EXPECT_EQ(User.Log.back(), "open: " + (Dir / "plan.dxf").string());
}

TEST_F(CadCommand, ProposedNameAndTarget)
{
    EXPECT_EQ(SchemeProposedName("/a.b/line.v2.vsk"), "line");
    EXPECT_EQ(SchemeProposedName("line"), "line");
    EXPECT_EQ(SchemeProposedName(""), "");
    EXPECT_EQ(SchemeTarget("/a.b/line"), "/a.b/line.dxf");
    EXPECT_EQ(SchemeTarget("/a.b/line.v2.dxf"), "/a.b/line.v2.dxf");
    EXPECT_EQ(SchemeTarget("/a.b/"), "/a.b/");
}

TEST_F(CadCommand, MissingTypeEndsBeforeTheDialog)
{
    AddSection(Project, "АС999/99"); // the check looks only with two sections or more
    const TCadOutcome outcome = Run();
    EXPECT_FALSE(outcome.Written);
    ASSERT_EQ(User.Log.size(), 1u);
    EXPECT_TRUE(User.Log[0].starts_with("tell error: The wire АС999/99 is not found."))
        << User.Log[0];
}

TEST_F(CadCommand, CoefficientsThatLowerTheLoadsAsk)
{
    Project.KlimatKoef.G_Nad = 0.5;
    User.Answers.push_back(false);
    EXPECT_FALSE(Run().Written);
    EXPECT_EQ(
        User.Log,
        std::vector<std::string> {"ask: Reference loads are lower than standard loads. Continue?"});
    User.Answers.push_back(true);
    User.Targets.push_back(Dir / "yes.dxf");
    EXPECT_TRUE(Run().Written);
}

TEST_F(CadCommand, CancelledDialogWritesNothing)
{
    User.Targets.push_back(std::nullopt);
    EXPECT_FALSE(Run().Written);
    EXPECT_EQ(User.Log, std::vector<std::string> {"save: CAD file(*.dxf)|*.dxf"});
}

TEST_F(CadCommand, FileThatCannotBeWrittenIsAnErrorAndNotOpened)
{
    User.Targets.push_back(Dir / "no-such-folder" / "line.dxf");
    EXPECT_FALSE(Run().Written);
    ASSERT_GE(User.Log.size(), 2u);
    EXPECT_TRUE(User.Log[User.Log.size() - 2].starts_with("tell error: ")) << User.Log[1];
    EXPECT_EQ(User.Log.back(), "end");
}
