// The common open and save dialogs, filled in like a user would.
#include <gtest/gtest.h>

#include "modal.h"
#include "win/file_dialogs.h"

namespace tlq {
namespace test {
namespace {

const int file_type_combo = 0x470;

std::vector<std::string> file_types(HWND dialog) {
    std::vector<std::string> items;
    HWND combo = GetDlgItem(dialog, file_type_combo);
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = {0};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

struct DialogRun {
    bool result = false;
    Text path;
    std::string title;
    std::vector<std::string> types;
};

template <typename Show>
DialogRun run_dialog(Show show, const FileDialogSettings& settings, const Text& initial,
                     const std::function<void(HWND)>& answer) {
    DialogRun run;
    run.path = initial;
    run.result = run_modal([&] { return show(nullptr, settings, run.path); },
                           [&](HWND dialog) {
                               if (!dialog) return;
                               // The dialog fills its controls after it shows.
                               wait_for([&] { return GetDlgItem(dialog, 0x47C) != nullptr; }, 5000);
                               run.title = window_text(dialog);
                               run.types = file_types(dialog);
                               answer(dialog);
                           });
    return run;
}

class FileDialogs : public testing::Test {
protected:
    ScratchFolder folder{"tlq对话框"};
    FileDialogSettings scripts{"Taliq脚本文件(*.tqspt)|*.tqspt|所有文件|*.*", "tqspt"};
};

TEST_F(FileDialogs, OpenReturnsTheChosenExistingFile) {
    const std::string file = folder / "脚本.tqspt";
    write_file(file, "x");
    const DialogRun run =
        run_dialog(show_open_dialog, scripts, "", [&](HWND dialog) { fill_file_dialog(dialog, file); });
    EXPECT_TRUE(run.result);
    EXPECT_EQ(std::string(run.path.c_str()), file);
    EXPECT_EQ(run.types, std::vector<std::string>({"Taliq脚本文件(*.tqspt)", "所有文件"}));
}

TEST_F(FileDialogs, OpenCancelledKeepsThePath) {
    const DialogRun run = run_dialog(show_open_dialog, scripts, "previous",
                                     [](HWND dialog) { press_button(dialog, IDCANCEL); });
    EXPECT_FALSE(run.result);
    EXPECT_EQ(run.path, "previous");
}

TEST_F(FileDialogs, OpenRefusesAMissingFile) {
    const std::string missing = folder / "missing.tqspt";
    std::string complaint;
    const DialogRun run = run_dialog(show_open_dialog, scripts, "", [&](HWND dialog) {
        fill_file_dialog(dialog, missing);
        // The dialog answers with a box of its own and stays open.
        HWND box = nullptr;
        wait_for([&] {
            for (HWND d : dialogs_of(GetCurrentProcessId()))
                if (d != dialog) box = d;
            return box != nullptr;
        });
        if (box) {
            complaint = read_message_box(box).text;
            answer_message_box(box, IDOK);
        }
        press_button(dialog, IDCANCEL);
    });
    EXPECT_FALSE(run.result);
    EXPECT_FALSE(complaint.empty());
}

TEST_F(FileDialogs, SaveAppendsTheDefaultExtension) {
    const std::string typed = folder / "新脚本";
    const DialogRun run =
        run_dialog(show_save_dialog, scripts, "", [&](HWND dialog) { fill_file_dialog(dialog, typed); });
    EXPECT_TRUE(run.result);
    EXPECT_EQ(std::string(run.path.c_str()), typed + ".tqspt");
}

TEST_F(FileDialogs, SaveOverAnExistingFileAsksFirst) {
    const std::string file = folder / "old.tqspt";
    write_file(file, "x");
    std::set<int> buttons;
    const DialogRun run = run_dialog(show_save_dialog, scripts, "", [&](HWND dialog) {
        fill_file_dialog(dialog, file);
        HWND box = nullptr;
        wait_for([&] {
            for (HWND d : dialogs_of(GetCurrentProcessId()))
                if (d != dialog) box = d;
            return box != nullptr;
        });
        if (box) {
            buttons = read_message_box(box).buttons;
            answer_message_box(box, IDYES);
        }
    });
    EXPECT_EQ(buttons, std::set<int>({IDYES, IDNO}));
    EXPECT_TRUE(run.result);
    EXPECT_EQ(std::string(run.path.c_str()), file);
}

TEST_F(FileDialogs, FilterWithoutClosingBarsAndTheInitialName) {
    const FileDialogSettings one{"代码文件|*.tlqcode", ""};
    const std::string file = folder / "x.tlqcode";
    write_file(file, "x");
    std::string shown_name;
    const DialogRun run = run_dialog(show_open_dialog, one, "initial.tlqcode", [&](HWND dialog) {
        shown_name = window_text(GetDlgItem(dialog, 0x47C));
        fill_file_dialog(dialog, file);
    });
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.types, std::vector<std::string>({"代码文件"}));
    EXPECT_EQ(shown_name, "initial.tlqcode");
}

TEST_F(FileDialogs, BarAsGbkTrailByteDoesNotSplitTheFilter) {
    // "亅" is the GBK bytes 0x81 0x7C.
    const FileDialogSettings settings{"亅文件|*.txt|", "txt"};
    const DialogRun run = run_dialog(show_open_dialog, settings, "",
                                     [](HWND dialog) { press_button(dialog, IDCANCEL); });
    EXPECT_EQ(run.types, std::vector<std::string>({"亅文件"}));
}

}  // namespace
}  // namespace test
}  // namespace tlq
