#include "gui/info_dlg_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "branding.h"
#include "gui/res/resource.h"
#include "gui/section_controls.h"
#include "report/system_report.h"
#include "tests/gui/gui_doubles.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using test_support::ExitRequested;
using test_support::ReadBytes;
using test_support::ShownMessage;
using test_support::WriteBytes;

constexpr int kSectionBoxes[] = {IDC_DATE_TIME,     IDC_ARCHITECTURE, IDC_OPERATING_SYSTEM,
                                 IDC_COMPUTER_NAME, IDC_IP_ADDRESS,   IDC_USER_NAME,
                                 IDC_MEMORY,        IDC_CPU_SPEED,    IDC_DISK};

class InfoDlgLogicTest : public ::testing::Test {
protected:
    InfoDlgLogicTest() {
        platform.currentDirectory = dir.Path().string();
        platform.pathSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
    }

    std::string SelectionFile() const { return dir.File("kolt_info.cfg"); }

    void CheckOnly(const std::vector<int>& ids) {
        for (const int id : kSectionControlIds) {
            view.checks[id] = false;
        }
        for (const int id : ids) {
            view.checks[id] = true;
        }
    }

    test_support::ScratchDirectory dir;
    test_support::ScriptedPlatform platform;
    test_support::RecordingView view;
    test_support::RecordingServices services;
    InfoDlgLogic logic{platform, view, services};
};

TEST_F(InfoDlgLogicTest, InitWithoutSelectionFileChecksEveryBoxButExtendedAndResetsTheBar) {
    logic.OnInitDialog();

    EXPECT_EQ(logic.SelectionPath(), SelectionFile());
    for (const int id : kSectionControlIds) {
        EXPECT_EQ(view.IsChecked(id), id != IDC_EXTENDED && id != IDC_REDACT) << id;
    }
    ASSERT_TRUE(view.range.has_value());
    EXPECT_EQ(*view.range, std::make_pair(0, 100));
    EXPECT_EQ(view.positions, std::vector<int>{0});
    EXPECT_EQ(logic.Progress(), 0);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(InfoDlgLogicTest, InitLoadsEachBoxFromItsOwnLineWithoutReconcilingAll) {
    struct Case {
        const char* name;
        std::string file;
        std::vector<int> checked;
    };
    const std::vector<Case> cases = {
        {"empty file", "", {}},
        {"three lines", "0\r\n1\r\n1\r\n", {IDC_DATE_TIME, IDC_ARCHITECTURE}},
        {"All alone", "1\n0\n0\n0\n0\n0\n0\n0\n0\n0\n", {IDC_ALL_INFO}},
        {"file order",
         "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n7\r\n-1\r\n",
         {IDC_CPU_SPEED, IDC_DISK}},
        {"the eleventh line", "1\n0\n0\n0\n0\n0\n0\n0\n0\n0\n1\n", {IDC_ALL_INFO, IDC_EXTENDED}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(SelectionFile(), c.file);
        test_support::RecordingView caseView;
        test_support::RecordingServices caseServices;
        InfoDlgLogic caseLogic(platform, caseView, caseServices);
        caseLogic.OnInitDialog();
        for (const int id : kSectionControlIds) {
            const bool expected =
                std::find(c.checked.begin(), c.checked.end(), id) != c.checked.end();
            EXPECT_EQ(caseView.IsChecked(id), expected) << id;
        }
    }
}

// Eleven lines: the Extended Information box is stored and restored with the others.
TEST_F(InfoDlgLogicTest, ProcessStoresTheBoxesAsOnesAndZerosAndDropsExtraLines) {
    WriteBytes(SelectionFile(),
               "7\r\n0\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n9\r\n0\r\n1\r\n");
    logic.OnInitDialog();
    logic.OnProcessClicked();
    EXPECT_EQ(ReadBytes(SelectionFile()),
              "1\r\n0\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n");
    EXPECT_NE(logic.ReportText().find("  Extended Information\r\n"), std::string::npos);

    CheckOnly({});
    logic.OnProcessClicked();
    std::string allOff;
    for (int i = 0; i < 12; ++i) {
        allOff += "0\r\n";
    }
    EXPECT_EQ(ReadBytes(SelectionFile()), allOff);
}

TEST_F(InfoDlgLogicTest, SelectionGoesToThePathFixedAtInitialisation) {
    logic.OnInitDialog();
    test_support::ScratchDirectory elsewhere;
    platform.currentDirectory = elsewhere.Path().string();
    logic.OnProcessClicked();
    EXPECT_TRUE(std::filesystem::exists(SelectionFile()));
    EXPECT_FALSE(std::filesystem::exists(elsewhere.File("kolt_info.cfg")));
}

TEST_F(InfoDlgLogicTest, ProcessStepsTheBarTheSameWhateverIsSelected) {
    const std::vector<std::vector<int>> selections = {
        {kSectionBoxes, kSectionBoxes + 9},
        {},
        {IDC_ALL_INFO},
        {IDC_DISK},
    };
    for (const auto& selection : selections) {
        SCOPED_TRACE(selection.size());
        test_support::RecordingView caseView;
        test_support::RecordingServices caseServices;
        InfoDlgLogic caseLogic(platform, caseView, caseServices);
        caseLogic.OnInitDialog();
        for (const int id : kSectionControlIds) {
            caseView.checks[id] = false;
        }
        for (const int id : selection) {
            caseView.checks[id] = true;
        }
        caseView.positions.clear();

        caseLogic.OnProcessClicked();

        // Eight sections, footer, the viewer's step, the bar filled for it, the viewer closed.
        EXPECT_EQ(caseView.positions,
                  (std::vector<int>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 150, 0}));
        EXPECT_EQ(caseServices.pauses, (std::vector<int>{5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 100, 0}));
        EXPECT_EQ(caseView.positionsWhenShown, std::vector<int>{150});
        EXPECT_EQ(caseLogic.Progress(), 0);
    }
}

TEST_F(InfoDlgLogicTest, ProcessBuildsTheCheckedSectionsInReportOrderFromAnEmptyReport) {
    logic.OnInitDialog();
    // Memory before Date and Time on screen and in the file, after it in the report.
    CheckOnly({IDC_MEMORY, IDC_OPERATING_SYSTEM, IDC_DATE_TIME});

    logic.OnProcessClicked();
    logic.OnProcessClicked();

    test_support::ScriptedPlatform same = platform;
    CSystemReport composer(same);
    std::string expected;
    composer.AppendHeader(expected);
    composer.AppendDateTime(expected);
    composer.AppendOperatingSystem(expected);
    composer.AppendMemory(expected);
    composer.AppendFooter(expected);
    EXPECT_EQ(logic.ReportText(), expected);
    EXPECT_EQ(view.shownReports, (std::vector<std::string>{expected, expected}));
}

TEST_F(InfoDlgLogicTest, ProcessIgnoresTheAllBox) {
    logic.OnInitDialog();
    CheckOnly({IDC_ALL_INFO});
    logic.OnProcessClicked();

    CSystemReport composer(platform);
    std::string expected;
    composer.AppendHeader(expected);
    composer.AppendFooter(expected);
    EXPECT_EQ(logic.ReportText(), expected);
    EXPECT_EQ(ReadBytes(SelectionFile()),
              "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
}

// All stands for the nine: it leaves the Extended Information box as it is, either way.
TEST_F(InfoDlgLogicTest, AllBoxSetsTheNineBothWays) {
    logic.OnInitDialog();
    CheckOnly({IDC_ALL_INFO, IDC_MEMORY});
    logic.OnAllClicked();
    for (const int id : kSectionBoxes) {
        EXPECT_TRUE(view.IsChecked(id)) << id;
    }
    EXPECT_FALSE(view.IsChecked(IDC_EXTENDED));

    view.checks[IDC_EXTENDED] = true;
    view.checks[IDC_ALL_INFO] = false;
    logic.OnAllClicked();
    for (const int id : kSectionBoxes) {
        EXPECT_FALSE(view.IsChecked(id)) << id;
    }
    EXPECT_FALSE(view.IsChecked(IDC_ALL_INFO));
    EXPECT_TRUE(view.IsChecked(IDC_EXTENDED));
}

TEST_F(InfoDlgLogicTest, SectionBoxesRecomputeTheAllBox) {
    logic.OnInitDialog();
    for (const int unchecked : kSectionBoxes) {
        SCOPED_TRACE(unchecked);
        CheckOnly({IDC_ALL_INFO, kSectionBoxes[0], kSectionBoxes[1], kSectionBoxes[2],
                   kSectionBoxes[3], kSectionBoxes[4], kSectionBoxes[5], kSectionBoxes[6],
                   kSectionBoxes[7], kSectionBoxes[8]});
        view.checks[unchecked] = false;
        logic.OnSectionClicked();
        EXPECT_FALSE(view.IsChecked(IDC_ALL_INFO));

        view.checks[unchecked] = true;
        logic.OnSectionClicked();
        EXPECT_TRUE(view.IsChecked(IDC_ALL_INFO));
    }
}

TEST_F(InfoDlgLogicTest, Windows95IsRefusedWithStatusOne) {
    platform.operatingSystem.name = "Microsoft Windows 95";

    try {
        logic.OnInitDialog();
        FAIL() << "the dialog went on under Windows 95";
    } catch (const ExitRequested& exit) {
        EXPECT_EQ(exit.status, 1);
    }
    EXPECT_EQ(services.messages,
              (std::vector<ShownMessage>{
                  {"Kolt Info is NOT designed for Windows 95!", ui::MessageIcon::None}}));
    // The boxes and the bar were set up before the refusal.
    EXPECT_TRUE(view.IsChecked(IDC_DISK));
    EXPECT_EQ(view.positions, std::vector<int>{0});
}

TEST_F(InfoDlgLogicTest, OtherSystemsStartWithoutAMessage) {
    const char* const names[] = {"Windows 98", "Microsoft Windows 2000", "Windows 10 Pro",
                                 "Windows 9"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        test_support::ScriptedPlatform other = platform;
        other.operatingSystem.name = name;
        test_support::RecordingView caseView;
        test_support::RecordingServices caseServices;
        InfoDlgLogic caseLogic(other, caseView, caseServices);
        EXPECT_NO_THROW(caseLogic.OnInitDialog());
        EXPECT_TRUE(caseServices.messages.empty());
    }
}

TEST_F(InfoDlgLogicTest, BannerOpensTheWebSite) {
    logic.OnBannerClicked();
    EXPECT_EQ(services.opened, std::vector<std::string>{std::string(branding::kWebUrl)});
}

}  // namespace
}  // namespace kolt
