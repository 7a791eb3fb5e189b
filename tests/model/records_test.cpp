// Copy, comparison, bounded texts and derived limits of the domain records.
#include "model/owning_list.h"
#include "model/project.h"
#include "model/projectfile/line_source.h"
#include "model/projectfile/project_file.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vartesk;

namespace {

std::unique_ptr<TParcel> SectionWithSupports(int supports)
{
    auto p = std::make_unique<TParcel>();
    p->Name = "Участок 1";
    p->Provod = "АС120/19";
    for (int i = 0; i < supports; ++i) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = std::to_string(i + 1);
        s->Prolet = 200 + i;
        p->Pillars.Add(std::move(s));
    }
    return p;
}

} // namespace

TEST(Records, FreshProjectsAreEqualAndHoldTheDefaults)
{
    TProject a, b;
    EXPECT_TRUE(a.Equals(b));
    EXPECT_EQ(a.Klimat.Tols, 5);
    EXPECT_EQ(a.Klimat.TMin, -55);
    EXPECT_EQ(a.KlimatKoef.visotaPC, 15);
    EXPECT_EQ(a.VMData.NumbCat, 1);
    EXPECT_FALSE(a.VMData.IsVibroMuffles);
    TParcel p;
    EXPECT_TRUE(p.IsProvod);
    EXPECT_EQ(p.MatTros, 2);
    EXPECT_EQ(p.CntWires, 1);
    TPillar s;
    EXPECT_EQ(s.pv.str(), "2");
    EXPECT_EQ(p.Pillars.Step, 1);
}

namespace {

void Load(const std::string &bytes, TProject &p)
{
    TLineSource source(bytes);
    p.LoadFromText(source);
}

std::vector<std::string> FileLines(const std::string &bytes)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < bytes.size();) {
        const size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

} // namespace

// The file lists every persistent field, so it drives the check: each of its lines is set
// to another value, and a project that then saves differently must compare unequal to the
// original and survive Assign whole. A field left out of Equals or Assign fails here.
TEST(Records, EveryFieldOfTheProjectFileTakesPartInEqualsAndAssign)
{
    TProject full;
    full.Parcels.Add(SectionWithSupports(2));
    full.VMData.IsVibroMuffles = true; // the damper lines are written only with these two
    full.Parcels.Get(0).IsVMCalcProvod = true;
    const std::string bytes = ProjectFileBytes(full);
    TProject base;
    Load(bytes, base);
    ASSERT_EQ(ProjectFileBytes(base), bytes);
    const std::vector<std::string> lines = FileLines(bytes);
    const std::vector<std::string> values = {"7", "2", "0", "-1", "7;8", "FALSE"};
    size_t fields = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        bool loads = false, changes = false;
        for (const std::string &value : values) {
            if (value == lines[i])
                continue;
            std::vector<std::string> mutated = lines;
            mutated[i] = value;
            std::string text;
            for (const auto &line : mutated)
                text += line + "\r\n";
            TProject changed;
            try {
                Load(text, changed);
            } catch (const std::exception &) {
                continue;
            }
            loads = true;
            const std::string saved = ProjectFileBytes(changed);
            if (saved == bytes)
                continue; // a value that reads back as the one there
            changes = true;
            const std::string where
                = "line " + std::to_string(i + 1) + " '" + lines[i] + "' set to '" + value + "'";
            EXPECT_FALSE(changed.Equals(base)) << where;
            TProject copy;
            copy.Assign(changed);
            EXPECT_TRUE(copy.Equals(changed)) << where;
            EXPECT_EQ(ProjectFileBytes(copy), saved) << where;
            break;
        }
        // Only the lines that give the file its shape (the version, the counts) refuse
        // every other value; a line that loads but changes nothing is read into no field.
        EXPECT_TRUE(changes || !loads) << "line " << i + 1 << " '" << lines[i] << "'";
        fields += changes;
    }
    EXPECT_GE(fields + 3, lines.size()); // all but the version line and the two counts
}

TEST(Records, EqualsSeesCountsLetterCaseAndTheDerivedModes)
{
    TProject base;
    base.Parcels.Add(SectionWithSupports(3));
    const std::vector<std::pair<const char *, std::function<void(TProject &)>>> mutations = {
        {"Name",
         [](TProject &p) {
             p.Parcels.Get(0).Name = "участок 1";
         }},
        {"TagMode",
         [](TProject &p) {
             p.Parcels.Get(0).TagMode = 1;
         }},
        {"TagModet",
         [](TProject &p) {
             p.Parcels.Get(0).TagModet = 1;
         }},
        {"support count",
         [](TProject &p) {
             p.Parcels.Get(0).Pillars.Delete(2);
         }},
        {"section count",
         [](TProject &p) {
             p.Parcels.Add(std::make_unique<TParcel>());
         }},
    };
    for (const auto &[name, mutate] : mutations) {
        TProject changed;
        changed.Assign(base);
        ASSERT_TRUE(changed.Equals(base)) << name;
        mutate(changed);
        EXPECT_FALSE(changed.Equals(base)) << name;
        TProject copy;
        copy.Assign(changed);
        EXPECT_TRUE(copy.Equals(changed)) << name;
    }
}

TEST(Records, WorkFieldsAndStepStayOutOfCopyAndComparison)
{
    TProject a;
    a.Parcels.Add(SectionWithSupports(2));
    TProject b;
    b.Assign(a);
    TParcel &p = b.Parcels.Get(0);
    p.CalcProvod = "АС70/11";
    p.CalcNapr_max = 12;
    p.Pillars.Get(0).RulingSpan = 250;
    p.Pillars.Get(1).SectionLength = 400;
    p.Pillars.Step = -1;
    b.SpanDataProvod.IsCalculated = true;
    b.SpanDataTros.TensionAvg = 100;
    EXPECT_TRUE(b.Equals(a));

    TParcel copy;
    copy.Assign(p);
    EXPECT_EQ(copy.CalcProvod, "");
    EXPECT_EQ(copy.Pillars.Get(0).RulingSpan, 0);
    EXPECT_EQ(copy.Pillars.Step, -1); // Assign copies Step although Equals ignores it
    copy.Pillars.Clear();
    EXPECT_EQ(copy.Pillars.Step, 1);
}

TEST(Records, AssignIsDeep)
{
    TProject a;
    a.Parcels.Add(SectionWithSupports(2));
    TProject b;
    b.Assign(a);
    b.Parcels.Get(0).Pillars.Get(0).Nomer = "99";
    EXPECT_EQ(a.Parcels.Get(0).Pillars.Get(0).Nomer.str(), "1");
    b.Assign(b); // self-assignment keeps the content
    EXPECT_EQ(b.Parcels.Count(), 1);
}

TEST(Records, BoundedTextsKeepTheirCapacityInCharacters)
{
    TPillar s;
    s.Nomer = "1234567890";
    EXPECT_EQ(s.Nomer.str(), "12345678");
    s.Coment = std::string(50, 'x');
    EXPECT_EQ(s.Coment.str().size(), 40u);
    s.Shifr = "Промежуточная-анкерная-1"; // 24 Cyrillic and other characters
    EXPECT_EQ(s.Shifr.str(), "Промежуточная-анкерн");
    s.pv = "123456";
    EXPECT_EQ(s.pv.str(), "12345");
}

TEST(Records, DerivedLimitsFollowTheMode)
{
    TParcel p;
    p.TagMode = 1;
    p.Tag_max = 1000;
    p.Tag_srg = 500;
    EXPECT_EQ(p.MaxStressProvod(300), 3.33);
    EXPECT_EQ(p.AvgStressProvod(300), 1.67);
    EXPECT_EQ(p.MaxTensionProvod(300), 1000);
    p.TagMode = 0;
    p.Napr_max = 9;
    p.Napr_srg = 4.5;
    EXPECT_EQ(p.MaxTensionProvod(300), 2700);
    EXPECT_EQ(p.AvgTensionProvod(300), 1350);
    EXPECT_EQ(p.MaxStressProvod(300), 9);
    p.TagModet = 1;
    p.Tagt_max = 1234;
    EXPECT_EQ(p.MaxStressTros(48.6), 25.39);
    EXPECT_EQ(p.MaxTensionTros(48.6), 1234);
    EXPECT_FALSE(p.HasVMCalc());
    p.IsVMCalcTros = true;
    EXPECT_TRUE(p.HasVMCalc());
}

TEST(Records, CoefficientsAndTerrainText)
{
    TKlimatKoef k;
    EXPECT_TRUE(k.CoefsValid());
    k.V_Nad = 0.9;
    EXPECT_FALSE(k.CoefsValid());
    k.V_Nad = 1;
    k.G_Usl = 0.5;
    EXPECT_FALSE(k.CoefsValid());
    k.G_Reg = 2;
    EXPECT_TRUE(k.CoefsValid());
    EXPECT_EQ(k.TypeTerText(), "A");
    k.TypeTer = 3;
    EXPECT_EQ(k.TypeTerText(), "C");
    k.TypeTer = 4;
    EXPECT_EQ(k.TypeTerText(), "");
}

TEST(Lists, IndexesAreChecked)
{
    TParcelList list;
    list.Add(std::make_unique<TParcel>());
    list.Delete(0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Get(0), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    try {
        list.Get(3);
        FAIL();
    } catch (const EListError &e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (3)");
    }
    list.Insert(0, std::make_unique<TParcel>());
    list.Get(0).Name = "b";
    auto a = std::make_unique<TParcel>();
    a->Name = "a";
    list.Insert(0, std::move(a));
    EXPECT_EQ(list.Get(0).Name, "a");
    EXPECT_EQ(list.Get(1).Name, "b");
    EXPECT_THROW(list.Insert(5, std::make_unique<TParcel>()), EListError);
}
