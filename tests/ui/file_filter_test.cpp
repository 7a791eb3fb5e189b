// The file dialogs' filter and extension rules as Qt's dialog gets them.
#include "ui/file_filter.h"

#include <gtest/gtest.h>

using namespace vartesk::ui;

TEST(FileFilter, PipeFormsBecomeQtNameFilters)
{
    const struct
    {
        const char *pipe;
        const char *qt;
    } cases[] = {
        {"*.xls|*.xls", "*.xls"},
        {"*.vsk", "*.vsk"},
        {"CAD file(*.dxf)|*.dxf", "CAD file(*.dxf)"},
        {"Text files|*.txt", "Text files (*.txt)"},
        // Qt takes the patterns from the last parentheses: other parentheses need the list.
        {"Text (old)|*.txt", "Text (old) (*.txt)"},
        {"Workbooks|*.xls;*.xlt|All files|*", "Workbooks (*.xls *.xlt);;All files (*)"},
        {"Workbooks|*.xls; *.xlt", "Workbooks (*.xls *.xlt)"},
        {"Anything|", "Anything (*)"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QtNameFilter(c.pipe), c.qt) << c.pipe;
}

TEST(FileFilter, DefaultExtensionOnlyForANameWithoutOne)
{
    EXPECT_EQ(WithDefaultExtension("/work/report", "xls"), "/work/report.xls");
    EXPECT_EQ(WithDefaultExtension("/work/report", ".xls"), "/work/report.xls");
    EXPECT_EQ(WithDefaultExtension("/work/report.XLS", "xls"), "/work/report.XLS");
    EXPECT_EQ(WithDefaultExtension("/work/report.v2", "xls"), "/work/report.v2");
    // A dot in a folder's name is no extension of the file.
    EXPECT_EQ(WithDefaultExtension("/work/line.110kV/scheme", "dxf"),
              "/work/line.110kV/scheme.dxf");
    EXPECT_EQ(WithDefaultExtension("/work/report", ""), "/work/report");
}

TEST(FileFilter, APatternIsNoNameToPropose)
{
    EXPECT_TRUE(IsNamePattern("*.xls"));
    EXPECT_TRUE(IsNamePattern("demo?.vsk"));
    EXPECT_FALSE(IsNamePattern("demo.vsk"));
    EXPECT_FALSE(IsNamePattern(""));
}
